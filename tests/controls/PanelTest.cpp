#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "controls/Button2.h"
#include "controls/Fader.h"
#include "controls/Led.h"
#include "controls/Pot.h"
#include "controls/VU.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

// The small controls of the panel, and two channel strips put together.

namespace tw {
namespace {

using test::TestHost;
using ui::Bitmap;
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

TEST(Button2, PaintShowsTheBitmapOfTheStateStretchedOverTheWholeButton) {
    TestHost host;
    auto* play = new Button2(&host, 604, 10, 33, 30, 15, 605, 606, 0, 0);
    auto* big = new Button2(&host, 1, 50, 10, 30, 50, 301, 302, 1, 0);
    auto* odd = new Button2(&host, 9, 100, 10, 20, 20, 9001, 9002, 1, 0);
    odd->SetBkgndColor({10, 20, 30});
    host.Open();
    const ui::Image off = test::Snap(*play, "button2_play_off");
    EXPECT_TRUE(test::Shows(off, Bitmap(605).Pixels()));
    play->SetPosition(1);
    const ui::Image on = test::Snap(*play, "button2_play_on");
    EXPECT_TRUE(test::Shows(on, Bitmap(606).Pixels()));
    EXPECT_FALSE(test::Shows(on, Bitmap(605).Pixels()));

    const ui::Image img = test::Snap(*big, "button2_stretched");
    const Bitmap bitmap(301);
    EXPECT_EQ(img.Pixel(29, 49), bitmap.Pixels().Pixel(14, 24));
    EXPECT_EQ(img.Pixel(0, 0), bitmap.Pixels().Pixel(0, 0));
    EXPECT_EQ(img.Pixel(2, 2), bitmap.Pixels().Pixel(1, 1));
    EXPECT_EQ(odd->PaintToImage().Pixel(5, 5), (ui::Color{10, 20, 30}));
}

const Color kDarkRed{128, 0, 0};
const Color kRed{255, 0, 0};

TEST(VU, VelocitiesLightFourStepsOfTheBarFromTheBottom) {
    TestHost host;
    auto* vu = new VU(&host, -1, 10, 10, 12, 30);
    host.Open();
    EXPECT_EQ(vu->BarRect(), (ui::Rect{1, 1, 11, 29}));
    EXPECT_EQ(vu->LevelTop(), 28);
    test::Snap(*vu, "vu_empty");
    const std::vector<std::pair<int, int>> tops = {{15, 29}, {16, 22}, {47, 22}, {48, 15},
                                                   {89, 15}, {90, 8},  {111, 8}, {112, 1},
                                                   {127, 1}, {0, 29},  {-5, 29}, {300, 1}};
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

TEST(Led, ColourCodesGiveDarkAndLitLampsAndOthersCountAsRed) {
    TestHost host;
    const std::vector<std::tuple<int, Color, Color>> codes = {
        {1, {0, 0, 128}, {0, 0, 255}}, {7, {128, 128, 128}, {255, 255, 255}},
        {0, kDarkRed, kRed},           {8, kDarkRed, kRed},
        {-1, kDarkRed, kRed},          {100, kDarkRed, kRed}};
    for (const auto& [code, off, on] : codes) {
        const Led led(&host, -1, 0, 0, 12, 14, code);
        EXPECT_EQ(led.OffColour(), off) << code;
        EXPECT_EQ(led.OnColour(), on) << code;
    }
}

// SetPosition clamps into dark or lit; clicks send nothing.
TEST(Led, PaintShowsTheLampInItsRimWithLightAndDarkEdges) {
    TestHost host;
    auto* led = new Led(&host, -1, 10, 10, 12, 14, 1);
    host.Open();
    const ui::Image dark = test::Snap(*led, "led_off");
    EXPECT_EQ(dark.Pixel(5, 6), (Color{0, 0, 128}));
    led->SetPosition(-3);
    EXPECT_EQ(led->GetPosition(), 0);
    led->SetPosition(5);
    EXPECT_EQ(led->GetPosition(), 1);
    const ui::Image lit = test::Snap(*led, "led_on");
    EXPECT_EQ(lit.Pixel(5, 6), (Color{0, 0, 255}));
    // A 2-pixel rim centred on the outline, light top-left and dark
    // bottom-right edges.
    test::ExpectPixels(lit, Color::Black(), {{0, 0}, {11, 13}, {10, 13}});
    test::ExpectPixels(lit, Color::White(), {{1, 5}, {5, 2}});
    test::ExpectPixels(lit, {128, 128, 128}, {{5, 11}, {10, 5}});
    MouseInput::Click(*led, {5, 5});
    EXPECT_TRUE(host.received.empty());
}

// Two of the mixer's channel strips as the main window lays them out, moved
// up by 296 pixels so that the strips start at the top of the host,
// painted side by side and clicked through the host.
TEST(ChannelStrip, ControlsOfOneRowShareTheirMessageAndCarryTheChannel) {
    test::TestHost host(90, 262, {50, 50, 125});
    Fader* fader[2];
    Pot* pan[2];
    Button2* mute[2];
    VU* vu[2];
    Led* led[2];
    for (int c = 0; c < 2; ++c) {
        const int x = 9 + 40 * c;
        fader[c] = new Fader(&host, 450, x, 164, 35, 80, 1, c);
        pan[c] = new Pot(&host, 453, x, 129, 35, 25, 4, 15, c);
        new Pot(&host, 454, x, 92, 35, 25, 2, 15, c);
        new Pot(&host, 455, x, 52, 35, 25, 2, 15, c);
        mute[c] = new Button2(&host, 456, x + 2, 28, 9, 9, 458, 459, 1, c);
        new Button2(&host, 457, x + 2, 6, 9, 9, 460, 461, 1, c);
        vu[c] = new VU(&host, -1, x + 16, 6, 12, 30);
        led[c] = new Led(&host, -1, x + 21, 244, 12, 14, 1);
    }
    host.Open();
    for (ui::Window* w : host.Children()) {
        if (auto* pot = dynamic_cast<Pot*>(w)) {
            pot->SetRange(0, 127);
        }
    }
    for (int c = 0; c < 2; ++c) {
        fader[c]->SetRange(0, 127);
        pan[c]->SetPosition(63);
    }
    fader[1]->SetPosition(100);
    vu[0]->SetPosition(100);
    led[1]->SetPosition(1);
    mute[0]->SetPosition(1);
    test::Snap(host, "channel_strips");

    // Pan, reverb, chorus, mute, solo, fader, then a VU and a LED, which
    // send nothing.
    for (const ui::Point p : {ui::Point{79, 141},
                              {39, 104},
                              {51, 64},
                              {15, 32},
                              {55, 10},
                              {27, 202},
                              {70, 11},
                              {75, 249}}) {
        MouseInput::Click(host, p);
    }
    const test::Notifications sent = {{453, 74, 1}, {454, 10, 0}, {455, 0, 1},
                                      {456, 0, 0},  {457, 1, 1},  {450, 63, 0}};
    EXPECT_EQ(host.received, sent);
}

}  // namespace
}  // namespace tw
