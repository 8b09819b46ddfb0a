#include <gtest/gtest.h>

#include <cstring>

#include "lyrics/LyricBar.h"
#include "platform/ui/TestHost.h"
#include "song/Song.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::ExpectPixels;
using test::TestHost;
using ui::Color;

const Color kGrey{128, 128, 128};
const Color kGreen{0, 255, 0};
const Color kBlue{0, 0, 192};
const Color kWhite{255, 255, 255};

using test::AddLyric;

// Whether column x holds white text pixels in rows top..bottom-1.
bool InkIn(const ui::Image& img, int left, int right, int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (img.Pixel(x, y) == kWhite) {
                return true;
            }
        }
    }
    return false;
}

class LyricBarTest : public test::SongFixture {
protected:
    void SetUp() override {
        SongFixture::SetUp();
        bar = new LyricBar(&host, 621, 4, 0, 792, 40);
        host.Open();
    }

    TestHost host{800, 40};
    LyricBar* bar = nullptr;
};

TEST_F(LyricBarTest, SyllablesStandAtTheStaffScaleAndCloseOnesAlternateRows) {
    ASSERT_EQ(sd.barTicks, 768u);
    ASSERT_EQ(sd.division, 192u);
    EXPECT_EQ(LyricBar::RightEdge(), 690);
    sd.gridSetting = 0;
    sd.bar = 1;  // the page starts at tick 768
    AddLyric(700, "Before");       // on the previous page: not drawn
    AddLyric(768 + 384, "Hel");    // x = 210
    AddLyric(768 + 408, "lo");     // x = 220, 10 pixels on: the lower row
    AddLyric(768 + 420, "other", 1);
    AddLyric(768 + 960, "world");  // x = 450, far enough: the upper row again
    AddLyric(768 + 1536, "Next");  // the next page
    const ui::Image img = test::Snap(*bar, "lyric_strip", "lyrics");

    ExpectPixels(img, kGreen, {{210, 3}, {210, 14}, {220, 21}, {220, 32}, {450, 3}, {450, 14}});
    ExpectPixels(img, kGrey, {{210, 15}, {220, 20}, {220, 33}, {450, 21}});
    EXPECT_TRUE(InkIn(img, 211, 218, 2, 18));
    EXPECT_TRUE(InkIn(img, 221, 240, 20, 36));
    EXPECT_FALSE(InkIn(img, 40, 209, 2, 38));  // neither the lyric before nor the gap
    EXPECT_FALSE(InkIn(img, 690, 792, 2, 38));
    // The other track's syllable at x = 225 shows no marker.
    EXPECT_NE(img.Pixel(225, 8), kGreen);
    EXPECT_NE(img.Pixel(225, 26), kGreen);

    // A click at x = 211 snapped to the quarter finds the lyric drawn there.
    sd.snapSetting = 4;
    templyric = {};
    templyric.time = bar->GetTime(211 - 50);
    EXPECT_EQ(templyric.time, 768u + 384);
    ASSERT_EQ(bar->FindLyric(), 1);
    EXPECT_EQ(bar->FoundIndex(), 1u);
    EXPECT_STREQ(templyric.text, "Hel");
    templyric.time = bar->GetTime(300 - 50);
    EXPECT_EQ(bar->FindLyric(), 0);
}

TEST_F(LyricBarTest, SnappingRoundsToTheNearestUnitAndATieGoesDown) {
    sd.bar = 0;
    sd.snapSetting = 0;
    EXPECT_EQ(bar->GetTime(15), 36u);  // 15 / 320 of a 768-tick bar
    sd.snapSetting = 3;                // eighths of 96 ticks
    EXPECT_EQ(bar->GetTime(15), 0u);
    EXPECT_EQ(bar->GetTime(20), 0u);  // 48 ticks: the tie goes to the lower
    EXPECT_EQ(bar->GetTime(21), 96u);
    sd.snapSetting = 5;
    EXPECT_EQ(bar->GetTime(300), 768u);
    // A division too small for the unit snaps to single ticks.
    sd.division = 4;
    sd.snapSetting = 1;
    EXPECT_EQ(bar->GetTime(15), 36u);
}

TEST(LyricText, TheFilterKeepsWordsOfEveryAlphabetAndDropsKaraokeMarks) {
    EXPECT_EQ(LyricBar::ShownLyric("@TMy Song"), "My Song");
    EXPECT_EQ(LyricBar::ShownLyric("@"), "");
    EXPECT_EQ(LyricBar::ShownLyric("/Hel-"), "Hel");
    EXPECT_EQ(LyricBar::ShownLyric("\\lo?"), "lo");
    EXPECT_EQ(LyricBar::ShownLyric("don't, \"go\": now! 1.@"), "don't, \"go\": now! 1.@");
    EXPECT_EQ(LyricBar::ShownLyric(" lead"), "lead");
    EXPECT_EQ(LyricBar::ShownLyric("\xA9 1999"), "\u00A9 1999");  // Windows-1252
    EXPECT_EQ(LyricBar::ShownLyric("Stra\xDF" "e, ni\xF1o"), "Straße, niño");
    EXPECT_EQ(LyricBar::ShownLyric("¿Qué será?"), "Qué será");     // UTF-8
    EXPECT_EQ(LyricBar::ShownLyric("Việt Nam"), "Việt Nam");
    EXPECT_EQ(LyricBar::ShownLyric("Ви\u0301ктор"), "Ви\u0301ктор");  // a combining accent
}

TEST_F(LyricBarTest, GridAndFrameFollowTheSettingsAndOddSongsDrawSafely) {
    sd.gridSetting = 4;
    AddLyric(0, "Día");
    ui::Image img = bar->PaintToImage();
    ExpectPixels(img, kBlue, {{130, 2}, {690, 20}});
    EXPECT_TRUE(InkIn(img, 51, 90, 2, 18));
    sd.gridSetting = 0;
    ExpectPixels(bar->PaintToImage(), kGrey, {{130, 30}, {690, 30}});

    // Values no dialog offers, as a file or a bad edit may leave them.
    sd.gridSetting = 9;
    sd.barTicks = 0;
    sd.tsNumerator = 0;
    sd.staffBars = 4000000;
    img = bar->PaintToImage();
    EXPECT_EQ(img.Width(), 792);
    EXPECT_EQ(bar->GetTime(100), 0u);
}

}  // namespace
}  // namespace tw
