#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "controls/Display.h"
#include "lyrics/EditLyric.h"
#include "lyrics/LyricBar.h"
#include "lyrics/LyricInput.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/Static.h"
#include "song/Song.h"
#include "staff/SetNr.h"
#include "support/PanelFixture.h"
#include "support/ScriptedRunner.h"

namespace tw::test {
namespace {

using ui::MouseInput;

// The main window with its strip; clicks land on the strip at x, row 10.
class LyricEntry : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        Open();
        sd.snapSetting = 4;  // quarters: 48 ticks a column never miss
    }

    void Click(int x, MouseInput::Button b = MouseInput::Button::Left) {
        MouseInput::Click(*window->GetLyricBar(), {x, 10}, b);
    }
    // The strip's entry dialog: records what it showed, types text (unless
    // null) and ends with button.
    void Enter(const char* text, int button = ui::IdOk) {
        script.OnDialog(
            kLyricInputDialog,
            [this, text](ui::Dialog& d) {
                shownTime = d.Item<ui::Static>(kLyricTime)->GetText();
                shownText = d.Item<ui::Edit>(kLyricEdit)->GetText();
                if (text != nullptr) {
                    Type(d, kLyricEdit, text);
                }
            },
            button);
    }
    Display& LyricTrackDisplay() { return At<Display>(53, 50); }
    Display& LyricCountDisplay() { return At<Display>(88, 47); }

    ScriptedRunner script;
    std::string shownTime, shownText;
};

TEST_F(LyricEntry, AClickEntersReplacesAndByClearingDeletesTheLyricInItsColumn) {
    sd.lyricTrack = 2;
    Enter("Hel");
    Click(211);  // snaps to the quarter at tick 384, drawn at x = 210
    EXPECT_EQ(std::tuple(shownTime, shownText), std::tuple("Time : 0000:0384", ""));
    ASSERT_EQ(sd.lyricTotal, 1u);
    EXPECT_EQ(std::tuple(lcd[0].time, std::string(lcd[0].text), lcd[0].track, sd.lyricCount[2]),
              std::tuple(384u, std::string("Hel"), 2u, 1u));
    EXPECT_EQ(std::tuple(sd.changed, LyricCountDisplay().Text()), std::tuple(1u, "0001"));

    Enter("Hello");
    Click(215);  // the same column after snapping: the lyric is found
    EXPECT_EQ(shownText, "Hel");
    EXPECT_EQ(std::tuple(sd.lyricTotal, std::string(lcd[0].text), sd.lyricCount[2]),
              std::tuple(1u, std::string("Hello"), 1u));

    Enter("Gone", ScriptedRunner::CloseBox);  // cancelled: nothing changes
    Click(211);
    EXPECT_STREQ(lcd[0].text, "Hello");

    Enter("");
    Click(211);
    EXPECT_EQ(std::tuple(sd.lyricTotal, sd.lyricCount[2], LyricCountDisplay().Text()),
              std::tuple(0u, 0u, "0000"));
    Enter("");
    Click(300);  // nothing there, nothing typed: nothing stored
    EXPECT_EQ(sd.lyricTotal, 0u);
}

// A removal with the right button must be saved like any other edit.
TEST_F(LyricEntry, ARightClickRemovesOnlyADrawnLyricAndMarksTheSongChanged) {
    AddLyric(0, "one");
    AddLyric(384, "two");
    AddLyric(384, "other", 1);
    sd.lyricTrack = 3;  // a track without lyrics
    Click(300, MouseInput::Button::Right);
    Click(211, MouseInput::Button::Right);
    EXPECT_EQ(sd.lyricTotal, 3u);
    EXPECT_EQ(sd.changed, 0u);

    sd.playState = 1;  // while playing neither button acts (and no dialog)
    Click(211, MouseInput::Button::Right);
    Click(211);
    sd.playState = 0;
    Click(20);   // left of the time axis
    Click(700);  // right of it (690)
    EXPECT_EQ(sd.lyricTotal, 3u);

    sd.lyricTrack = 0;
    Click(211, MouseInput::Button::Right);
    ASSERT_EQ(sd.lyricTotal, 2u);
    EXPECT_EQ(std::string(lcd[0].text) + "," + lcd[1].text, "one,other");
    EXPECT_EQ(std::tuple(sd.lyricCount[0], sd.lyricCount[1], sd.changed), std::tuple(1u, 1u, 1u));
}

