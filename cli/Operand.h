#pragma once

#include <cstdint>
#include <string>

namespace tw::cli {

// Reads a whole decimal number of at most `max`; false for anything else
// (signs, spaces, trailing text, overflow).
[[nodiscard]] bool ParseNumber(const char* text, uint32_t max, uint32_t& value);

}  // namespace tw::cli
