#pragma once

#include "platform/ui/Color.h"

namespace tw::ui {

// A solid pen. Lines wider than one pixel are centred on their path.
class Pen {
public:
    explicit constexpr Pen(Color color, int width = 1)
        : color_(color), width_(width < 1 ? 1 : width) {}

    constexpr Color GetColor() const { return color_; }
    constexpr int Width() const { return width_; }

private:
    Color color_;
    int width_;
};

}  // namespace tw::ui
