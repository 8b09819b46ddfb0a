#include "tests/support/OnsetTiming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

#include "platform/midi/Outputs.h"
#include "tests/smf/SmfFiles.h"
#include "tests/support/JackServer.h"

namespace tw::test {
namespace {

// 120 BPM at division 192, stepped every 10 ms like the player: a note
// every 48 ticks is one every 125 ms.
constexpr double kTicksPerMs = 0.384;
constexpr double kStepMs = 10;
constexpr double kNoteTicks = 48;
constexpr int kNotes = 12;

// Song positions after each 10 ms step: true, 5 % fast, and the truncating
// update that drops the fraction of a tick at every step (22 % slow).
using SongClock = std::function<double(double position, double elapsedMs)>;
const SongClock kTrue = [](double, double ms) { return ms * kTicksPerMs; };
const SongClock kFast = [](double, double ms) { return ms * kTicksPerMs * 1.05; };
const SongClock kTruncating = [](double at, double) {
    return at + std::floor(kStepMs * kTicksPerMs);
};

std::vector<double> DueMs() {
    std::vector<double> due;
    for (int i = 0; i < kNotes; ++i) {
        due.push_back(i * kNoteTicks / kTicksPerMs);
    }
    return due;
}

TEST(OnsetTiming, ASlowOrFastSongClockFailsWhileLateCyclesAndQuantizationPass) {
    const std::vector<double> due = DueMs();
    const auto play = [&](const SongClock& clock) {
        std::vector<double> played;
        double at = 0;
        for (double ms = 0; played.size() < due.size(); ms += kStepMs) {
            at = clock(at, ms);
            if (at >= played.size() * kNoteTicks) {
                played.push_back(ms);
            }
        }
        return played;
    };
    EXPECT_TRUE(OnsetsFollow(play(kTrue), due));
    EXPECT_FALSE(OnsetsFollow(play(kFast), due));
    EXPECT_FALSE(OnsetsFollow(play(kTruncating), due));

    // A capture starved for 150 ms takes two onsets late at once.
    std::vector<double> starved = play(kTrue);
    starved[4] = starved[5] = starved[4] + 150;
    EXPECT_TRUE(OnsetsFollow(starved, due));
    std::vector<double> bunched = play(kTrue);
    for (std::size_t i = 4; i < bunched.size(); i += 3) {
        bunched[i] += 100;  // every third onset late: the clock, not the machine
    }
    EXPECT_FALSE(OnsetsFollow(bunched, due));
    EXPECT_FALSE(OnsetsFollow({0, 125}, {0, 125})) << "two onsets are too few to judge";
}

// Plays kNotes note-ons through `port`, paced by `clock` stepped every 10 ms
// of real time; the capture's onsets of that run.
std::vector<Captured> PlayThrough(midi::MidiOut& port, const JackCapture& capture,
                                  const SongClock& clock) {
    const std::size_t before = capture.Count();
    const auto start = std::chrono::steady_clock::now();
    double at = 0;
    for (int sent = 0, step = 1; sent < kNotes; ++step) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * step));
        at = clock(at, 10.0 * step);
        for (; sent < kNotes && at >= sent * kNoteTicks; ++sent) {
            port.Send(0x640090 | static_cast<uint32_t>(60 + sent % 12) << 8);
            port.Send(0x000080 | static_cast<uint32_t>(60 + sent % 12) << 8);
        }
    }
    std::vector<Captured> all = capture.Messages();
    std::vector<Captured> onsets;
    std::copy_if(all.begin() + static_cast<std::ptrdiff_t>(before), all.end(),
                 std::back_inserter(onsets), [](const Captured& c) { return c.NoteOn(); });
    return onsets;
}

std::vector<double> ReceivedMs(const std::vector<Captured>& onsets) {
    std::vector<double> ms;
    for (const Captured& c : onsets) {
        ms.push_back(c.receivedMs);
    }
    return ms;
}

TEST(OnsetTiming, ABrokenSongClockPlayedThroughJackFailsByTheMonotonicClock) {
    if (!HaveJackd()) {
        GTEST_SKIP() << kNoJackd;
    }
    const TempDir dir;
    const JackServer server(dir.path().string());
    ASSERT_TRUE(server.Running()) << "the private JACK server did not start";
    const JackCapture capture("tw-onsets-" + std::to_string(getpid()));
    const int device = WaitForDevice(capture.Port());
    ASSERT_GE(device, 0);
    std::unique_ptr<midi::MidiOut> port = midi::OpenOutput(static_cast<uint32_t>(device));
    ASSERT_NE(port, nullptr);

    const std::vector<double> due = DueMs();
    EXPECT_FALSE(OnsetsFollow(ReceivedMs(PlayThrough(*port, capture, kFast)), due));
    EXPECT_FALSE(OnsetsFollow(ReceivedMs(PlayThrough(*port, capture, kTruncating)), due));
    ExpectOnsetsFollow(PlayThrough(*port, capture, kTrue), due, capture.LostCycles());
}

}  // namespace
}  // namespace tw::test
