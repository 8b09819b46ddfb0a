#pragma once

#include <unistd.h>

#include <cstdio>

#include "smf/Progress.h"

namespace tw::cli {

// A percentage rewritten on one line of standard output while it is a
// terminal; nothing when the output goes to a pipe or a file.
class TerminalProgress final : public Progress {
public:
    TerminalProgress() : shown_(isatty(STDOUT_FILENO) == 1) {}

    void Open(const char* caption) override {
        caption_ = caption;
        percent_ = -1;
        Update(0);
    }
    void Update(int percent) override {
        if (shown_ && percent != percent_) {
            percent_ = percent;
            std::printf("\r%s %3d %%", caption_, percent);
            std::fflush(stdout);
        }
    }
    // Clears the line for what follows.
    void Close() override {
        if (shown_) {
            std::printf("\r%*s\r", 40, "");
            std::fflush(stdout);
        }
    }

private:
    bool shown_;
    const char* caption_ = "";
    int percent_ = -1;
};

}  // namespace tw::cli
