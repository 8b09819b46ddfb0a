#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/PanelShot.h"
#include "playback/Config.h"
#include "tests/support/JackCapture.h"
#include "tests/support/JackServer.h"
#include "tests/support/OnsetTiming.h"
#include "tests/support/SongMaker.h"

namespace tw::test {
namespace {

constexpr uint32_t kEighth = 96;

// The song: a volume and a program on channel 0 at the start, sixteen
// eighths on channel 0 with the tempo doubled after the eighth, a note held
// under them to the end, and a second voice on channel 1.
bool MakeSong(const std::filesystem::path& path) {
    SongMaker song;
    song.Program(0, 0, 0, 24);
    song.Controller(0, 0, 0, 7, 90);
    song.Tempo(8 * kEighth, 4.0f);
    for (uint32_t i = 0; i < 16; ++i) {
        song.Note(0, 0, static_cast<uint8_t>(60 + i % 12), i * kEighth, i * kEighth + 80);
        song.Note(1, 1, 72, i * kEighth, i * kEighth + 80);
    }
    song.Note(0, 0, 40, 0, 64 * kEighth);
    return song.Save(path.string());
}

void WriteConfig(const std::filesystem::path& dir, int device, const std::string& name) {
    mididata record{};
    record.portDevice = static_cast<uint32_t>(device);
    std::strncpy(record.portName, name.c_str(), sizeof record.portName - 1);
    unsigned char bytes[kConfigSize];
    ConfigBytes(record, bytes);
    std::ofstream(dir / "tw.cfg", std::ios::binary).write(reinterpret_cast<char*>(bytes), kConfigSize);
}

// The real program on a private X server plays to a private JACK server's
// capture: mute channel 2 with a click, Play All with a click, Stop with a
// click while a note is held.
TEST(RealPlayback, PlayAllClickedInTheWindowChasesFollowsTheTempoMutesAndStopsSilent) {
    if (!HaveJackd()) {
        GTEST_SKIP() << kNoJackd;
    }
    if (!XServer::Available()) {
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
    }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tw-play-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(MakeSong(dir / "song.mid"));
    {
        JackServer server(dir.string());
        ASSERT_TRUE(server.Running()) << "the private JACK server did not start";
        JackCapture capture("tw-capture-" + std::to_string(getpid()));
        ASSERT_TRUE(capture.Running());
        const int device = WaitForDevice(capture.Port());
        ASSERT_GE(device, 0) << "the capture's port did not appear";
        WriteConfig(dir, device, capture.Port());

        XServer x;
        ASSERT_TRUE(x.Ok()) << "Xvfb did not start";
        Process tw({TUNEWELL_BINARY, (dir / "song.mid").string()},
                   {"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb"}, dir.string(),
                   (dir / "tunewell.log").string());
        ASSERT_FALSE(x.WaitForWindow("^Tunewell: .*song", 20000).empty());
        const Shot panel = WaitForShot(
            x, [](const Shot& s) { return PanelTop(s) > 0; }, 10000);
        const int top = PanelTop(panel);
        ASSERT_GT(top, 0);
        const auto click = [&](int px, int py) {
            x.Run("xdotool mousemove " + std::to_string(px) + " " + std::to_string(top + py) +
                  " click 1");
        };
        click(48 + 3 + 4, 324 + 4);            // channel 2's mute button
        click(652 + 50 + 15, 360 + 33 + 7);    // Play All
        // Stop once the sixteenth eighth has sounded and ended, with the low
        // note still held; a loaded machine may start the run late.
        const auto eighths = [](const std::vector<Captured>& got) {
            return std::count_if(got.begin(), got.end(), [](const Captured& c) {
                return (c.NoteOn() || c.NoteOff()) && (c.bytes[0] & 0x0F) == 0 && c.bytes[1] != 40;
            });
        };
        EXPECT_TRUE(capture.WaitFor([&](const auto& got) { return eighths(got) == 32; }, 8000))
            << "the eighths were not all played";
        click(652 + 10 + 15, 360 + 10 + 7);    // Stop
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        tw.End();

        const std::vector<Captured> all = capture.Messages();
        const auto firstOn = static_cast<std::size_t>(
            std::find_if(all.begin(), all.end(), [](const Captured& c) { return c.NoteOn(); }) -
            all.begin());
        ASSERT_LT(firstOn, all.size()) << "nothing was played";
        const auto before = [&](std::vector<uint8_t> bytes) {
            return std::find_if(all.begin(), all.begin() + static_cast<long>(firstOn),
                                [&](const Captured& c) { return c.Is(bytes); }) !=
                   all.begin() + static_cast<long>(firstOn);
        };
        EXPECT_TRUE(before({0xC0, 24})) << "the program is chased before the first note";
        EXPECT_TRUE(before({0xB0, 7, 90})) << "the volume is chased before the first note";
        EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                [](const Captured& c) { return c.NoteOn() && (c.bytes[0] & 0x0F) == 1; }),
                  0)
            << "the muted channel stays silent";
        EXPECT_EQ(SoundingAfter(all, all.size()), 0) << "Stop leaves nothing sounding";

        std::vector<Captured> onsets;
        std::copy_if(all.begin(), all.end(), std::back_inserter(onsets), [](const Captured& c) {
            return c.NoteOn() && (c.bytes[0] & 0x0F) == 0 && c.bytes[1] != 40;
        });
        std::vector<double> dueMs;
        for (int i = 0; i < 16; ++i) {
            dueMs.push_back(i < 8 ? 250.0 * i : 2000.0 + 125.0 * (i - 8));
        }
        ExpectOnsetsFollow(onsets, dueMs, capture.LostCycles());
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tw::test
