#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "controls/Led.h"
#include "controls/VU.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::TestHost;
using ui::Color;

const Color kDarkRed{128, 0, 0};
const Color kRed{255, 0, 0};

TEST(VU, VelocitiesLightFourStepsOfTheBarFromTheBottom) {
    TestHost host;
    auto* vu = new VU(&host, -1, 10, 10, 12, 30);
    host.Open();
    EXPECT_EQ(vu->BarRect(), (ui::Rect{1, 1, 11, 29}));
    EXPECT_EQ(vu->LevelTop(), 28);
    test::WriteImage(vu->PaintToImage(), "controls", "vu_empty");
    for (const auto& [velocity, top] : {std::pair{15, 29},
                                        {16, 22},
                                        {47, 22},
                                        {48, 15},
                                        {89, 15},
                                        {90, 8},
                                        {111, 8},
                                        {112, 1},
                                        {127, 1},
                                        {0, 29},
                                        {-5, 29},
                                        {300, 1}}) {
        vu->SetPosition(velocity);
        EXPECT_EQ(vu->LevelTop(), top) << velocity;
    }
    vu->SetPosition(48);
    const ui::Image img = vu->PaintToImage();
    test::WriteImage(img, "controls", "vu_half");
    test::ExpectPixels(img, {{0, 0, Color::Black()},
                             {1, 1, Color::Black()},  // the bar's outline
                             {5, 10, kDarkRed},       // unlit
                             {5, 15, kDarkRed},       // the lit part's rim
                             {5, 20, kRed},           // lit
                             {1, 20, kDarkRed}});
    vu->SetPosition(127);
    const ui::Image full = vu->PaintToImage();
    test::WriteImage(full, "controls", "vu_full");
    EXPECT_EQ(full.Pixel(5, 3), kRed);
}

TEST(Led, ColourCodesGiveDarkAndLitLampsAndOthersCountAsRed) {
    TestHost host;
    for (const auto& [code, off, on] : {std::tuple{1, Color{0, 0, 128}, Color{0, 0, 255}},
                                        {7, Color{128, 128, 128}, Color{255, 255, 255}},
                                        {0, kDarkRed, kRed},
                                        {8, kDarkRed, kRed},
                                        {-1, kDarkRed, kRed},
                                        {100, kDarkRed, kRed}}) {
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
    EXPECT_EQ(led->GetPosition(), 0);
    const ui::Image dark = led->PaintToImage();
    test::WriteImage(dark, "controls", "led_off");
    EXPECT_EQ(dark.Pixel(5, 6), (Color{0, 0, 128}));
    led->SetPosition(-3);
    EXPECT_EQ(led->GetPosition(), 0);
    led->SetPosition(5);
    EXPECT_EQ(led->GetPosition(), 1);
    const ui::Image lit = led->PaintToImage();
    test::WriteImage(lit, "controls", "led_on");
    const Color grey{128, 128, 128};
    test::ExpectPixels(lit, {{5, 6, {0, 0, 255}},
                             {0, 0, Color::Black()},  // 2-pixel rim, centred on the outline
                             {11, 13, Color::Black()},
                             {10, 13, Color::Black()},
                             {1, 5, Color::White()},
                             {5, 2, Color::White()},
                             {5, 11, grey},
                             {10, 5, grey}});
    ui::MouseInput::Click(*led, {5, 5});
    EXPECT_TRUE(host.received.empty());
}

}  // namespace
}  // namespace tw
