#pragma once

#include <cstdint>
#include <string>

#include "platform/midi/Synth.h"
#include "smf/Progress.h"
#include "song/Reporter.h"

namespace tw {

// Results of a render; the synthesizer's own codes (midi::kNoSoundFont ...)
// come through unchanged.
inline constexpr int kRendered = 0;
inline constexpr int kRenderCannotWrite = 10;  // the WAV file could not be written
inline constexpr int kRenderTooLong = 11;      // more sound than a WAV file can hold

// Seconds of release tail rendered after the song ends.
inline constexpr uint32_t kRenderTailMs = 2000;

// Plays the song in the tables through the built-in synthesizer offline:
// the playback engine runs from the start to the song end in simulated 10 ms
// steps, the synthesizer renders the sound between them, and the release
// tail follows. The same song and settings give the same file.
class SongRenderer {
public:
    explicit SongRenderer(Reporter& reporter) : reporter_(reporter) {}

    // The synthesizer's master gain for the next Render.
    void SetGain(float gain) { gain_ = gain; }
    // Told the percentage of the song rendered as the render goes.
    void SetProgress(Progress& progress) { progress_ = &progress; }

    [[nodiscard]] int Render(const std::string& soundFont, uint32_t sampleRateHz,
                             const std::string& wavPath);

    // Length of the sound written by the last Render, in seconds.
    [[nodiscard]] double AudioSeconds() const { return audioSeconds_; }
    // The loudest sample of the last Render (1.0 is full scale) and how
    // many samples went past full scale and were cut.
    [[nodiscard]] float Peak() const { return peak_; }
    [[nodiscard]] uint64_t ClippedSamples() const { return clipped_; }

private:
    Reporter& reporter_;
    NoProgress noProgress_;
    Progress* progress_ = &noProgress_;
    float gain_ = midi::kDefaultGain;
    double audioSeconds_ = 0;
    float peak_ = 0;
    uint64_t clipped_ = 0;
};

}  // namespace tw
