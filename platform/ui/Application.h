#pragma once

#include <string>

namespace tw::ui {

// The toolkit behind every window, started on first use. Everything runs on
// the one thread that started it.
class Application {
public:
    // Starts the toolkit if it is not running yet.
    static void EnsureStarted();
    // Handles every message that is waiting (input, timers, repaints) and
    // returns without waiting for more.
    static void PumpWaitingMessages();
    // The message loop: runs until Quit, returns Quit's code.
    static int Run();
    static void Quit(int code);
    // Why the toolkit could not open its windows here (no display to show
    // them on), in one line that says what to do; empty when it can.
    static std::string DisplayProblem();
};

}  // namespace tw::ui
