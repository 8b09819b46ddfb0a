#pragma once

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tw::test {

// One message a capture received.
struct Captured {
    std::vector<uint8_t> bytes;
    uint64_t usec = 0;  // JACK's clock at the message's frame

    [[nodiscard]] uint8_t Kind() const { return bytes[0] & 0xF0; }
    [[nodiscard]] bool NoteOn() const { return Kind() == 0x90 && bytes.size() == 3 && bytes[2]; }
    [[nodiscard]] bool NoteOff() const {
        return bytes.size() == 3 && (Kind() == 0x80 || (Kind() == 0x90 && bytes[2] == 0));
    }
    [[nodiscard]] bool Is(std::vector<uint8_t> expected) const { return bytes == expected; }
};

// A JACK MIDI input "NAME:input" of this process on the server that
// JACK_DEFAULT_SERVER names. It counts the cycles the server reports lost
// (xruns) while it runs: a message may be lost with them, which is the
// machine's fault, not the sender's.
class JackCapture {
public:
    explicit JackCapture(const std::string& name) : name_(name) {
        client_ = jack_client_open(name.c_str(), JackNoStartServer, nullptr);
        if (client_ == nullptr) {
            return;
        }
        input_ = jack_port_register(client_, "input", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        received_.reserve(1 << 16);
        jack_set_process_callback(client_, Process, this);
        jack_set_xrun_callback(client_, XRun, this);
        running_ = input_ != nullptr && jack_activate(client_) == 0;
    }
    ~JackCapture() {
        if (client_ != nullptr) {
            jack_deactivate(client_);
            jack_client_close(client_);
        }
    }
    JackCapture(const JackCapture&) = delete;
    JackCapture& operator=(const JackCapture&) = delete;

    [[nodiscard]] bool Running() const { return running_; }
    [[nodiscard]] std::string Port() const { return name_ + ":input"; }
    [[nodiscard]] int LostCycles() const { return lostCycles_.load(); }
    [[nodiscard]] std::size_t Count() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return received_.size();
    }

    // Waits until what has arrived so far satisfies `done`, at most
    // `timeoutMs`; whether it did.
    template <typename Done>
    bool WaitFor(Done done, int timeoutMs) const {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (done(received_)) {
                    return true;
                }
            }
            if (std::chrono::steady_clock::now() >= until) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // What arrived, once nothing new has for half a second (at most five
    // seconds): the sender's last cycles may still be on their way.
    [[nodiscard]] std::vector<Captured> Messages() const {
        std::size_t count = Count();
        for (int quiet = 0, waited = 0; quiet < 5 && waited < 50; ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const std::size_t now = Count();
            quiet = now == count ? quiet + 1 : 0;
            count = now;
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

private:
    static int Process(jack_nframes_t frames, void* self) {
        return static_cast<JackCapture*>(self)->Receive(frames);
    }
    static int XRun(void* self) {
        ++static_cast<JackCapture*>(self)->lostCycles_;
        return 0;
    }

    int Receive(jack_nframes_t frames) {
        void* buffer = jack_port_get_buffer(input_, frames);
        const uint32_t count = jack_midi_get_event_count(buffer);
        const jack_time_t now = jack_get_time();
        const uint64_t rate = jack_get_sample_rate(client_);
        const std::lock_guard<std::mutex> lock(mutex_);
        for (uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) == 0 && event.size > 0) {
                received_.push_back({std::vector<uint8_t>(event.buffer, event.buffer + event.size),
                                     now + event.time * 1000000 / rate});
            }
        }
        return 0;
    }

    std::string name_;
    jack_client_t* client_ = nullptr;
    jack_port_t* input_ = nullptr;
    bool running_ = false;
    std::atomic<int> lostCycles_{0};
    mutable std::mutex mutex_;
    std::vector<Captured> received_;
};

// Notes still sounding after the messages up to `end`, counted per channel
// and key; All Notes Off releases a channel, as on a real instrument.
inline int SoundingAfter(const std::vector<Captured>& all, std::size_t end) {
    std::map<int, int> down;
    for (std::size_t i = 0; i < end; ++i) {
        const Captured& c = all[i];
        const int channel = c.bytes[0] & 0x0F;
        if (c.NoteOn() || c.NoteOff()) {
            int& n = down[channel * 128 + c.bytes[1]];
            n = c.NoteOn() ? n + 1 : std::max(n - 1, 0);
        } else if (c.Is({static_cast<uint8_t>(0xB0 | channel), 123, 0})) {
            std::erase_if(down, [&](const auto& key) { return key.first / 128 == channel; });
        }
    }
    int sounding = 0;
    for (const auto& [key, n] : down) {
        sounding += n;
    }
    return sounding;
}

}  // namespace tw::test
