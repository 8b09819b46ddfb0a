#pragma once

#include "song/Reporter.h"

namespace tw {

namespace ui {
class Window;
}

// Core messages as one-button message boxes owned by the main window.
class WindowReporter final : public Reporter {
public:
    explicit WindowReporter(ui::Window* owner) : owner_(owner) {}

    void ShowMessage(const char* text, const char* caption) override;

private:
    ui::Window* owner_;
};

}  // namespace tw
