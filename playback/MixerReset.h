#pragma once

#include <cstdint>

#include "platform/midi/MidiOut.h"

namespace tw {

// The state every channel is put in when playback is repositioned, before
// the song's own controllers up to the new position are replayed. Volume is
// the General MIDI default, so that a song without volume events of its own
// is heard.
inline constexpr uint8_t kResetVolume = 100;
inline constexpr uint8_t kResetPan = 63;
inline constexpr uint8_t kResetReverb = 0;
inline constexpr uint8_t kResetChorus = 0;
inline constexpr uint8_t kResetProgram = 0;

// Silences the port, then sends to every channel in turn: volume, pan,
// reverb, chorus and program change to the reset values above.
void SendMixerReset(midi::MidiOut& port);

}  // namespace tw
