#pragma once

namespace tw::ui {

// A position in client pixels: x to the right, y downwards.
struct Point {
    int x = 0;
    int y = 0;

    friend constexpr bool operator==(const Point&, const Point&) = default;
};

}  // namespace tw::ui
