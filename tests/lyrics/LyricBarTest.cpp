#include <gtest/gtest.h>

#include <cstring>

#include "lyrics/LyricBar.h"
#include "platform/ui/TestHost.h"
#include "song/Song.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::TestHost;
using ui::Color;

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
