#include <gtest/gtest.h>

#include <string>

#include "smf/SmfFiles.h"
#include "smf/SmfReader.h"
#include "song/Song.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Track;

class SmfEvents : public test::SongFixture {
protected:
    // Loads one track at the given division; the test fails unless it loads.
    void LoadTrack(const Track& track, uint16_t division = 192) {
        ASSERT_EQ(LoadBytes(test::File(division, {track}), reporter, progress), kLoadOk);
    }

    test::RecordingProgress progress;
};

TEST_F(SmfEvents, NoteOnStoresEveryFieldWithAProvisionalLengthOfSixQuarters) {
    LoadTrack(Track().Event(10, {0x92, 61, 90}).End());
    ASSERT_EQ(sd.noteCount[0], 1u);
    const displaydata& n = dd[0][0];
    EXPECT_EQ(n.start, 10u);
    EXPECT_EQ(n.end, 10u + 6 * 192);
    EXPECT_EQ(n.note, 61);
    EXPECT_EQ(n.type, 3);
    EXPECT_EQ(n.dotted, 0);
    EXPECT_EQ(n.line, 28);
    EXPECT_EQ(n.accidental, kSharp);
    EXPECT_EQ(n.channel, 2);
    EXPECT_EQ(n.velocity, 90);
    EXPECT_EQ(n.onMsg, PackMsg(0x92, 61, 90));
    EXPECT_EQ(n.offMsg, PackMsg(0x82, 61, 0));
    EXPECT_EQ(n.closed, 0);
    EXPECT_EQ(sd.songEnd, 10u + 6 * 192);
}

TEST_F(SmfEvents, NoteOnWithVelocityZeroOrOneClosesTheOpenNote) {
    LoadTrack(Track()
                  .Event(0, {0x90, 60, 100})
                  .Event(0, {0x90, 64, 100})
                  .Event(192, {0x90, 60, 1})
                  .Event(0, {0x90, 64, 0})
                  .End());
    ASSERT_EQ(sd.noteCount[0], 2u);
    EXPECT_EQ(dd[0][0].end, 192u);
    EXPECT_EQ(dd[0][1].end, 192u);
    EXPECT_EQ(dd[0][0].closed, 1);
}

TEST_F(SmfEvents, OverlappingNotesOfOnePitchCloseFirstInFirstOut) {
    LoadTrack(Track()
                  .Event(0, {0x90, 60, 100})
                  .Event(96, {0x90, 60, 100})
                  .Event(96, {0x80, 60, 0})
                  .Event(96, {0x80, 60, 0})
                  .End());
    ASSERT_EQ(sd.noteCount[0], 2u);
    EXPECT_EQ(dd[0][0].end, 192u);
    EXPECT_EQ(dd[0][1].end, 288u);
}

TEST_F(SmfEvents, NoteOffOnAnotherChannelClosesTheNoteAndCarriesItsChannel) {
    LoadTrack(Track().Event(0, {0x90, 60, 100}).Event(192, {0x81, 60, 64}).End());
    EXPECT_EQ(dd[0][0].end, 192u);
    EXPECT_EQ(dd[0][0].offMsg, PackMsg(0x81, 60, 0));
    EXPECT_EQ(sd.trackChannel[0], 1);
}

TEST_F(SmfEvents, NoteOffWithoutAnOpenNoteIsIgnored) {
    LoadTrack(
        Track().Event(0, {0x80, 60, 0}).Event(0, {0x90, 60, 100}).Event(96, {0x80, 62, 0}).End());
    ASSERT_EQ(sd.noteCount[0], 1u);
    EXPECT_EQ(dd[0][0].closed, 0);
    EXPECT_EQ(dd[0][0].end, 6u * 192);
}

TEST_F(SmfEvents, DurationsGiveTheirNotatedLengths) {
    struct Case {
        uint32_t duration;
        uint8_t type;
        uint8_t dotted;
    };
    const Case cases[] = {{192, 2, 0},  {288, 2, 1}, {96, 3, 0},  {24, 5, 0},  {23, 3, 0},
                          {1152, 0, 1}, {768, 0, 0}, {500, 1, 1}, {384, 1, 0}, {60, 4, 1}};
    Track track;
    uint8_t pitch = 30;
    for (const Case& c : cases) {
        track.Event(0, {0x90, pitch, 100}).Event(c.duration, {0x80, pitch, 0});
        ++pitch;
    }
    LoadTrack(track.End());
    ASSERT_EQ(sd.noteCount[0], std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].duration);
        EXPECT_EQ(dd[0][i].type, cases[i].type);
        EXPECT_EQ(dd[0][i].dotted, cases[i].dotted);
    }
}

