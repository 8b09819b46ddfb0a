#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestHost.h"
#include "platform/ui/ModalRunner.h"

namespace tw::ui {
namespace {

// Answers every message box with a scripted button and records it.
class ScriptedRunner : public ModalRunner {
public:
    struct Box {
        std::string text;
        std::string caption;
        unsigned style;
    };

    int RunModal(Window&) override { return IdOk; }
    int RunMessageBox(Window*, const std::string& text, const std::string& caption,
                      unsigned style) override {
        boxes.push_back({text, caption, style});
        return answer;
    }

    std::vector<Box> boxes;
    int answer = IdYes;
};

// A dialog stand-in that ends its own modal run from a timer, the way a
// dialog's button handler would.
class SelfEnding : public Window {
    TW_DECLARE_RESPONSE_TABLE()

public:
    SelfEnding(int result, bool viaCloseBox)
        : Window(nullptr, "dialog"), result_(result), close_(viaCloseBox) {
        MoveWindow(0, 0, 50, 40);
    }
    void EvTimer(unsigned) {
        (void)KillTimer(1);
        if (close_) {
            CloseWindow();
        } else {
            EndModal(result_);
        }
    }

protected:
    void SetupWindow() override {
        Window::SetupWindow();
        ASSERT_TRUE(SetTimer(1, 10));
    }

private:
    int result_;
    bool close_;
};

const ResponseTable& SelfEnding::Table() {
    static constexpr ResponseEntry entries[] = {OnTimer<&SelfEnding::EvTimer>()};
    static const ResponseTable table{&Window::Table(), entries};
    return table;
}

TEST(ModalRunner, AnInstalledRunnerAnswersMessageBoxesUntilRemoved) {
    ScriptedRunner script;
    EXPECT_EQ(ModalRunner::Install(&script), nullptr);
    EXPECT_EQ(&ModalRunner::Current(), &script);
    EXPECT_EQ(MessageBox(nullptr, "Out of Note Memory", "Add Note", MbOk), IdYes);
    script.answer = IdNo;
    EXPECT_EQ(MessageBox(nullptr, "Save changes?", "Tunewell", MbYesNo), IdNo);
    EXPECT_EQ(ModalRunner::Install(nullptr), &script);
    EXPECT_NE(&ModalRunner::Current(), &script);
    ASSERT_EQ(script.boxes.size(), 2u);
    EXPECT_EQ(script.boxes[0].text, "Out of Note Memory");
    EXPECT_EQ(script.boxes[0].caption, "Add Note");
    EXPECT_EQ(script.boxes[1].style, MbYesNo);
}

TEST(ModalRunner, TheToolkitRunnerReturnsTheResultTheWindowEndsWith) {
    SelfEnding dialog(IdOk, false);
    EXPECT_EQ(ModalRunner::Current().RunModal(dialog), IdOk);
    EXPECT_FALSE(dialog.IsModal());
}

TEST(ModalRunner, TheCloseBoxEndsAModalRunWithCancel) {
    SelfEnding dialog(IdOk, true);
    EXPECT_EQ(ModalRunner::Current().RunModal(dialog), IdCancel);
}

}  // namespace
}  // namespace tw::ui
