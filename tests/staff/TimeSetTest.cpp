#include <gtest/gtest.h>

#include <string>

#include "app/AppFixture.h"
#include "app/Commands.h"
#include "song/Song.h"
#include "staff/TimeSet.h"

namespace tw::test {
namespace {

using TimeSettings = AppFixture;

TEST_F(TimeSettings, ChosenSignatureAndDivisionGiveTheBarLengthAndBarsPerPage) {
    Launch();
    const uint32_t barsPerPage[] = {4, 3, 2, 1, 1};  // numerators 2..6
    for (int numerator = 2; numerator <= 6; ++numerator) {
        for (const int denominator : {4, 8}) {
            for (const int division : {48, 480}) {
                SCOPED_TRACE(std::to_string(numerator) + "/" + std::to_string(denominator) +
                             " at " + std::to_string(division));
                sd.changed = 0;
                script.OnDialog(
                    kTimeSetDialog,
                    [&](ui::Dialog& d) {
                        Click(d, kNumeratorList, std::to_string(numerator));
                        Click(d, kDenominatorList, std::to_string(denominator));
                        Click(d, kDivisionList, std::to_string(division));
                    },
                    ScriptedRunner::CloseBox);
                Command(cm::SetTime);
                EXPECT_EQ(sd.barTicks,
                          static_cast<uint32_t>(numerator * division * 4 / denominator));
                EXPECT_EQ(sd.staffBars, barsPerPage[numerator - 2]);
                EXPECT_EQ(sd.changed, 1u);
            }
        }
    }
}

// 7/8 at 100 ticks per quarter, as a file may give it.
TEST_F(TimeSettings, ValuesOutsideTheListsShowUnselectedAndGridOrSnapLeaveTheSongUnchanged) {
    Launch();
    sd.tsNumerator = 7;
    sd.tsDenominator = 8;
    sd.division = 100;
    sd.barTicks = 5;
    sd.gridSetting = 3;
    script.OnDialog(
        kTimeSetDialog,
        [](ui::Dialog& d) {
            EXPECT_EQ(d.Item<ui::ListBox>(kNumeratorList)->GetSelIndex(), -1);
            EXPECT_EQ(d.Item<ui::ListBox>(kDenominatorList)->GetSelString(), "8");
            EXPECT_EQ(d.Item<ui::ListBox>(kDivisionList)->GetSelIndex(), -1);
            EXPECT_EQ(d.Item<ui::ListBox>(kGridList)->GetSelString(), "8th");
            Click(d, kGridList, "None");
            Click(d, kSnapList, "Half");
        },
        ScriptedRunner::CloseBox);
    Command(cm::SetTime);
    EXPECT_EQ(sd.gridSetting, 0u);
    EXPECT_EQ(sd.snapSetting, 5u);
    EXPECT_EQ(sd.barTicks, 350u);
    EXPECT_EQ(sd.staffBars, 1u);
    EXPECT_EQ(sd.changed, 0u);
}

TEST_F(TimeSettings, AreRefusedWhilePlaying) {
    Launch();
    sd.playState = 2;
    sd.barTicks = 123;
    Command(cm::SetTime);
    EXPECT_TRUE(script.dialogs.empty());
    EXPECT_EQ(sd.barTicks, 123u);
    sd.playState = 0;
}

}  // namespace
}  // namespace tw::test
