#include <gtest/gtest.h>

#include "controls/Button2.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::TestHost;
using ui::Bitmap;
using ui::MouseInput;

// SetPosition stores any value as given and sends nothing; a toggle turns
// any state but 0 into 0; a button whose bitmaps are unknown still works.
TEST(Button2, AToggleReportsItsNewStateAndANonToggleItsUnchangedOne) {
    TestHost host;
    auto* mute = new Button2(&host, 456, 11, 20, 9, 9, 458, 459, 1, 7);
    auto* quarter = new Button2(&host, 702, 30, 10, 15, 25, 305, 306, 0, 2);
    auto* odd = new Button2(&host, 9, 60, 10, 20, 20, 9001, 9002, 1, 0);
    host.Open();
    MouseInput::Click(*mute, {4, 4});
    EXPECT_EQ(mute->GetPosition(), 1);
    MouseInput::Click(*mute, {0, 8});
    EXPECT_EQ(mute->GetPosition(), 0);
    mute->SetPosition(3);
    EXPECT_EQ(mute->GetPosition(), 3);
    MouseInput::Click(*mute, {8, 0});
    EXPECT_EQ(mute->GetPosition(), 0);
    MouseInput::Click(*quarter, {7, 12});
    MouseInput::Click(*quarter, {7, 12});
    quarter->SetPosition(1);
    MouseInput::Click(*quarter, {7, 12});
    MouseInput::Click(*odd, {5, 5});
    const test::Notifications sent = {{456, 1, 7}, {456, 0, 7}, {456, 0, 7}, {702, 0, 2},
                                      {702, 0, 2}, {702, 1, 2}, {9, 1, 0}};
    EXPECT_EQ(host.received, sent);
}

TEST(Button2, PaintShowsTheBitmapOfTheStateStretchedOverTheWholeButton) {
    TestHost host;
    auto* play = new Button2(&host, 604, 10, 33, 30, 15, 605, 606, 0, 0);
    auto* big = new Button2(&host, 1, 50, 10, 30, 50, 301, 302, 1, 0);
    auto* odd = new Button2(&host, 9, 100, 10, 20, 20, 9001, 9002, 1, 0);
    odd->SetBkgndColor({10, 20, 30});
    host.Open();
    const ui::Image off = play->PaintToImage();
    test::WriteImage(off, "controls", "button2_play_off");
    EXPECT_TRUE(test::Shows(off, Bitmap(605).Pixels()));
    play->SetPosition(1);
    const ui::Image on = play->PaintToImage();
    test::WriteImage(on, "controls", "button2_play_on");
    EXPECT_TRUE(test::Shows(on, Bitmap(606).Pixels()));
    EXPECT_FALSE(test::Shows(on, Bitmap(605).Pixels()));

    const ui::Image img = big->PaintToImage();
    test::WriteImage(img, "controls", "button2_stretched");
    const Bitmap bitmap(301);
    EXPECT_EQ(img.Pixel(29, 49), bitmap.Pixels().Pixel(14, 24));
    EXPECT_EQ(img.Pixel(0, 0), bitmap.Pixels().Pixel(0, 0));
    EXPECT_EQ(img.Pixel(2, 2), bitmap.Pixels().Pixel(1, 1));
    EXPECT_EQ(odd->PaintToImage().Pixel(5, 5), (ui::Color{10, 20, 30}));
}

}  // namespace
}  // namespace tw
