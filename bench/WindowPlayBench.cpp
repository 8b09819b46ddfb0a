// The main window playing the capacity song, headless, with every repaint
// of meters, pointer, faders and pages that playback causes: the work of
// each event-loop pass of the window, and how late each note-on reached the
// port, sent by the playback side, against the song's tempo map. Run
//   QT_QPA_PLATFORM=offscreen build/bench/window_play_bench [SECONDS]
// (60 seconds by default).

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "CapacityApp.h"
#include "app/Commands.h"
#include "app/SDIDecFrame.h"
#include "app/tw32App.h"
#include "mainwin/tw32Window.h"
#include "platform/midi/MidiOut.h"
#include "platform/ui/Application.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/MouseInput.h"
#include "playback/MidiPort.h"
#include "playback/Player.h"
#include "song/Song.h"

namespace {

using namespace tw;
using Clock = std::chrono::steady_clock;

const Clock::time_point origin = Clock::now();

double NowMs() {
    return std::chrono::duration<double, std::milli>(Clock::now() - origin).count();
}

// Keeps every message with the moment it reached the port and the moment
// it was stamped with, at which a port that places messages in time plays
// it (plus a constant latency).
class StampingOut final : public midi::MidiOut {
public:
    struct Sent {
        double ms;
        double stampMs;
        uint32_t msg;
    };
    explicit StampingOut(std::vector<Sent>& sent) : sent_(sent) {}
    void SetSendTime(long long monotonicNs) override {
        const auto at = Clock::time_point(std::chrono::nanoseconds(monotonicNs));
        stampMs_ =
            monotonicNs == 0 ? -1 : std::chrono::duration<double, std::milli>(at - origin).count();
    }
    void Send(uint32_t msg) override {
        const double now = NowMs();
        sent_.push_back({now, stampMs_ < 0 ? now : stampMs_, msg});
    }
    void Reset() override {}
    bool GetVolume(uint32_t& volume) override {
        volume = 0xFFFFFFFF;
        return true;
    }
    bool SetVolume(uint32_t) override { return true; }

private:
    std::vector<Sent>& sent_;
    double stampMs_ = -1;
};

// Milliseconds from the song start to tick t by the tempo table.
double TicksToMs(uint32_t t) {
    double ms = 0;
    uint32_t at = 0;
    float tempo = td[0].tempo;
    for (uint32_t i = 1; i < sd.tempoTotal && td[i].time < t; ++i) {
        ms += (td[i].time - at) * 1000.0 / (tempo * sd.division);
        at = td[i].time;
        tempo = td[i].tempo;
    }
    return ms + (t - at) * 1000.0 / (tempo * sd.division);
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const std::string path = bench::CapacitySongFile("tw-play-bench-");
    const std::filesystem::path dir = std::filesystem::path(path).parent_path();

    std::vector<StampingOut::Sent> sent;
    sent.reserve(1 << 20);
    SetPortOpener([&](uint32_t) { return std::make_unique<StampingOut>(sent); });
    bench::ChooseSong runner(path);
    ui::ModalRunner::Install(&runner);
    int status = 0;
    {
        tw32App app;
        if (!app.Start() || !app.Frame()->ProcessCommand(cm::FileOpen)) {
            std::fprintf(stderr, "the window did not open the song\n");
            return 1;
        }
        tw32Window& window = *app.MainWindow();
        Player& player = *window.GetPlayer();
        ui::Application::PumpWaitingMessages();

        // Each note-on's due time, by message, in time order.
        std::map<uint32_t, std::deque<uint32_t>> due;
        std::vector<std::pair<uint32_t, uint32_t>> notes;
        for (int t = 0; t < kTracks; ++t) {
            for (uint32_t i = 0; i < sd.noteCount[t]; ++i) {
                notes.push_back({dd[t][i].start, dd[t][i].onMsg});
            }
        }
        std::stable_sort(notes.begin(), notes.end());
        for (const auto& [start, msg] : notes) {
            due[msg].push_back(start);
        }

        sent.clear();
        ui::Window* playAll = player.ChildWithId(607);
        const double startMs = NowMs();
        ui::MouseInput::Click(*playAll, {15, 7});
        std::vector<double> passWork;
        while (NowMs() - startMs < seconds * 1000.0) {
            const double t0 = NowMs();
            ui::Application::PumpWaitingMessages();
            passWork.push_back(NowMs() - t0);
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        // Stopped, the playback side no longer sends: `sent` is the window's.
        ui::MouseInput::Click(*player.ChildWithId(601), {15, 7});

        // Against the song clock's start, the moment the positioning was
        // stamped with.
        const double songStartMs = sent.empty() ? startMs : sent.front().stampMs;
        std::vector<double> lateness;
        std::vector<double> stampLateness;
        for (const StampingOut::Sent& s : sent) {
            const bool noteOn = (s.msg & 0xF0) == 0x90 && ((s.msg >> 16) & 0x7F) != 0;
            auto found = due.find(s.msg);
            if (!noteOn || found == due.end() || found->second.empty()) {
                continue;
            }
            const double dueMs = songStartMs + TicksToMs(found->second.front());
            lateness.push_back(s.ms - dueMs);
            stampLateness.push_back(s.stampMs - dueMs);
            found->second.pop_front();
        }
        std::printf("played %.0f s of the capacity song in the window\n", seconds);
        std::printf("window work per event-loop pass: median %.3f ms, p99 %.3f ms, max %.3f ms\n",
                    Percentile(passWork, 0.5), Percentile(passWork, 0.99),
                    Percentile(passWork, 1.0));
        std::printf(
            "note-on lateness, sent: median %.2f ms, p99 %.2f ms, max %.2f ms over %zu notes\n",
            Percentile(lateness, 0.5), Percentile(lateness, 0.99), Percentile(lateness, 1.0),
            lateness.size());
        std::printf("note-on lateness, stamped: median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                    Percentile(stampLateness, 0.5), Percentile(stampLateness, 0.99),
                    Percentile(stampLateness, 1.0));
        status = lateness.empty() ? 1 : 0;
    }
    ui::ModalRunner::Install(nullptr);
    SetPortOpener({});
    std::filesystem::remove_all(dir);
    return status;
}
