#include "platform/ui/App.h"

#include "platform/ui/Application.h"
#include "platform/ui/Frame.h"

namespace tw::ui {

App::App(const std::string& name) : Window(nullptr, name) {
    Application::EnsureStarted();
}

App::~App() {
    DestroyMainWindow();
}

void App::DestroyMainWindow() {
    delete mainWindow_;
    mainWindow_ = nullptr;
}

void App::SetMainWindow(Frame* frame) {
    if (frame != mainWindow_) {
        DestroyMainWindow();
    }
    mainWindow_ = frame;
    if (mainWindow_ != nullptr) {
        mainWindow_->SetCommandTarget(this);
    }
}

bool App::Start() {
    if (mainWindow_ == nullptr) {
        InitMainWindow();
    }
    if (mainWindow_ == nullptr || (!mainWindow_->IsCreated() && !mainWindow_->Create())) {
        return false;
    }
    mainWindow_->ShowMaximized();
    Application::PumpWaitingMessages();
    return true;
}

int App::MessageLoop() {
    return Application::Run();
}

int App::Run() {
    return Start() ? MessageLoop() : 1;
}

}  // namespace tw::ui
