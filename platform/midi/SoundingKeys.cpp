#include "platform/midi/SoundingKeys.h"

#include "platform/midi/ShortMsg.h"

namespace tw::midi {

namespace {

constexpr uint8_t kSustain = 64;
constexpr uint8_t kAllNotesOff = 123;

}  // namespace

void SoundingKeys::Track(uint32_t msg) {
    const uint32_t kind = MsgStatus(msg) & 0xF0;
    const uint32_t channel = MsgChannel(msg);
    const uint32_t key = MsgData1(msg) & 0x7F;
    const uint32_t velocity = MsgData2(msg) & 0x7F;
    uint16_t& count = count_[channel][key];
    if (kind == 0x90 && velocity > 0) {
        if (count < UINT16_MAX) {
            ++count;
        }
    } else if ((kind == 0x80 || kind == 0x90) && count > 0) {
        --count;
    }
}

void SoundingKeys::ReleaseAll(const std::function<void(uint32_t msg)>& send) {
    for (uint8_t channel = 0; channel < kChannels; ++channel) {
        for (uint8_t key = 0; key < 128; ++key) {
            for (; count_[channel][key] > 0; --count_[channel][key]) {
                send(PackMsg(0x80 | channel, key, 0));
            }
        }
    }
    for (uint8_t channel = 0; channel < kChannels; ++channel) {
        send(PackMsg(0xB0 | channel, kSustain, 0));
        send(PackMsg(0xB0 | channel, kAllNotesOff, 0));
    }
}

int SoundingKeys::Sounding() const {
    int total = 0;
    for (const auto& keys : count_) {
        for (uint16_t count : keys) {
            total += count;
        }
    }
    return total;
}

}  // namespace tw::midi