TEST_F(LyricEntry, TheLyricTrackStepsWithinOneToThirtyTwoAndIsTypedInTheNumberDialog) {
    AddLyric(0, "a", 4);
    Display& track = LyricTrackDisplay();
    MouseInput::Click(track, {12, 17});  // the lower half steps down: not below 1
    EXPECT_EQ(sd.lyricTrack, 0u);
    for (int i = 0; i < 40; ++i) {
        MouseInput::Click(track, {12, 3});
    }
    EXPECT_EQ(std::tuple(sd.lyricTrack, track.Text()), std::tuple(31u, "32"));

    // The dialog opens on the press; the user lets go of the button before
    // typing.
    script.OnDialog(kSetNrDialog, [&track](ui::Dialog& d) {
        MouseInput::Release(track, {12, 10}, MouseInput::Button::Right);
        Type(d, kSetNrEdit, "5");
    });
    MouseInput::Press(track, {12, 10}, MouseInput::Button::Right);
    EXPECT_EQ(std::tuple(sd.lyricTrack, track.Text(), LyricCountDisplay().Text()),
              std::tuple(4u, "05", "0001"));

    sd.playState = 1;
    MouseInput::Click(track, {12, 3});
    MouseInput::Click(track, {12, 10}, MouseInput::Button::Right);
    EXPECT_EQ(sd.lyricTrack, 4u);
}

using LyricList = SongFixture;

TEST_F(LyricList, LinesShowTimeTrackAndDecodedTextAndDeletesKeepTheCounts) {
    AddLyric(1000, "Hello", 2);
    AddLyric(1100, "Caf\xE9", 0);  // an older file's Windows-1252
    AddLyric(1200, "/line", 0);
    AddLyric(1300, "four", 1);
    AddLyric(1400, "five", 2);
    AddLyric(1500, "six", 2);
    ScriptedRunner script;
    std::vector<std::string> lines;
    script.OnDialog(kEditLyricDialog, [&](ui::Dialog& d) {
        const ui::ListBox* list = d.Item<ui::ListBox>(kLyricList);
        for (int i = 0; i < list->GetCount(); ++i) {
            lines.push_back(list->GetString(i));
        }
        Click(d, kLyricList, 1);
        Click(d, kLyricList, 4);
        Press(d, kDeleteButton);
    });
    EXPECT_EQ(EditLyric(nullptr).Execute(), ui::IdOk);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
              (std::vector<std::string>{"0001:0232    3  Hello", "0001:0332    1  Caf\xC3\xA9",
                                        "0001:0432    1  /line"}));
    ASSERT_EQ(sd.lyricTotal, 4u);
    EXPECT_EQ(std::string(lcd[0].text) + lcd[1].text + lcd[2].text + lcd[3].text,
              "Hello/linefoursix");
    EXPECT_EQ(std::tuple(sd.lyricCount[0], sd.lyricCount[2], sd.changed), std::tuple(1u, 2u, 1u));

    // A double click edits the text only; the time and the track stay.
    sd.changed = 0;
    script.OnDialog(
        kEditLyricDialog, [](ui::Dialog& d) { DoubleClick(d, kLyricList, 2); },
        ScriptedRunner::CloseBox);
    script.OnDialog(kLyricInputDialog, [](ui::Dialog& d) { Type(d, kLyricEdit, "fore"); });
    (void)EditLyric(nullptr).Execute();
    EXPECT_EQ(std::tuple(lcd[2].time, lcd[2].track, std::string(lcd[2].text), sd.changed),
              std::tuple(1300u, 1u, std::string("fore"), 1u));

    // Every line selected and Delete: exactly as Delete All.
    script.OnDialog(kEditLyricDialog, [](ui::Dialog& d) {
        for (int i = 0; i < 4; ++i) {
            Click(d, kLyricList, i);
        }
        Press(d, kDeleteButton);
    });
    (void)EditLyric(nullptr).Execute();
    EXPECT_EQ(sd.lyricTotal, 0u);
    for (uint32_t count : sd.lyricCount) {
        EXPECT_EQ(count, 0u);
    }
}

}  // namespace
}  // namespace tw::test
