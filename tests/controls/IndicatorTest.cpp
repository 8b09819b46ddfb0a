#include <gtest/gtest.h>

#include <vector>

#include "controls/Led.h"
#include "controls/VU.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::TestHost;
using ui::Color;

TEST(VU, VelocitiesLightFourStepsOfTheBar) {
    TestHost host;
    auto* vu = new VU(&host, -1, 10, 10, 12, 30);
    host.Open();
    EXPECT_EQ(vu->BarRect(), (ui::Rect{1, 1, 11, 29}));
    EXPECT_EQ(vu->LevelTop(), 28);
    const std::vector<std::pair<int, int>> cases = {{15, 29}, {16, 22}, {47, 22}, {48, 15},
                                                    {89, 15}, {90, 8},  {111, 8}, {112, 1},
                                                    {127, 1}, {0, 29},  {-5, 29}, {300, 1}};
    for (const auto& [velocity, top] : cases) {
        vu->SetPosition(velocity);
        EXPECT_EQ(vu->LevelTop(), top) << velocity;
    }
}

TEST(VU, PaintLightsTheBarFromTheBottom) {
    TestHost host;
    auto* vu = new VU(&host, -1, 10, 10, 12, 30);
    host.Open();
    test::WriteImage(vu->PaintToImage(), "controls", "vu_empty");
    vu->SetPosition(48);
    const ui::Image img = vu->PaintToImage();
    test::WriteImage(img, "controls", "vu_half");
    EXPECT_EQ(img.Pixel(0, 0), Color::Black());
    EXPECT_EQ(img.Pixel(1, 1), Color::Black());       // the bar's outline
    EXPECT_EQ(img.Pixel(5, 10), (Color{128, 0, 0}));  // unlit
    EXPECT_EQ(img.Pixel(5, 15), (Color{128, 0, 0}));  // the lit part's rim
    EXPECT_EQ(img.Pixel(5, 20), (Color{255, 0, 0}));  // lit
    EXPECT_EQ(img.Pixel(1, 20), (Color{128, 0, 0}));
    vu->SetPosition(127);
    test::WriteImage(vu->PaintToImage(), "controls", "vu_full");
    EXPECT_EQ(vu->PaintToImage().Pixel(5, 3), (Color{255, 0, 0}));
}

TEST(Led, ColourCodesGiveDarkAndLitLampsAndOthersCountAsRed) {
    TestHost host;
    const Led blue(&host, -1, 0, 0, 12, 14, 1);
    EXPECT_EQ(blue.OffColour(), (Color{0, 0, 128}));
    EXPECT_EQ(blue.OnColour(), (Color{0, 0, 255}));
    const Led white(&host, -1, 0, 0, 12, 14, 7);
    EXPECT_EQ(white.OnColour(), (Color{255, 255, 255}));
    for (int odd : {0, 8, -1, 100}) {
        const Led red(&host, -1, 0, 0, 12, 14, odd);
        EXPECT_EQ(red.OffColour(), (Color{128, 0, 0})) << odd;
        EXPECT_EQ(red.OnColour(), (Color{255, 0, 0})) << odd;
    }
}

TEST(Led, SetPositionClampsIntoDarkOrLitAndClicksSendNothing) {
    TestHost host;
    auto* led = new Led(&host, -1, 10, 10, 12, 14, 1);
    host.Open();
    EXPECT_EQ(led->GetPosition(), 0);
    led->SetPosition(5);
    EXPECT_EQ(led->GetPosition(), 1);
    led->SetPosition(-3);
    EXPECT_EQ(led->GetPosition(), 0);
    ui::MouseInput::Click(*led, {5, 5});
    EXPECT_TRUE(host.received.empty());
}

TEST(Led, PaintShowsTheLampInItsRimWithLightAndDarkEdges) {
    TestHost host;
    auto* led = new Led(&host, -1, 10, 10, 12, 14, 1);
    host.Open();
    const ui::Image dark = led->PaintToImage();
    test::WriteImage(dark, "controls", "led_off");
    EXPECT_EQ(dark.Pixel(5, 6), (Color{0, 0, 128}));
    led->SetPosition(1);
    const ui::Image lit = led->PaintToImage();
    test::WriteImage(lit, "controls", "led_on");
    EXPECT_EQ(lit.Pixel(5, 6), (Color{0, 0, 255}));
    EXPECT_EQ(lit.Pixel(0, 0), Color::Black());  // 2-pixel rim, centred on the outline
    EXPECT_EQ(lit.Pixel(11, 13), Color::Black());
    EXPECT_EQ(lit.Pixel(10, 13), Color::Black());
    EXPECT_EQ(lit.Pixel(1, 5), Color::White());
    EXPECT_EQ(lit.Pixel(5, 2), Color::White());
    EXPECT_EQ(lit.Pixel(5, 11), (Color{128, 128, 128}));
    EXPECT_EQ(lit.Pixel(10, 5), (Color{128, 128, 128}));
}

}  // namespace
}  // namespace tw
