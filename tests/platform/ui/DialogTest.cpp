#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "TestHost.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Gauge.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Static.h"
#include "platform/ui/UserInput.h"
#include "support/ScriptedRunner.h"

namespace tw::ui {
namespace {

using test::Notifications;
using test::ScriptedRunner;
using test::TestHost;

// Records what its controls send and refuses OK until allowed.
class Probe : public Dialog {
    TW_DECLARE_RESPONSE_TABLE()

public:
    using Dialog::Dialog;
    bool CanClose() override {
        ++asked;
        return allowClose;
    }
    void CmDelete() { received.push_back({msg::Command, 631, 0}); }

    int asked = 0;
    bool allowClose = true;
    Notifications received;

protected:
    MsgResult DefaultMessage(MsgId m, WParam w, LParam l) override {
        received.push_back({m, w, l});
        return 0;
    }
};

const ResponseTable& Probe::Table() {
    static constexpr ResponseEntry entries[] = {OnCommand<&Probe::CmDelete>(631)};
    static const ResponseTable table{&Dialog::Table(), entries};
    return table;
}

ListBox& Filled(Dialog& d, int id, int lines) {
    ListBox& list = *d.Item<ListBox>(id);
    for (int i = 0; i < lines; ++i) {
        list.AddString("line " + std::to_string(i));
    }
    return list;
}

TEST(DialogTemplate, EveryDialogOfTheProgramHasItsCaptionAndControls) {
    const std::vector<std::tuple<int, std::string, std::vector<int>>> dialogs = {
        {1, "", {602, 601, 1, 2}},
        {2, "Edit TrackName", {634, 1}},
        {3, "Set Channel Voice", {633, 1}},
        {4, "Edit Tempo Settings", {630, 631, 632, 1}},
        {5, "Midi Ports", {624}},
        {6, "Song Time Settings", {625, 626, 627, 628, 629}},
        {7, "Edit Effects Data", {623, 631, 632, 1}},
        {8, "Edit Program Changes", {622, 631, 632, 1}},
        {9, "Enter Lyric", {620, 635, 1}},
        {10, "Loading File", {801}},
        {11, "About Tunewell", {1}},
        {12, "Edit Lyrics", {803, 631, 632, 1}},
        {13, "Edit Copyright Notice", {804, 1}},
    };
    for (const auto& [id, caption, controls] : dialogs) {
        Dialog d(nullptr, id);
        EXPECT_EQ(d.TemplateError(), "") << id;
        EXPECT_EQ(d.GetWindowText(), caption) << id;
        for (int control : controls) {
            EXPECT_NE(d.ChildWithId(control), nullptr) << id << " lacks " << control;
        }
    }
    Dialog ports(nullptr, 5);
    EXPECT_EQ(ports.Item<Static>(-1)->GetText(), "Select Midi Output Port");
    EXPECT_FALSE(Dialog(nullptr, 12).Item<ListBox>(803) == nullptr);
    EXPECT_TRUE(Dialog(nullptr, 12).Item<ListBox>(803)->IsMultiple());
    EXPECT_EQ(Dialog(nullptr, 9).Item<Edit>(620)->TextLimit(), 60);
    EXPECT_EQ(Dialog(nullptr, 99).TemplateError(), "no dialog template 99");
}

TEST(DialogTemplate, AFaultyTemplateIsRefusedWithItsLine) {
    std::string error;
    EXPECT_FALSE(DialogTemplate::Parse("caption \"x\"\nlistbox 5 1 2", &error));
    EXPECT_EQ(error, "line 2: expected id x y w h");
    EXPECT_FALSE(DialogTemplate::Parse("edit 5 1 2 3 4 wide", &error));
    EXPECT_EQ(error, "line 1: unknown flag 'wide'");
    EXPECT_FALSE(DialogTemplate::Parse("static 5 1 2 3 4 \"open", &error));
    EXPECT_EQ(error, "line 1: unclosed string");
    auto t = DialogTemplate::Parse("# c\n\nstatic -1 1 2 3 4 framed \"say \\\"hi\\\"\"");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->items.at(0).text, "say \"hi\"");
}

TEST(Dialog, OkAsksCanCloseWhichMayKeepItOpenWhileCancelAndCloseBoxDoNot) {
    ScriptedRunner script;
    Probe d(nullptr, 1);
    script.OnDialog(1, [&](Dialog&) {
        d.allowClose = false;
        EXPECT_FALSE(test::Press(d, IdOk));
        d.allowClose = true;
    });
    EXPECT_EQ(d.Execute(), IdOk);
    EXPECT_EQ(d.asked, 2);
    script.OnDialog(1, IdCancel).OnDialog(1, ScriptedRunner::CloseBox);
    EXPECT_EQ(d.Execute(), IdCancel);
    EXPECT_EQ(d.Execute(), IdCancel);
    EXPECT_EQ(d.asked, 2);
    EXPECT_EQ(script.dialogs, (std::vector<int>{1, 1, 1}));
}

TEST(Dialog, OtherButtonsReachTheResponseTableAndLeaveTheDialogOpen) {
    ScriptedRunner script;
    Probe d(nullptr, 4);
    script.OnDialog(4, [](Dialog& dialog) { EXPECT_FALSE(test::Press(dialog, 631)); });
    EXPECT_EQ(d.Execute(), IdOk);
    EXPECT_EQ(d.received, (Notifications{{msg::Command, 631, 0}}));
}

TEST(ListBox, UserClicksToggleLinesOfAMultipleSelectionAndNotifyButCodeDoesNot) {
    ScriptedRunner script;
    Probe d(nullptr, 12);
    ListBox& list = Filled(d, 803, 5);
    script.OnDialog(12, [&](Dialog& dialog) {
        test::Click(dialog, 803, 1);
        test::Click(dialog, 803, 3);
        test::Click(dialog, 803, 4);
        test::Click(dialog, 803, 4);
        EXPECT_EQ(list.GetSelIndexes(), (std::vector<int>{1, 3}));
        EXPECT_EQ(list.GetSelIndexes(1), (std::vector<int>{1}));
        EXPECT_EQ(list.GetSelCount(), 2);
        EXPECT_EQ(list.GetCaretIndex(), 4);
        test::DoubleClick(dialog, 803, 2);
        EXPECT_EQ(list.GetCaretIndex(), 2);
    });
    EXPECT_EQ(d.Execute(), IdOk);
    const Notifications clicks(4, {msg::ChildNotify, 803, ListBox::SelChange});
    ASSERT_GE(d.received.size(), 5u);
    EXPECT_EQ(Notifications(d.received.begin(), d.received.begin() + 4), clicks);
    EXPECT_EQ(d.received.back(),
              (Notifications::value_type{msg::ChildNotify, 803, ListBox::DoubleClick}));
    d.received.clear();
    list.SetSel(0, true);
    list.SetSelIndex(2);
    list.SetCaretIndex(4);
    list.DeleteString(0);
    list.ClearList();
    EXPECT_TRUE(d.received.empty());
    EXPECT_EQ(list.GetCaretIndex(), 0);
    EXPECT_EQ(list.GetSelIndex(), -1);
}

TEST(ListBox, ExactTextSelectsOnlyALineThatReadsSoCaseIncluded) {
    Dialog d(nullptr, 5);
    ListBox& list = *d.Item<ListBox>(624);
    list.AddString("Midi Through Port-0");
    EXPECT_EQ(list.AddString("Midi Mapper"), 1);
    EXPECT_EQ(list.FindExactString("Midi"), -1);
    EXPECT_EQ(list.SetSelString("midi mapper"), -1);
    EXPECT_EQ(list.GetSelIndex(), -1);
    EXPECT_EQ(list.SetSelString("Midi Mapper"), 1);
    EXPECT_EQ(list.GetSelString(), "Midi Mapper");
    EXPECT_EQ(list.GetCaretIndex(), 1);
    EXPECT_EQ(list.InsertString("first", 0), 0);
    EXPECT_EQ(list.InsertString("beyond", 9), -1);
    EXPECT_EQ(list.GetString(9), "");
    EXPECT_EQ(list.GetSelString(), "Midi Mapper");
}

TEST(ListBox, ASortedListKeepsAlphabeticalOrderIgnoringCase) {
    TestHost host;
    ListBox list(&host, 9, 0, 0, 100, 100, {.sort = true});
    list.AddString("delta");
    list.AddString("Bravo");
    EXPECT_EQ(list.AddString("charlie"), 1);
    EXPECT_EQ(list.GetString(2), "delta");
}

TEST(Edit, TypingStopsAtTheLimitAndCodeIsCutToIt) {
    ScriptedRunner script;
    Dialog d(nullptr, 2);
    Edit& edit = *d.Item<Edit>(634);
    edit.SetText("old name");
    script.OnDialog(2, [](Dialog& dialog) { test::Type(dialog, 634, std::string(51, 'x')); });
    EXPECT_EQ(d.Execute(), IdOk);
    EXPECT_EQ(edit.GetText(), std::string(50, 'x'));
    edit.LimitText(4);
    edit.SetText("123456");
    EXPECT_EQ(edit.GetText(), "1234");
}

TEST(Gauge, TheLabelShowsTheShareOfTheRangeAndValuesStayInIt) {
    TestHost host;
    Gauge gauge(&host, 802, 0, 0, 100, 20);
    gauge.SetValue(42);
    EXPECT_EQ(gauge.GetLabel(), "42%");
    gauge.SetValue(150);
    EXPECT_EQ(gauge.GetLabel(), "100%");
    gauge.SetRange(0, 200);
    gauge.SetValue(50);
    EXPECT_EQ(gauge.GetLabel(), "25%");
    gauge.SetRange(5, 5);
    EXPECT_EQ(gauge.GetLabel(), "0%");
    gauge.SetLabel("%d%s percent");
    EXPECT_EQ(gauge.GetLabel(), "0s percent");
}

TEST(ScrollBar, UserActionsNotifyTheParentWithTheirCodesAndEndOfScroll) {
    TestHost host(60, 160);
    auto* bar = new ScrollBar(&host, 721, 40, 3, 12, 147, false);
    host.Open();
    bar->SetRange(0, 8);
    bar->SetLineMagnitude(1);
    bar->SetPageMagnitude(2);
    bar->SetPosition(4);
    EXPECT_TRUE(host.received.empty());
    UserInput::Click(*bar, UserInput::ScrollPart::LineDown);
    EXPECT_EQ(bar->GetPosition(), 5);
    UserInput::Click(*bar, UserInput::ScrollPart::PageUp);
    EXPECT_EQ(bar->GetPosition(), 3);
    const auto n = [](LParam code) { return std::make_tuple(msg::ChildNotify, WParam{721}, code); };
    EXPECT_EQ(host.received, (Notifications{n(ScrollBar::LineDown), n(ScrollBar::EndScroll),
                                            n(ScrollBar::PageUp), n(ScrollBar::EndScroll)}));
    host.received.clear();
    UserInput::DragThumb(*bar, 7);
    EXPECT_EQ(bar->GetPosition(), 7);
    ASSERT_GE(host.received.size(), 3u);
    EXPECT_EQ(host.received.front(), n(ScrollBar::ThumbTrack));
    EXPECT_EQ(Notifications(host.received.end() - 2, host.received.end()),
              (Notifications{n(ScrollBar::ThumbPosition), n(ScrollBar::EndScroll)}));
    bar->SetPosition(20);
    EXPECT_EQ(bar->GetPosition(), 8);
}

TEST(Dialog, AModelessDialogPaintsWhileWaitingMessagesArePumpedAndClosesWithItsBox) {
    Dialog d(nullptr, 10);
    ASSERT_TRUE(d.Create());
    d.SetWindowText("Saving File");
    auto* gauge = new Gauge(&d, 802, 16, 20, 229, 23);
    ASSERT_TRUE(gauge->Create());
    gauge->SetValue(60);
    d.Show();
    Application::PumpWaitingMessages();
    const Image image = d.PaintToImage();
    EXPECT_EQ(image.Pixel(2, 2), Color(192, 192, 192));
    EXPECT_EQ(image.Pixel(8, 30), Color(128, 128, 128));  // the frame's shaded edge
    const char* base = std::getenv("TUNEWELL_TEST_OUTPUT");
    std::filesystem::path dir =
        base != nullptr && *base != '\0' ? base : TUNEWELL_BUILD_TEST_OUTPUT;
    std::filesystem::create_directories(dir / "ui");
    EXPECT_TRUE(image.SavePng((dir / "ui" / "progress-dialog.png").string()));
    UserInput::CloseBox(d);
    EXPECT_TRUE(d.HasEnded());
    EXPECT_EQ(d.Result(), IdCancel);
}

}  // namespace
}  // namespace tw::ui
