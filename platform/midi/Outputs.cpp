#include "platform/midi/Outputs.h"

#include "platform/midi/RtMidiPort.h"
#include "platform/midi/Synth.h"

namespace tw::midi {

std::vector<std::string> OutputDeviceNames() {
    return RtMidiPort::DeviceNames();
}

std::unique_ptr<MidiOut> OpenOutput(uint32_t device, int& result) {
    result = kSynthOpened;
    if (device == kMapper) {
        return Synth::OpenLive(result);
    }
    std::unique_ptr<MidiOut> port = RtMidiPort::Open(device);
    if (port == nullptr) {
        result = kDeviceRefused;
    }
    return port;
}

std::unique_ptr<MidiOut> OpenOutput(uint32_t device) {
    int result = kSynthOpened;
    return OpenOutput(device, result);
}

}  // namespace tw::midi
