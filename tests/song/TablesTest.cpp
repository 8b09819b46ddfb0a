#include "song/Tables.h"

#include <gtest/gtest.h>

#include <cstring>

#include "song/Pitch.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

displaydata Note(uint32_t start, uint8_t pitch, uint32_t length = 192) {
    return test::MakeNote(start, start + length, pitch);
}

eventdata Controller(uint32_t time, uint8_t channel, uint8_t controller, uint8_t value,
                     uint32_t track = 0) {
    return {time, PackMsg(0xB0 + channel, controller, value), track};
}

eventdata Program(uint32_t time, uint8_t channel, uint8_t program, uint32_t track) {
    return {time, PackMsg(0xC0 + channel, program, 0), track};
}

lyric Lyric(uint32_t time, uint32_t track, const char* text) {
    lyric l{};
    l.time = time;
    l.track = track;
    std::strncpy(l.text, text, kLyricTextSize - 1);
    return l;
}

class TableMaintenance : public test::SongFixture {};

TEST_F(TableMaintenance, TempoAtAnExistingTimeReplacesAndOthersGoInTimeOrder) {
    ASSERT_EQ(UpdateTempoData(reporter, {100, 1.0f}), kStored);
    ASSERT_EQ(UpdateTempoData(reporter, {300, 3.0f}), kStored);
    ASSERT_EQ(UpdateTempoData(reporter, {200, 2.5f}), kStored);
    ASSERT_EQ(UpdateTempoData(reporter, {200, 4.0f}), kStored);

    ASSERT_EQ(sd.tempoTotal, 4u);
    const uint32_t times[] = {0, 100, 200, 300};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(td[i].time, times[i]);
    }
    EXPECT_EQ(td[2].tempo, 4.0f);
    EXPECT_EQ(sd.songEnd, 300u);
}

TEST_F(TableMaintenance, ControllerIsTheSameThingOnlyForTheSameChannelAndNumber) {
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 1, 7, 10)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 2, 7, 20)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 1, 10, 30)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 1, 7, 99, 5)), kStored);

    ASSERT_EQ(sd.eventTotal, 3u);
    EXPECT_EQ(ed[0].msg, PackMsg(0xB1, 7, 99));
    EXPECT_EQ(ed[0].track, 5u);
    EXPECT_EQ(ed[1].msg, PackMsg(0xB2, 7, 20));
    EXPECT_EQ(ed[2].msg, PackMsg(0xB1, 10, 30));
}

TEST_F(TableMaintenance, NewEntryComesAfterEveryEntryOfEqualTime) {
    ASSERT_EQ(UpdateEventData(reporter, Controller(50, 0, 7, 1)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(100, 0, 7, 2)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(50, 1, 7, 3)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 2, 7, 4)), kStored);

    const uint32_t values[] = {4, 1, 3, 2};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(MsgData2(ed[i].msg), values[i]) << "entry " << i;
    }
}

TEST_F(TableMaintenance, ProgramChangeOnTheSameChannelReplacesAndTakesTheNewTrack) {
    ASSERT_EQ(UpdatePgmData(reporter, Program(0, 3, 10, 1)), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, Program(0, 3, 20, 2)), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, Program(0, 4, 30, 2)), kStored);

    ASSERT_EQ(sd.pgmTotal, 2u);
    EXPECT_EQ(pgm[0].msg, PackMsg(0xC3, 20, 0));
    EXPECT_EQ(pgm[0].track, 2u);
}

TEST_F(TableMaintenance, LyricCountsGrowOnInsertOnlyNotOnReplace) {
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(10, 2, "la")), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(10, 3, "di")), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(10, 2, "da")), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(5, 2, "oh")), kStored);

    EXPECT_EQ(sd.lyricTotal, 3u);
    EXPECT_EQ(sd.lyricCount[2], 2u);
    EXPECT_EQ(sd.lyricCount[3], 1u);
    EXPECT_STREQ(lcd[0].text, "oh");
    EXPECT_STREQ(lcd[1].text, "da");
    EXPECT_STREQ(lcd[2].text, "di");
}

TEST_F(TableMaintenance, NoteOnTheSameLineAtTheSameStartReplacesWhateverItsPitch) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 61, 400)), kStored);

    ASSERT_EQ(sd.noteCount[0], 1u);
    EXPECT_EQ(dd[0][0].note, 61);
    EXPECT_EQ(dd[0][0].end, 400u);
    EXPECT_EQ(sd.songEnd, 400u);
}

