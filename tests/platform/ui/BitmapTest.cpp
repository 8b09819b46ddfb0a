#include <gtest/gtest.h>

#include <vector>

#include "TestHost.h"
#include "platform/ui/Bitmap.h"

namespace tw::ui {
namespace {

struct Expected {
    int first;
    int last;
    int width;
    int height;
};

TEST(Bitmap, EveryPanelBitmapIsBuiltInAtTheSizeOfItsButton) {
    const std::vector<Expected> table = {
        {301, 312, 15, 25},  // note lengths, off and on
        {313, 318, 15, 15},  // dot, sharp, flat
        {322, 325, 30, 20},  // note modes
        {326, 327, 24, 15},  // cut
        {328, 329, 29, 15},  // copy
        {330, 331, 33, 15},  // paste
        {333, 334, 41, 15},  // store
        {458, 461, 9, 9},    // mute and solo
        {602, 603, 30, 15},  // transport: stop, play, play all, pause, cue, cue set
        {605, 606, 30, 15}, {608, 609, 30, 15}, {611, 612, 30, 15},
        {614, 615, 30, 15}, {617, 618, 30, 15}, {537, 537, 28, 62},  // treble clef
        {538, 538, 28, 48},                                          // bass clef
    };
    for (const Expected& e : table) {
        for (int id = e.first; id <= e.last; ++id) {
            const Bitmap b(id);
            ASSERT_TRUE(b.IsValid()) << id;
            EXPECT_EQ(b.Width(), e.width) << id;
            EXPECT_EQ(b.Height(), e.height) << id;
        }
    }
}

TEST(Bitmap, AnUnknownResourceNumberGivesAnInvalidBitmap) {
    EXPECT_FALSE(Bitmap(9999).IsValid());
    EXPECT_FALSE(Bitmap(-1).IsValid());
    EXPECT_FALSE(Bitmap(332).IsValid());
    EXPECT_FALSE(Bitmap(604).IsValid());
}

TEST(Bitmap, TheTwoStatesOfAButtonLookDifferent) {
    for (int off : {301, 313, 322, 326, 333, 458, 460, 602, 605, 611, 617}) {
        const Bitmap a(off);
        const Bitmap b(off + 1);
        bool differ = false;
        for (int y = 0; y < a.Height() && !differ; ++y) {
            for (int x = 0; x < a.Width() && !differ; ++x) {
                differ = a.Pixels().Pixel(x, y) != b.Pixels().Pixel(x, y);
            }
        }
        EXPECT_TRUE(differ) << off;
    }
}

// The staff view copies the treble clef at y0 + 57 and the bass clef at
// y0 + 114 and draws its staff lines at y0 + 72 .. y0 + 104 and y0 + 120 ..
// y0 + 152: the clefs' own lines must fall on exactly those rows, across
// the whole width, with the staff's grey between them.
TEST(Bitmap, ClefStaffLinesFallOnTheRowsOfTheDrawnStaffLines) {
    const Color black{0, 0, 0};
    const Color grey{192, 192, 192};
    struct Clef {
        int id;
        std::vector<int> rows;
    };
    for (const Clef& clef : {Clef{537, {15, 23, 31, 39, 47}}, Clef{538, {6, 14, 22, 30, 38}}}) {
        const Bitmap b(clef.id);
        for (int row : clef.rows) {
            EXPECT_EQ(b.Pixels().Pixel(0, row), black) << clef.id << " row " << row;
            EXPECT_EQ(b.Pixels().Pixel(b.Width() - 1, row), black) << clef.id << " row " << row;
            EXPECT_EQ(b.Pixels().Pixel(0, row + 1), grey) << clef.id << " row " << row + 1;
            EXPECT_EQ(b.Pixels().Pixel(b.Width() - 1, row - 1), grey) << clef.id;
        }
        EXPECT_EQ(b.Pixels().Pixel(0, 0), grey) << clef.id;
    }
}

}  // namespace
}  // namespace tw::ui
