#pragma once

#include <cstdint>
#include <span>

namespace tw::midi {

// The entry of the built-in General MIDI synthesizer wherever a port is
// chosen: in the port record, in tw.cfg and in the port dialog.
inline constexpr uint32_t kMapper = 1000;

// One open MIDI output. Every message the program produces goes through one
// of these: a real port (ALSA or JACK), the built-in synthesizer, or a
// recorder in tests.
class MidiOut {
public:
    virtual ~MidiOut() = default;

    // Sends one packed short message: status in bits 0..7, data bytes in
    // 8..15 and 16..23. A message with one data byte ignores the second.
    virtual void Send(uint32_t msg) = 0;

    // Sends one whole system exclusive message, F0 to F7. An output that
    // cannot take one drops it.
    virtual void SendSysEx(std::span<const uint8_t> message) { (void)message; }

    // The moment at which the messages sent from now on are due, on the
    // monotonic clock in nanoseconds (CLOCK_MONOTONIC); 0, the start value,
    // for as soon as possible. An output that can place messages in time
    // plays each at its moment plus a constant latency, so that a sender
    // woken late is not heard late; the others send at once.
    virtual void SetSendTime(long long monotonicNs) { (void)monotonicNs; }

    // Leaves nothing sounding: a note-off for every key sounded and not
    // released, then sustain off and All Notes Off on all sixteen channels.
    virtual void Reset() = 0;

    // Output volume: left in the low 16 bits, right in the high 16 bits.
    // False when the output has no volume control.
    [[nodiscard]] virtual bool GetVolume(uint32_t& volume) = 0;
    [[nodiscard]] virtual bool SetVolume(uint32_t volume) = 0;
};

}  // namespace tw::midi
