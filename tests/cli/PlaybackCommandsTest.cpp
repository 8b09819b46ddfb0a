#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "cli/CliRunner.h"
#include "platform/midi/SoundFont.h"
#include "smf/SmfFiles.h"
#include "tests/support/JackCapture.h"
#include "tests/support/JackServer.h"
#include "tests/support/PortConfig.h"
#include "tests/support/SongMaker.h"

namespace tw::test {
namespace {

constexpr uint32_t kEighth = 96;   // at division 192 and 120 BPM: 250 ms
constexpr uint32_t kRate = 22050;  // of rendered WAVs

uint32_t Le(const std::string& bytes, std::size_t at, std::size_t size) {
    uint32_t value = 0;
    while (size-- > 0) {
        value = (value << 8) | static_cast<uint8_t>(bytes[at + size]);
    }
    return value;
}

// The samples of a 16-bit PCM stereo WAV at kRate, interleaved; none when
// the header says otherwise.
std::vector<int16_t> WavSamples(const std::string& bytes) {
    std::vector<int16_t> samples;
    if (bytes.size() >= 44 && bytes.compare(0, 4, "RIFF") == 0 &&
        bytes.compare(8, 4, "WAVE") == 0 && Le(bytes, 4, 4) == bytes.size() - 8 &&
        Le(bytes, 40, 4) == bytes.size() - 44 && Le(bytes, 20, 2) == 1 && Le(bytes, 22, 2) == 2 &&
        Le(bytes, 24, 4) == kRate && Le(bytes, 34, 2) == 16) {
        samples.resize((bytes.size() - 44) / 2);
        std::memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
    }
    return samples;
}

// Root mean square of both channels between two times.
double Rms(const std::vector<int16_t>& samples, double fromS, double toS) {
    const auto from = static_cast<std::size_t>(fromS * kRate) * 2;
    const auto to = std::min(static_cast<std::size_t>(toS * kRate) * 2, samples.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0;
}

// tunewell-cli in a working directory of its own, with no JACK server.
class PlaybackCommands : public ::testing::Test {
protected:
    void SetUp() override { setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1); }
    void TearDown() override { unsetenv("JACK_DEFAULT_SERVER"); }

    CliResult Run(const std::vector<std::string>& arguments,
                  std::function<bool()> interruptWhen = {}) {
        return RunCli(arguments, dir.path().string(), {dir.path().string(), interruptWhen});
    }
    // A song of `repeats` bars of eighths on channel 0 over a held chord on
    // channel 1, after programs and controllers at tick 0.
    void SaveSong(uint32_t repeats) {
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
        ASSERT_TRUE(song.Save(dir / "song.mid"));
    }

    TempDir dir;
};

long NoteOns(const std::vector<Captured>& all, std::size_t from = 0) {
    return std::count_if(all.begin() + static_cast<long>(from), all.end(),
                         [](const Captured& c) { return c.NoteOn(); });
}

TEST_F(PlaybackCommands, WithoutDevicesPortsListsTheMapperAndReadsTwCfgButNeverWritesIt) {
    const bool noDevices = midi::OutputDeviceNames().empty();
    const CliResult run = Run({"ports"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "") << "no ALSA or JACK prints nothing";
    if (noDevices) {
        EXPECT_EQ(run.out,
                  "1000: Midi Mapper\nNo tw.cfg here; the default selects 1000: Midi Mapper\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "tw.cfg"));

    std::ofstream(dir / "tw.cfg") << "short";
    EXPECT_NE(Run({"ports"}).out.find("tw.cfg is not a port record of 267 bytes"),
              std::string::npos);
    EXPECT_EQ(ReadText(dir / "tw.cfg"), "short");

    WriteConfig(dir / "tw.cfg", 50, "gone:port");
    EXPECT_NE(Run({"ports"}).out.find(
                  "tw.cfg selects device 50, \"gone:port\", which does not exist now"),
              std::string::npos);
}

TEST_F(PlaybackCommands, FailedPlaysAndRendersSayWhyAndLeaveFilesAlone) {
    {
        SongMaker song;
        song.Note(0, 0, 60, 0, 96);
        ASSERT_TRUE(song.Save(dir / "song.mid"));
    }
    const CliResult run = Run({"play", "song.mid", "--port", "99"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("cannot open MIDI port 99"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "tw.cfg")) << "play never writes tw.cfg";
    EXPECT_EQ(Run({"play", "song.mid", "--port", "x"}).status, 64);

    std::ofstream(dir / "out.wav") << "keep me";
    const CliResult badRate = Run({"render", "song.mid", "out.wav", "--rate", "1000"});
    EXPECT_EQ(badRate.status, 3);
    EXPECT_NE(badRate.err.find("cannot render out.wav"), std::string::npos) << badRate.err;
    EXPECT_EQ(ReadText(dir / "out.wav"), "keep me");

    const CliResult nowhere = Run({"render", "song.mid", "no/such/dir/out.wav"});
    EXPECT_EQ(nowhere.status, 3);
    EXPECT_NE(nowhere.err.find("could not be written"), std::string::npos) << nowhere.err;
    EXPECT_EQ(Run({"render", "song.mid"}).status, 64);

    const Bytes song = ReadFile(dir / "song.mid");
    const CliResult same = Run({"render", "song.mid", "song.mid"});
    EXPECT_EQ(same.status, 64);
    EXPECT_NE(same.err.find("OUT.wav \"song.mid\" is the input file FILE itself"),
              std::string::npos)
        << same.err;
    const std::string font = dir.Write("font.sf2", {'s', 'f'});
    EXPECT_EQ(Run({"render", "song.mid", font, "--soundfont", font}).status, 64);
    EXPECT_EQ(ReadFile(dir / "song.mid"), song);
    EXPECT_EQ(ReadText(font), "sf");
}

TEST_F(PlaybackCommands, RenderWritesTheSameWavEveryTimeWithSoundWhereTheNotesAreAndSilenceAfter) {
    // 120 BPM at division 192: one second is 384 ticks. Notes from 0 to 1 s,
    // nothing until 3 s, one note from 3 to 3.5 s.
    SongMaker song;
    song.Program(0, 0, 0, 0);
    for (uint32_t i = 0; i < 4; ++i) {
        song.Note(0, 0, static_cast<uint8_t>(60 + 4 * i), i * 96, i * 96 + 90);
    }
    song.Note(0, 0, 72, 3 * 384, 3 * 384 + 192);
    ASSERT_TRUE(song.Save(dir / "song.mid"));
    ASSERT_EQ(Run({"render", "song.mid", "a.wav", "--rate", "22050"}).status, 0);
    ASSERT_EQ(Run({"render", "song.mid", "b.wav", "--rate", "22050"}).status, 0);
    const std::string bytes = ReadText(dir / "a.wav");
    EXPECT_TRUE(bytes == ReadText(dir / "b.wav")) << "two renders are identical";
    const std::vector<int16_t> wav = WavSamples(bytes);
    const double seconds = static_cast<double>(wav.size()) / 2 / kRate;
    EXPECT_NEAR(seconds, 3.5 + 2.0, 0.05) << "the song and two seconds of tail";

    const double loud = Rms(wav, 0.05, 0.95);
    EXPECT_GT(loud, 100);
    EXPECT_LT(Rms(wav, 2.2, 2.95), loud / 30) << "the gap between the notes is quiet";
    EXPECT_GT(Rms(wav, 3.05, 3.45), 100);
    EXPECT_LT(Rms(wav, seconds - 0.3, seconds), 5) << "silence at the end of the tail";
}

// 64 notes at once, velocity 127 and volume 127 on all 16 channels, with
// an instrument of its own on each.
void SaveDenseLoudSong(const std::string& path) {
    SongMaker song;
    for (uint8_t c = 0; c < 16; ++c) {
        song.Program(c, c, 0, static_cast<uint8_t>(c * 8));
        song.Controller(c, c, 0, 7, 127);
        for (uint32_t beat = 0; beat < 4; ++beat) {
            for (uint8_t k = 0; k < 4; ++k) {
                const auto key = static_cast<uint8_t>(36 + (c * 5) % 30 + 4 * k);
                song.Note(c, c, key, beat * 192, beat * 192 + 180, 127);
            }
        }
    }
    ASSERT_TRUE(song.Save(path));
}

int16_t Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (const int16_t s : samples) {
        peak = std::max(peak, std::abs(int{s}));
    }
    return static_cast<int16_t>(std::min(peak, 32767));
}

TEST_F(PlaybackCommands, RenderKeepsADenseLoudSongUnderFullScaleAndNamesItsSoundFont) {
    SaveDenseLoudSong(dir / "dense.mid");
    const CliResult run = Run({"render", "dense.mid", "dense.wav", "--rate", "22050"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("SoundFont " + midi::FindSoundFont() + ", gain 0.08"), std::string::npos)
        << run.out;
    const int16_t peak = Peak(WavSamples(ReadText(dir / "dense.wav")));
    EXPECT_LT(peak, 32767);
    EXPECT_GT(peak, 32767 / 4) << "and it is still loud";

    const CliResult loud =
        Run({"render", "dense.mid", "loud.wav", "--rate", "22050", "--gain", "0.4"});
    EXPECT_EQ(loud.status, 0);
    EXPECT_NE(loud.err.find("samples went past full scale and were clipped"), std::string::npos);
    EXPECT_EQ(Peak(WavSamples(ReadText(dir / "loud.wav"))), 32767);

    const std::string bogus = dir.Write("bogus.sf2", {'n', 'o'});
    const CliResult other = Run({"render", "dense.mid", "x.wav", "--soundfont", bogus});
    EXPECT_EQ(other.status, 3);
    EXPECT_NE(other.err.find("SoundFont could not be read (not a SoundFont 2 or 3 file?); "
                             "SoundFont: " +
                             bogus),
              std::string::npos)
        << other.err;
}

// A private JACK server on the dummy driver with a capture of this process
// on its input, device number `device`: `ports` lists it, `play` delivers a
// song to it and ends with nothing sounding, and Ctrl-C stops a long song
// the same way. A run the server could not keep up with (it lost cycles,
// and messages with them) is skipped, not failed.
TEST_F(PlaybackCommands, JackPortsAreListedPlayedToAndLeftSilentAfterTheEndOrCtrlC) {
    if (!HaveJackd()) {
        GTEST_SKIP() << kNoJackd;
    }
    const JackServer server(dir.path().string());
    ASSERT_TRUE(server.Running()) << "the private JACK server did not start";
    // JACK names client sockets by client name alone: one of our own.
    const JackCapture capture("tw-capture-" + std::to_string(getpid()));
    ASSERT_TRUE(capture.Running()) << "the capture client did not start";
    const int device = WaitForDevice(capture.Port());
    ASSERT_GE(device, 0) << "the capture's port did not appear";

    const std::vector<std::string> names = midi::OutputDeviceNames();
    WriteConfig(dir / "tw.cfg", static_cast<uint32_t>(device), capture.Port());
    std::string listed;
    for (std::size_t i = 0; i < names.size(); ++i) {
        listed += std::to_string(i) + ": " + names[i] + "\n";
    }
    EXPECT_EQ(Run({"ports"}).out, listed + "1000: Midi Mapper\ntw.cfg selects " +
                                      std::to_string(device) + ": " + capture.Port() + "\n");

    SaveSong(1);
    const std::string port = std::to_string(device);
    ASSERT_EQ(Run({"play", "song.mid", "--port", port}).status, 0);
    const std::vector<Captured> played = capture.Messages();
    if (NoteOns(played) != 24 && capture.LostCycles() > 0) {
        GTEST_SKIP() << "the JACK server lost " << capture.LostCycles() << " cycles";
    }
    EXPECT_EQ(NoteOns(played), 24);
    const auto first = [&](auto found) {
        return std::find_if(played.begin(), played.end(), found);
    };
    const auto firstNote = first([](const Captured& c) { return c.NoteOn(); });
    EXPECT_TRUE(first([](const Captured& c) {
                    return c.Is({0xB0, 7, 100});
                }) < first([](const Captured& c) {
                    return c.Is({0xB0, 7, 90});
                }))
        << "the mixer reset (volume 100) comes before the song's own volume";
    for (const std::vector<uint8_t>& setup :
         {std::vector<uint8_t>{0xC0, 24}, {0xC1, 40}, {0xB0, 10, 30}}) {
        EXPECT_TRUE(first([&](const Captured& c) { return c.Is(setup); }) < firstNote)
            << "controllers and programs before notes";
    }
    EXPECT_EQ(SoundingAfter(played, played.size()), 0) << "the end leaves nothing sounding";

    SaveSong(5);  // 20 seconds, stopped once eight notes have sounded
    const std::size_t before = played.size();
    const auto eightNotes = [&] {
        return capture.WaitFor([&](const auto& got) { return NoteOns(got, before) >= 8; }, 0);
    };
    EXPECT_EQ(Run({"play", "song.mid", "--port", port}, eightNotes).status, 130);
    const std::vector<Captured> stopped = capture.Messages();
    EXPECT_LT(NoteOns(stopped, before), 40) << "Ctrl-C stopped the song long before its end";
    EXPECT_EQ(SoundingAfter(stopped, stopped.size()), 0) << "Ctrl-C leaves nothing sounding";
}

}  // namespace
}  // namespace tw::test
