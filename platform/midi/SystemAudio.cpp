#include "platform/midi/SystemAudio.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace tw::midi {

namespace {

void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void QuietJack(const char*) {}

// JACK names a client's sockets by the client's name alone, whatever the
// server; the process id keeps probes of programs on different servers apart.
std::string ProbeName() {
    return "tunewell-probe-" + std::to_string(getpid());
}

}  // namespace

void SilenceSystemAudio() {
    static std::once_flag once;
    std::call_once(once, [] {
        snd_lib_error_set_handler(QuietAlsa);
        jack_set_error_function(QuietJack);
        jack_set_info_function(QuietJack);
    });
}

bool AlsaSequencerAvailable() {
    SilenceSystemAudio();
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
        return false;
    }
    snd_seq_close(seq);
    return true;
}

bool JackServerRunning() {
    SilenceSystemAudio();
    jack_status_t status{};
    jack_client_t* client = jack_client_open(ProbeName().c_str(), JackNoStartServer, &status);
    if (client == nullptr) {
        return false;
    }
    jack_client_close(client);
    return true;
}

long long AwaitJackConnection(const std::string& target) {
    SilenceSystemAudio();
    jack_client_t* client = jack_client_open(ProbeName().c_str(), JackNoStartServer, nullptr);
    if (client == nullptr) {
        return 0;
    }
    const jack_port_t* port = jack_port_by_name(client, target.c_str());
    for (int i = 0; port != nullptr && i < 100 && jack_port_connected(port) == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto periodUs = 1000000LL * jack_get_buffer_size(client) / jack_get_sample_rate(client);
    jack_client_close(client);
    std::this_thread::sleep_for(std::chrono::microseconds(2 * periodUs));
    return periodUs;
}

}  // namespace tw::midi
