// tunewell-cli render FILE OUT.wav [--rate HZ] [--gain G] [--soundfont SF2]:
// the song through the built-in synthesizer into a WAV file, offline and much
// faster than real time.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/Operand.h"
#include "cli/TerminalProgress.h"
#include "platform/midi/SoundFont.h"
#include "platform/midi/Synth.h"
#include "playback/SongRenderer.h"
#include "song/Song.h"

namespace tw::cli {
namespace {

constexpr uint32_t kDefaultRateHz = 44100;

struct RenderOptions {
    const char* file = nullptr;
    const char* out = nullptr;
    const char* soundFont = nullptr;  // the system's when not given
    uint32_t rateHz = kDefaultRateHz;
    double gain = midi::kDefaultGain;
};

bool ParseRender(Operands operands, RenderOptions& options) {
    OperandReader args("render", operands, {"FILE", "OUT.wav"});
    while (args.Next()) {
        bool ok = true;
        if (args.Is("--rate")) {
            ok = args.Number(1, UINT32_MAX, "a sample rate in Hz (8000 to 96000)", options.rateHz);
        } else if (args.Is("--gain")) {
            ok = args.Decimal(0, midi::kMaxGain, "a gain from 0 to 10", options.gain);
        } else if (args.Is("--soundfont")) {
            ok = args.Text(options.soundFont);
        } else {
            ok = args.Positional();
        }
        if (!ok) {
            return false;
        }
    }
    if (!args.Complete() || !args.DistinctOutput(0, 1)) {
        return false;
    }
    options.file = args[0];
    options.out = args[1];
    if (options.soundFont != nullptr && SameFile(options.soundFont, options.out)) {
        return args.Refuse(std::string("OUT.wav \"") + options.out +
                           "\" is the SoundFont itself; it would be overwritten. Choose another "
                           "OUT.wav");
    }
    return true;
}

const char* RenderFailureText(int code) {
    switch (code) {
        case midi::kNoSoundFont:
            return midi::kNoSoundFontText;
        case midi::kSoundFontUnreadable:
            return "the SoundFont could not be read (not a SoundFont 2 or 3 file?)";
        case midi::kBadSampleRate:
            return "the synthesizer renders 8000 to 96000 Hz only";
        case kRenderTooLong:
            return "the song is too long for a WAV file";
        case kRenderCannotWrite:
            return "the WAV file could not be written";
        default:
            return "the synthesizer could not be set up";
    }
}

}  // namespace

int RenderCommand(Operands operands) {
    RenderOptions options;
    if (!ParseRender(operands, options)) {
        return kExitUsage;
    }
    CliReporter reporter;
    if (!LoadSong(options.file, reporter)) {
        return kExitLoadError;
    }
    const std::string soundFont =
        options.soundFont != nullptr ? options.soundFont : midi::FindSoundFont();
    const auto start = std::chrono::steady_clock::now();
    SongRenderer renderer(reporter);
    TerminalProgress progress;
    renderer.SetGain(static_cast<float>(options.gain));
    renderer.SetProgress(progress);
    const int code = renderer.Render(soundFont, options.rateHz, options.out);
    if (code != kRendered) {
        std::fprintf(stderr, "tunewell-cli: cannot render %s: %s%s%s\n", options.out,
                     RenderFailureText(code),
                     soundFont.empty() ? "" : "; SoundFont: ", soundFont.c_str());
        return kExitPortError;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("Rendered %.2f s of sound to %s in %.2f s (%.0f x real time)\n",
                renderer.AudioSeconds(), options.out, took.count(),
                renderer.AudioSeconds() / std::max(took.count(), 1e-6));
    std::printf("SoundFont %s, gain %.3g, peak %.1f dBFS\n", soundFont.c_str(), options.gain,
                20.0 * std::log10(std::max<double>(renderer.Peak(), 1e-5)));
    if (renderer.ClippedSamples() != 0) {
        std::fprintf(stderr,
                     "%s: %llu samples went past full scale and were clipped; render again with "
                     "a lower --gain than %.3g\n",
                     options.out, static_cast<unsigned long long>(renderer.ClippedSamples()),
                     options.gain);
    }
    return kExitOk;
}

}  // namespace tw::cli
