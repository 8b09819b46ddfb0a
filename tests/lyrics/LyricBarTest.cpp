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
    EXPECT_TRUE(img.Pixel(225, 8) != kGreen && img.Pixel(225, 26) != kGreen);
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

// Values no dialog offers, as a file or a bad edit may leave them.
TEST_F(LyricBarTest, OddSongsDrawSafely) {
    AddLyric(0, "Día");
    EXPECT_TRUE(InkIn(bar->PaintToImage(), 51, 90, 2, 18));
    sd.gridSetting = 9;
    sd.barTicks = 0;
    sd.tsNumerator = 0;
    sd.staffBars = 4000000;
    EXPECT_EQ(bar->PaintToImage().Width(), 792);
    EXPECT_EQ(bar->GetTime(100), 0u);
}

}  // namespace
}  // namespace tw
