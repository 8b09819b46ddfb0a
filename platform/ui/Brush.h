#pragma once

#include "platform/ui/Color.h"

namespace tw::ui {

// A solid brush: the fill of rectangles and ellipses.
class Brush {
public:
    explicit constexpr Brush(Color color) : color_(color) {}

    constexpr Color GetColor() const { return color_; }

private:
    Color color_;
};

}  // namespace tw::ui
