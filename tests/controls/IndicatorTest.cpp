#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

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
    const std::vector<std::pair<int, int>> tops = {{15, 29}, {16, 22}, {47, 22}, {48, 15},
                                                   {89, 15}, {90, 8},  {111, 8}, {112, 1},
                                                   {127, 1}, {0, 29},  {-5, 29}, {300, 1}};
    for (const auto& [velocity, top] : tops) {
        vu->SetPosition(velocity);
        EXPECT_EQ(vu->LevelTop(), top) << velocity;
    }
    vu->SetPosition(48);
    const ui::Image img = vu->PaintToImage();
    test::WriteImage(img, "controls", "vu_half");
    // The outline and the bar's rim are black; the lit part's rim and the
    // unlit part are dark red.
    test::ExpectPixels(img, Color::Black(), {{0, 0}, {1, 1}});
    test::ExpectPixels(img, kDarkRed, {{5, 10}, {5, 15}, {1, 20}});
    EXPECT_EQ(img.Pixel(5, 20), kRed);
    vu->SetPosition(127);
    const ui::Image full = vu->PaintToImage();
    test::WriteImage(full, "controls", "vu_full");
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
    const ui::Image dark = led->PaintToImage();
    test::WriteImage(dark, "controls", "led_off");
    EXPECT_EQ(dark.Pixel(5, 6), (Color{0, 0, 128}));
    led->SetPosition(-3);
    EXPECT_EQ(led->GetPosition(), 0);
    led->SetPosition(5);
    EXPECT_EQ(led->GetPosition(), 1);
    const ui::Image lit = led->PaintToImage();
    test::WriteImage(lit, "controls", "led_on");
    EXPECT_EQ(lit.Pixel(5, 6), (Color{0, 0, 255}));
    // A 2-pixel rim centred on the outline, light top-left and dark
    // bottom-right edges.
    test::ExpectPixels(lit, Color::Black(), {{0, 0}, {11, 13}, {10, 13}});
    test::ExpectPixels(lit, Color::White(), {{1, 5}, {5, 2}});
    test::ExpectPixels(lit, {128, 128, 128}, {{5, 11}, {10, 5}});
    ui::MouseInput::Click(*led, {5, 5});
    EXPECT_TRUE(host.received.empty());
}

}  // namespace
}  // namespace tw
