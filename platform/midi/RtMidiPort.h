#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi/MidiOut.h"
#include "platform/midi/SoundingKeys.h"

namespace tw::midi {

// The machine's MIDI output ports through RtMidi: it lists ALSA sequencer
// ports and JACK MIDI inputs, and sends to an ALSA port itself; a JACK input
// is reached through a JackOut, which places each message in time. Sends go
// straight to the port; there is no volume control.
class RtMidiPort final : public MidiOut {
public:
    // The output devices, numbered by their place here: the ALSA sequencer's
    // writable ports in the sequencer's order, then, while a JACK server runs,
    // JACK's MIDI input ports in name order. Empty, silently, without either.
    [[nodiscard]] static std::vector<std::string> DeviceNames();

    // Opens device number `device` of DeviceNames(), a JACK one as a JackOut;
    // null when it does not exist or cannot be opened.
    [[nodiscard]] static std::unique_ptr<MidiOut> Open(uint32_t device);

    ~RtMidiPort() override;

    void Send(uint32_t msg) override;
    void SendSysEx(std::span<const uint8_t> message) override;
    void Reset() override;
    [[nodiscard]] bool GetVolume(uint32_t&) override { return false; }
    [[nodiscard]] bool SetVolume(uint32_t) override { return false; }

    struct Connection;
    explicit RtMidiPort(std::unique_ptr<Connection> connection);

private:
    void Write(uint32_t msg);

    std::unique_ptr<Connection> connection_;
    SoundingKeys keys_;
};

}  // namespace tw::midi
