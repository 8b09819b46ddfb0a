#pragma once

#include "platform/midi/MidiOut.h"

namespace tw::midi {

// The output while no port is open: every message is dropped, and there is
// no volume to read or set.
class NullOut final : public MidiOut {
public:
    void Send(uint32_t) override {}
    void Reset() override {}
    [[nodiscard]] bool GetVolume(uint32_t&) override { return false; }
    [[nodiscard]] bool SetVolume(uint32_t) override { return false; }
};

}  // namespace tw::midi
