#pragma once

#include <string>

#include "platform/ui/NativeControl.h"

class QPushButton;

namespace tw::ui {

// A push button: a click sends its parent msg::Command with wParam = its id.
class Button : public NativeControl {
public:
    Button(Window* parent, int id, int x, int y, int w, int h, const std::string& text,
           bool isDefault = false);

    std::string GetText() const;
    QPushButton* PushButton() const { return button_; }

private:
    QPushButton* button_;
};

}  // namespace tw::ui
