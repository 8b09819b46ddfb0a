#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "cli/CliRunner.h"
#include "platform/midi/Outputs.h"
#include "platform/midi/SoundFont.h"
#include "smf/SmfFiles.h"
#include "tests/support/PortConfig.h"
#include "tests/support/SongMaker.h"

namespace tw::test {
namespace {

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

    CliResult Run(const std::vector<std::string>& arguments) {
        return RunCli(arguments, dir.path().string(), dir.path().string());
    }
    TempDir dir;
};

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
    const Bytes song = ReadFile(dir / "song.mid");
    std::ofstream(dir / "out.wav") << "keep me";
    const std::string font = dir.Write("font.sf2", {'s', 'f'});
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* reason;
    } cases[] = {
        {{"play", "song.mid", "--port", "99"}, 3, "cannot open MIDI port 99"},
        {{"play", "song.mid", "--port", "x"}, 64, ""},
        {{"render", "song.mid", "out.wav", "--rate", "1000"}, 3, "cannot render out.wav"},
        {{"render", "song.mid", "no/such/dir/out.wav"}, 3, "could not be written"},
        {{"render", "song.mid"}, 64, ""},
        {{"render", "song.mid", "song.mid"},
         64,
         "OUT.wav \"song.mid\" is the input file FILE itself"},
        {{"render", "song.mid", font, "--soundfont", font}, 64, ""},
    };
    for (const auto& [arguments, status, reason] : cases) {
        const CliResult run = Run(arguments);
        EXPECT_EQ(run.status, status) << arguments.back();
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "tw.cfg")) << "play never writes tw.cfg";
    EXPECT_EQ(ReadText(dir / "out.wav"), "keep me");
    EXPECT_EQ(std::tuple(ReadFile(dir / "song.mid"), ReadText(font)), std::tuple(song, "sf"));
}

int16_t Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (const int16_t s : samples) {
        peak = std::max(peak, std::abs(int{s}));
    }
    return static_cast<int16_t>(std::min(peak, 32767));
}

// 120 BPM at division 192: one second is 384 ticks. For two seconds 64 notes
// at once, velocity and volume 127 on all 16 channels with an instrument of
// its own on each; nothing until 4 s, one note from 4 to 4.5 s.
TEST_F(PlaybackCommands, RenderIsRepeatableLoudWithoutClippingAndSilentBetweenAndAfterTheNotes) {
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
    song.Note(0, 0, 72, 4 * 384, 4 * 384 + 192);
    ASSERT_TRUE(song.Save(dir / "song.mid"));
    const CliResult run = Run({"render", "song.mid", "a.wav", "--rate", "22050"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("SoundFont " + midi::FindSoundFont() + ", gain 0.08"), std::string::npos)
        << run.out;
    ASSERT_EQ(Run({"render", "song.mid", "b.wav", "--rate", "22050"}).status, 0);
    const std::string bytes = ReadText(dir / "a.wav");
    EXPECT_TRUE(bytes == ReadText(dir / "b.wav")) << "two renders are identical";
    const std::vector<int16_t> wav = WavSamples(bytes);
    const double seconds = static_cast<double>(wav.size()) / 2 / kRate;
    EXPECT_NEAR(seconds, 4.5 + 2.0, 0.05) << "the song and two seconds of tail";
    const double loud = Rms(wav, 0.05, 1.95);
    EXPECT_GT(loud, 100);
    EXPECT_LT(Rms(wav, 3.2, 3.95), loud / 30) << "the gap between the notes is quiet";
    EXPECT_GT(Rms(wav, 4.05, 4.45), 100);
    EXPECT_LT(Rms(wav, seconds - 0.3, seconds), 5) << "silence at the end of the tail";
    EXPECT_LT(Peak(wav), 32767);
    EXPECT_GT(Peak(wav), 32767 / 4) << "and it is still loud";

    const CliResult clipped =
        Run({"render", "song.mid", "loud.wav", "--rate", "22050", "--gain", "0.4"});
    EXPECT_EQ(clipped.status, 0);
    EXPECT_NE(clipped.err.find("samples went past full scale and were clipped"), std::string::npos);
    EXPECT_EQ(Peak(WavSamples(ReadText(dir / "loud.wav"))), 32767);

    const std::string bogus = dir.Write("bogus.sf2", {'n', 'o'});
    const CliResult other = Run({"render", "song.mid", "x.wav", "--soundfont", bogus});
    EXPECT_EQ(other.status, 3);
    EXPECT_NE(other.err.find("SoundFont could not be read (not a SoundFont 2 or 3 file?); "
                             "SoundFont: " +
                             bogus),
              std::string::npos)
        << other.err;
}

}  // namespace
}  // namespace tw::test
