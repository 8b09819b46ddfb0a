#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/cli/CliProcess.h"
#include "tests/support/SongMaker.h"

namespace tw::test {
namespace {

constexpr uint32_t kRate = 22050;

struct Wav {
    uint32_t rate = 0;
    uint16_t channels = 0;
    std::vector<int16_t> samples;  // interleaved
};

uint32_t Le(const std::string& bytes, std::size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

bool ParseWav(const std::string& bytes, Wav& wav) {
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0 ||
        Le(bytes, 4, 4) != bytes.size() - 8 || Le(bytes, 40, 4) != bytes.size() - 44) {
        return false;
    }
    wav.channels = static_cast<uint16_t>(Le(bytes, 22, 2));
    wav.rate = Le(bytes, 24, 4);
    wav.samples.resize((bytes.size() - 44) / 2);
    std::memcpy(wav.samples.data(), bytes.data() + 44, wav.samples.size() * 2);
    return Le(bytes, 20, 2) == 1 && Le(bytes, 34, 2) == 16;
}

// Root mean square of both channels between two times.
double Rms(const Wav& wav, double fromS, double toS) {
    const auto from = static_cast<std::size_t>(fromS * wav.rate) * 2;
    const auto to = std::min(static_cast<std::size_t>(toS * wav.rate) * 2, wav.samples.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += static_cast<double>(wav.samples[i]) * wav.samples[i];
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0;
}

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir = FreshDirectory("render");
        // 120 BPM at division 192: one second is 384 ticks. Notes from 0 to
        // 1 s, nothing until 3 s, one note from 3 to 3.5 s.
        SongMaker song;
        song.Program(0, 0, 0, 0);
        for (uint32_t i = 0; i < 4; ++i) {
            song.Note(0, 0, static_cast<uint8_t>(60 + 4 * i), i * 96, i * 96 + 90);
        }
        song.Note(0, 0, 72, 3 * 384, 3 * 384 + 192);
        ASSERT_TRUE(song.Save((dir / "song.mid").string()));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
};

TEST_F(RenderCommand, TheWavHasSoundWhereTheNotesAreAndSilenceAfterTheTail) {
    const CliRun run = RunCliIn(dir, {"render", "song.mid", "out.wav", "--rate", "22050"});
    ASSERT_EQ(run.status, 0) << run.err;
    Wav wav;
    ASSERT_TRUE(ParseWav(FileText(dir / "out.wav"), wav));
    EXPECT_EQ(wav.rate, kRate);
    EXPECT_EQ(wav.channels, 2);
    const double seconds = static_cast<double>(wav.samples.size()) / 2 / kRate;
    EXPECT_NEAR(seconds, 3.5 + 2.0, 0.05) << "the song and two seconds of tail";

    const double loud = Rms(wav, 0.05, 0.95);
    EXPECT_GT(loud, 100);
    EXPECT_LT(Rms(wav, 2.2, 2.95), loud / 30) << "the gap between the notes is quiet";
    EXPECT_GT(Rms(wav, 3.05, 3.45), 100);
    EXPECT_LT(Rms(wav, seconds - 0.3, seconds), 5) << "silence at the end of the tail";
}

TEST_F(RenderCommand, TwoRendersOfTheSameSongAreIdentical) {
    ASSERT_EQ(RunCliIn(dir, {"render", "song.mid", "a.wav", "--rate", "22050"}).status, 0);
    ASSERT_EQ(RunCliIn(dir, {"render", "song.mid", "b.wav", "--rate", "22050"}).status, 0);
    const std::string a = FileText(dir / "a.wav");
    EXPECT_GT(a.size(), 44u);
    EXPECT_TRUE(a == FileText(dir / "b.wav"));
}

TEST_F(RenderCommand, AFailedRenderSaysWhyAndLeavesAnExistingFileAlone) {
    std::ofstream(dir / "out.wav") << "keep me";
    const CliRun run = RunCliIn(dir, {"render", "song.mid", "out.wav", "--rate", "1000"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("cannot render out.wav"), std::string::npos) << run.err;
    EXPECT_EQ(FileText(dir / "out.wav"), "keep me");

    const CliRun nowhere = RunCliIn(dir, {"render", "song.mid", "no/such/dir/out.wav"});
    EXPECT_EQ(nowhere.status, 3);
    EXPECT_NE(nowhere.err.find("could not be written"), std::string::npos) << nowhere.err;
    EXPECT_EQ(RunCliIn(dir, {"render", "song.mid"}).status, 64);
}

}  // namespace
}  // namespace tw::test
