#pragma once

#include <cstdint>

namespace tw::ui {

// An opaque RGB colour, each component 0..255.
struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    constexpr Color() = default;
    constexpr Color(int red, int green, int blue)
        : r(static_cast<uint8_t>(red)),
          g(static_cast<uint8_t>(green)),
          b(static_cast<uint8_t>(blue)) {}

    friend constexpr bool operator==(const Color&, const Color&) = default;

    static constexpr Color Black() { return {0, 0, 0}; }
    static constexpr Color White() { return {255, 255, 255}; }
};

}  // namespace tw::ui