TEST_F(SmfEvents, NotesOutsideA0ToC8AreDropped) {
    LoadTrack(Track()
                  .Event(0, {0x90, 20, 100})
                  .Event(0, {0x90, 21, 100})
                  .Event(0, {0x90, 108, 100})
                  .Event(0, {0x90, 109, 100})
                  .End());
    ASSERT_EQ(sd.noteCount[0], 2u);
    EXPECT_EQ(dd[0][0].line, 51);
    EXPECT_EQ(dd[0][1].line, 0);
}

TEST_F(SmfEvents, OnlyVolumePanReverbAndChorusAreKept) {
    LoadTrack(Track()
                  .Event(0, {0xB3, 7, 100})
                  .Event(0, {0xB3, 64, 127})
                  .Event(0, {0xB3, 10, 30})
                  .Event(0, {0xB3, 91, 40})
                  .Event(0, {0xB3, 93, 50})
                  .Event(0, {0xE4, 0, 64})
                  .Event(0, {0xA3, 60, 1})
                  .Event(0, {0xD5, 9})
                  .End());
    ASSERT_EQ(sd.eventTotal, 4u);
    EXPECT_EQ(ed[0].msg, PackMsg(0xB3, 7, 100));
    EXPECT_EQ(ed[3].msg, PackMsg(0xB3, 93, 50));
    EXPECT_EQ(ed[0].track, 0u);
    EXPECT_EQ(sd.trackChannel[0], 5);  // the last channel message, though dropped
}

TEST_F(SmfEvents, ProgramChangeIsStoredAndSetsTheChannelsProgram) {
    LoadTrack(Track().Event(5, {0xC9, 33}).End());
    ASSERT_EQ(sd.pgmTotal, 1u);
    EXPECT_EQ(pgm[0].time, 5u);
    EXPECT_EQ(pgm[0].msg, PackMsg(0xC9, 33, 0));
    EXPECT_EQ(sd.channelProgram[9], 33);
}

TEST_F(SmfEvents, DataBytesWithTheTopBitSetCountByTheirLowSevenBits) {
    LoadTrack(Track()
                  .Event(0, {0xC0, 0xC5})
                  .Event(0, {0xB0, 0x87, 0xFF})
                  .Event(0, {0x90, 0xBC, 0xE4})
                  .End());
    EXPECT_EQ(sd.channelProgram[0], 0x45);
    ASSERT_EQ(sd.eventTotal, 1u);
    EXPECT_EQ(ed[0].msg, PackMsg(0xB0, 7, 0x7F));
    ASSERT_EQ(sd.noteCount[0], 1u);
    EXPECT_EQ(dd[0][0].note, 60);
    EXPECT_EQ(dd[0][0].velocity, 100);
}

TEST_F(SmfEvents, TimeSignatureSetsTheSongsAndItsDenominatorAsANoteValue) {
    LoadTrack(Track().Event(0, {0xFF, 0x58, 4, 6, 3, 12, 4}).End());
    EXPECT_EQ(sd.tsNumerator, 6u);
    EXPECT_EQ(sd.tsDenominator, 8u);
    EXPECT_EQ(sd.tsClocks, 12u);
    EXPECT_EQ(sd.ts32nds, 4u);
}

TEST_F(SmfEvents, TimeSignatureWithABarShorterThanATickIsDropped) {
    const Track track = Track()
                            .Event(0, {0xFF, 0x58, 4, 3, 2, 24, 8})
                            .Event(0, {0xFF, 0x58, 4, 0, 2, 1, 1})
                            .Event(0, {0xFF, 0x58, 4, 1, 32, 1, 1})
                            .Event(0, {0xFF, 0x58, 4, 1, 3, 1, 1})  // half a tick at division 1
                            .End();
    LoadTrack(track, 1);
    EXPECT_EQ(sd.tsNumerator, 3u);
    EXPECT_EQ(sd.tsDenominator, 4u);
    EXPECT_EQ(sd.tsClocks, 24u);
}

TEST_F(SmfEvents, TempoIsQuarterNotesPerSecondAndZeroIsDropped) {
    LoadTrack(Track()
                  .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                  .Event(96, {0xFF, 0x51, 3, 0x09, 0x27, 0xC0})
                  .Event(96, {0xFF, 0x51, 3, 0, 0, 0})
                  .End());
    ASSERT_EQ(sd.tempoTotal, 2u);
    EXPECT_EQ(td[0].tempo, 2.0f);
    EXPECT_EQ(td[1].time, 96u);
    EXPECT_EQ(td[1].tempo, 1.0f / (600000.0f * 0.000001f));
    EXPECT_NEAR(td[1].tempo, 1.6667f, 0.0001f);
}

