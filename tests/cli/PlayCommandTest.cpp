#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "platform/midi/Outputs.h"
#include "tests/cli/CliProcess.h"
#include "tests/support/JackServer.h"
#include "tests/support/MidiDump.h"
#include "tests/support/SongMaker.h"

namespace tw::test {
namespace {

constexpr double kRate = 48000.0;  // the private server's sample rate
constexpr uint32_t kEighth = 96;   // at division 192 and 120 BPM: 250 ms

// A real play run: a private JACK server on the dummy driver, jack_midi_dump
// capturing, and tunewell-cli playing into it.
class JackPlay : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveProgram("jackd") || !HaveProgram("jack_midi_dump")) {
            GTEST_SKIP() << "jackd is not installed (Debian package jackd2); the JACK play test "
                            "is skipped";
        }
        dir = FreshDirectory("play");
        server = std::make_unique<JackServer>(dir.string());
        ASSERT_TRUE(server->Running()) << "the private JACK server did not start";
        // JACK names client sockets by client name alone: one of our own.
        client = "tw-dump-" + std::to_string(getpid());
        dump = Spawn(MidiDumpCommand(client, true), (dir / "dump.txt").string());
        ASSERT_GT(dump, 0);
        for (int i = 0; i < 100 && device < 0; ++i) {
            const std::vector<std::string> names = midi::OutputDeviceNames();
            const auto found = std::find(names.begin(), names.end(), client + ":input");
            if (found != names.end()) {
                device = static_cast<int>(found - names.begin());
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        ASSERT_GE(device, 0) << "jack_midi_dump's port did not appear";
        // Its port exists before the client runs; give it time to start.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    void TearDown() override {
        Stop(dump);
        server.reset();
        if (!dir.empty() && !HasFailure()) {
            std::filesystem::remove_all(dir);
        }
    }

    // Everything captured, once the capture client has been stopped.
    std::vector<Captured> Capture() {
        WaitUntilQuiet(dir / "dump.txt");
        Stop(dump);
        dump = -1;
        return ParseMidiDump(FileText(dir / "dump.txt"));
    }

    std::string WriteSong(uint32_t repeats) {
        SongMaker song;
        song.Program(0, 0, 0, 24);
        song.Controller(0, 0, 0, 7, 90);
        song.Controller(0, 0, 0, 10, 30);
        song.Program(1, 1, 0, 40);
        for (uint32_t i = 0; i < 16 * repeats; ++i) {
            song.Note(0, 0, static_cast<uint8_t>(60 + i % 12), i * kEighth, i * kEighth + 80);
        }
        for (uint32_t bar = 0; bar < 4 * repeats; ++bar) {
            song.Note(1, 1, 48, bar * 4 * kEighth, (bar + 1) * 4 * kEighth);
            song.Note(1, 1, 52, bar * 4 * kEighth, (bar + 1) * 4 * kEighth);
        }
        const std::string path = (dir / "song.mid").string();
        EXPECT_TRUE(song.Save(path));
        return path;
    }

    std::filesystem::path dir;
    std::unique_ptr<JackServer> server;
    pid_t dump = -1;
    std::string client;
    int device = -1;
};

std::size_t IndexOf(const std::vector<Captured>& all, const std::vector<uint8_t>& bytes,
                    bool last = false) {
    std::size_t found = all.size();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].Is(bytes)) {
            found = i;
            if (!last) {
                break;
            }
        }
    }
    return found;
}

std::size_t FirstNoteOn(const std::vector<Captured>& all) {
    return static_cast<std::size_t>(
        std::find_if(all.begin(), all.end(), [](const Captured& c) { return c.NoteOn(); }) -
        all.begin());
}

// Notes still sounding after the messages up to `end`, counted per key; All
// Notes Off releases a channel, as on a real instrument.
int SoundingAfter(const std::vector<Captured>& all, std::size_t end) {
    std::array<int, 16 * 128> count{};
    for (std::size_t i = 0; i < end; ++i) {
        const auto& c = all[i];
        const std::size_t channel = c.bytes[0] & 0x0F;
        const std::size_t key = channel * 128 + (c.bytes.size() > 1 ? c.bytes[1] : 0);
        if (c.NoteOn()) {
            ++count[key];
        } else if (c.NoteOff() && count[key] > 0) {
            --count[key];
        } else if (c.Kind() == 0xB0 && c.bytes.size() == 3 && c.bytes[1] == 123) {
            std::fill_n(count.begin() + static_cast<std::ptrdiff_t>(channel * 128), 128, 0);
        }
    }
    int sounding = 0;
    for (int n : count) {
        sounding += n;
    }
    return sounding;
}

