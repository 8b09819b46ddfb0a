#pragma once

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

}  // namespace tw::midi
