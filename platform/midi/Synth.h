#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/midi/MidiOut.h"

namespace tw::midi {

// Results of opening the synthesizer.
inline constexpr int kSynthOpened = 0;
inline constexpr int kNoSoundFont = 1;          // none found on the system
inline constexpr int kSoundFontUnreadable = 2;  // found, but FluidSynth refused it
inline constexpr int kNoAudioOutput = 3;        // no audio driver would open
inline constexpr int kBadSampleRate = 4;        // outside what the synthesizer renders
inline constexpr int kSynthUnavailable = 5;     // FluidSynth could not be set up

// The synthesizer's master gain, from 0 to 10. FluidSynth's own default of
// 0.2 lets dense songs pass full scale and clip: 96 notes at once at velocity
// 127 and volume 127 on 16 channels peak at +7.6 dBFS with it, and at
// -0.3 dBFS with this gain, while a five-channel band at velocity 100 peaks
// near -23 dBFS.
inline constexpr float kDefaultGain = 0.08f;
inline constexpr float kMaxGain = 10.0f;

// The built-in General MIDI synthesizer: FluidSynth with the system's
// SoundFont. Live, it is the "Midi Mapper" and plays through the first audio
// driver that opens; offline, it renders frames on demand for `render`.
// The output volume is a pair of gains on its output, left and right.
class Synth final : public MidiOut {
public:
    // Live: tries PipeWire, PulseAudio, JACK (only while a server runs) and
    // ALSA in that order. Null with the reason in `result` when it fails.
    [[nodiscard]] static std::unique_ptr<Synth> OpenLive(int& result);

    // Offline: no audio driver; Render produces the sound.
    [[nodiscard]] static std::unique_ptr<Synth> OpenOffline(uint32_t sampleRateHz,
                                                            const std::string& soundFont,
                                                            int& result);

    ~Synth() override;

    void Send(uint32_t msg) override;
    void SendSysEx(std::span<const uint8_t> message) override;
    // Sustain off on all sixteen channels, then every note off at once; the
    // notes fade with their release as on a real instrument.
    void Reset() override;
    [[nodiscard]] bool GetVolume(uint32_t& volume) override;
    [[nodiscard]] bool SetVolume(uint32_t volume) override;

    // The master gain, 0 to kMaxGain (kDefaultGain until set).
    void SetGain(float gain);

    // Offline only: synthesizes `frames` stereo frames into `interleaved`
    // (left, right, left, ...), 16-bit, with the volume gains applied.
    void Render(uint32_t frames, int16_t* interleaved);

    // Of everything Render produced: the largest sample before it was cut
    // to 16 bits (1.0 is full scale), and how many samples were cut.
    [[nodiscard]] float Peak() const;
    [[nodiscard]] uint64_t ClippedSamples() const;

    // The audio driver a live synthesizer plays through ("pulseaudio", ...);
    // empty offline.
    [[nodiscard]] const std::string& Driver() const;

    struct Engine;
    explicit Synth(std::unique_ptr<Engine> engine);

private:
    std::unique_ptr<Engine> engine_;
};

}  // namespace tw::midi
