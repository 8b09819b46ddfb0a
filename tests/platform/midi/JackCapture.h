#pragma once

#include <jack/jack.h>
#include <jack/midiport.h>

#include <mutex>
#include <string>
#include <vector>

namespace tw::test {

// A JACK client with MIDI inputs that keeps every event it receives, so that
// tests see what a real port delivered.
class JackCapture {
public:
    struct Event {
        std::string port;
        std::vector<unsigned char> bytes;
    };

    JackCapture(const std::string& clientName, const std::vector<std::string>& portNames) {
        client_ = jack_client_open(clientName.c_str(), JackNoStartServer, nullptr);
        if (client_ == nullptr) {
            return;
        }
        for (const std::string& name : portNames) {
            ports_.push_back(
                {name, jack_port_register(client_, name.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                          JackPortIsInput, 0)});
        }
        jack_set_process_callback(client_, Process, this);
        ok_ = jack_activate(client_) == 0;
    }
    ~JackCapture() {
        if (client_ != nullptr) {
            jack_client_close(client_);
        }
    }
    JackCapture(const JackCapture&) = delete;
    JackCapture& operator=(const JackCapture&) = delete;

    [[nodiscard]] bool Ok() const { return ok_; }

    [[nodiscard]] std::vector<Event> Events() {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }

private:
    struct Port {
        std::string name;
        jack_port_t* port;
    };

    static int Process(jack_nframes_t frames, void* arg) {
        auto* self = static_cast<JackCapture*>(arg);
        std::lock_guard<std::mutex> lock(self->mutex_);
        for (const Port& port : self->ports_) {
            void* buffer = jack_port_get_buffer(port.port, frames);
            const uint32_t count = jack_midi_get_event_count(buffer);
            for (uint32_t i = 0; i < count; ++i) {
                jack_midi_event_t event;
                if (jack_midi_event_get(&event, buffer, i) == 0) {
                    self->events_.push_back(
                        {port.name,
                         std::vector<unsigned char>(event.buffer, event.buffer + event.size)});
                }
            }
        }
        return 0;
    }

    jack_client_t* client_ = nullptr;
    std::vector<Port> ports_;
    bool ok_ = false;
    std::mutex mutex_;
    std::vector<Event> events_;
};

}  // namespace tw::test
