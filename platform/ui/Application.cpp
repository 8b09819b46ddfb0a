#include "platform/ui/Application.h"

#include <QApplication>

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

}  // namespace tw::ui
