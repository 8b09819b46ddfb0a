#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/Pot.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notifications;
using ui::MouseInput;

// A mixer pan knob, 35 x 25: knob colour 4, pointer 15, channel 3, 0..127.
class PotTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Open();
        pot->SetRange(0, 127);
    }

    std::vector<unsigned> StepValues() const {
        std::vector<unsigned> v;
        for (int k = 0; k < Pot::kSteps; ++k) {
            v.push_back(pot->StepValue(k));
        }
        return v;
    }

    test::TestHost host;
    Pot* pot = new Pot(&host, 453, 10, 10, 35, 25, 4, 15, 3);
};

TEST_F(PotTest, StepValuesAreTruncatedSinglePrecisionPartialSums) {
    const std::vector<unsigned> midi = {0, 10, 21, 31, 42, 52, 63, 74, 84, 95, 105, 116, 127};
    EXPECT_EQ(StepValues(), midi);
    pot->SetRange(127, 0);
    EXPECT_EQ(StepValues(), midi);
    pot->SetRange(0, 100);
    EXPECT_EQ(StepValues(),
              (std::vector<unsigned>{0, 8, 16, 25, 33, 41, 49, 58, 66, 75, 83, 91, 100}));
    pot->SetRange(0, 0xFFFFFFFFu);  // the whole unsigned range stays in order
    for (int k = 1; k < Pot::kSteps; ++k) {
        EXPECT_GT(pot->StepValue(k), pot->StepValue(k - 1)) << k;
    }
    EXPECT_GE(pot->StepValue(12), 0xFFFFF000u);
}

// A value far beyond every step leaves the knob at step 0.
TEST_F(PotTest, SetPositionPicksTheNearestStepTheLowerOnATieAndSendsNothing) {
    const std::vector<std::pair<unsigned, int>> steps = {{58, 6}, {5, 0}, {47, 4}, {1000, 0}};
    for (const auto& [value, step] : steps) {
        pot->SetPosition(value);
        EXPECT_EQ(pot->StepIndex(), step) << value;
    }
    pot->SetPosition(47);
    EXPECT_EQ(pot->GetPosition(), 42u);
    EXPECT_TRUE(host.received.empty());
}

// The centre column counts as left; clicks at either end still report.
TEST_F(PotTest, ClicksStepDownOnTheLeftAndUpOnTheRight) {
    MouseInput::Click(*pot, {2, 12});
    pot->SetPosition(63);
    MouseInput::Click(*pot, {17, 5});
    MouseInput::Click(*pot, {18, 20});
    MouseInput::Click(*pot, {30, 2});
    EXPECT_EQ(pot->StepIndex(), 7);
    pot->SetPosition(127);
    MouseInput::Click(*pot, {33, 12});
    EXPECT_EQ(pot->StepIndex(), 12);
    const Notifications sent = {
        {453, 0, 3}, {453, 52, 3}, {453, 63, 3}, {453, 74, 3}, {453, 127, 3}};
    EXPECT_EQ(host.received, sent);
}

}  // namespace
}  // namespace tw
