#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/midi/MidiOut.h"

namespace tw::midi {

// An output that keeps what it is given, for tests where no real port can
// run. The record is shared, so it outlives the output when the port layer
// closes and destroys it.
class RecordingOut final : public MidiOut {
public:
    struct Entry {
        bool reset;    // a Reset, not a message
        uint32_t msg;  // the packed message; 0 for a reset, 0xF0 for a system exclusive one
        std::vector<uint8_t> sysex = {};  // a system exclusive message's bytes
    };
    using Record = std::vector<Entry>;

    explicit RecordingOut(std::shared_ptr<Record> record = std::make_shared<Record>(),
                          bool hasVolume = true);

    void Send(uint32_t msg) override;
    void SendSysEx(std::span<const uint8_t> message) override;
    void Reset() override;
    [[nodiscard]] bool GetVolume(uint32_t& volume) override;
    [[nodiscard]] bool SetVolume(uint32_t volume) override;

    [[nodiscard]] const std::shared_ptr<Record>& Entries() const { return record_; }

    // The messages alone, in the order sent, resets left out.
    [[nodiscard]] std::vector<uint32_t> Messages() const;

private:
    std::shared_ptr<Record> record_;
    bool hasVolume_;
    uint32_t volume_ = 0xFFFFFFFF;
};

}  // namespace tw::midi
