// File Open of a song that fills every table, through the menu command
// into the main window, headless: the command, the reading, the progress
// dialog, the main window's new start and its repaint; and one repaint of
// the whole panel with that song open. Run
//   QT_QPA_PLATFORM=offscreen build/bench/app_bench

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "CapacityApp.h"
#include "app/Commands.h"
#include "app/SDIDecFrame.h"
#include "app/tw32App.h"
#include "mainwin/tw32Window.h"
#include "platform/midi/RecordingOut.h"
#include "platform/ui/Application.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalRunner.h"
#include "playback/MidiPort.h"
#include "song/Song.h"

namespace {

using tw::bench::CapacitySongFile;
using tw::bench::ChooseSong;

// One repaint of the whole panel with every control on it, the capacity
// song open on a page of chords with its lyrics.
void RepaintPanel(benchmark::State& state) {
    const std::string path = CapacitySongFile("tw-paint-bench-");
    tw::SetPortOpener([](uint32_t) { return std::make_unique<tw::midi::RecordingOut>(); });
    ChooseSong runner(path);
    tw::ui::ModalRunner::Install(&runner);
    {
        tw::tw32App app;
        if (!app.Start() || !app.Frame()->ProcessCommand(tw::cm::FileOpen)) {
            state.SkipWithError("no song in the window");
            return;
        }
        tw::sd.gridSetting = 5;
        for (auto _ : state) {
            benchmark::DoNotOptimize(app.MainWindow()->PaintToImage());
        }
    }
    tw::ui::ModalRunner::Install(nullptr);
    tw::SetPortOpener({});
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

void OpenCapacitySong(benchmark::State& state) {
    const std::string path = CapacitySongFile("tw-app-bench-");
    const std::filesystem::path dir = std::filesystem::path(path).parent_path();
    tw::SetPortOpener([](uint32_t) { return std::make_unique<tw::midi::RecordingOut>(); });
    ChooseSong runner(path);
    tw::ui::ModalRunner::Install(&runner);
    {
        tw::tw32App app;
        if (!app.Start()) {
            state.SkipWithError("no main window");
            return;
        }
        for (auto _ : state) {
            (void)app.Frame()->ProcessCommand(tw::cm::FileOpen);
            app.MainWindow()->UpdateWindow();
            tw::ui::Application::PumpWaitingMessages();
        }
        if (tw::sd.noteCount[31] != tw::bench::kNotes || runner.boxes != 0) {
            state.SkipWithError("the song did not load whole");
        }
    }
    tw::ui::ModalRunner::Install(nullptr);
    tw::SetPortOpener({});
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(OpenCapacitySong)->Unit(benchmark::kMillisecond);
BENCHMARK(RepaintPanel)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
