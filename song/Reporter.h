#pragma once

namespace tw {

// How core code tells the user something. The main window shows a one-button
// message box; tunewell-cli prints "CAPTION: TEXT" on standard error.
class Reporter {
public:
    virtual ~Reporter() = default;

    // A message box with an OK button.
    virtual void ShowMessage(const char* text, const char* caption) = 0;

    // sd.songEnd has moved; the main window refreshes its total-time display.
    virtual void SongEndChanged() {}
};

// Shows nothing; for callers that have no user to tell.
class SilentReporter final : public Reporter {
public:
    void ShowMessage(const char*, const char*) override {}
};

}  // namespace tw