// Where the port reset that ended the run begins: the note-offs it sends
// for the keys still down, then sustain off on channel 0; the first such
// reset after the last note-on.
std::size_t FinalResetStart(const std::vector<Captured>& all) {
    std::size_t lastOn = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        lastOn = all[i].NoteOn() ? i : lastOn;
    }
    std::size_t start = lastOn;
    while (start < all.size() && !all[start].Is({0xB0, 64, 0})) {
        ++start;
    }
    while (start > lastOn + 1 && all[start - 1].Kind() == 0x80) {
        --start;
    }
    return start;
}

TEST_F(JackPlay, APlayedSongReachesThePortInTimeAndEndsWithNothingSounding) {
    const std::string song = WriteSong(1);
    const CliRun run = RunCliIn(dir, {"play", song, "--port", std::to_string(device)});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Captured> all = Capture();
    ASSERT_FALSE(all.empty());

    const std::size_t firstNote = FirstNoteOn(all);
    ASSERT_LT(firstNote, all.size());
    EXPECT_LT(IndexOf(all, {0xB0, 7, 100}), IndexOf(all, {0xB0, 7, 90}))
        << "the mixer reset (volume 100) comes before the song's own volume";
    for (const std::vector<uint8_t>& setup :
         {std::vector<uint8_t>{0xC0, 24}, {0xC1, 40}, {0xB0, 7, 90}, {0xB0, 10, 30}}) {
        EXPECT_LT(IndexOf(all, setup), firstNote)
            << "controllers and programs before the first note";
    }

    std::vector<double> onsetsMs;
    for (const Captured& c : all) {
        if (c.NoteOn() && (c.bytes[0] & 0x0F) == 0) {
            onsetsMs.push_back(static_cast<double>(c.frame) * 1000.0 / kRate);
        }
    }
    // Loose bounds: the capture stamps frames, which a loaded dummy-driver
    // server lets fall behind the wall clock; a song clock 22 % slow would
    // still be far outside them.
    ASSERT_EQ(onsetsMs.size(), 16u);
    for (std::size_t i = 1; i < onsetsMs.size(); ++i) {
        EXPECT_NEAR(onsetsMs[i] - onsetsMs[i - 1], 250.0, 60.0) << "onset " << i;
    }
    EXPECT_NEAR(onsetsMs.back() - onsetsMs.front(), 15 * 250.0, 75.0)
        << "the song clock keeps pace with the wall clock";

    EXPECT_EQ(SoundingAfter(all, all.size()), 0) << "nothing is left sounding";
    const std::size_t reset = FinalResetStart(all);
    for (std::size_t i = reset; i < all.size(); ++i) {
        EXPECT_FALSE(all[i].NoteOn()) << "a note-on after the final reset";
    }
}

TEST_F(JackPlay, CtrlCStopsLikeTheStopButtonAndLeavesNothingSounding) {
    const std::string song = WriteSong(5);  // 20 seconds
    CliProcess play(dir, {"play", song, "--port", std::to_string(device)});
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
    ASSERT_EQ(kill(play.Pid(), SIGINT), 0);
    EXPECT_EQ(play.Wait(), 130);
    const std::vector<Captured> all = Capture();
    const std::size_t reset = FinalResetStart(all);
    ASSERT_LT(reset, all.size());
    EXPECT_GT(SoundingAfter(all, reset), 0) << "the chord was still held when stopped";
    EXPECT_EQ(SoundingAfter(all, all.size()), 0) << "the reset released every held key";
    for (std::size_t i = reset; i < all.size(); ++i) {
        EXPECT_FALSE(all[i].NoteOn());
    }
    const double lastMs = static_cast<double>(all.back().frame - all.front().frame) * 1000 / kRate;
    EXPECT_LT(lastMs, 3000.0) << "playing stopped early";
}

TEST(PlayCommand, APortThatCannotBeOpenedIsAnErrorWithExitStatus3) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    const std::filesystem::path dir = FreshDirectory("noport");
    {
        SongMaker song;
        song.Note(0, 0, 60, 0, 96);
        ASSERT_TRUE(song.Save((dir / "song.mid").string()));
    }
    const CliRun run = RunCliIn(dir, {"play", "song.mid", "--port", "99"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("cannot open MIDI port 99"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "tw.cfg")) << "play never writes tw.cfg";
    EXPECT_EQ(RunCliIn(dir, {"play", "song.mid", "--port", "x"}).status, 64);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tw::test
