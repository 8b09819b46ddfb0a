// Repainting the lyric strip for a page that holds 200 syllables, offscreen,
// through the same Paint as the screen. Run
//   QT_QPA_PLATFORM=offscreen build/bench/lyric_bench

#include <benchmark/benchmark.h>

#include <cstdio>

#include "lyrics/LyricBar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "song/Song.h"

namespace {

using namespace tw;

class Host : public ui::Window {
public:
    Host() : Window(nullptr, "lyric bench") { MoveWindow(0, 0, 800, 40); }
};

// A full table of lyrics with 200 of them, spread over two tracks, on the
// page of bar 100.
void FillLyrics() {
    sd.bar = 100;
    const uint32_t pageStart = sd.bar * sd.barTicks;
    for (uint32_t i = 0; i < kLyricsAllocated; ++i) {
        lyric& l = lcd[i];
        const bool onPage = i >= 1000 && i < 1400;
        l.time = onPage ? pageStart + (i - 1000) * (sd.barTicks * sd.staffBars / 400)
                        : (i < 1000 ? i * 19 : pageStart + sd.barTicks * sd.staffBars + i);
        l.track = i % 2;
        std::snprintf(l.text, sizeof l.text, i % 7 == 0 ? "/syl%u-" : "%ula", i);
        ++sd.lyricCount[l.track];
    }
    sd.lyricTotal = kLyricsAllocated;
}

// state.range(0): 1 the full page, 0 an empty strip (the cost of the paint
// itself).
void BM_LyricStripPageOf200Syllables(benchmark::State& state) {
    if (!Startup()) {
        state.SkipWithError("no memory");
        return;
    }
    if (state.range(0) == 1) {
        FillLyrics();
    }
    {
        Host host;
        auto* bar = new LyricBar(&host, 621, 4, 0, 792, 40);
        if (!host.Create()) {
            state.SkipWithError("no window");
            return;
        }
        for (auto _ : state) {
            benchmark::DoNotOptimize(bar->PaintToImage());
        }
    }
    Shutdown();
}
BENCHMARK(BM_LyricStripPageOf200Syllables)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    tw::ui::Application::EnsureStarted();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
