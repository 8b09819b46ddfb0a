#include "platform/midi/Outputs.h"

#include "platform/midi/RtMidiPort.h"
#include "platform/midi/Synth.h"

namespace tw::midi {

std::vector<std::string> OutputDeviceNames() {
    return RtMidiPort::DeviceNames();
}

std::unique_ptr<MidiOut> OpenOutput(uint32_t device) {
    if (device == kMapper) {
        int result = kSynthOpened;
        return Synth::OpenLive(result);
    }
    return RtMidiPort::Open(device);
}

}  // namespace tw::midi
