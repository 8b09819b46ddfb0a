#pragma once

#include <cstdint>

#include "platform/midi/MidiOut.h"
#include "playback/MixerReset.h"
#include "playback/PlaybackEngine.h"

namespace tw {

// What the main window does to the port for the engine's notifications,
// for owners that have no mixer to show: the mixer reset for code 3, the
// controller itself for code 4; every other code leaves the port alone.
inline void AnswerForPort(midi::MidiOut& port, uint32_t code, uint32_t value) {
    if (code == kMixerReset) {
        SendMixerReset(port);
    } else if (code == kControllerPlayed) {
        port.Send(value);
    }
}

}  // namespace tw
