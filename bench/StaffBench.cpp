// Repainting one staff page of the densest track into an offscreen image:
// 7000 notes in time order, every thirty-second of the page a chord with
// ledger lines above and below, every note type, dots, sharps and flats.
// Run
//   QT_QPA_PLATFORM=offscreen build/bench/staff_bench
// (onepage:0 spreads the 7000 notes over eleven pages, chords of 10, and
// paints one from the middle; onepage:1 puts all 7000 on the painted page.)

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>

#include "platform/ui/Window.h"
#include "song/Song.h"
#include "staff/Staff.h"

namespace {

// Staff positions from C8's ledger lines down to A0's, spread over both staves.
constexpr uint8_t kChordLines[] = {2, 8, 13, 17, 22, 28, 32, 37, 43, 49};

void FillTrack(bool onePage) {
    tw::SetDefaults();
    const uint32_t slotTicks = 24;  // a thirty-second at division 192
    const uint32_t perSlot = onePage ? tw::kNotesPerTrack / 64 + 1 : std::size(kChordLines);
    for (uint32_t i = 0; i < tw::kNotesPerTrack; ++i) {
        const uint32_t slot = i / perSlot;
        tw::displaydata& n = tw::dd[0][i];
        n = tw::displaydata{};
        n.start = slot * slotTicks;
        n.end = n.start + slotTicks;
        n.line = static_cast<uint8_t>(kChordLines[i % std::size(kChordLines)] + slot % 3);
        n.type = static_cast<uint8_t>(slot % 6);
        n.dotted = slot % 2;
        n.accidental = static_cast<int32_t>(i % 3) - 1;
    }
    tw::sd.noteCount[0] = tw::kNotesPerTrack;
    // The middle page of the spread track (notes to tick ~16800); the one
    // page of the other.
    tw::sd.bar = onePage ? 0 : 10;
}

void PaintDensestPage(benchmark::State& state) {
    if (!tw::Startup()) {
        state.SkipWithError("no memory for the tables");
        return;
    }
    FillTrack(state.range(0) != 0);
    {
        tw::ui::Window host(nullptr, "staff bench");
        host.MoveWindow(0, 0, 800, 160);
        auto* staff = new tw::Staff(&host, 720, 4, 2, 792, 155);
        if (!host.Create()) {
            state.SkipWithError("no window");
            return;
        }
        staff->Refresh();
        for (auto _ : state) {
            benchmark::DoNotOptimize(staff->PaintToImage());
        }
    }
    tw::Shutdown();
}

}  // namespace

BENCHMARK(PaintDensestPage)->ArgName("onepage")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
