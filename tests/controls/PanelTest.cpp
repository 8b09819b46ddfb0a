#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/Button2.h"
#include "controls/Led.h"
#include "controls/VU.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

// The small controls of the panel.

namespace tw {
namespace {

using test::TestHost;
using ui::Color;
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

const Color kDarkRed{128, 0, 0};
const Color kRed{255, 0, 0};

TEST(VU, VelocitiesLightFourStepsOfTheBarFromTheBottom) {
    TestHost host;
    auto* vu = new VU(&host, -1, 10, 10, 12, 30);
    host.Open();
    const std::vector<std::pair<int, int>> tops = {{15, 29}, {16, 22}, {90, 8}, {-5, 29}, {300, 1}};
    for (const auto& [velocity, top] : tops) {
        vu->SetPosition(velocity);
        EXPECT_EQ(vu->LevelTop(), top) << velocity;
    }
    vu->SetPosition(48);
    const ui::Image img = test::Snap(*vu, "vu_half");
    // The outline and the bar's rim are black; the lit part's rim and the
    // unlit part are dark red.
    test::ExpectPixels(img, Color::Black(), {{0, 0}, {1, 1}});
    test::ExpectPixels(img, kDarkRed, {{5, 10}, {5, 15}, {1, 20}});
    EXPECT_EQ(img.Pixel(5, 20), kRed);
    vu->SetPosition(127);
    const ui::Image full = test::Snap(*vu, "vu_full");
    EXPECT_EQ(full.Pixel(5, 3), kRed);
}

}  // namespace
}  // namespace tw
