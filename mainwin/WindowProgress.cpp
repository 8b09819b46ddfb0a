#include "mainwin/WindowProgress.h"

#include "mainwin/StatusDlg.h"
#include "platform/ui/Application.h"
#include "platform/ui/InputHold.h"

namespace tw {

WindowProgress::WindowProgress(ui::Window* owner) : owner_(owner) {}

WindowProgress::~WindowProgress() = default;

void WindowProgress::Open(const char* caption) {
    hold_ = std::make_unique<ui::InputHold>();
    dialog_ = std::make_unique<StatusDlg>(owner_);
    if (!dialog_->Create()) {
        dialog_.reset();
        return;
    }
    dialog_->UpdateCaption(caption);
    dialog_->Show();
    ui::Application::PumpWaitingMessages();
}

void WindowProgress::Update(int percent) {
    if (dialog_ != nullptr) {
        dialog_->UpdateGauge(percent);
        ui::Application::PumpWaitingMessages();
    }
}

void WindowProgress::Close() {
    if (dialog_ != nullptr) {
        dialog_->Hide();
        dialog_.reset();
    }
    hold_.reset();
}

}  // namespace tw
