#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Static.h"
#include "song/Song.h"
#include "song/Transfer.h"
#include "staff/SetNr.h"
#include "support/ScriptedRunner.h"
#include "support/SongFixture.h"

namespace tw::test {
namespace {

class NumberEntry : public SongFixture {
protected:
    // Runs the dialog in mode, types text and presses button; returns what
    // it left in transfernumber.
    int Enter(int mode, const std::string& text, int button = ui::IdOk) {
        transfernumber = mode;
        SetNr dialog(nullptr);
        script.OnDialog(
            kSetNrDialog,
            [&](ui::Dialog& d) {
                shown = {d.GetWindowText(), d.Item<ui::Static>(kSetNrPrompt)->GetText(),
                         d.Item<ui::Edit>(kSetNrEdit)->GetText()};
                Type(d, kSetNrEdit, text);
                typed = d.Item<ui::Edit>(kSetNrEdit)->GetText();
            },
            button);
        (void)dialog.Execute();
        return transfernumber;
    }

    ScriptedRunner script;
    std::vector<std::string> shown;  // caption, prompt, initial text
    std::string typed;
};

// Each mode opens on its current value, counted from 1 where the user
// counts so, clamps into its range and cuts to its width.
TEST_F(NumberEntry, EachModeShowsItsValueAndClampsEntriesIntoItsRange) {
    sd.bar = 7;
    sd.track = 4;
    sd.channel = 9;
    sd.lyricTrack = 31;
    const struct {
        int mode;
        const char* shown;
        const char* typed;
        int stored;
    } cases[] = {{kSetNrBar, "0007", "-12", 0},  {kSetNrBar, "0007", "123456", 1234},
                 {kSetNrTrack, "05", "40", 32},  {kSetNrTrack, "05", "0", 1},
                 {kSetNrTrack, "05", "x", 1},    {kSetNrChannel, "10", "17", 16},
                 {kSetNrChannel, "10", "-5", 1}, {kSetNrLyricTrack, "32", "999", 32}};
    for (const auto& c : cases) {
        EXPECT_EQ(Enter(c.mode, c.typed), c.stored) << c.typed;
        EXPECT_EQ(shown.at(2), c.shown) << c.mode;
    }
    EXPECT_EQ(typed, "99");
    EXPECT_EQ(shown.at(0), "Set Current Lyric Track");
    EXPECT_EQ(Enter(kSetNrChannel, "5", ScriptedRunner::CloseBox), kSetNrChannel);
}

}  // namespace
}  // namespace tw::test
