#include "platform/midi/SoundingKeys.h"

namespace tw::midi {

namespace {

constexpr uint32_t Pack(uint32_t status, uint32_t data1, uint32_t data2) {
    return status | (data1 << 8) | (data2 << 16);
}

constexpr uint32_t kSustain = 64;
constexpr uint32_t kAllNotesOff = 123;

}  // namespace

void SoundingKeys::Track(uint32_t msg) {
    const uint32_t kind = msg & 0xF0;
    const uint32_t channel = msg & 0x0F;
    const uint32_t key = (msg >> 8) & 0x7F;
    const uint32_t velocity = (msg >> 16) & 0x7F;
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
    for (uint32_t channel = 0; channel < 16; ++channel) {
        for (uint32_t key = 0; key < 128; ++key) {
            for (; count_[channel][key] > 0; --count_[channel][key]) {
                send(Pack(0x80 | channel, key, 0));
            }
        }
    }
    for (uint32_t channel = 0; channel < 16; ++channel) {
        send(Pack(0xB0 | channel, kSustain, 0));
        send(Pack(0xB0 | channel, kAllNotesOff, 0));
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
