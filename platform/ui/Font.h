#pragma once

#include <string>

#include "platform/ui/LogFont.h"

namespace tw::ui {

// A font made from a logical-font record. The face is matched by the
// system's font configuration, so "Helvetica", "Courier New" and "Times New
// Roman" come out with the metrics of their Liberation equivalents.
class Font {
public:
    explicit Font(const LogFont& description);
    // Face, character height in pixels (negative) or cell height, average
    // width, weight; quality proof and fixed pitch as the panel's fonts use.
    Font(const std::string& face, int height, int width, int weight);

    const LogFont& Description() const { return description_; }

private:
    LogFont description_;
};

}  // namespace tw::ui
