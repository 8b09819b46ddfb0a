#pragma once

namespace tw {

// The progress dialog shown while a file is read or written: the window
// shows a gauge, tunewell-cli shows nothing.
class Progress {
public:
    virtual ~Progress() = default;

    virtual void Open(const char* caption) = 0;  // "Loading File" or "Saving File"
    virtual void Update(int percent) = 0;        // clamped to 0..100
    virtual void Close() = 0;
};

class NoProgress final : public Progress {
public:
    void Open(const char*) override {}
    void Update(int) override {}
    void Close() override {}
};

}  // namespace tw
