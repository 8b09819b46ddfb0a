#include "smf/SmfReader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "smf/SmfFiles.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

Track OneNote(uint8_t pitch) {
    return Track().Event(0, {0x90, pitch, 100}).Event(96, {0x80, pitch, 0}).End();
}

class SmfReading : public test::SmfFixture {
protected:
    void LoadTrack(const Track& track, uint16_t division = 192) {
        ASSERT_EQ(Load(test::File(division, {track})), kLoadOk);
    }
};

TEST_F(SmfReading, ChunksAreFoundByTheirDeclaredLengthsAndOnly32AreRead) {
    Bytes file = test::Header(1, 0xFFFF, 96);  // 40 chunks follow, 32 are read
    test::Append(file, test::Chunk(Track()));  // zero length
    test::Append(file, test::Chunk(Track().End().Event(0, {0x90, 50, 100})));  // after the End
    for (int t = 2; t < 40; ++t) {
        test::Append(file, test::Chunk(OneNote(static_cast<uint8_t>(30 + t))));
    }
    ASSERT_EQ(Load(file), kLoadOk);
    EXPECT_EQ(sd.noteCount[0] + sd.noteCount[1], 0u);
    EXPECT_EQ(dd[31][0].note, 61);
}

TEST_F(SmfReading, RunningStatusCarriesAcrossChannelMessagesOnly) {
    const Track running = Track()
                              .Event(0, {0x91, 60, 100})
                              .Raw({0, 62, 100, 96, 60, 0, 0, 62, 0})
                              .Meta(0, 0x03, "Lead")
                              .Raw({0, 64, 100});  // a data byte after a meta event ends the track
    const Track unended = Track().Event(0, {0x92, 70, 100});  // its last status is a note-on
    const Track atStart = Track().Raw({0, 60, 100}).Event(0, {0x90, 62, 100});
    const Track afterSysEx =
        Track().Event(0, {0x90, 60, 100}).Event(0, {0xF0, 1, 0xF7}).Raw({0, 64, 100});
    ASSERT_EQ(Load(test::File(96, {running, unended, atStart, afterSysEx})), kLoadOk);
    EXPECT_EQ(std::tuple(sd.noteCount[0], dd[0][1].end, std::string(tn[0])),
              std::tuple(2u, 96u, std::string("Lead")));
    EXPECT_EQ(std::tuple(sd.noteCount[1], sd.noteCount[2], sd.noteCount[3]),
              std::tuple(1u, 0u, 1u));
}

TEST_F(SmfReading, EventsCutByTheChunkOrFileEndAreDroppedWithTheirDelta) {
    // The declared length cuts a note-on after its note number; the next
    // chunk's bytes are never read as its velocity.
    const Track cut = Track().Event(0, {0xB0, 7, 100}).Event(5000, {0x90, 62});
    const Track sysEx =
        Track().Event(96, {0xB1, 10, 64}).Event(0, {0xF0, 0x8F, 0xFF, 0xFF, 0x7F, 1});
    const Track pastEnd = Track().Meta(0, 0x05, "kept").Raw({10, 0xFF, 0x05, 20, 'a'});
    Bytes file = test::File(96, {cut, sysEx, pastEnd});
    file[11] = 4;                                              // a fourth chunk follows
    test::Append(file, test::Chunk(OneNote(60), 0x7FFFFFFF));  // longer than the file
    ASSERT_EQ(Load(file), kLoadOk);
    EXPECT_EQ(std::tuple(sd.eventTotal, sd.noteCount[0], sd.lyricTotal, sd.noteCount[3]),
              std::tuple(2u, 0u, 1u, 1u));
    EXPECT_EQ(sd.songEnd, 96u);  // the closed note's end; the cut event's delta does not count
}

TEST_F(SmfReading, DeltaTimesOfAnyLengthAddUpInThirtyTwoBits) {
    const Track largest = Track().Raw({0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00});
    const Track wide = Track().Raw({0x81, 0x80, 0x80, 0x80, 0x80, 0x05, 0xFF, 0x2F, 0x00});
    ASSERT_EQ(Load(test::File(96, {largest, wide})), kLoadOk);
    EXPECT_EQ(sd.songEnd, 268435455u);
    ASSERT_EQ(Load(test::File(96, {wide})), kLoadOk);
    EXPECT_EQ(sd.songEnd, 5u);  // 2^35 + 5
}

TEST_F(SmfReading, NoteOnIsStoredAtOnceLastingSixQuartersUntilItsNoteOff) {
    LoadTrack(Track().Event(10, {0x92, 61, 90}).Event(0, {0x92, 20, 90}).Event(0, {0x92, 109, 90}));
    ASSERT_EQ(sd.noteCount[0], 1u);  // notes outside A0..C8 are dropped
    const displaydata& n = dd[0][0];
    EXPECT_EQ(std::tie(n.start, n.end, sd.songEnd), std::tuple(10u, 10u + 6 * 192, 10u + 6 * 192));
    EXPECT_EQ(std::tie(n.type, n.line, n.accidental, n.channel, n.closed),
              std::tuple(3, 28, kSharp, 2, 0));
    EXPECT_EQ(std::tie(n.onMsg, n.offMsg), std::tuple(PackMsg(0x92, 61, 90), PackMsg(0x82, 61, 0)));
}

