#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi/MidiOut.h"

namespace tw::midi {

// The machine's output devices, numbered from 0 in this order (the ALSA
// sequencer's writable ports, then JACK's MIDI inputs); the mapper is not
// among them.
[[nodiscard]] std::vector<std::string> OutputDeviceNames();

// Why a device would not open; the mapper fails with the synthesizer's own
// codes (kNoSoundFont ...).
inline constexpr int kDeviceRefused = 10;

// Opens a device by its number, or the built-in synthesizer for kMapper.
// Null when it cannot be opened, with the reason in `result`; nothing is
// printed.
[[nodiscard]] std::unique_ptr<MidiOut> OpenOutput(uint32_t device, int& result);
[[nodiscard]] std::unique_ptr<MidiOut> OpenOutput(uint32_t device);

}  // namespace tw::midi
