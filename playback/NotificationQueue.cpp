#include "playback/NotificationQueue.h"

#include <utility>

namespace tw {

namespace {

// A page of a dense song makes a few hundred notifications between two
// drains; reserving them keeps the playback side from allocating.
constexpr size_t kReserved = 1024;

}  // namespace

NotificationQueue::NotificationQueue() {
    entries_.reserve(kReserved);
}

void NotificationQueue::Push(uint32_t code, uint32_t value) {
    const std::lock_guard lock(mutex_);
    entries_.push_back({Kind::Notification, code, value, {}, {}});
}

void NotificationQueue::PushButton(TransportButton button, int pressed) {
    const std::lock_guard lock(mutex_);
    entries_.push_back(
        {Kind::Button, static_cast<uint32_t>(button), static_cast<uint32_t>(pressed), {}, {}});
}

void NotificationQueue::ShowMessage(const char* text, const char* caption) {
    const std::lock_guard lock(mutex_);
    entries_.push_back({Kind::Message, 0, 0, text, caption});
}

std::vector<NotificationQueue::Entry> NotificationQueue::Take() {
    std::vector<Entry> taken;
    taken.reserve(kReserved);
    const std::lock_guard lock(mutex_);
    std::swap(taken, entries_);
    return taken;
}

}  // namespace tw
