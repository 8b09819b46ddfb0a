#pragma once

#include <string>

#include "platform/ui/NativeControl.h"

class QLabel;

namespace tw::ui {

// A line of text that the user cannot change, optionally in a sunken frame.
class Static : public NativeControl {
public:
    Static(Window* parent, int id, int x, int y, int w, int h, const std::string& text,
           bool framed = false);

    void SetText(const std::string& text);
    std::string GetText() const;

private:
    QLabel* label_;
};

}  // namespace tw::ui