TEST_F(SmfEvents, FixedLengthMetaEventsReadTheirStandardLengthWhateverIsDeclared) {
    // The tempo declares 4 bytes but 3 are read; the fourth is the next
    // event's delta.
    LoadTrack(Track().Raw({0, 0xFF, 0x51, 4, 0x07, 0xA1, 0x20}).Event(5, {0x90, 60, 100}).End());
    EXPECT_EQ(td[0].tempo, 2.0f);
    ASSERT_EQ(sd.noteCount[0], 1u);
    EXPECT_EQ(dd[0][0].start, 5u);
}

TEST_F(SmfEvents, KeySignatureIsSigned) {
    LoadTrack(Track().Event(0, {0xFF, 0x59, 2, 0xFD, 1}).End());
    EXPECT_EQ(sd.keySharps, -3);
    EXPECT_EQ(sd.keyMinor, 1);
}

TEST_F(SmfEvents, TextsKeepWhatFitsTheirFields) {
    LoadTrack(Track()
                  .Meta(0, 0x05, std::string(80, 'l'))
                  .Meta(0, 0x03, std::string(60, 'n'))
                  .Meta(0, 0x02, std::string(120, 'c'))
                  .End());
    ASSERT_EQ(sd.lyricTotal, 1u);
    EXPECT_EQ(std::string(lcd[0].text), std::string(60, 'l'));
    EXPECT_EQ(std::string(tn[0]), std::string(50, 'n'));
    EXPECT_EQ(std::string(cpyright), std::string(100, 'c'));
    EXPECT_EQ(copyrightSet(), 1);
}

TEST_F(SmfEvents, TextAndLyricEventsBothBecomeLyricsOfTheirTrack) {
    const Track words = Track().Meta(0, 0x01, "Hel").Meta(48, 0x05, "lo").End();
    const Track more = Track().Meta(24, 0x05, "you").End();
    ASSERT_EQ(LoadBytes(test::File(96, {words, more}), reporter, progress), kLoadOk);
    ASSERT_EQ(sd.lyricTotal, 3u);
    EXPECT_STREQ(lcd[0].text, "Hel");
    EXPECT_STREQ(lcd[1].text, "you");
    EXPECT_EQ(lcd[1].track, 1u);
    EXPECT_STREQ(lcd[2].text, "lo");
    EXPECT_EQ(sd.lyricCount[0], 2u);
    EXPECT_EQ(sd.lyricCount[1], 1u);
}

TEST_F(SmfEvents, EmptyTextIsAnEmptyLyricAndANulByteEndsAText) {
    LoadTrack(Track()
                  .Meta(0, 0x05, "")
                  .Meta(10, 0x01, std::string("ab\0cd", 5))
                  .Meta(0, 0x03, std::string("Bass\0junk", 9))
                  .End());
    ASSERT_EQ(sd.lyricTotal, 2u);
    EXPECT_STREQ(lcd[0].text, "");
    EXPECT_STREQ(lcd[1].text, "ab");
    EXPECT_EQ(lcd[1].text[3], '\0');
    EXPECT_STREQ(tn[0], "Bass");
}

TEST_F(SmfEvents, LaterSignaturesNoticeAndNameReplaceEarlierOnes) {
    const Track first = Track()
                            .Meta(0, 0x03, "First")
                            .Meta(0, 0x02, "(c) one")
                            .Event(0, {0xFF, 0x59, 2, 1, 0})
                            .Meta(10, 0x03, "Second")
                            .End();
    const Track second = Track().Meta(0, 0x02, "(c) two").Event(50, {0xFF, 0x59, 2, 2, 1}).End();
    ASSERT_EQ(LoadBytes(test::File(96, {first, second}), reporter, progress), kLoadOk);
    EXPECT_STREQ(tn[0], "Second");
    EXPECT_STREQ(cpyright, "(c) two");
    EXPECT_EQ(sd.keySharps, 2);
    EXPECT_EQ(sd.keyMinor, 1);
}

TEST_F(SmfEvents, OtherMetaAndSysExEventsAreReadPast) {
    LoadTrack(Track()
                  .Event(0, {0xFF, 0x20, 1, 5})
                  .Event(0, {0xFF, 0x21, 1, 2})
                  .Meta(0, 0x04, "Piano")
                  .Meta(0, 0x00, "ab")
                  .Meta(0, 0x7F, "vendor data")
                  .Event(0, {0xF0, 3, 0x43, 0x12, 0xF7})
                  .Event(0, {0xF7, 2, 0x01, 0x02})
                  .Event(7, {0x90, 60, 100})
                  .End());
    ASSERT_EQ(sd.noteCount[0], 1u);
    EXPECT_EQ(dd[0][0].start, 7u);
    EXPECT_EQ(sd.lyricTotal, 0u);
}

}  // namespace
}  // namespace tw
