#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "song/PageTime.h"
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

    EXPECT_EQ(std::tuple(sd.barTicks, sd.tempoTotal, td[0].tempo, sd.noteCount[4]),
              std::tuple(768u, 1u, 2.0f, 0u));
    EXPECT_EQ(std::tuple(std::string(tn[2]), copyrightSet(), sd.soloChannel),
              std::tuple(std::string("Track 3"), 0, -1));
    EXPECT_EQ(std::tuple(sd.clipCount, ebuff[0].note, std::string(sd.fileName), sd.masterLock),
              std::tuple(1u, uint8_t{60}, std::string("song.mid"), 0u));
}

// The time under a column of the page, shared by the staff and the lyric
// strip: snapped from song time 0 (not from the page), a tie to the earlier
// unit, a unit of 0 ticks left unsnapped, and no wrap past the last tick.
TEST_F(SongDefaults, PageTimeSnapsToTheNearestUnitFromSongTimeZero) {
    const struct {
        uint32_t snap, division, bar, numerator, barTicks;
        int x;
        uint32_t time;
    } cases[] = {
        {0, 192, 0, 4, 768, 27, 64},  // 64.8 ticks
        {1, 192, 0, 4, 768, 27, 72},
        {2, 192, 0, 4, 768, 27, 48},
        {3, 192, 0, 4, 768, 27, 96},
        {4, 192, 0, 4, 768, 27, 0},
        {5, 192, 0, 4, 768, 27, 0},
        {3, 192, 0, 4, 768, 20, 0},  // 48 ticks, halfway
        {3, 192, 0, 4, 768, 21, 96},
        {0, 192, 3, 4, 768, 80, 2304 + 192},
        {5, 96, 1, 3, 288, 0, 192},      // the page starts at 288, halfway between
        {1, 4, 0, 4, 768, 27, 64},       // a thirty-second of 0 ticks
        {2, 192, 3, 0, 768, 400, 2304},  // no width per bar: the page's start
        {0, 192, UINT32_MAX, 4, 768, 600, UINT32_MAX},
    };
    for (const auto& c : cases) {
        sd.snapSetting = c.snap;
        sd.division = c.division;
        sd.bar = c.bar;
        sd.tsNumerator = c.numerator;
        sd.barTicks = c.barTicks;
        EXPECT_EQ(PageTime(c.x), c.time) << "snap " << c.snap << " at x " << c.x;
    }
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

}  // namespace
}  // namespace tw
