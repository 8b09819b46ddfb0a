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
    struct Page {
        int numerator;
        uint32_t staffBars;
    };
    for (const Page page : {Page{2, 4}, Page{3, 3}, Page{4, 2}, Page{5, 1}, Page{6, 1}}) {
        for (const int denominator : {4, 8}) {
            for (const int division : {48, 192, 480}) {
                SCOPED_TRACE(std::to_string(page.numerator) + "/" + std::to_string(denominator) +
                             " at " + std::to_string(division));
                sd.changed = 0;
                script.OnDialog(
                    kTimeSetDialog,
                    [&](ui::Dialog& d) {
                        Click(d, kNumeratorList, std::to_string(page.numerator));
                        Click(d, kDenominatorList, std::to_string(denominator));
                        Click(d, kDivisionList, std::to_string(division));
                    },
                    ScriptedRunner::CloseBox);
                Command(cm::SetTime);
                EXPECT_EQ(sd.barTicks,
                          static_cast<uint32_t>(page.numerator * division * 4 / denominator));
                EXPECT_EQ(sd.staffBars, page.staffBars);
                EXPECT_EQ(sd.changed, 1u);
            }
        }
    }
}

// 7/8 at 100 ticks per quarter, as a file may give it.
TEST_F(TimeSettings, ValuesOutsideTheListsShowUnselectedAndClosingAtOnceStillRecomputes) {
    Launch();
    sd.tsNumerator = 7;
    sd.tsDenominator = 8;
    sd.division = 100;
    sd.barTicks = 5;
    sd.staffBars = 9;
    sd.gridSetting = 3;
    sd.snapSetting = 5;
    script.OnDialog(
        kTimeSetDialog,
        [](ui::Dialog& d) {
            EXPECT_EQ(d.GetWindowText(), "Song Time Settings");
            EXPECT_EQ(d.Item<ui::ListBox>(kNumeratorList)->GetCount(), 5);
            EXPECT_EQ(d.Item<ui::ListBox>(kDivisionList)->GetString(9), "480");
            EXPECT_EQ(d.Item<ui::ListBox>(kNumeratorList)->GetSelIndex(), -1);
            EXPECT_EQ(d.Item<ui::ListBox>(kDenominatorList)->GetSelString(), "8");
            EXPECT_EQ(d.Item<ui::ListBox>(kDivisionList)->GetSelIndex(), -1);
            EXPECT_EQ(d.Item<ui::ListBox>(kGridList)->GetSelString(), "8th");
            EXPECT_EQ(d.Item<ui::ListBox>(kSnapList)->GetSelString(), "Half");
        },
        ScriptedRunner::CloseBox);
    Command(cm::SetTime);
    EXPECT_EQ(sd.tsNumerator, 7u);
    EXPECT_EQ(sd.barTicks, 350u);
    EXPECT_EQ(sd.staffBars, 1u);
    EXPECT_EQ(sd.changed, 0u);
}

TEST_F(TimeSettings, GridAndSnapChoicesApplyAtOnceAndLeaveTheSongUnchanged) {
    Launch();
    script.OnDialog(
        kTimeSetDialog,
        [](ui::Dialog& d) {
            Click(d, kGridList, "None");
            EXPECT_EQ(sd.gridSetting, 0u);
            Click(d, kSnapList, "32nd");
            EXPECT_EQ(sd.snapSetting, 1u);
        },
        ScriptedRunner::CloseBox);
    Command(cm::SetTime);
    EXPECT_EQ(sd.changed, 0u);
    EXPECT_EQ(sd.barTicks, 768u);
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
