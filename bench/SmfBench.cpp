// Loading and saving a song that fills the tables: 32 tracks of 7000
// overlapping notes (running status, note-offs written both as 0x80 and as
// 0x90 with velocity 0), 498 tempo changes, 4998 controller events, 498
// program changes and 2998 lyrics, made here in memory. Each runs with the
// indexed note pairing and event ordering and with the plain scans they
// replace.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "CapacitySong.h"
#include "smf/Progress.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
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

void SaveCapacitySong(benchmark::State& state) {
    const auto mode = static_cast<tw::ScanMode>(state.range(0));
    if (Load(tw::ScanMode::Indexed) != 0 || !Full()) {
        state.SkipWithError("the capacity song did not load");
        return;
    }
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    Bytes out;
    for (auto _ : state) {
        if (tw::SaveBytes(out, reporter, progress, mode) != 0) {
            state.SkipWithError("the capacity song did not save");
            return;
        }
    }
    state.counters["bytes_written"] = static_cast<double>(out.size());
}

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
