#include "playback/MidiPort.h"

#include <cstring>
#include <utility>

#include "platform/midi/NullOut.h"
#include "platform/midi/Outputs.h"
#include "song/SongLock.h"

namespace tw {

mididata md{};

namespace {

std::unique_ptr<midi::MidiOut> openPort;
midi::NullOut closedPort;
PortOpener opener;
uint32_t opens = 0;

midi::MidiOut& OpenOrClosed() {
    if (openPort != nullptr) {
        return *openPort;
    }
    return closedPort;
}

// The window and the playback side both send; each message goes whole to
// the port open at that moment, so that a port the user reopens gets the
// notes from then on.
class SharedPort final : public midi::MidiOut {
public:
    void Send(uint32_t msg) override {
        const SongLock lock;
        OpenOrClosed().Send(msg);
    }
    void Reset() override {
        const SongLock lock;
        OpenOrClosed().Reset();
    }
    bool GetVolume(uint32_t& volume) override {
        const SongLock lock;
        return OpenOrClosed().GetVolume(volume);
    }
    bool SetVolume(uint32_t volume) override {
        const SongLock lock;
        return OpenOrClosed().SetVolume(volume);
    }
};

SharedPort sharedPort;

}  // namespace

void SetPortDefaults() {
    md = mididata{};
    md.portDevice = midi::kMapper;
    std::strcpy(md.portName, kMapperName);
}

void OpenMidiOut() {
    const SongLock lock;
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
    const SongLock lock;
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
    return sharedPort;
}

void SetPortOpener(PortOpener newOpener) {
    opener = std::move(newOpener);
}

}  // namespace tw
