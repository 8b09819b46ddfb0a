#include <gtest/gtest.h>

#include <vector>

#include "controls/Pot.h"
#include "controls/Pot2.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notification;
using test::TestHost;
using ui::Color;
using ui::MouseInput;
using ui::Point;

std::vector<unsigned> StepValues(const Pot& pot) {
    std::vector<unsigned> v;
    for (int k = 0; k < Pot::kSteps; ++k) {
        v.push_back(pot.StepValue(k));
    }
    return v;
}

class PotTest : public ::testing::Test {
protected:
    // A mixer pan knob: knob colour 4, pointer 15, channel 3.
    Pot* MakePot(int w = 35, int h = 25) {
        pot = new Pot(&host, 453, 10, 10, w, h, 4, 15, 3);
        host.Open();
        return pot;
    }

    TestHost host;
    Pot* pot = nullptr;
};

TEST_F(PotTest, A35By25KnobHasItsPivotTwoPixelsBelowTheMiddle) {
    MakePot();
    EXPECT_EQ(pot->Radius(), 6);
    EXPECT_EQ(pot->Centre(), (Point{17, 14}));
    EXPECT_EQ(pot->KnobRect(), (ui::Rect{11, 8, 23, 20}));
    const std::vector<Point> ticks = {{9, 21}, {6, 14},  {9, 6},  {17, 3},
                                      {24, 6}, {27, 14}, {24, 21}};
    for (int i = 0; i < Pot::kTicks; ++i) {
        EXPECT_EQ(pot->TickPoint(i), ticks[static_cast<size_t>(i)]) << "tick " << i;
    }
    EXPECT_EQ(pot->PointerPoint(0), (Point{12, 18}));
    EXPECT_EQ(pot->PointerPoint(6), (Point{17, 8}));
    EXPECT_EQ(pot->PointerPoint(12), (Point{21, 18}));
}

TEST_F(PotTest, A30By25KnobHasRadiusSixAndCentreFifteenFourteen) {
    MakePot(30, 25);
    EXPECT_EQ(pot->Radius(), 6);
    EXPECT_EQ(pot->Centre(), (Point{15, 14}));
}

TEST_F(PotTest, StepValuesAreTruncatedSinglePrecisionPartialSums) {
    MakePot();
    EXPECT_EQ(StepValues(*pot),
              (std::vector<unsigned>{0, 8, 16, 25, 33, 41, 49, 58, 66, 75, 83, 91, 100}));
    pot->SetRange(0, 127);
    EXPECT_EQ(StepValues(*pot),
              (std::vector<unsigned>{0, 10, 21, 31, 42, 52, 63, 74, 84, 95, 105, 116, 127}));
    pot->SetRange(127, 0);
    EXPECT_EQ(StepValues(*pot),
              (std::vector<unsigned>{0, 10, 21, 31, 42, 52, 63, 74, 84, 95, 105, 116, 127}));
    pot->SetRange(0, 0xFFFFFFFFu);  // the whole unsigned range stays in order
    for (int k = 1; k < Pot::kSteps; ++k) {
        EXPECT_GT(pot->StepValue(k), pot->StepValue(k - 1)) << k;
    }
    EXPECT_GE(pot->StepValue(12), 0xFFFFF000u);
}

TEST_F(PotTest, SetPositionPicksTheNearestStepTheLowerOnATieAndSendsNothing) {
    MakePot();
    pot->SetRange(0, 127);
    const std::vector<std::pair<unsigned, int>> cases = {{63, 6}, {64, 6},   {58, 6}, {5, 0},
                                                         {47, 4}, {127, 12}, {0, 0},  {126, 12}};
    for (const auto& [value, step] : cases) {
        pot->SetPosition(value);
        EXPECT_EQ(pot->StepIndex(), step) << value;
    }
    pot->SetPosition(47);
    EXPECT_EQ(pot->GetPosition(), 42u);
    EXPECT_TRUE(host.received.empty());
}

TEST_F(PotTest, AValueFarBeyondEveryStepLeavesTheKnobAtStepZero) {
    MakePot();
    pot->SetPosition(50);
    pot->SetPosition(1000);
    EXPECT_EQ(pot->StepIndex(), 0);
}

