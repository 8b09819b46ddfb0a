#pragma once

#include <memory>

#include "smf/Progress.h"

namespace tw {

namespace ui {
class InputHold;
class Window;
}
class StatusDlg;

// The progress of a file being read or written, shown in the progress
// dialog over the owner window; the waiting messages are dispatched after
// each change so that the dialog and the main window repaint. The user's
// input is held back from Open to Close: a click or a command must not run
// against a song that is half read.
class WindowProgress final : public Progress {
public:
    explicit WindowProgress(ui::Window* owner);
    ~WindowProgress() override;

    void Open(const char* caption) override;
    void Update(int percent) override;
    void Close() override;

    // The open dialog, if any.
    StatusDlg* Dialog() const { return dialog_.get(); }

private:
    ui::Window* owner_;
    std::unique_ptr<ui::InputHold> hold_;
    std::unique_ptr<StatusDlg> dialog_;
};

}  // namespace tw
