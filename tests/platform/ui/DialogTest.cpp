#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestHost.h"
#include "platform/ui/Button.h"
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

TEST(DialogTemplate, EveryDialogOfTheProgramIsReadAndAFaultyTemplateIsRefusedWithItsLine) {
    for (int id = 1; id <= 13; ++id) {
        Dialog d(nullptr, id);
        EXPECT_EQ(d.TemplateError(), "") << id;
        ASSERT_TRUE(d.Create());
        test::SaveImage(d.PaintToImage(), "dialog-" + std::to_string(id), "ui");
    }
    EXPECT_EQ(Dialog(nullptr, 99).TemplateError(), "no dialog template 99");
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

TEST(Dialog, EnterPressesOkAndEscapeCancelsFromAnEditField) {
    ScriptedRunner script;
    Probe d(nullptr, 1);
    Edit& field = *d.Item<Edit>(601);
    script.OnDialog(1, [&](Dialog&) { UserInput::Press(field, UserInput::Key::Enter); })
        .OnDialog(1, [&](Dialog&) { UserInput::Press(field, UserInput::Key::Escape); });
    EXPECT_EQ(d.Execute(), IdOk);
    EXPECT_EQ(d.Execute(), IdCancel);
    EXPECT_EQ(d.asked, 1);
}

// Presses its OK button from a timer inside the toolkit's own modal loop.
class SelfConfirming : public Dialog {
    TW_DECLARE_RESPONSE_TABLE()

public:
    SelfConfirming() : Dialog(nullptr, 11) {}
    void EvTimer(unsigned) {
        (void)KillTimer(1);
        UserInput::Click(*Item<Button>(IdOk));
    }

protected:
    void SetupWindow() override {
        Dialog::SetupWindow();
        ASSERT_TRUE(SetTimer(1, 10));
    }
};

const ResponseTable& SelfConfirming::Table() {
    static constexpr ResponseEntry entries[] = {OnTimer<&SelfConfirming::EvTimer>()};
    static const ResponseTable table{&Dialog::Table(), entries};
    return table;
}

TEST(Dialog, ADialogOpensOverTheMiddleOfItsOwnersWindow) {
    TestHost owner(600, 400);
    owner.Open();
    Dialog about(&owner, 11);
    ASSERT_TRUE(about.Create());
    about.Show();
    Application::PumpWaitingMessages();
    EXPECT_EQ(about.Owner(), &owner);
    EXPECT_TRUE(owner.Children().empty());
    // The host stands at the screen's origin, give or take its frame.
    EXPECT_NEAR(about.Position().x, 300 - 180, 4);
    EXPECT_NEAR(about.Position().y, 200 - 85, 4);
}

TEST(Dialog, TheToolkitRunnerEndsTheModalLoopWithTheButtonPressed) {
    SelfConfirming about;
    EXPECT_EQ(about.Execute(), IdOk);
    EXPECT_FALSE(about.IsModal());
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
    std::string umlauts;
    for (int i = 0; i < 30; ++i) {
        umlauts += "\u00fc";
    }
    edit.SetText(umlauts);
    EXPECT_EQ(edit.GetText().size(), 50u);  // 25 two-byte characters fill the 50-byte buffer
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
    host.received.clear();
    UserInput::Wheel(*bar, true);
    EXPECT_EQ(bar->GetPosition(), 6);
    EXPECT_EQ(host.received, (Notifications{n(ScrollBar::LineUp), n(ScrollBar::EndScroll)}));
    bar->SetPosition(20);
    EXPECT_EQ(bar->GetPosition(), 8);
}

// Counts its paints on screen.
class Progress : public Dialog {
public:
    Progress() : Dialog(nullptr, 10) {}
    int paints = 0;

protected:
    void Paint(DC& dc, bool erase, Rect& rect) override {
        ++paints;
        Dialog::Paint(dc, erase, rect);
    }
};

TEST(Dialog, AModelessDialogPaintsWhileWaitingMessagesArePumpedAndClosesWithItsBox) {
    Progress d;
    ASSERT_TRUE(d.Create());
    d.SetWindowText("Saving File");
    auto* gauge = new Gauge(&d, 802, 16, 20, 229, 23);
    ASSERT_TRUE(gauge->Create());
    gauge->SetValue(60);
    d.Show();
    Application::PumpWaitingMessages();
    EXPECT_GT(d.paints, 0);
    const Image image = d.PaintToImage();
    EXPECT_EQ(image.Pixel(2, 2), Color(192, 192, 192));
    EXPECT_EQ(image.Pixel(8, 30), Color(128, 128, 128));  // the frame's shaded edge
    test::SaveImage(image, "progress-dialog", "ui");
    UserInput::CloseBox(d);
    EXPECT_TRUE(d.HasEnded());
    EXPECT_EQ(d.Result(), IdCancel);
}

}  // namespace
}  // namespace tw::ui
