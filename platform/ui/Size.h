#pragma once

namespace tw::ui {

// A width and height in pixels, e.g. the extent of a text.
struct Size {
    int cx = 0;
    int cy = 0;

    friend constexpr bool operator==(const Size&, const Size&) = default;
};

}  // namespace tw::ui
