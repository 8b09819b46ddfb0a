#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "cli/CliRunner.h"
#include "smf/SmfFiles.h"
#include "tests/support/SongMaker.h"

namespace tw::test {
namespace {

constexpr uint32_t kRate = 22050;

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

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        // 120 BPM at division 192: one second is 384 ticks. Notes from 0 to
        // 1 s, nothing until 3 s, one note from 3 to 3.5 s.
        SongMaker song;
        song.Program(0, 0, 0, 0);
        for (uint32_t i = 0; i < 4; ++i) {
            song.Note(0, 0, static_cast<uint8_t>(60 + 4 * i), i * 96, i * 96 + 90);
        }
        song.Note(0, 0, 72, 3 * 384, 3 * 384 + 192);
        ASSERT_TRUE(song.Save(dir / "song.mid"));
    }
    CliResult Render(const std::vector<std::string>& arguments) {
        std::vector<std::string> all = {"render", "song.mid"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return RunCli(all, dir.path().string(), {dir.path().string()});
    }

    TempDir dir;
};

TEST_F(RenderCommand, TheWavHasSoundWhereTheNotesAreSilenceAfterTheTailAndIsTheSameEveryTime) {
    ASSERT_EQ(Render({"a.wav", "--rate", "22050"}).status, 0);
    ASSERT_EQ(Render({"b.wav", "--rate", "22050"}).status, 0);
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

TEST_F(RenderCommand, AFailedRenderSaysWhyAndLeavesAnExistingFileAlone) {
    std::ofstream(dir / "out.wav") << "keep me";
    const CliResult run = Render({"out.wav", "--rate", "1000"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("cannot render out.wav"), std::string::npos) << run.err;
    EXPECT_EQ(ReadText(dir / "out.wav"), "keep me");

    const CliResult nowhere = Render({"no/such/dir/out.wav"});
    EXPECT_EQ(nowhere.status, 3);
    EXPECT_NE(nowhere.err.find("could not be written"), std::string::npos) << nowhere.err;
    EXPECT_EQ(Render({}).status, 64);
}

}  // namespace
}  // namespace tw::test
