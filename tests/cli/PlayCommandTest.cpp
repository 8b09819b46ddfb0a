#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "cli/CliRunner.h"
#include "smf/SmfFiles.h"
#include "tests/support/JackServer.h"
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
        if (!HaveJackd()) {
            GTEST_SKIP() << kNoJackd;
        }
        server = std::make_unique<JackServer>(dir.path().string());
        ASSERT_TRUE(server->Running()) << "the private JACK server did not start";
        // JACK names client sockets by client name alone: one of our own.
        const std::string client = "tw-dump-" + std::to_string(getpid());
        dump = StartCapture(client, dir / "dump.txt");
        device = WaitForDevice(client + ":input");
        ASSERT_GE(device, 0) << "jack_midi_dump's port did not appear";
    }
    void TearDown() override {
        Stop(dump);
        server.reset();
    }

    // Plays a song of `repeats` bars of eighths on channel 0 over a held
    // chord on channel 1, after programs and controllers at tick 0.
    CliResult Play(uint32_t repeats, int interruptAfterMs = -1) {
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
        EXPECT_TRUE(song.Save(dir / "song.mid"));
        return RunCli({"play", "song.mid", "--port", std::to_string(device)}, dir.path().string(),
                      {dir.path().string(), interruptAfterMs});
    }

    // Everything captured, once the capture client has been stopped.
    std::vector<Captured> Capture() {
        std::vector<Captured> all = ReadCapture(dir / "dump.txt");
        Stop(dump);
        dump = -1;
        return all;
    }

    TempDir dir;
    std::unique_ptr<JackServer> server;
    pid_t dump = -1;
    int device = -1;
};

std::size_t IndexOf(const std::vector<Captured>& all, const std::vector<uint8_t>& bytes) {
    return static_cast<std::size_t>(
        std::find_if(all.begin(), all.end(), [&](const Captured& c) { return c.Is(bytes); }) -
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

// Checks the port reset that ends a run, the first after the last note-on:
// the note-offs it sends for the keys still down, then sustain off and All
// Notes Off per channel; nothing after its start sounds. Returns whether
// keys were still down when it began.
bool ExpectFinalReset(const std::vector<Captured>& all) {
    std::size_t lastOn = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        lastOn = all[i].NoteOn() ? i : lastOn;
    }
    std::size_t start = lastOn;
    while (start < all.size() && !all[start].Is({0xB0, 64, 0})) {
        ++start;
    }
    EXPECT_LT(start, all.size()) << "no reset after the last note";
    while (start > lastOn + 1 && all[start - 1].Kind() == 0x80) {
        --start;
    }
    EXPECT_EQ(SoundingAfter(all, all.size()), 0) << "nothing is left sounding";
    return SoundingAfter(all, start) > 0;
}

TEST_F(JackPlay, APlayedSongReachesThePortInTimeAndEndsWithNothingSounding) {
    const CliResult run = Play(1);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Captured> all = Capture();
    const std::size_t firstNote = static_cast<std::size_t>(
        std::find_if(all.begin(), all.end(), [](const Captured& c) { return c.NoteOn(); }) -
        all.begin());
    ASSERT_LT(firstNote, all.size());
    EXPECT_LT(IndexOf(all, {0xB0, 7, 100}), IndexOf(all, {0xB0, 7, 90}))
        << "the mixer reset (volume 100) comes before the song's own volume";
    for (const std::vector<uint8_t>& setup :
         {std::vector<uint8_t>{0xC0, 24}, {0xC1, 40}, {0xB0, 7, 90}, {0xB0, 10, 30}}) {
        EXPECT_LT(IndexOf(all, setup), firstNote) << "controllers and programs before notes";
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
    ExpectFinalReset(all);
}

TEST_F(JackPlay, CtrlCStopsLikeTheStopButtonAndLeavesNothingSounding) {
    EXPECT_EQ(Play(5, 1300).status, 130);  // a 20-second song
    const std::vector<Captured> all = Capture();
    ASSERT_FALSE(all.empty());
    EXPECT_TRUE(ExpectFinalReset(all)) << "the chord was still held when stopped";
    EXPECT_LT(static_cast<double>(all.back().frame - all.front().frame) * 1000 / kRate, 3000.0)
        << "playing stopped early";
}

TEST(PlayCommand, APortThatCannotBeOpenedIsAnErrorWithExitStatus3) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    const TempDir dir;
    {
        SongMaker song;
        song.Note(0, 0, 60, 0, 96);
        ASSERT_TRUE(song.Save(dir / "song.mid"));
    }
    const CliOptions here{dir.path().string()};
    const CliResult run = RunCli({"play", "song.mid", "--port", "99"}, here.workdir, here);
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("cannot open MIDI port 99"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "tw.cfg")) << "play never writes tw.cfg";
    EXPECT_EQ(RunCli({"play", "song.mid", "--port", "x"}, here.workdir, here).status, 64);
}

}  // namespace
}  // namespace tw::test
