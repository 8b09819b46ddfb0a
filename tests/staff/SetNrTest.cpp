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

TEST_F(NumberEntry, EachModeShowsItsCaptionPromptAndCurrentValue) {
    sd.bar = 7;
    sd.track = 4;
    sd.channel = 9;
    sd.lyricTrack = 31;
    (void)Enter(kSetNrBar, "1");
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Set Current Bar", "Set Bar (0 - 9999) = ", "0007"}));
    (void)Enter(kSetNrTrack, "1");
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Set Current Track", "Set Track (1 - 32) = ", "05"}));
    (void)Enter(kSetNrChannel, "1");
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Set Current Channel", "Set Channel (1 - 16) = ", "10"}));
    (void)Enter(kSetNrLyricTrack, "1");
    EXPECT_EQ(shown, (std::vector<std::string>{"Set Current Lyric Track",
                                               "Set Lyric Track (1 - 32) = ", "32"}));
}

TEST_F(NumberEntry, EntriesAreClampedIntoEachModesRangeAndCutToItsWidth) {
    EXPECT_EQ(Enter(kSetNrTrack, "40"), 32);
    EXPECT_EQ(Enter(kSetNrTrack, "0"), 1);
    EXPECT_EQ(Enter(kSetNrTrack, "x"), 1);
    EXPECT_EQ(Enter(kSetNrChannel, "17"), 16);
    EXPECT_EQ(Enter(kSetNrChannel, "-5"), 1);
    EXPECT_EQ(Enter(kSetNrLyricTrack, "999"), 32);
    EXPECT_EQ(typed, "99");
    EXPECT_EQ(Enter(kSetNrBar, "-12"), 0);
    EXPECT_EQ(Enter(kSetNrBar, "123456"), 1234);
    EXPECT_EQ(typed, "1234");
    EXPECT_EQ(Enter(kSetNrChannel, "5", ScriptedRunner::CloseBox), kSetNrChannel);
}

}  // namespace
}  // namespace tw::test
