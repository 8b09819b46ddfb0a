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
    int RunModal(Window&) override { return IdOk; }
    int RunMessageBox(Window*, const std::string& text, const std::string& caption,
                      unsigned style) override {
        boxes.push_back(text + "|" + caption + "|" + std::to_string(style));
        return answer;
    }

    std::vector<std::string> boxes;
    int answer = IdYes;
};

// A dialog stand-in that ends its own modal run from a timer with a result,
// the way a button handler would, or with its close box when the result is 0.
class SelfEnding : public Window {
    TW_DECLARE_RESPONSE_TABLE()

public:
    explicit SelfEnding(int result) : Window(nullptr, "dialog"), result_(result) {
        MoveWindow(0, 0, 50, 40);
    }
    void EvTimer(unsigned) {
        (void)KillTimer(1);
        result_ == 0 ? CloseWindow() : EndModal(result_);
    }

protected:
    void SetupWindow() override {
        Window::SetupWindow();
        ASSERT_TRUE(SetTimer(1, 10));
    }

private:
    int result_;
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
    EXPECT_EQ(script.boxes,
              (std::vector<std::string>{"Out of Note Memory|Add Note|" + std::to_string(MbOk),
                                        "Save changes?|Tunewell|" + std::to_string(MbYesNo)}));
}

TEST(ModalRunner, TheToolkitRunnerReturnsTheEndResultOrCancelFromTheCloseBox) {
    SelfEnding ended(IdOk);
    EXPECT_EQ(ModalRunner::Current().RunModal(ended), IdOk);
    EXPECT_FALSE(ended.IsModal());
    SelfEnding closed(0);
    EXPECT_EQ(ModalRunner::Current().RunModal(closed), IdCancel);
}

}  // namespace
}  // namespace tw::ui
