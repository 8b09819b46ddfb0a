#pragma once

#include <string>

#include "platform/ui/NativeControl.h"

class QLineEdit;

namespace tw::ui {

// A one-line text field with a border that scrolls its text sideways.
class Edit : public NativeControl {
public:
    // limit: the most characters that can be typed or set; 0 for no limit.
    Edit(Window* parent, int id, int x, int y, int w, int h, int limit = 0);

    // Text beyond the limit cannot be typed; text set from code is cut to it.
    void LimitText(int maxChars);
    int TextLimit() const { return limit_; }
    void SetText(const std::string& text);
    std::string GetText() const;

    QLineEdit* Field() const { return field_; }

private:
    int limit_ = 0;
    QLineEdit* field_;
};

}  // namespace tw::ui
