#pragma once

namespace tw::ui {

// Whether the Unicode code point is a letter of any alphabet, or a mark that
// combines with one (the tone and vowel marks of decomposed text).
[[nodiscard]] bool IsLetter(char32_t codePoint);

}  // namespace tw::ui