TEST_F(SmfReading, NoteOffsCloseTheOldestOpenNoteOfTheirPitchOnAnyChannel) {
    LoadTrack(Track()
                  .Event(0, {0x80, 60, 0})  // nothing open: ignored
                  .Event(0, {0x90, 60, 100})
                  .Raw({96, 0x90, 60, 100, 0, 0x90, 64, 100, 96, 0x81, 60, 64})
                  .Raw({0, 0x90, 64, 1, 96, 0x90, 60, 0}));
    ASSERT_EQ(sd.noteCount[0], 3u);
    EXPECT_EQ(
        std::tuple(dd[0][0].end, dd[0][0].offMsg, dd[0][1].end, dd[0][2].end, dd[0][2].closed),
        std::tuple(192u, PackMsg(0x81, 60, 0), 288u, 192u, uint8_t{1}));
}

TEST_F(SmfReading, DurationsGiveTheirNotatedLengths) {
    const uint32_t durations[] = {1152, 768, 500, 384, 288, 192, 96, 60, 24, 23};
    const uint8_t types[] = {0, 0, 1, 1, 2, 2, 3, 4, 5, 3};
    const uint8_t dotted[] = {1, 0, 1, 0, 1, 0, 0, 1, 0, 0};
    Track track;
    for (uint32_t duration : durations) {
        track.Event(0, {0x90, 60, 100}).Event(duration, {0x80, 60, 0});
    }
    LoadTrack(track);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(std::tuple(dd[0][i].type, dd[0][i].dotted), std::tuple(types[i], dotted[i]))
            << durations[i];
    }
}

TEST_F(SmfReading, ChannelMessagesKeepFourControllersAndProgramsWithSevenBitData) {
    LoadTrack(
        Track()
            .Raw({0, 0xB3, 7, 100, 0, 64, 127, 0, 10, 30, 0, 91, 40, 0, 0xB3, 0x80 | 93, 0xB2})
            .Event(5, {0xC9, 0xA1})
            .Raw({0, 0xA3, 60, 1, 0, 0xEF, 0, 64, 0, 0xD5, 9}));
    ASSERT_EQ(std::tuple(sd.eventTotal, sd.pgmTotal), std::tuple(4u, 1u));
    EXPECT_EQ(std::tuple(ed[3].msg, pgm[0].msg, sd.channelProgram[9]),
              std::tuple(PackMsg(0xB3, 93, 0x32), PackMsg(0xC9, 0x21, 0), uint8_t{0x21}));
    EXPECT_EQ(sd.trackChannel[0], 5);  // the last channel message, though dropped
}

TEST_F(SmfReading, TempoAndSignaturesAreReadWithTheirStandardLengths) {
    LoadTrack(Track()
                  .Raw({0, 0xFF, 0x51, 4, 0x07, 0xA1, 0x20})  // declares 4, 3 are read
                  .Event(96, {0xFF, 0x51, 3, 0x09, 0x27, 0xC0})
                  .Event(0, {0xFF, 0x51, 3, 0, 0, 0})  // 0 microseconds: dropped
                  .Event(0, {0xFF, 0x58, 4, 6, 3, 12, 4})
                  .Event(0, {0xFF, 0x58, 4, 0, 2, 1, 1})
                  .Event(0, {0xFF, 0x58, 4, 1, 32, 1, 1})
                  .Event(0, {0xFF, 0x59, 2, 0xFD, 1}));
    ASSERT_EQ(sd.tempoTotal, 2u);
    EXPECT_EQ(std::tuple(td[0].tempo, td[1].time), std::tuple(2.0f, 96u));
    EXPECT_NEAR(td[1].tempo, 1.6667f, 0.0001f);
    EXPECT_EQ(std::tie(sd.tsNumerator, sd.tsDenominator, sd.tsClocks, sd.ts32nds),
              std::tuple(6u, 8u, 12u, 4u));
    EXPECT_EQ(std::tie(sd.keySharps, sd.keyMinor), std::tuple(-3, 1));
    LoadTrack(Track().Event(0, {0xFF, 0x58, 4, 1, 3, 1, 1}), 1);  // half a tick per bar
    EXPECT_EQ(sd.tsNumerator, 4u);
}

