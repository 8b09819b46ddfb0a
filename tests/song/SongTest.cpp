#include <gtest/gtest.h>

#include <cstring>

#include "song/Pitch.h"
#include "song/Song.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using SongDefaults = test::SongFixture;

// A reset (File New) empties the song but keeps what belongs to the
// session: the clipboard, the file names and the volume lock.
TEST_F(SongDefaults, ResetGivesAnEmptyFourFourSongAt120BpmAndKeepsTheSession) {
    ebuff[0].note = 60;
    sd.clipCount = 1;
    std::strcpy(sd.fileName, "song.mid");
    sd.masterLock = 0;
    sd.noteCount[4] = 9;
    sd.tempoTotal = 7;
    td[0].tempo = 3.0f;
    std::strcpy(tn[2], "Bass");
    copyrightSet() = 1;
    sd.soloChannel = 5;

    SetDefaults();

    EXPECT_EQ(sd.barTicks, 768u);
    EXPECT_EQ(sd.tempoTotal, 1u);
    EXPECT_EQ(td[0].tempo, 2.0f);
    EXPECT_EQ(sd.noteCount[4], 0u);
    EXPECT_STREQ(tn[2], "Track 3");
    EXPECT_EQ(copyrightSet(), 0);
    EXPECT_EQ(sd.soloChannel, -1);
    EXPECT_EQ(sd.clipCount, 1u);
    EXPECT_EQ(ebuff[0].note, 60);
    EXPECT_STREQ(sd.fileName, "song.mid");
    EXPECT_EQ(sd.masterLock, 0u);
}

TEST(PitchRule, BlackKeysShareTheLineOfTheirSpelledNatural) {
    const struct {
        uint8_t note;
        int line;
        int32_t accidental;
    } cases[] = {{21, 51, kNoAccidental}, {22, 50, kFlat},  {23, 50, kNoAccidental},
                 {24, 49, kNoAccidental}, {25, 49, kSharp}, {60, 28, kNoAccidental},
                 {61, 28, kSharp},        {63, 26, kFlat},  {64, 26, kNoAccidental},
                 {66, 25, kSharp},        {68, 23, kFlat},  {108, 0, kNoAccidental}};
    for (const auto& c : cases) {
        EXPECT_EQ(NoteLine(c.note), c.line) << int{c.note};
        EXPECT_EQ(NoteAccidental(c.note), c.accidental) << int{c.note};
    }
}

TEST(BarLength, FollowsTheTimeSignatureAndDivision) {
    EXPECT_EQ(BarTicksFor(3, 8, 480), 720u);
    EXPECT_EQ(BarTicksFor(4, 4, 192), 768u);
    EXPECT_EQ(BarTicksFor(3, 4, 96), 288u);
    EXPECT_EQ(BarTicksFor(0, 4, 192), 1u);
    EXPECT_EQ(BarTicksFor(1, 0x80000000u, 96), 1u);
    EXPECT_EQ(BarTicksFor(4, 0, 192), 1u);
}

TEST(StaffPage, ShowsAsManyWholeBarsAsFit) {
    EXPECT_EQ(StaffBarsFor(4), 2u);
    EXPECT_EQ(StaffBarsFor(3), 3u);
    EXPECT_EQ(StaffBarsFor(2), 4u);
    EXPECT_EQ(StaffBarsFor(6), 1u);
    EXPECT_EQ(StaffBarsFor(12), 1u);
}

}  // namespace
}  // namespace tw
