#include "platform/midi/RecordingOut.h"

#include <utility>

namespace tw::midi {

RecordingOut::RecordingOut(std::shared_ptr<Record> record, bool hasVolume)
    : record_(std::move(record)), hasVolume_(hasVolume) {}

void RecordingOut::Send(uint32_t msg) {
    record_->push_back({false, msg});
}

void RecordingOut::SendSysEx(std::span<const uint8_t> message) {
    record_->push_back({false, 0xF0, {message.begin(), message.end()}});
}

void RecordingOut::Reset() {
    record_->push_back({true, 0});
}

bool RecordingOut::GetVolume(uint32_t& volume) {
    if (!hasVolume_) {
        return false;
    }
    volume = volume_;
    return true;
}

bool RecordingOut::SetVolume(uint32_t volume) {
    if (!hasVolume_) {
        return false;
    }
    volume_ = volume;
    return true;
}

std::vector<uint32_t> RecordingOut::Messages() const {
    std::vector<uint32_t> messages;
    for (const Entry& entry : *record_) {
        if (!entry.reset) {
            messages.push_back(entry.msg);
        }
    }
    return messages;
}

}  // namespace tw::midi
