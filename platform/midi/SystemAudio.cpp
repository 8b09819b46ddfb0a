#include "platform/midi/SystemAudio.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <mutex>

namespace tw::midi {

namespace {

void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void QuietJack(const char*) {}

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
    jack_client_t* client = jack_client_open("tunewell-probe", JackNoStartServer, &status);
    if (client == nullptr) {
        return false;
    }
    jack_client_close(client);
    return true;
}

}  // namespace tw::midi
