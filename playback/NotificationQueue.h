#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "playback/PlaybackEngine.h"
#include "song/Reporter.h"

namespace tw {

// Carries what the engine reports on the playback side over to the side that
// shows it, in the order made: the notifications, the transport buttons'
// states and the message boxes, all of which only the window's thread may
// show. Pushing never waits for a paint; the owner takes the entries from
// its own timer.
class NotificationQueue final : public Reporter {
public:
    enum class Kind { Notification, Button, Message };
    struct Entry {
        Kind kind;
        uint32_t code;   // the notification's code, or the TransportButton
        uint32_t value;  // the notification's value, or the button's state
        std::string text;
        std::string caption;
    };

    NotificationQueue();

    void Push(uint32_t code, uint32_t value);
    void PushButton(TransportButton button, int pressed);
    void ShowMessage(const char* text, const char* caption) override;

    // Everything pushed since the last call, oldest first.
    [[nodiscard]] std::vector<Entry> Take();

private:
    std::mutex mutex_;
    std::vector<Entry> entries_;
};

}  // namespace tw
