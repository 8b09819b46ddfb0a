#include "smf/SmfReader.h"

#include <gtest/gtest.h>

#include "smf/SmfFiles.h"
#include "song/Song.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

class SmfContainer : public test::SongFixture {
protected:
    int Load(const Bytes& file) { return LoadBytes(file, reporter, progress); }

    test::RecordingProgress progress;
};

Track OneNote(uint8_t pitch = 60) {
    return Track().Event(0, {0x90, pitch, 100}).Event(96, {0x80, pitch, 0}).End();
}

TEST_F(SmfContainer, HeaderFaultsGiveTheirCodes) {
    EXPECT_EQ(Load({}), kLoadNoHeader);
    EXPECT_EQ(Load({'M', 'T', 'h'}), kLoadNoHeader);
    EXPECT_EQ(Load({'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 0, 0, 96}), kLoadNoHeader);
    EXPECT_EQ(Load(test::Header(0, 1, 96)), kLoadNotFormat1);
    EXPECT_EQ(Load(test::Header(2, 1, 96)), kLoadNotFormat1);
    EXPECT_EQ(progress.opened, 0);
}

TEST_F(SmfContainer, DivisionIsStoredAtOnceEvenWhenTheFormatIsRefused) {
    EXPECT_EQ(Load(test::Header(0, 1, 480)), kLoadNotFormat1);
    EXPECT_EQ(sd.division, 480u);
}

TEST_F(SmfContainer, DivisionZeroIsRefusedAfterTheFormatCheck) {
    EXPECT_EQ(Load(test::Header(1, 1, 0)), kLoadNoDivision);
    EXPECT_EQ(Load(test::Header(0, 1, 0)), kLoadNotFormat1);
}

TEST_F(SmfContainer, FileEndingInsideTheHeaderReadsTheMissingBytesAsZero) {
    const Bytes full = test::Header(1, 1, 96);
    EXPECT_EQ(Load(Bytes(full.begin(), full.begin() + 9)), kLoadNotFormat1);
    EXPECT_EQ(Load(Bytes(full.begin(), full.begin() + 10)), kLoadNoDivision);
    Bytes cutTag = test::Header(1, 1, 96);
    cutTag.insert(cutTag.end(), {'M', 'T', 'r'});
    EXPECT_EQ(Load(cutTag), kLoadNoTrack);
    Bytes cutLength = test::Header(1, 1, 96);
    cutLength.insert(cutLength.end(), {'M', 'T', 'r', 'k', 0, 0});
    EXPECT_EQ(Load(cutLength), kLoadOk);
    EXPECT_EQ(sd.noteCount[0], 0u);
}

TEST_F(SmfContainer, FormatOneWithNoTracksIsAnEmptySong) {
    EXPECT_EQ(Load(test::Header(1, 0, 96)), kLoadOk);
    EXPECT_EQ(sd.division, 96u);
    EXPECT_EQ(sd.songEnd, 0u);
    EXPECT_EQ(sd.tempoTotal, 1u);
}

TEST_F(SmfContainer, FortyTrackChunksLoadTheFirst32Only) {
    Bytes file = test::Header(1, 40, 96);
    for (int t = 0; t < 40; ++t) {
        test::Append(file, test::Chunk(OneNote(static_cast<uint8_t>(40 + t))));
    }
    ASSERT_EQ(Load(file), kLoadOk);
    for (int t = 0; t < kTracks; ++t) {
        ASSERT_EQ(sd.noteCount[t], 1u);
        EXPECT_EQ(dd[t][0].note, 40 + t);
    }
}

TEST_F(SmfContainer, NextChunkIsFoundByTheDeclaredLength) {
    Bytes file = test::Header(1, 4, 96);
    test::Append(file, test::Chunk(Track()));
    Track early = Track().End().Event(0, {0x90, 50, 100});  // bytes after End of Track
    test::Append(file, test::Chunk(early));
    test::Append(file, test::Chunk(OneNote(70), 0));  // declared empty: its events are skipped
    test::Append(file, test::Chunk(OneNote(72)));
    EXPECT_EQ(Load(file), kLoadNoTrack);  // the skipped events stand where a chunk should

    file = test::Header(1, 3, 96);
    test::Append(file, test::Chunk(Track(), 0));
    test::Append(file, test::Chunk(early));
    test::Append(file, test::Chunk(OneNote(72)));
    ASSERT_EQ(Load(file), kLoadOk);
    EXPECT_EQ(sd.noteCount[0], 0u);
    EXPECT_EQ(sd.noteCount[1], 0u);
    ASSERT_EQ(sd.noteCount[2], 1u);
    EXPECT_EQ(dd[2][0].note, 72);
}

TEST_F(SmfContainer, LongerHeaderIsNotSkippedAndFailsOnTheTrackTag) {
    Bytes file = test::Header(1, 1, 96, 8);
    file.insert(file.end(), {0, 0});
    test::Append(file, test::Chunk(OneNote()));
    EXPECT_EQ(Load(file), kLoadNoTrack);
}

TEST_F(SmfContainer, RunningStatusCarriesAcrossChannelMessagesOnly) {
    Track track;
    track.Event(0, {0x91, 60, 100}).Raw({0, 62, 100}).Raw({96, 60, 0}).Raw({0, 62, 0});
    track.Meta(0, 0x03, "Lead").Raw({0, 64, 100});  // a data byte after a meta event ends the track
    track.Event(0, {0x91, 67, 100});
    ASSERT_EQ(Load(test::File(96, {track})), kLoadOk);
    ASSERT_EQ(sd.noteCount[0], 2u);
    EXPECT_EQ(dd[0][0].end, 96u);
    EXPECT_EQ(dd[0][1].end, 96u);
    EXPECT_STREQ(tn[0], "Lead");
}

TEST_F(SmfContainer, DataByteAtTrackStartOrAfterSysExEndsTheTrack) {
    const Track first = Track().Raw({0, 60, 100}).Event(0, {0x90, 62, 100});
    const Track afterSysEx =
        Track().Event(0, {0x90, 60, 100}).Event(0, {0xF0, 1, 0xF7}).Raw({0, 64, 100});
    ASSERT_EQ(Load(test::File(96, {first, afterSysEx})), kLoadOk);
    EXPECT_EQ(sd.noteCount[0], 0u);
    EXPECT_EQ(sd.noteCount[1], 1u);
}

TEST_F(SmfContainer, PitchBendOnChannel16IsDroppedAndTheTrackGoesOn) {
    const Track track = Track().Event(0, {0xEF, 0, 64}).Event(10, {0x9F, 60, 90}).End(86);
    ASSERT_EQ(Load(test::File(96, {track})), kLoadOk);
    ASSERT_EQ(sd.noteCount[0], 1u);
    EXPECT_EQ(dd[0][0].start, 10u);
    EXPECT_EQ(dd[0][0].channel, 15);
    EXPECT_EQ(sd.trackChannel[0], 15);
}

TEST_F(SmfContainer, LargestFourByteDeltaAndLongerOnesThatWrap) {
    const Track largest = Track().Raw({0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00});
    ASSERT_EQ(Load(test::File(96, {largest})), kLoadOk);
    EXPECT_EQ(sd.songEnd, 268435455u);

    // Six bytes: 2^35 + 5 wraps to 5 in 32 bits.
    const Track wide = Track().Raw({0x81, 0x80, 0x80, 0x80, 0x80, 0x05, 0xFF, 0x2F, 0x00});
    SetDefaults();
    ASSERT_EQ(Load(test::File(96, {wide})), kLoadOk);
    EXPECT_EQ(sd.songEnd, 5u);
}

TEST_F(SmfContainer, SongEndIsTheLatestTrackEndIncludingEndOfTrack) {
    const Track a = Track().Event(0, {0x90, 60, 100}).Event(96, {0x80, 60, 0}).End(500);
    const Track b = OneNote();
    ASSERT_EQ(Load(test::File(96, {a, b})), kLoadOk);
    EXPECT_EQ(sd.songEnd, 596u);
    EXPECT_EQ(sd.track, 0);
    EXPECT_EQ(sd.now, 0u);
}

TEST_F(SmfContainer, GaugeShowsTheShareOfTheFileBeforeEachTrack) {
    Track padding;
    padding.Meta(0, 0x7F, std::string(187, 'x'));
    Bytes file = test::Header(1, 2, 96);
    test::Append(file, test::Chunk(padding));
    ASSERT_EQ(file.size() + 8, 222u);  // the second chunk's data starts at byte 222
    Track tail;
    tail.Meta(0, 0x7F, std::string(773, 'y'));
    test::Append(file, test::Chunk(tail));
    ASSERT_EQ(file.size(), 1000u);

    ASSERT_EQ(Load(file), kLoadOk);
    EXPECT_EQ(progress.captions, std::vector<std::string>{"Loading File"});
    EXPECT_EQ(progress.gauge, (std::vector<int>{2, 22}));
    EXPECT_EQ(progress.closed, 1);
}

TEST_F(SmfContainer, FullTableEndsTheLoadWithItsMessageThenTheTrackMessage) {
    Track track;
    for (uint32_t i = 0; i <= kNotesPerTrack; ++i) {
        track.Event(i == 0 ? 0 : 1, {0x90, 60, 100});
    }
    Bytes file = test::File(96, {OneNote(), track});
    EXPECT_EQ(Load(file), 100);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text, "Out of Note Memory");
    EXPECT_EQ(reporter.messages[1].text, "ntrk = 1 er=100");
    EXPECT_EQ(reporter.messages[1].caption, "twApper");
    EXPECT_EQ(progress.closed, 1);
}

TEST_F(SmfContainer, EventCutByTheChunkEndIsDroppedEvenWhenTheNextBytesWouldComplete) {
    // The declared length cuts the second note-on after its note number; the
    // bytes that follow belong to the next chunk and are never read as its
    // velocity.
    Track first = Track().Event(0, {0xB0, 7, 100}).Event(500, {0x90, 62, 100});
    Bytes file = test::Header(1, 2, 96);
    test::Append(file, test::Chunk(first, static_cast<int64_t>(first.data.size()) - 1));
    file.pop_back();
    test::Append(file, test::Chunk(Track().Event(96, {0xB1, 10, 64}).End()));
    ASSERT_EQ(Load(file), kLoadOk);
    EXPECT_EQ(sd.eventTotal, 2u);
    EXPECT_EQ(sd.noteCount[0], 0u);
    EXPECT_EQ(sd.songEnd, 96u);  // the cut event's delta does not count
}

TEST_F(SmfContainer, MetaAndSysExRunningPastTheChunkEndAreDropped) {
    const Track lyric = Track().Meta(0, 0x05, "kept").Raw({10, 0xFF, 0x05, 20, 'a', 'b'});
    const Track sysex = Track().Event(0, {0x90, 60, 100}).Raw({0, 0xF0, 0x8F, 0xFF, 0xFF, 0x7F, 1});
    const Track name = Track().Raw({0, 0xFF, 0x03, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 'x'});
    ASSERT_EQ(Load(test::File(96, {lyric, sysex, name})), kLoadOk);
    ASSERT_EQ(sd.lyricTotal, 1u);
    EXPECT_STREQ(lcd[0].text, "kept");
    EXPECT_EQ(sd.noteCount[1], 1u);
    EXPECT_STREQ(tn[2], "Track 3");
}

TEST_F(SmfContainer, ChunkLongerThanTheFileEndsAtTheFileEnd) {
    Bytes file = test::Header(1, 1, 96);
    test::Append(file, test::Chunk(OneNote(), 0x7FFFFFFF));
    ASSERT_EQ(Load(file), kLoadOk);
    EXPECT_EQ(sd.noteCount[0], 1u);
}

}  // namespace
}  // namespace tw
