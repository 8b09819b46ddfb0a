#include "platform/ui/ModalRunner.h"

#include <QMessageBox>

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowWidget.h"

namespace tw::ui {

namespace {

// Shows dialogs and message boxes on screen with nested message loops.
class ToolkitRunner : public ModalRunner {
public:
    int RunModal(Window& dialog) override {
        if (!dialog.IsCreated() && !dialog.Create()) {
            return IdCancel;
        }
        dialog.Show();
        const int result = dialog.RunModalLoop();
        dialog.Hide();
        return result;
    }

    int RunMessageBox(Window*, const std::string& text, const std::string& caption,
                      unsigned style) override {
        Application::EnsureStarted();
        const QString t = QString::fromStdString(text);
        const QString c = QString::fromStdString(caption);
        if ((style & MbYesNo) == MbYesNo) {
            const auto answer =
                QMessageBox::question(nullptr, c, t, QMessageBox::Yes | QMessageBox::No);
            return answer == QMessageBox::Yes ? IdYes : IdNo;
        }
        QMessageBox::information(nullptr, c, t, QMessageBox::Ok);
        return IdOk;
    }
};

ToolkitRunner toolkitRunner;
ModalRunner* current = &toolkitRunner;

}  // namespace

ModalRunner& ModalRunner::Current() {
    return *current;
}

ModalRunner* ModalRunner::Install(ModalRunner* runner) {
    ModalRunner* previous = current;
    current = runner != nullptr ? runner : &toolkitRunner;
    return previous == &toolkitRunner ? nullptr : previous;
}

int MessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned style) {
    return ModalRunner::Current().RunMessageBox(owner, text, caption, style);
}

}  // namespace tw::ui