TEST_F(TableMaintenance, ChordHoldsOneNotePerLineAndEarlierNotesAreInsertedInOrder) {
    ASSERT_EQ(AddNote(reporter, 1, Note(192, 60)), kStored);
    ASSERT_EQ(AddNote(reporter, 1, Note(192, 64)), kStored);
    ASSERT_EQ(AddNote(reporter, 1, Note(384, 67)), kStored);
    // Inserted before the later note: compared with every note of its time.
    ASSERT_EQ(AddNote(reporter, 1, Note(192, 61)), kStored);
    ASSERT_EQ(AddNote(reporter, 1, Note(192, 72)), kStored);
    ASSERT_EQ(AddNote(reporter, 1, Note(0, 48)), kStored);

    ASSERT_EQ(sd.noteCount[1], 5u);
    const uint8_t pitches[] = {48, 61, 64, 72, 67};
    for (uint32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(dd[1][i].note, pitches[i]) << "note " << i;
    }
}

TEST_F(TableMaintenance, AppendedNoteIsComparedWithTheLastNoteOnly) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 64)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60, 50)), kStored);

    EXPECT_EQ(sd.noteCount[0], 3u);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60, 70)), kStored);
    EXPECT_EQ(sd.noteCount[0], 3u);
    EXPECT_EQ(dd[0][2].end, 70u);
}

TEST_F(TableMaintenance, SongEndMovesForwardOnlyAndIsReported) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60, 500)), kStored);
    EXPECT_EQ(reporter.songEndChanges, 1);
    ASSERT_EQ(UpdateEventData(reporter, Controller(100, 0, 7, 1)), kStored);
    EXPECT_EQ(sd.songEnd, 500u);
    EXPECT_EQ(reporter.songEndChanges, 1);
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(900, 0, "end")), kStored);
    EXPECT_EQ(sd.songEnd, 900u);
    EXPECT_EQ(reporter.songEndChanges, 2);
}

TEST_F(TableMaintenance, TablesRefuseAtTheirUsableCapacityWithMessageAndCode) {
    for (uint32_t i = 1; i < kTempoUsable; ++i) {
        ASSERT_EQ(UpdateTempoData(reporter, {i, 2.0f}), kStored);
    }
    EXPECT_EQ(sd.tempoTotal, 499u);
    EXPECT_EQ(UpdateTempoData(reporter, {0, 1.0f}), kTempoFull);  // even a replacement
    EXPECT_EQ(td[0].tempo, 2.0f);

    for (uint32_t i = 0; i < kEventsUsable; ++i) {
        ASSERT_EQ(UpdateEventData(reporter, Controller(i, 0, 7, 1)), kStored);
    }
    EXPECT_EQ(UpdateEventData(reporter, Controller(0, 5, 7, 1)), kEventsFull);

    for (uint32_t i = 0; i < kPgmUsable; ++i) {
        ASSERT_EQ(UpdatePgmData(reporter, Program(i, 0, 1, 0)), kStored);
    }
    EXPECT_EQ(UpdatePgmData(reporter, Program(10000, 0, 1, 0)), kPgmFull);

    for (uint32_t i = 0; i < kLyricsUsable; ++i) {
        ASSERT_EQ(UpdateLyricData(reporter, Lyric(i, 0, "x")), kStored);
    }
    EXPECT_EQ(UpdateLyricData(reporter, Lyric(0, 1, "y")), kLyricsFull);
    EXPECT_EQ(sd.lyricCount[1], 0u);

    const uint32_t songEndBefore = sd.songEnd;
    for (uint32_t i = 0; i < kNotesPerTrack; ++i) {
        ASSERT_EQ(AddNote(reporter, 7, Note(i * 10, 60)), kStored);
    }
    EXPECT_EQ(AddNote(reporter, 7, Note(1u << 30, 60)), kNotesFull);
    EXPECT_EQ(sd.noteCount[7], 7000u);
    EXPECT_GT(sd.songEnd, songEndBefore);
    EXPECT_LT(sd.songEnd, 1u << 30);

    const char* expected[][2] = {{"Out of Tempo Memory", "twWindow::UpdateTempo"},
                                 {"Out of Event Memory", "twWindow::UpdateEvents"},
                                 {"Out of PGM Memory", "twWindow::UpdatePGM"},
                                 {"Out of Lyric Memory", "twWindow::UpdateLyrics"},
                                 {"Out of Note Memory", "Test"}};
    ASSERT_EQ(reporter.messages.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(reporter.messages[i].text, expected[i][0]);
        EXPECT_EQ(reporter.messages[i].caption, expected[i][1]);
    }
}

}  // namespace
}  // namespace tw
