#pragma once

#include <string>

namespace tw::midi {

// Keeps the ALSA and JACK libraries from printing on the terminal. Their
// failures reach the program as results; a machine without a sequencer or a
// JACK server simply has no devices. Safe to call more than once.
void SilenceSystemAudio();

// True when the ALSA sequencer can be opened for output.
[[nodiscard]] bool AlsaSequencerAvailable();

// True when a JACK server runs (the one JACK_DEFAULT_SERVER names, else the
// default). Never starts one.
[[nodiscard]] bool JackServerRunning();

// Waits, a second at most, until the JACK port `target` has a connection and
// the server has run two periods since, so that the next message sent to it
// arrives: a new connection takes effect only with the server's next graph.
// Returns the server's period in microseconds, 0 without a server.
long long AwaitJackConnection(const std::string& target);

}  // namespace tw::midi
