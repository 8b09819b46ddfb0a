#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/AppFixture.h"
#include "app/Commands.h"
#include "song/Song.h"
#include "staff/TimeSet.h"

namespace tw::test {
namespace {

using TimeSettings = AppFixture;

// The song rules for the bar length and the bars a page are tested in the
// core; here the lines chosen reach them.
TEST_F(TimeSettings, ChosenSignatureAndDivisionGiveTheBarLengthAndBarsPerPage) {
    Launch();
    const struct {
        const char *numerator, *denominator, *division;
        uint32_t barTicks, staffBars;
    } cases[] = {{"2", "4", "48", 96, 4}, {"6", "8", "480", 1440, 1}, {"3", "8", "480", 720, 3}};
    for (const auto& c : cases) {
        sd.changed = 0;
        script.OnDialog(
            kTimeSetDialog,
            [&](ui::Dialog& d) {
                Click(d, kNumeratorList, c.numerator);
                Click(d, kDenominatorList, c.denominator);
                Click(d, kDivisionList, c.division);
            },
            ScriptedRunner::CloseBox);
        Command(cm::SetTime);
        EXPECT_EQ(std::tuple(sd.barTicks, sd.staffBars, sd.changed),
                  std::tuple(c.barTicks, c.staffBars, 1u))
            << c.numerator << "/" << c.denominator << " at " << c.division;
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

}  // namespace
}  // namespace tw::test
