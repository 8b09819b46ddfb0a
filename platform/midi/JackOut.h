#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/midi/MidiOut.h"
#include "platform/midi/SoundingKeys.h"

namespace tw::midi {

// A JACK MIDI output of our own, connected to one JACK MIDI input. Each
// message is written at its frame within JACK's process cycle: at its send
// time (SetSendTime) plus a constant latency of one period and a
// millisecond, so that a sender woken a little late is still heard on time.
// Messages reach the process cycle through a lock-free ring, so a sender
// never waits for JACK. There is no volume control.
class JackOut final : public MidiOut {
public:
    // Connects to the JACK MIDI input `target` ("client:port"); null when
    // no server runs or the port cannot be reached.
    [[nodiscard]] static std::unique_ptr<MidiOut> Open(const std::string& target);

    // Waits until JACK has taken every message sent, the last note-offs and
    // the reset among them, then leaves the server.
    ~JackOut() override;

    void SetSendTime(long long monotonicNs) override;
    void Send(uint32_t msg) override;
    void SendSysEx(std::span<const uint8_t> message) override;
    void Reset() override;
    [[nodiscard]] bool GetVolume(uint32_t&) override { return false; }
    [[nodiscard]] bool SetVolume(uint32_t) override { return false; }

    struct Client;
    explicit JackOut(std::unique_ptr<Client> client);

private:
    void Write(uint32_t msg);
    void Queue(std::span<const uint8_t> bytes);

    std::unique_ptr<Client> client_;
    SoundingKeys keys_;
    // The send time in JACK's own clock (microseconds), 0 for now.
    uint64_t sendTimeUs_ = 0;
    uint64_t lastDueUs_ = 0;
    std::vector<uint8_t> record_;  // reused, so that sending allocates nothing
};

}  // namespace tw::midi
