#include "playback/MidiPort.h"

#include <cstring>
#include <utility>

#include "platform/midi/NullOut.h"
#include "platform/midi/Outputs.h"

namespace tw {

mididata md{};

namespace {

std::unique_ptr<midi::MidiOut> openPort;
midi::NullOut closedPort;
PortOpener opener;
uint32_t opens = 0;

}  // namespace

void SetPortDefaults() {
    md = mididata{};
    md.portDevice = midi::kMapper;
    std::strcpy(md.portName, kMapperName);
}

void OpenMidiOut() {
    if (md.portOpen == 1) {
        CloseMidiOut();
    }
    md.portOpen = 0;
    md.portHandle = 0;
    openPort = opener ? opener(md.portDevice) : midi::OpenOutput(md.portDevice);
    if (openPort != nullptr) {
        md.portOpen = 1;
        md.portHandle = ++opens;
    }
}

void CloseMidiOut() {
    if (md.portOpen == 0) {
        return;
    }
    // A record read back from tw.cfg may say open while nothing is.
    if (openPort != nullptr) {
        openPort->Reset();
        openPort.reset();
    }
    md.portOpen = 0;
}

midi::MidiOut& Port() {
    if (openPort != nullptr) {
        return *openPort;
    }
    return closedPort;
}

void SetPortOpener(PortOpener newOpener) {
    opener = std::move(newOpener);
}

}  // namespace tw
