#pragma once

#include "song/Reporter.h"

namespace tw::cli {

// What the windows would show in a message box goes to standard error as
// one line, "CAPTION: TEXT".
class CliReporter final : public Reporter {
public:
    void ShowMessage(const char* text, const char* caption) override;
};

}  // namespace tw::cli
