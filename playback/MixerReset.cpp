#include "playback/MixerReset.h"

#include "song/Song.h"

namespace tw {

void SendMixerReset(midi::MidiOut& port) {
    port.Reset();
    for (uint8_t c = 0; c < kChannels; ++c) {
        const uint8_t control = 0xB0 + c;
        port.Send(PackMsg(control, 7, kResetVolume));
        port.Send(PackMsg(control, 10, kResetPan));
        port.Send(PackMsg(control, 91, kResetReverb));
        port.Send(PackMsg(control, 93, kResetChorus));
        port.Send(PackMsg(0xC0 + c, kResetProgram, 0));
    }
}

}  // namespace tw
