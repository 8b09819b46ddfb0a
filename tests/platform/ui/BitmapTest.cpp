#include <gtest/gtest.h>

#include <vector>

#include "TestHost.h"
#include "platform/ui/Bitmap.h"

namespace tw::ui {
namespace {

// Each range holds off/on pairs from its first id, except the clefs.
TEST(Bitmap, EveryPanelBitmapIsBuiltInAtTheSizeOfItsButtonAndItsStatesDiffer) {
    struct Range {
        int first, last, width, height;
    };
    const std::vector<Range> table = {
        {301, 312, 15, 25},                                          // note lengths
        {313, 318, 15, 15},                                          // dot, sharp, flat
        {322, 325, 30, 20},                                          // note modes
        {326, 327, 24, 15}, {328, 329, 29, 15}, {330, 331, 33, 15},  // cut, copy, paste
        {333, 334, 41, 15},                                          // store
        {458, 461, 9, 9},                                            // mute and solo
        {602, 603, 30, 15}, {605, 606, 30, 15}, {608, 609, 30, 15},  // transport
        {611, 612, 30, 15}, {614, 615, 30, 15}, {617, 618, 30, 15},
        {537, 537, 28, 62}, {538, 538, 28, 48},  // treble and bass clefs
    };
    for (const Range& r : table) {
        for (int id = r.first; id <= r.last; ++id) {
            const Bitmap b(id);
            ASSERT_TRUE(b.IsValid()) << id;
            EXPECT_EQ(b.Width(), r.width) << id;
            EXPECT_EQ(b.Height(), r.height) << id;
            if ((id - r.first) % 2 == 1) {
                EXPECT_FALSE(test::Shows(Bitmap(id - 1).Pixels(), b.Pixels())) << id;
            }
        }
    }
    for (int unknown : {9999, -1, 332, 604}) {
        EXPECT_FALSE(Bitmap(unknown).IsValid()) << unknown;
    }
}

// The staff view copies the treble clef at y0 + 57 and the bass clef at
// y0 + 114 and draws its staff lines at y0 + 72 .. y0 + 104 and y0 + 120 ..
// y0 + 152: the clefs' own lines must fall on exactly those rows, across
// the whole width, with the staff's grey between them.
TEST(Bitmap, ClefStaffLinesFallOnTheRowsOfTheDrawnStaffLines) {
    const Color black{0, 0, 0};
    const Color grey{192, 192, 192};
    for (const auto& [id, firstRow] : {std::pair{537, 15}, std::pair{538, 6}}) {
        const Bitmap clef(id);
        const Image& px = clef.Pixels();
        const int right = px.Width() - 1;
        for (int row = firstRow; row <= firstRow + 32; row += 8) {
            test::ExpectPixels(px, black, {{0, row}, {right, row}});
            test::ExpectPixels(px, grey, {{0, row + 1}, {right, row - 1}});
        }
        EXPECT_EQ(px.Pixel(0, 0), grey) << id;
    }
}

}  // namespace
}  // namespace tw::ui
