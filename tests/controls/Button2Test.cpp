#include <gtest/gtest.h>

#include "controls/Button2.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notifications;
using test::TestHost;
using ui::MouseInput;

bool ShowsBitmap(const ui::Image& img, int id) {
    const ui::Bitmap b(id);
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            if (img.Pixel(x, y) != b.Pixels().Pixel(x, y)) {
                return false;
            }
        }
    }
    return b.IsValid();
}

// SetPosition stores any value as given and sends nothing; a toggle turns
// any state but 0 into 0.
TEST(Button2, AToggleFlipsItsStateAndReportsTheNewOne) {
    TestHost host;
    auto* mute = new Button2(&host, 456, 11, 20, 9, 9, 458, 459, 1, 7);
    host.Open();
    MouseInput::Click(*mute, {4, 4});
    EXPECT_EQ(mute->GetPosition(), 1);
    MouseInput::Click(*mute, {0, 8});
    EXPECT_EQ(mute->GetPosition(), 0);
    mute->SetPosition(3);
    EXPECT_EQ(mute->GetPosition(), 3);
    MouseInput::Click(*mute, {8, 0});
    EXPECT_EQ(mute->GetPosition(), 0);
    EXPECT_EQ(host.received, (Notifications{{456, 1, 7}, {456, 0, 7}, {456, 0, 7}}));
}

TEST(Button2, ANonTogglingButtonReportsItsUnchangedStateEveryTime) {
    TestHost host;
    auto* quarter = new Button2(&host, 702, 10, 10, 15, 25, 305, 306, 0, 2);
    host.Open();
    MouseInput::Click(*quarter, {7, 12});
    MouseInput::Click(*quarter, {7, 12});
    quarter->SetPosition(1);
    MouseInput::Click(*quarter, {7, 12});
    EXPECT_EQ(host.received, (Notifications{{702, 0, 2}, {702, 0, 2}, {702, 1, 2}}));
}

TEST(Button2, PaintShowsTheBitmapOfTheStateStretchedOverTheWholeButton) {
    TestHost host;
    auto* play = new Button2(&host, 604, 10, 33, 30, 15, 605, 606, 0, 0);
    auto* big = new Button2(&host, 1, 50, 10, 30, 50, 301, 302, 1, 0);
    host.Open();
    const ui::Image off = play->PaintToImage();
    test::WriteImage(off, "controls", "button2_play_off");
    EXPECT_TRUE(ShowsBitmap(off, 605));
    play->SetPosition(1);
    const ui::Image on = play->PaintToImage();
    test::WriteImage(on, "controls", "button2_play_on");
    EXPECT_TRUE(ShowsBitmap(on, 606));
    EXPECT_FALSE(ShowsBitmap(on, 605));

    const ui::Image img = big->PaintToImage();
    test::WriteImage(img, "controls", "button2_stretched");
    const ui::Bitmap bitmap(301);
    const ui::Image& src = bitmap.Pixels();
    EXPECT_EQ(img.Pixel(29, 49), src.Pixel(14, 24));
    EXPECT_EQ(img.Pixel(0, 0), src.Pixel(0, 0));
    EXPECT_EQ(img.Pixel(2, 2), src.Pixel(1, 1));
}

TEST(Button2, AnUnknownBitmapLeavesTheBackgroundAndStillWorks) {
    TestHost host;
    auto* odd = new Button2(&host, 9, 10, 10, 20, 20, 9001, 9002, 1, 0);
    odd->SetBkgndColor({10, 20, 30});
    host.Open();
    EXPECT_EQ(odd->PaintToImage().Pixel(5, 5), (ui::Color{10, 20, 30}));
    MouseInput::Click(*odd, {5, 5});
    EXPECT_EQ(host.received, (Notifications{{9, 1, 0}}));
}

}  // namespace
}  // namespace tw
