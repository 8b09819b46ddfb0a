#include "platform/ui/Application.h"

#include <QApplication>
#include <cstdlib>
#include <string_view>

namespace tw::ui {

void Application::EnsureStarted() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tunewell";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

void Application::PumpWaitingMessages() {
    EnsureStarted();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int Application::Run() {
    EnsureStarted();
    return QApplication::exec();
}

void Application::Quit(int code) {
    QCoreApplication::exit(code);
}

namespace {
bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}
}  // namespace

std::string Application::DisplayProblem() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string_view platform = chosen != nullptr ? chosen : "";
    const bool wantsX = platform.empty() || platform.starts_with("xcb");
    const bool wantsWayland = platform.empty() || platform.starts_with("wayland");
    if (!wantsX && !wantsWayland) {
        return {};
    }
    if ((wantsX && IsSet("DISPLAY")) || (wantsWayland && IsSet("WAYLAND_DISPLAY"))) {
        return {};
    }
    return "no display to open the window on (DISPLAY is not set); without a screen, run it "
           "under a virtual one: xvfb-run -a build/app/tunewell [SONG]";
}

}  // namespace tw::ui
