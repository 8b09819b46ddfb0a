#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "controls/Display.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notifications;
using test::TestHost;
using ui::Color;
using ui::MouseInput;

const Color kGreen{0, 255, 0};

// Columns and rows that hold green text pixels: {left, top, right, bottom},
// inclusive; left > right when there are none.
ui::Rect InkBox(const ui::Image& img) {
    ui::Rect box{img.Width(), img.Height(), -1, -1};
    for (int y = 0; y < img.Height(); ++y) {
        for (int x = 0; x < img.Width(); ++x) {
            if (img.Pixel(x, y) == kGreen) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

TEST(Display, AnActiveDisplayIsASpinFieldSplitAtItsCentreLine) {
    TestHost host;
    auto* bar = new Display(&host, 401, 40, 8, 40, 20, 1, 0);
    auto* notes = new Display(&host, -1, 40, 40, 40, 20, 0, 0);
    host.Open();
    MouseInput::Click(*bar, {20, 10});  // exactly on the centre line: upper half
    MouseInput::Click(*bar, {5, 0});
    MouseInput::Click(*bar, {5, 11});
    MouseInput::Click(*bar, {39, 19});
    MouseInput::Click(*bar, {20, 3}, MouseInput::Button::Right);
    MouseInput::Click(*notes, {20, 5});  // an inactive display ignores both buttons
    MouseInput::Click(*notes, {20, 15}, MouseInput::Button::Right);
    // Setting the text sends nothing; it is cut to 50 characters.
    bar->SetDisplayString(std::string(70, 'x').c_str());
    EXPECT_EQ(bar->Text(), std::string(50, 'x'));
    bar->SetDisplayString(nullptr);
    EXPECT_EQ(bar->Text(), "");
    EXPECT_EQ(host.received,
              (Notifications{{401, 1, 0}, {401, 1, 0}, {401, 0, 0}, {401, 0, 0}, {401, 2, 0}}));
}

TEST(Display, PaintDrawsASunkenNavyFaceWithTheTextCentredByItsMeasuredExtent) {
    TestHost host;
    auto* tempo = new Display(&host, -1, 10, 10, 60, 20, 0, 0);
    auto* empty = new Display(&host, -1, 80, 10, 40, 20, 0, 0);
    host.Open();
    tempo->SetDisplayString("120");
    const ui::Image img = test::Snap(*tempo, "display_normal_120");
    const ui::Rect ink = InkBox(img);
    ASSERT_LE(ink.left, ink.right);
    EXPECT_LE(std::abs((ink.left + ink.right) / 2 - 30), 2);
    EXPECT_LE(std::abs((ink.top + ink.bottom) / 2 - 10), 3);
    empty->SetDisplayString("");
    const ui::Image blank = test::Snap(*empty, "display_empty");
    EXPECT_GT(InkBox(blank).left, InkBox(blank).right);
    test::ExpectPixels(blank, {192, 192, 192}, {{38, 10}, {10, 18}});
    EXPECT_EQ(blank.Pixel(20, 10), (Color{0, 0, 128}));
}

}  // namespace
}  // namespace tw
