#include "song/Tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

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
    EXPECT_EQ(std::tuple(td[0].time, td[1].time, td[2].time, td[3].time, td[2].tempo, sd.songEnd),
              std::tuple(0u, 100u, 200u, 300u, 4.0f, 300u));
}

TEST_F(TableMaintenance, ControllerIsTheSameThingOnlyForTheSameChannelAndNumber) {
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 1, 7, 10)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 2, 7, 20)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 1, 10, 30)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 1, 7, 99, 5)), kStored);

    ASSERT_EQ(sd.eventTotal, 3u);
    EXPECT_EQ(std::tuple(ed[0].msg, ed[0].track, ed[1].msg, ed[2].msg),
              std::tuple(PackMsg(0xB1, 7, 99), 5u, PackMsg(0xB2, 7, 20), PackMsg(0xB1, 10, 30)));
}

TEST_F(TableMaintenance, NewEntryComesAfterEveryEntryOfEqualTime) {
    ASSERT_EQ(UpdateEventData(reporter, Controller(50, 0, 7, 1)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(100, 0, 7, 2)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(50, 1, 7, 3)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(0, 2, 7, 4)), kStored);

    EXPECT_EQ(std::tuple(MsgData2(ed[0].msg), MsgData2(ed[1].msg), MsgData2(ed[2].msg),
                         MsgData2(ed[3].msg)),
              std::tuple(4u, 1u, 3u, 2u));
}

TEST_F(TableMaintenance, ProgramChangeOnTheSameChannelReplacesAndTakesTheNewTrack) {
    ASSERT_EQ(UpdatePgmData(reporter, Program(0, 3, 10, 1)), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, Program(0, 3, 20, 2)), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, Program(0, 4, 30, 2)), kStored);

    EXPECT_EQ(std::tuple(sd.pgmTotal, pgm[0].msg, pgm[0].track),
              std::tuple(2u, PackMsg(0xC3, 20, 0), 2u));
}

TEST_F(TableMaintenance, LyricCountsGrowOnInsertOnlyNotOnReplace) {
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(10, 2, "la")), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(10, 3, "di")), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(10, 2, "da")), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(5, 2, "oh")), kStored);

    EXPECT_EQ(std::tuple(sd.lyricTotal, sd.lyricCount[2], sd.lyricCount[3]),
              std::tuple(3u, 2u, 1u));
    EXPECT_EQ(std::string(lcd[0].text) + lcd[1].text + lcd[2].text, "ohdadi");
}

TEST_F(TableMaintenance, NoteOnTheSameLineAtTheSameStartReplacesWhateverItsPitch) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 61, 400)), kStored);

    EXPECT_EQ(std::tuple(sd.noteCount[0], dd[0][0].note, dd[0][0].end, sd.songEnd),
              std::tuple(1u, uint8_t{61}, 400u, 400u));
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
    EXPECT_EQ(std::vector<int>(
                  {dd[1][0].note, dd[1][1].note, dd[1][2].note, dd[1][3].note, dd[1][4].note}),
              std::vector<int>({48, 61, 64, 72, 67}));
}

TEST_F(TableMaintenance, AppendedNoteIsComparedWithTheLastNoteOnly) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 64)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60, 50)), kStored);

    EXPECT_EQ(sd.noteCount[0], 3u);
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60, 70)), kStored);
    EXPECT_EQ(std::tuple(sd.noteCount[0], dd[0][2].end), std::tuple(3u, 70u));
}

TEST_F(TableMaintenance, SongEndMovesForwardOnlyAndIsReported) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 60, 500)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, Controller(100, 0, 7, 1)), kStored);
    EXPECT_EQ(std::tuple(sd.songEnd, reporter.songEndChanges), std::tuple(500u, 1));
    ASSERT_EQ(UpdateLyricData(reporter, Lyric(900, 0, "end")), kStored);
    EXPECT_EQ(std::tuple(sd.songEnd, reporter.songEndChanges), std::tuple(900u, 2));
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
    EXPECT_TRUE(sd.songEnd > songEndBefore && sd.songEnd < 1u << 30) << sd.songEnd;

    std::string shown;
    for (const auto& m : reporter.messages) {
        shown += m.text + " (" + m.caption + ")\n";
    }
    EXPECT_EQ(shown,
              "Out of Tempo Memory (twWindow::UpdateTempo)\nOut of Event Memory "
              "(twWindow::UpdateEvents)\nOut of PGM Memory (twWindow::UpdatePGM)\nOut of Lyric "
              "Memory (twWindow::UpdateLyrics)\nOut of Note Memory (Test)\n");
}

}  // namespace
}  // namespace tw
