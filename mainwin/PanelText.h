#pragma once

#include <cstdio>
#include <string>

namespace tw {

// A number on a panel read-out, in the read-out's printf format.
inline std::string PanelText(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace tw
