#include "platform/midi/RtMidiPort.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <array>
#include <iostream>

#include "platform/midi/JackOut.h"
#include "platform/midi/ShortMsg.h"
#include "platform/midi/SystemAudio.h"

namespace tw::midi {

namespace {

constexpr const char* kClientName = "Tunewell";
constexpr const char* kPortName = "Tunewell Out";

struct Device {
    RtMidi::Api api;
    std::string name;
};

// RtMidi reports failures here instead of printing them and throwing.
void NoteFailure(RtMidiError::Type type, const std::string&, void* failed) {
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING) {
        *static_cast<bool*>(failed) = true;
    }
}

// A client of one API with its failures routed to `failed`; null when the
// API is not there.
std::unique_ptr<RtMidiOut> Client(RtMidi::Api api, bool& failed) {
    const bool available =
        api == RtMidi::LINUX_ALSA ? AlsaSequencerAvailable() : JackServerRunning();
    if (!available) {
        return nullptr;
    }
    // RtMidi reports a failure while it is being built on std::cerr, before
    // a callback can be given: a JACK server that stops answering between
    // the check above and here would otherwise print on the terminal.
    std::streambuf* const terminal = std::cerr.rdbuf(nullptr);
    std::unique_ptr<RtMidiOut> client;
    try {
        client = std::make_unique<RtMidiOut>(api, kClientName);
        client->setErrorCallback(NoteFailure, &failed);
    } catch (const RtMidiError&) {
        client.reset();
    }
    std::cerr.rdbuf(terminal);
    std::cerr.clear();
    return client;
}

std::vector<std::string> PortNames(RtMidiOut& client) {
    std::vector<std::string> names;
    const unsigned count = client.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        names.push_back(client.getPortName(i));
    }
    return names;
}

std::vector<Device> Devices() {
    std::vector<Device> devices;
    for (RtMidi::Api api : {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK}) {
        bool failed = false;
        std::unique_ptr<RtMidiOut> client = Client(api, failed);
        if (client == nullptr) {
            continue;
        }
        std::vector<std::string> names = PortNames(*client);
        // JACK lists ports in the order they were registered, which changes
        // from one server start to the next; names keep the numbers stable.
        if (api == RtMidi::UNIX_JACK) {
            std::sort(names.begin(), names.end());
        }
        for (std::string& name : names) {
            devices.push_back({api, std::move(name)});
        }
    }
    return devices;
}

}  // namespace

struct RtMidiPort::Connection {
    std::unique_ptr<RtMidiOut> client;
    bool failed = false;
};

std::vector<std::string> RtMidiPort::DeviceNames() {
    std::vector<std::string> names;
    for (Device& device : Devices()) {
        names.push_back(std::move(device.name));
    }
    return names;
}

std::unique_ptr<MidiOut> RtMidiPort::Open(uint32_t device) {
    const std::vector<Device> devices = Devices();
    if (device >= devices.size()) {
        return nullptr;
    }
    if (devices[device].api == RtMidi::UNIX_JACK) {
        return JackOut::Open(devices[device].name);
    }
    auto connection = std::make_unique<Connection>();
    connection->client = Client(devices[device].api, connection->failed);
    if (connection->client == nullptr) {
        return nullptr;
    }
    const std::vector<std::string> names = PortNames(*connection->client);
    const auto found = std::find(names.begin(), names.end(), devices[device].name);
    if (found == names.end()) {
        return nullptr;
    }
    connection->client->openPort(static_cast<unsigned>(found - names.begin()), kPortName);
    if (connection->failed || !connection->client->isPortOpen()) {
        return nullptr;
    }
    return std::make_unique<RtMidiPort>(std::move(connection));
}

RtMidiPort::RtMidiPort(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

RtMidiPort::~RtMidiPort() {
    connection_->client->closePort();
}

void RtMidiPort::Send(uint32_t msg) {
    keys_.Track(msg);
    Write(msg);
}

void RtMidiPort::SendSysEx(std::span<const uint8_t> message) {
    connection_->client->sendMessage(message.data(), message.size());
}

void RtMidiPort::Reset() {
    keys_.ReleaseAll([this](uint32_t msg) { Write(msg); });
}

void RtMidiPort::Write(uint32_t msg) {
    const std::size_t length = ShortMsgLength(msg);
    if (length == 0) {
        return;
    }
    const std::array<uint8_t, 3> bytes = ShortMsgBytes(msg);
    connection_->client->sendMessage(bytes.data(), length);
}

}  // namespace tw::midi
