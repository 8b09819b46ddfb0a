// The undo history on the capacity song: 100 Paste Track steps of 7000
// notes each, then every one undone and redone. Prints the time an edit
// spends recording its step, each undo and redo at the median and worst,
// and the history's memory.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "CapacitySong.h"
#include "smf/Progress.h"
#include "smf/SmfReader.h"
#include "song/Clipboard.h"
#include "song/Edits.h"
#include "song/Song.h"
#include "song/UndoHistory.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

template <typename Edit>
double Timed(Edit edit) {
    const auto start = Clock::now();
    edit();
    return Ms(Clock::now() - start);
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-26s median %.3f ms, max %.3f ms\n", what, ms[ms.size() / 2], ms.back());
}

}  // namespace

int main() {
    if (!tw::Startup()) {
        return 1;
    }
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    if (tw::LoadBytes(tw::bench::CapacitySong(), reporter, progress, tw::ScanMode::Indexed) != 0) {
        std::fprintf(stderr, "the capacity song did not load\n");
        return 1;
    }
    tw::History().Clear();
    std::vector<double> paste, plain, undo, redo;
    for (int step = 0; step < 100; ++step) {
        tw::sd.track = static_cast<uint8_t>(step % tw::kTracks);
        (void)tw::CopyTrack();
        tw::sd.track = static_cast<uint8_t>((step + 1) % tw::kTracks);
        paste.push_back(Timed([] { (void)tw::PasteWholeTrack(); }));
        plain.push_back(Timed([] { (void)tw::PasteTrack(); }));  // the same paste, unrecorded
    }
    const std::size_t bytes = tw::History().Bytes();
    while (tw::History().CanUndo()) {
        undo.push_back(Timed([] { (void)tw::History().Undo(); }));
    }
    while (tw::History().CanRedo()) {
        redo.push_back(Timed([] { (void)tw::History().Redo(); }));
    }
    Report("Paste Track, recorded", paste);
    Report("Paste Track, unrecorded", plain);
    Report("Undo of Paste Track", undo);
    Report("Redo of Paste Track", redo);
    std::printf("history after %zu steps: %.1f MiB (bound %zu MiB)\n", tw::History().Steps(),
                static_cast<double>(bytes) / (1 << 20), tw::UndoHistory::kMaxBytes >> 20);
    tw::Shutdown();
    return 0;
}