TEST_F(SmfReading, TextsKeepWhatFitsTheirFieldsAsCStrings) {
    const Track first = Track()
                            .Meta(0, 0x05, std::string(80, 'l'))
                            .Meta(0, 0x03, std::string(60, 'n'))
                            .Meta(0, 0x02, std::string(120, 'c'))
                            .Meta(10, 0x01, std::string("ab\0cd", 5))
                            .Meta(20, 0x05, "")
                            .Meta(0, 0x04, "Piano")
                            .Event(0, {0xFF, 0x20, 1, 5});
    ASSERT_EQ(Load(test::File(96, {first, Track().Meta(15, 0x01, "you")})), kLoadOk);
    ASSERT_EQ(sd.lyricTotal, 4u);
    EXPECT_EQ(std::string(lcd[0].text), std::string(60, 'l'));
    EXPECT_EQ(std::string(lcd[1].text) + "|" + lcd[2].text + "|" + lcd[3].text, "ab|you|");
    EXPECT_EQ(std::tuple(lcd[2].track, sd.lyricCount[0]), std::tuple(1u, 3u));
    EXPECT_EQ(std::string(tn[0]), std::string(50, 'n'));
    EXPECT_EQ(std::string(cpyright), std::string(100, 'c'));
    EXPECT_EQ(copyrightSet(), 1);
}

// Broken files. Each loads or is refused with its code; none may crash, hang or
// read outside the file (the sanitizer build checks the last: every file is an
// exactly sized buffer).

// The code of a valid file cut after n bytes: missing header bytes read as
// 0, a cut chunk tag gives 4, and a track cut anywhere else just ends.
int CodeOfPrefix(const Bytes& file, std::size_t n) {
    if (n < 14) {
        return n < 4 ? kLoadNoHeader : n < 10 ? kLoadNotFormat1 : kLoadNoDivision;
    }
    for (std::size_t chunk = 14; chunk < file.size(); chunk += 8 + file[chunk + 7]) {
        if (n < chunk + 4) {
            return kLoadNoTrack;
        }
    }
    return kLoadOk;
}

Bytes Joined(Bytes first, const Bytes& second) {
    test::Append(first, second);
    return first;
}

Track Repeated(const Bytes& start, uint8_t byte, int count) {
    return Track().Raw(start).Raw(Bytes(static_cast<std::size_t>(count), byte));
}

class BadInput : public test::SmfFixture {};

TEST_F(BadInput, ValidFileCutAtEveryByteLoadsOrIsRefusedWithItsCode) {
    const Bytes file = test::RichSong();
    for (std::size_t n = 0; n <= file.size(); ++n) {
        ASSERT_EQ(Load(Bytes(file.begin(), file.begin() + static_cast<long>(n))),
                  CodeOfPrefix(file, n))
            << n;
        ASSERT_EQ(progress.captions.size(), static_cast<std::size_t>(progress.closed));
    }
}

TEST_F(BadInput, CorpusOfStructuralFaultsLoadsOrIsRefusedWithItsCode) {
    const Track note = Track().Event(0, {0x90, 60, 100});
    const std::pair<Bytes, int> corpus[] = {
        {{'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96}, kLoadNoHeader},
        {test::Header(2, 1, 96), kLoadNotFormat1},
        {test::Header(0, 1, 0), kLoadNotFormat1},
        {test::File(0, {Track().End()}), kLoadNoDivision},
        {Joined(Joined(test::Header(1, 1, 96, 8), {0, 0}), test::Chunk(note)),
         kLoadNoTrack},  // a header of 8 bytes is read as 6
        {test::Header(1, 0, 96), kLoadOk},
        {Joined(test::Header(1, 1, 96), {'M', 'T', 'r', 'k', 0, 0}), kLoadOk},  // cut length
        {Joined(test::Header(1, 2, 96), test::Chunk(note, 0xFFFFFFFF)),
         kLoadNoTrack},  // the second chunk would lie past the end
        {test::File(96, {Repeated({0, 0xFF, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, 'a', 9)}),
         kLoadOk},
        {test::File(96, {Repeated({0, 0xFF, 0x01}, 0x80, 100)}), kLoadOk},  // endless meta length
        {test::File(96, {Repeated({}, 0xFF, 5000)}), kLoadOk},              // endless delta time
        {test::File(96, {Repeated({0, 0xF0}, 0x81, 7)}), kLoadOk},
        {test::File(96, {Repeated({0, 0x40}, 0x40, 2)}), kLoadOk},  // running status at track start
        {test::File(96, {Repeated({0, 0xF4}, 0x40, 2)}), kLoadOk},
    };
    for (const auto& [file, code] : corpus) {
        ASSERT_EQ(Load(file), code) << file.size() << " bytes";
        EXPECT_EQ(sd.lyricTotal, 0u);
    }
    EXPECT_EQ(Load(test::Header(0, 1, 480)), kLoadNotFormat1);
    EXPECT_EQ(sd.division, 480u);  // stored before the format is checked
    // A division with the top bit set is kept as it is.
    ASSERT_EQ(Load(test::File(0xE728, {note})), kLoadOk);
    EXPECT_EQ(dd[0][0].end, 6u * 0xE728);
}

}  // namespace
}  // namespace tw
