// midi_capture CLIENT OUT: a JACK MIDI input "CLIENT:input" that writes every
// message it receives to OUT when stopped (SIGINT or SIGTERM), one per line,
// "USEC: XX XX XX", USEC being the JACK clock (a monotonic clock of the system)
// when the cycle that delivered it ran, plus the message's offset in that
// cycle. Unlike frame counts, these times follow the wall clock even when a
// dummy-driver server misses or bunches cycles. A message that a cycle
// starting more than half a period late delivered ends with " late": the
// server, not the sender, made it late.
#include <jack/jack.h>
#include <jack/midiport.h>

#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Message {
    jack_time_t usec;
    unsigned char bytes[3];
    size_t size;
    bool lateCycle;
};

jack_client_t* client = nullptr;
jack_port_t* input = nullptr;
std::mutex mutex;
std::vector<Message> messages;
jack_time_t previousCycle = 0;
volatile std::sig_atomic_t stop = 0;

int Process(jack_nframes_t frames, void*) {
    void* buffer = jack_port_get_buffer(input, frames);
    const jack_time_t now = jack_get_time();
    const jack_nframes_t rate = jack_get_sample_rate(client);
    const jack_time_t periodUs = jack_time_t{frames} * 1000000 / rate;
    const bool late = previousCycle != 0 && now - previousCycle > periodUs * 3 / 2;
    previousCycle = now;
    const uint32_t count = jack_midi_get_event_count(buffer);
    std::lock_guard<std::mutex> lock(mutex);
    for (uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0) {
            continue;
        }
        Message m{now + jack_time_t{event.time} * 1000000 / rate, {0, 0, 0}, 0, late};
        for (; m.size < event.size && m.size < 3; ++m.size) {
            m.bytes[m.size] = event.buffer[m.size];
        }
        messages.push_back(m);
    }
    return 0;
}

void Stop(int) {
    stop = 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: midi_capture CLIENT OUT\n");
        return 64;
    }
    client = jack_client_open(argv[1], JackNoStartServer, nullptr);
    if (client == nullptr) {
        std::fprintf(stderr, "midi_capture: no JACK server\n");
        return 1;
    }
    input = jack_port_register(client, "input", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    messages.reserve(1 << 20);
    jack_set_process_callback(client, Process, nullptr);
    std::signal(SIGINT, Stop);
    std::signal(SIGTERM, Stop);
    if (input == nullptr || jack_activate(client) != 0) {
        return 1;
    }
    while (stop == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    jack_deactivate(client);
    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
        return 1;
    }
    for (const Message& m : messages) {
        std::fprintf(out, "%llu:", static_cast<unsigned long long>(m.usec));
        for (size_t i = 0; i < m.size; ++i) {
            std::fprintf(out, " %02x", m.bytes[i]);
        }
        std::fprintf(out, m.lateCycle ? " late\n" : "\n");
    }
    std::fclose(out);
    jack_client_close(client);
    return 0;
}
