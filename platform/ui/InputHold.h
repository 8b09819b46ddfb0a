#pragma once

#include <memory>

namespace tw::ui {

// While one lives, the user's input (mouse, wheel, keys) reaches no window:
// it is held back and handed on, in order, when the hold ends. Windows still
// repaint and timers still run, so a long operation can show its progress
// without a click running against its half-done work. A modal box opened
// meanwhile gets its input as usual.
class InputHold {
public:
    InputHold();
    ~InputHold();
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

private:
    class Filter;
    std::unique_ptr<Filter> filter_;
};

}  // namespace tw::ui
