#pragma once

#include <cstdint>

namespace tw::ui {

inline constexpr int kFaceNameSize = 32;

// The description a font is built from. height < 0: the character height in
// pixels; height > 0: the cell height (ascent + descent); 0: a default size.
// width > 0 is the average character width in pixels; 0 keeps the face's
// own proportions.
struct LogFont {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;  // 0 default, 400 normal, 700 bold
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;         // 2 is proof quality
    uint8_t pitchAndFamily = 0;  // 1 is fixed pitch
    char faceName[kFaceNameSize] = {};
};

}  // namespace tw::ui