TEST_F(PotTest, ClicksStepDownOnTheLeftIncludingTheCentreColumnAndUpOnTheRight) {
    MakePot();
    pot->SetRange(0, 127);
    pot->SetPosition(63);
    MouseInput::Click(*pot, {17, 5});  // the centre column counts as left
    MouseInput::Click(*pot, {18, 20});
    MouseInput::Click(*pot, {30, 2});
    EXPECT_EQ(host.received, (std::vector<Notification>{{453, 52, 3}, {453, 63, 3}, {453, 74, 3}}));
    EXPECT_EQ(pot->StepIndex(), 7);
}

TEST_F(PotTest, ClicksAtEitherEndStillReportTheValue) {
    MakePot();
    pot->SetRange(0, 127);
    MouseInput::Click(*pot, {2, 12});
    pot->SetPosition(127);
    MouseInput::Click(*pot, {33, 12});
    EXPECT_EQ(host.received, (std::vector<Notification>{{453, 0, 3}, {453, 127, 3}}));
    EXPECT_EQ(pot->StepIndex(), 12);
}

TEST_F(PotTest, ColourCodesMapBitByBitWithFullStrengthFromEight) {
    EXPECT_EQ(Pot::CodeColour(1), (Color{0, 0, 128}));
    EXPECT_EQ(Pot::CodeColour(2), (Color{0, 128, 0}));
    EXPECT_EQ(Pot::CodeColour(4), (Color{128, 0, 0}));
    EXPECT_EQ(Pot::CodeColour(15), (Color{255, 255, 255}));
    EXPECT_EQ(Pot::CodeColour(0), (Color{0, 0, 0}));
    EXPECT_EQ(Pot::CodeColour(8), (Color{0, 0, 0}));
    EXPECT_EQ(Pot::CodeColour(12), (Color{255, 0, 0}));
    EXPECT_EQ(Pot::CodeColour(14), (Color{255, 255, 0}));
    Pot same(&host, 1, 0, 0, 35, 25, 2, 2, 0);
    EXPECT_EQ(same.PointerColour(), Pot::CodeColour(13));
    Pot clamped(&host, 2, 0, 0, 35, 25, -5, 99, 0);
    EXPECT_EQ(clamped.KnobColour(), (Color{0, 0, 0}));
    EXPECT_EQ(clamped.PointerColour(), (Color{255, 255, 255}));
}

TEST_F(PotTest, PaintShowsFrameSpokesDiscAndPointer) {
    MakePot();
    pot->SetRange(0, 127);
    pot->SetPosition(63);
    const ui::Image img = pot->PaintToImage();
    test::WriteImage(img, "controls", "pot_step6");
    const Color face{75, 75, 125};
    const Color white{255, 255, 255};
    EXPECT_EQ(img.Pixel(0, 0), Color::Black());
    EXPECT_EQ(img.Pixel(1, 1), white);
    EXPECT_EQ(img.Pixel(33, 23), Color::Black());
    EXPECT_EQ(img.Pixel(4, 18), face);
    EXPECT_EQ(img.Pixel(17, 4), white);  // the spoke up to (17, 3), end left out
    EXPECT_EQ(img.Pixel(17, 3), face);
    EXPECT_EQ(img.Pixel(11, 14), Color::Black());      // the disc's rim
    EXPECT_EQ(img.Pixel(14, 16), (Color{128, 0, 0}));  // knob colour 4
    EXPECT_EQ(img.Pixel(17, 9), white);                // pointer colour 15, step 6
    pot->SetPosition(0);
    test::WriteImage(pot->PaintToImage(), "controls", "pot_step0");
    pot->SetPosition(127);
    test::WriteImage(pot->PaintToImage(), "controls", "pot_step12");
}

TEST_F(PotTest, Pot2HasAGreyFaceAndBlackTicksAndBehavesTheSame) {
    auto* knob = new Pot2(&host, 701, 10, 10, 30, 25, 1, 15, 0);
    host.Open();
    knob->SetRange(0, 127);
    knob->SetPosition(127);
    const ui::Image img = knob->PaintToImage();
    test::WriteImage(img, "controls", "pot2_velocity");
    EXPECT_EQ(img.Pixel(4, 18), (Color{150, 150, 150}));
    EXPECT_EQ(img.Pixel(15, 4), Color::Black());
    EXPECT_EQ(img.Pixel(12, 14), (Color{0, 0, 128}));
    MouseInput::Click(*knob, {2, 12});
    EXPECT_EQ(host.received, (std::vector<Notification>{{701, 116, 0}}));
}

}  // namespace
}  // namespace tw
