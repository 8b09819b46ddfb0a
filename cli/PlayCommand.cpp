// tunewell-cli play FILE [--port N] [--from BAR]: plays a song through a MIDI
// port in real time, stepped by the same playback side as the window's. Ctrl-C
// stops like the Stop button.

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/Operand.h"
#include "cli/SongText.h"
#include "platform/midi/Outputs.h"
#include "platform/midi/SoundFont.h"
#include "playback/Config.h"
#include "playback/NotificationQueue.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackThread.h"
#include "song/BarTick.h"
#include "song/SongLock.h"

namespace tw::cli {
namespace {

// How often the terminal follows the run, as the window's timer does.
constexpr auto kFollow = std::chrono::milliseconds(10);

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

struct PlayOptions {
    const char* file = nullptr;
    bool portGiven = false;
    uint32_t port = 0;
    uint32_t fromBar = 0;
};

bool ParsePlay(Operands operands, PlayOptions& options) {
    OperandReader args("play", operands, {"FILE"});
    while (args.Next()) {
        bool ok = true;
        if (args.Is("--port")) {
            ok = args.Number(0, UINT32_MAX, "a port number (see tunewell-cli ports)", options.port);
            options.portGiven = true;
        } else if (args.Is("--from")) {
            ok = args.Number(0, UINT32_MAX, "a bar number from 0", options.fromBar);
        } else {
            ok = args.Positional();
        }
        if (!ok) {
            return false;
        }
    }
    options.file = args.Complete() ? args[0] : nullptr;
    return options.file != nullptr;
}

// The port the options choose, else the one tw.cfg in the working directory
// chooses, else the mapper.
void ChoosePort(const PlayOptions& options) {
    SetWorkingPaths();
    SetPortDefaults();
    static_cast<void>(ReadConfig(ConfigFileName, md));
    if (options.portGiven) {
        md.portDevice = options.port;
    }
}

void ReportUnopenedPort() {
    if (md.portDevice == midi::kMapper) {
        std::fprintf(stderr, "tunewell-cli: cannot open the Midi Mapper: %s\n",
                     midi::FindSoundFont().empty()
                         ? midi::kNoSoundFontText
                         : "no audio output would open (tried PipeWire, PulseAudio, JACK, ALSA)");
        return;
    }
    const std::size_t devices = midi::OutputDeviceNames().size();
    if (md.portDevice >= devices) {
        std::fprintf(stderr,
                     "tunewell-cli: cannot open MIDI port %u: there are %zu output devices "
                     "(see tunewell-cli ports)\n",
                     md.portDevice, devices);
    } else {
        std::fprintf(stderr, "tunewell-cli: cannot open MIDI port %u\n", md.portDevice);
    }
}

uint32_t WallClockMs() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

// The song position on one terminal line, rewritten as it moves, and what
// the engine had to say; read under the song lock, which the playback side
// holds while it moves the position.
void Follow(NotificationQueue& queue, Reporter& reporter) {
    bool moved = false;
    for (const NotificationQueue::Entry& entry : queue.Take()) {
        if (entry.kind == NotificationQueue::Kind::Message) {
            reporter.ShowMessage(entry.text.c_str(), entry.caption.c_str());
        }
        moved = moved || (entry.kind == NotificationQueue::Kind::Notification &&
                          (entry.code == kPageChange || entry.code == kTimeTick));
    }
    if (moved && isatty(STDOUT_FILENO) == 1) {
        const SongLock lock;
        std::printf("\rBar %04u  %s ", sd.bar, BarTick(sd.now, sd.barTicks).c_str());
        std::fflush(stdout);
    }
}

// Follows the run until it ends or the user interrupts; true when it ran to
// the end.
bool RunToEnd(PlaybackEngine& engine, NotificationQueue& queue, Reporter& reporter) {
    PlaybackThread side(engine, WallClockMs);
    side.Wake();
    bool interrupted = false;
    for (bool playing = true; playing;) {
        std::this_thread::sleep_for(kFollow);
        {
            const SongLock lock;
            if (stopRequested != 0 && engine.Playing()) {
                engine.SetStopMode();
                interrupted = true;
            }
            playing = engine.Playing();
        }
        Follow(queue, reporter);
    }
    return !interrupted;
}

}  // namespace

int PlayCommand(Operands operands) {
    PlayOptions options;
    if (!ParsePlay(operands, options)) {
        return kExitUsage;
    }
    CliReporter reporter;
    if (!LoadSong(options.file, reporter)) {
        return kExitLoadError;
    }
    const uint64_t startTime = uint64_t{options.fromBar} * sd.barTicks;
    if (startTime > sd.songEnd) {
        std::fprintf(stderr, "tunewell-cli: bar %u is past the end of the song (bar %u)\n",
                     options.fromBar, sd.songEnd / sd.barTicks);
        return kExitFailure;
    }
    ChoosePort(options);
    OpenMidiOut();
    if (md.portOpen == 0) {
        ReportUnopenedPort();
        return kExitPortError;
    }
    NotificationQueue queue;
    PlaybackEngine engine(
        Port(), queue, [&queue](uint32_t code, uint32_t value) { queue.Push(code, value); },
        WallClockMs);
    stopRequested = 0;
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    engine.GetCtTime();  // the clock starts at the run's first moment
    sd.bar = options.fromBar;
    sd.now = static_cast<uint32_t>(startTime);
    sd.markTime = sd.now;
    Port().SetSendTime(MillisecondStartNs());  // the positioning, at the song clock's start
    static_cast<void>(engine.PlayAll(true));
    Port().SetSendTime(0);
    const bool finished = RunToEnd(engine, queue, reporter);
    CloseMidiOut();
    if (isatty(STDOUT_FILENO) == 1) {
        std::printf("\n");
    }
    return finished ? kExitOk : kExitInterrupted;
}

}  // namespace tw::cli
