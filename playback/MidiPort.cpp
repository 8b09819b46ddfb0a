#include "playback/MidiPort.h"

#include <cstring>
#include <utility>

#include "platform/midi/NullOut.h"
#include "platform/midi/Outputs.h"
#include "platform/midi/SoundFont.h"
#include "platform/midi/Synth.h"
#include "song/SongLock.h"

namespace tw {

mididata md{};

namespace {

std::unique_ptr<midi::MidiOut> openPort;
midi::NullOut closedPort;
PortOpener opener;
uint32_t opens = 0;
int openResult = midi::kSynthOpened;
bool failureUntold = false;

constexpr const char* kWhereToLook =
    "\n\nThe manual's section \"Ports and the built-in synthesizer\" tells more.";

std::string MapperProblem() {
    switch (openResult) {
        case midi::kNoSoundFont:
            return std::string("no General MIDI SoundFont is installed.\n\n") +
                   "Install one (sudo apt-get install timgm6mb-soundfont, or fluid-soundfont-gm), "
                   "then start Tunewell again, or choose another port with System, "
                   "\"Midi Connections\".";
        case midi::kSoundFontUnreadable:
            return "the SoundFont " + midi::FindSoundFont() +
                   " cannot be read.\n\nReinstall it or install another General MIDI "
                   "SoundFont, or choose another port with System, \"Midi Connections\".";
        case midi::kNoAudioOutput:
            return std::string("no audio output would open (PipeWire, PulseAudio, JACK and ALSA ") +
                   "were tried).\n\nCheck that the machine has a sound card or a running sound "
                   "server that no other program holds, or choose another port with System, "
                   "\"Midi Connections\".";
        default:
            return "the synthesizer could not be started.\n\nChoose another port with System, "
                   "\"Midi Connections\".";
    }
}

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
    void SendSysEx(std::span<const uint8_t> message) override {
        const SongLock lock;
        OpenOrClosed().SendSysEx(message);
    }
    void SetSendTime(long long monotonicNs) override {
        const SongLock lock;
        OpenOrClosed().SetSendTime(monotonicNs);
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
    openResult = midi::kSynthOpened;
    openPort = opener ? opener(md.portDevice) : midi::OpenOutput(md.portDevice, openResult);
    failureUntold = openPort == nullptr;
    if (openPort != nullptr) {
        md.portOpen = 1;
        md.portHandle = ++opens;
    }
}

bool TakeUntoldOpenFailure() {
    return std::exchange(failureUntold, false);
}

std::string UnopenedPortText(std::size_t deviceCount) {
    const std::string name(md.portName, strnlen(md.portName, kPortNameSize));
    std::string text = "Nothing can be heard: ";
    if (md.portDevice == midi::kMapper) {
        text += "the built-in synthesizer (Midi Mapper) cannot play, because " + MapperProblem();
    } else if (md.portDevice >= deviceCount) {
        text += "MIDI port " + std::to_string(md.portDevice) + " (\"" + name +
                "\") is not there; the machine has " + std::to_string(deviceCount) +
                " MIDI outputs now.\n\nChoose a port with System, \"Midi Connections\".";
    } else {
        text += "MIDI port " + std::to_string(md.portDevice) + " (\"" + name +
                "\") would not open; another program may hold it.\n\nClose that program, or "
                "choose another port with System, \"Midi Connections\".";
    }
    return text + kWhereToLook;
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
