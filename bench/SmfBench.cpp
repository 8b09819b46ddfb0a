// Loading and saving a song that fills the tables: 32 tracks of 7000
// overlapping notes (running status, note-offs written both as 0x80 and as
// 0x90 with velocity 0), 498 tempo changes, 4998 controller events, 498
// program changes and 2998 lyrics, made here in memory. Each runs with the
// indexed note pairing and event ordering and with the plain scans they
// replace. Then a real-sized song that holds 50 000 events the tables do
// not (pitch bends and controllers), loaded, saved and played step by step.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "CapacitySong.h"
#include "platform/midi/NullOut.h"
#include "playback/PlaybackEngine.h"
#include "smf/Progress.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "song/KeptEvents.h"
#include "song/Song.h"

namespace {

using namespace tw::bench;

bool Full() {
    for (int t = 0; t < tw::kTracks; ++t) {
        if (tw::sd.noteCount[t] != kNotes) {
            return false;
        }
    }
    return tw::sd.tempoTotal == kTempos + 1 && tw::sd.eventTotal == kControllers &&
           tw::sd.pgmTotal == kPrograms && tw::sd.lyricTotal == kLyrics;
}

int Load(tw::ScanMode mode) {
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    tw::SetDefaults();
    return tw::LoadBytes(CapacitySong(), reporter, progress, mode);
}

void LoadCapacitySong(benchmark::State& state) {
    const auto mode = static_cast<tw::ScanMode>(state.range(0));
    for (auto _ : state) {
        if (Load(mode) != 0) {
            state.SkipWithError("the capacity song did not load");
            return;
        }
    }
    if (!Full()) {
        state.SkipWithError("the capacity song did not fill the tables");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * CapacitySong().size()));
}

// Saves the loaded song over and over.
void SaveLoaded(benchmark::State& state, tw::ScanMode mode, const char* failure) {
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    Bytes out;
    for (auto _ : state) {
        if (tw::SaveBytes(out, reporter, progress, mode) != 0) {
            state.SkipWithError(failure);
            return;
        }
    }
    state.counters["bytes_written"] = static_cast<double>(out.size());
}

void SaveCapacitySong(benchmark::State& state) {
    const auto mode = static_cast<tw::ScanMode>(state.range(0));
    if (Load(tw::ScanMode::Indexed) != 0 || !Full()) {
        state.SkipWithError("the capacity song did not load");
        return;
    }
    SaveLoaded(state, mode, "the capacity song did not save");
}

constexpr uint32_t kKeptTracks = 8;
constexpr uint32_t kKeptPerTrack = 6250;

// Eight tracks of 447 notes, each note under a sweep of pitch bends with a
// modulation and a sustain controller in running status: 50 000 kept events
// over some two minutes at 120 BPM.
const Bytes& KeptSong() {
    static const Bytes song = [] {
        Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, kKeptTracks, 0, 192};
        for (uint32_t t = 0; t < kKeptTracks; ++t) {
            Bytes data;
            const auto channel = static_cast<uint8_t>(t);
            for (uint32_t kept = 0; kept < kKeptPerTrack;) {
                const auto key = static_cast<uint8_t>(48 + kept % 24);
                data.insert(data.end(), {0, static_cast<uint8_t>(0x90 | channel), key, 90});
                data.insert(data.end(),
                            {0, static_cast<uint8_t>(0xB0 | channel), 1, 40, 0, 64, 127});
                kept += 3;
                // Twelve bends eight ticks apart, the status byte once.
                data.insert(data.end(), {0, static_cast<uint8_t>(0xE0 | channel), 0, 0x40});
                for (int b = 1; b < 12 && kept < kKeptPerTrack; ++b, ++kept) {
                    data.insert(data.end(), {8, static_cast<uint8_t>(b * 8), 0x40});
                }
                data.insert(data.end(), {0, static_cast<uint8_t>(0x80 | channel), key, 0});
            }
            data.insert(data.end(), {0, 0xFF, 0x2F, 0});
            const uint32_t n = static_cast<uint32_t>(data.size());
            file.insert(file.end(), {'M', 'T', 'r', 'k', static_cast<uint8_t>(n >> 24),
                                     static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8),
                                     static_cast<uint8_t>(n)});
            file.insert(file.end(), data.begin(), data.end());
        }
        return file;
    }();
    return song;
}

bool LoadKept() {
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    tw::SetDefaults();
    return tw::LoadBytes(KeptSong(), reporter, progress) == 0 &&
           tw::kept.Total() == kKeptTracks * kKeptPerTrack;
}

void LoadKeptSong(benchmark::State& state) {
    for (auto _ : state) {
        if (!LoadKept()) {
            state.SkipWithError("the song with kept events did not load whole");
            return;
        }
    }
}

void SaveKeptSong(benchmark::State& state) {
    if (!LoadKept()) {
        state.SkipWithError("the song with kept events did not load whole");
        return;
    }
    SaveLoaded(state, tw::ScanMode::Indexed, "the song with kept events did not save");
}

// The whole song played in 10 ms steps; the counter is the 99th percentile
// of one step's work in milliseconds.
void PlayKeptSong(benchmark::State& state) {
    if (!LoadKept()) {
        state.SkipWithError("the song with kept events did not load whole");
        return;
    }
    tw::sd.barTicks = 768;
    tw::sd.staffBars = 2;
    tw::midi::NullOut port;
    tw::SilentReporter reporter;
    uint32_t clockMs = 0;
    tw::PlaybackEngine engine(
        port, reporter, [](uint32_t, uint32_t) {}, [&] { return clockMs; });
    std::vector<double> steps;
    for (auto _ : state) {
        tw::sd.bar = 0;
        tw::sd.now = 0;
        engine.Step();
        (void)engine.PlayAll(false);
        while (engine.Playing()) {
            clockMs += 10;
            const auto start = std::chrono::steady_clock::now();
            engine.Step();
            steps.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
    }
    std::sort(steps.begin(), steps.end());
    state.counters["step_p99_ms"] = steps.empty() ? 0 : steps[steps.size() * 99 / 100];
    state.counters["steps"] = static_cast<double>(steps.size());
}

BENCHMARK(LoadKeptSong)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveKeptSong)->Unit(benchmark::kMillisecond);
BENCHMARK(PlayKeptSong)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(LoadCapacitySong)->ArgName("plain")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveCapacitySong)->ArgName("plain")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!tw::Startup()) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tw::Shutdown();
    return 0;
}
