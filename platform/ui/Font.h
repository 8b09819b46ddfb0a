#pragma once

#include <string>

#include "platform/ui/LogFont.h"

namespace tw::ui {

// A font made from a logical-font record. The face is drawn with the
// Liberation family of the same metrics: "Helvetica" and "MS Sans Serif" with
// Liberation Sans, "Courier New" with Liberation Mono, "Times New Roman" with
// Liberation Serif.
class Font {
public:
    explicit Font(const LogFont& description);
    // Face, character height in pixels (negative) or cell height, average
    // width, weight; quality proof and fixed pitch as the panel's fonts use.
    Font(const std::string& face, int height, int width, int weight);

    const LogFont& Description() const { return description_; }
    // The family the toolkit draws it with, as the fonts installed resolve it.
    [[nodiscard]] std::string DrawnFamily() const;

private:
    LogFont description_;
};

}  // namespace tw::ui
