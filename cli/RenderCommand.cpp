// tunewell-cli render FILE OUT.wav [--rate HZ]: the song through the built-in
// synthesizer into a WAV file, offline and much faster than real time.

#include <chrono>
#include <cstdio>
#include <cstring>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/Operand.h"
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
    uint32_t rateHz = kDefaultRateHz;
};

bool ParseRender(Operands operands, RenderOptions& options) {
    for (std::size_t i = 0; i < operands.size(); ++i) {
        const char* arg = operands[i];
        if (std::strcmp(arg, "--rate") == 0 && i + 1 < operands.size()) {
            if (!ParseNumber(operands[++i], UINT32_MAX, options.rateHz)) {
                return false;
            }
        } else if (options.file == nullptr && arg[0] != '-') {
            options.file = arg;
        } else if (options.out == nullptr && arg[0] != '-') {
            options.out = arg;
        } else {
            return false;
        }
    }
    return options.out != nullptr;
}

const char* RenderFailureText(int code) {
    switch (code) {
        case midi::kNoSoundFont:
            return midi::kNoSoundFontText;
        case midi::kSoundFontUnreadable:
            return "the SoundFont could not be read";
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
    const auto start = std::chrono::steady_clock::now();
    SongRenderer renderer(reporter);
    const int code = renderer.Render(midi::FindSoundFont(), options.rateHz, options.out);
    if (code != kRendered) {
        std::fprintf(stderr, "tunewell-cli: cannot render %s: %s\n", options.out,
                     RenderFailureText(code));
        return kExitPortError;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("Rendered %.2f s of sound to %s in %.2f s (%.0f x real time)\n",
                renderer.AudioSeconds(), options.out, took.count(),
                renderer.AudioSeconds() / std::max(took.count(), 1e-6));
    return kExitOk;
}

}  // namespace tw::cli
