#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestHost.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Gauge.h"
#include "platform/ui/Static.h"
#include "platform/ui/UserInput.h"
#include "support/ScriptedRunner.h"

namespace tw::ui {
namespace {

using test::ScriptedRunner;
using test::TestHost;

// Refuses OK until allowed.
class Probe : public Dialog {
public:
    using Dialog::Dialog;
    bool CanClose() override {
        ++asked;
        return allowClose;
    }

    int asked = 0;
    bool allowClose = true;
};

int Count(const Image& image, Color colour, const DialogItem& area) {
    int n = 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) {
            n += image.Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

// Every text a template gives is legible: black ink on the dialog's face
// within its place.
TEST(DialogTemplate, EveryDialogIsReadAndShowsItsTextsAndAFaultyTemplateIsRefusedWithItsLine) {
    for (int id = 1; id <= 13; ++id) {
        Dialog d(nullptr, id);
        EXPECT_EQ(d.TemplateError(), "") << id;
        ASSERT_TRUE(d.Create());
        const Image image = d.PaintToImage();
        test::SaveImage(image, "dialog-" + std::to_string(id), "ui");
        const auto t = DialogTemplate::Load(id);
        ASSERT_TRUE(t.has_value()) << id;
        for (const DialogItem& item : t->items) {
            if (item.kind == DialogItem::Kind::Static && !item.hidden && !item.text.empty()) {
                EXPECT_GT(Count(image, Color::Black(), item), 0) << id << ": " << item.text;
                EXPECT_GT(Count(image, Color(192, 192, 192), item), 0) << id << ": " << item.text;
            }
        }
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

TEST(Edit, TextSetByCodeIsCutToTheLimitInBytes) {
    Dialog d(nullptr, 2);
    Edit& edit = *d.Item<Edit>(634);
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
    test::SaveImage(d.PaintToImage(), "progress-dialog", "ui");
    UserInput::CloseBox(d);
    EXPECT_TRUE(d.HasEnded() && d.Result() == IdCancel);
}

}  // namespace
}  // namespace tw::ui
