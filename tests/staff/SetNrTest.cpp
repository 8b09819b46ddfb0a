#include <gtest/gtest.h>

#include <string>

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
    // Runs the dialog in mode, types text (unless empty) and presses button;
    // returns what it left in transfernumber.
    int Enter(int mode, const std::string& text, int button = ui::IdOk) {
        transfernumber = mode;
        SetNr dialog(nullptr);
        script.OnDialog(
            kSetNrDialog,
            [&](ui::Dialog& d) {
                if (!text.empty()) {
                    Type(d, kSetNrEdit, text);
                }
                typed = d.Item<ui::Edit>(kSetNrEdit)->GetText();
            },
            button);
        (void)dialog.Execute();
        return transfernumber;
    }

    ScriptedRunner script;
    std::string typed;
};

TEST_F(NumberEntry, EachModeShowsItsCaptionPromptAndCurrentValue) {
    sd.bar = 7;
    sd.track = 4;
    sd.channel = 9;
    sd.lyricTrack = 31;
    struct Expected {
        const char* caption;
        const char* prompt;
        const char* text;
        int limit;
    };
    const Expected modes[] = {
        {"Set Current Bar", "Set Bar (0 - 9999) = ", "0007", 4},
        {"Set Current Track", "Set Track (1 - 32) = ", "05", 2},
        {"Set Current Channel", "Set Channel (1 - 16) = ", "10", 2},
        {"Set Current Lyric Track", "Set Lyric Track (1 - 32) = ", "32", 2},
    };
    for (int mode = 0; mode < 4; ++mode) {
        SCOPED_TRACE(mode);
        transfernumber = mode;
        SetNr dialog(nullptr);
        script.OnDialog(kSetNrDialog, [&](ui::Dialog& d) {
            EXPECT_EQ(d.GetWindowText(), modes[mode].caption);
            EXPECT_EQ(d.Item<ui::Static>(kSetNrPrompt)->GetText(), modes[mode].prompt);
            EXPECT_EQ(d.Item<ui::Edit>(kSetNrEdit)->GetText(), modes[mode].text);
            EXPECT_EQ(d.Item<ui::Edit>(kSetNrEdit)->TextLimit(), modes[mode].limit);
        });
        EXPECT_EQ(dialog.Execute(), ui::IdOk);
        EXPECT_EQ(transfernumber, std::stoi(modes[mode].text));
    }
}

TEST_F(NumberEntry, OneBasedModesClampIntoTheirRange) {
    EXPECT_EQ(Enter(kSetNrTrack, "40"), 32);
    EXPECT_EQ(Enter(kSetNrTrack, "0"), 1);
    EXPECT_EQ(Enter(kSetNrTrack, "-5"), 1);
    EXPECT_EQ(Enter(kSetNrTrack, "x"), 1);
    EXPECT_EQ(Enter(kSetNrChannel, "17"), 16);
    EXPECT_EQ(Enter(kSetNrChannel, "16"), 16);
    EXPECT_EQ(Enter(kSetNrLyricTrack, "99"), 32);
    EXPECT_EQ(Enter(kSetNrLyricTrack, "00"), 1);
}

TEST_F(NumberEntry, BarModeTakesFourDigitsAndNothingBelowZero) {
    EXPECT_EQ(Enter(kSetNrBar, "-12"), 0);
    EXPECT_EQ(Enter(kSetNrBar, "123456"), 1234);
    EXPECT_EQ(typed, "1234");
    EXPECT_EQ(Enter(kSetNrBar, "9999"), 9999);
    EXPECT_EQ(Enter(kSetNrBar, "abc"), 0);
}

TEST_F(NumberEntry, CancelLeavesTheModeInTransfernumber) {
    EXPECT_EQ(Enter(kSetNrChannel, "5", ui::IdCancel), kSetNrChannel);
    EXPECT_EQ(Enter(kSetNrTrack, "5", ScriptedRunner::CloseBox), kSetNrTrack);
}

}  // namespace
}  // namespace tw::test
