#include "playback/SongRenderer.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/midi/Synth.h"
#include "playback/PlaybackEngine.h"
#include "playback/WavFile.h"

namespace tw {

namespace {

constexpr uint32_t kStepMs = 10;

// Renders the sound up to a point of the simulated clock.
class Sound {
public:
    Sound(midi::Synth& synth, WavFile& wav, uint32_t rate)
        : synth_(synth), wav_(wav), rate_(rate) {}

    [[nodiscard]] int RenderUntil(uint64_t clockMs) {
        const uint64_t target = clockMs * rate_ / 1000;
        const uint64_t frames = target - rendered_;
        if (!wav_.Fits(frames)) {
            return kRenderTooLong;
        }
        buffer_.resize(frames * 2);
        synth_.Render(static_cast<uint32_t>(frames), buffer_.data());
        rendered_ = target;
        return wav_.Write(buffer_.data(), static_cast<uint32_t>(frames)) ? kRendered
                                                                         : kRenderCannotWrite;
    }

private:
    midi::Synth& synth_;
    WavFile& wav_;
    uint64_t rate_;
    uint64_t rendered_ = 0;
    std::vector<int16_t> buffer_;
};

// Plays the whole song with the simulated clock, the sound of each 10 ms
// rendered before the step at its end, then the release tail. What a step
// sends is heard from the step's moment on.
int PlaySong(PlaybackEngine& engine, Sound& sound, uint64_t& clockMs, Progress& progress) {
    sd.bar = 0;
    sd.now = 0;
    engine.GetCtTime();  // the clock starts at the run's first moment
    static_cast<void>(engine.PlayAll(false));
    int status = kRendered;
    progress.Open("Rendering");
    while (engine.Playing() && status == kRendered) {
        clockMs += kStepMs;
        status = sound.RenderUntil(clockMs);
        engine.Step();
        progress.Update(sd.songEnd == 0
                            ? 100
                            : static_cast<int>(100.0 * std::min(sd.now, sd.songEnd) / sd.songEnd));
    }
    progress.Close();
    if (engine.Playing()) {
        engine.SetStopMode();
    }
    return status == kRendered ? sound.RenderUntil(clockMs + kRenderTailMs) : status;
}

}  // namespace

int SongRenderer::Render(const std::string& soundFont, uint32_t sampleRateHz,
                         const std::string& wavPath) {
    audioSeconds_ = 0;
    peak_ = 0;
    clipped_ = 0;
    int result = midi::kSynthOpened;
    std::unique_ptr<midi::Synth> synth = midi::Synth::OpenOffline(sampleRateHz, soundFont, result);
    if (synth == nullptr) {
        return result;
    }
    WavFile wav;
    if (!wav.Open(wavPath, sampleRateHz)) {
        return kRenderCannotWrite;
    }
    uint64_t clockMs = 0;
    PlaybackEngine engine(
        *synth, reporter_,
        [](uint32_t, uint32_t) {},
        [&clockMs] { return static_cast<uint32_t>(clockMs); });
    synth->SetGain(gain_);
    Sound sound(*synth, wav, sampleRateHz);
    const int status = PlaySong(engine, sound, clockMs, *progress_);
    peak_ = synth->Peak();
    clipped_ = synth->ClippedSamples();
    if (status != kRendered) {
        return status;
    }
    audioSeconds_ = static_cast<double>(wav.Frames()) / sampleRateHz;
    return wav.Finish() ? kRendered : kRenderCannotWrite;
}

}  // namespace tw
