#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/midi/SoundFont.h"
#include "platform/midi/Synth.h"
#include "song/Song.h"
#include "tests/support/JackServer.h"

namespace tw::midi {
namespace {

constexpr uint32_t kRate = 22050;

class OfflineSynth : public ::testing::Test {
protected:
    void SetUp() override {
        soundFont = FindSoundFont();
        ASSERT_FALSE(soundFont.empty()) << kNoSoundFontText;
        int result = -1;
        synth = Synth::OpenOffline(kRate, soundFont, result);
        ASSERT_NE(synth, nullptr);
        EXPECT_EQ(result, kSynthOpened);
    }

    std::vector<int16_t> Render(double seconds) {
        std::vector<int16_t> samples(2 * static_cast<std::size_t>(seconds * kRate));
        synth->Render(static_cast<uint32_t>(samples.size() / 2), samples.data());
        return samples;
    }

    static int Peak(const std::vector<int16_t>& samples, int side) {
        int peak = 0;
        for (std::size_t i = static_cast<std::size_t>(side); i < samples.size(); i += 2) {
            peak = std::max(peak, std::abs(int{samples[i]}));
        }
        return peak;
    }

    std::string soundFont;
    std::unique_ptr<Synth> synth;
};

TEST_F(OfflineSynth, SoundsWhileANoteIsHeldAndFallsSilentAfterReset) {
    EXPECT_EQ(Peak(Render(0.1), 0), 0);
    synth->Send(PackMsg(0xC0, 0, 0));
    synth->Send(PackMsg(0x90, 60, 110));
    const std::vector<int16_t> held = Render(0.5);
    EXPECT_GT(Peak(held, 0), 1000);
    EXPECT_GT(Peak(held, 1), 1000);
    synth->Send(PackMsg(0xB0, 64, 127));  // sustain held down
    synth->Send(PackMsg(0x80, 60, 0));
    synth->Reset();
    Render(3.0);
    const std::vector<int16_t> after = Render(0.5);
    EXPECT_LT(Peak(after, 0), 20);
    EXPECT_LT(Peak(after, 1), 20);
}

TEST_F(OfflineSynth, VolumeIsAGainPerSideReadBackAsSet) {
    uint32_t volume = 0;
    ASSERT_TRUE(synth->GetVolume(volume));
    EXPECT_EQ(volume, 0xFFFFFFFFu) << "full volume at start";
    ASSERT_TRUE(synth->SetVolume(0x0000FFFF));  // left full, right off
    ASSERT_TRUE(synth->GetVolume(volume));
    EXPECT_EQ(volume, 0x0000FFFFu);
    synth->Send(PackMsg(0x90, 64, 110));
    const std::vector<int16_t> samples = Render(0.3);
    EXPECT_GT(Peak(samples, 0), 300);
    EXPECT_EQ(Peak(samples, 1), 0);
}

TEST_F(OfflineSynth, TheSameMessagesRenderTheSameSamples) {
    auto play = [](Synth& s, std::vector<int16_t>& out) {
        s.Send(PackMsg(0xC0, 40, 0));
        s.Send(PackMsg(0xB0, 91, 100));
        s.Send(PackMsg(0x90, 67, 100));
        out.resize(2 * kRate);
        s.Render(kRate, out.data());
    };
    int result = -1;
    std::unique_ptr<Synth> second = Synth::OpenOffline(kRate, soundFont, result);
    ASSERT_NE(second, nullptr);
    std::vector<int16_t> a, b;
    play(*synth, a);
    play(*second, b);
    EXPECT_EQ(a, b);
}

TEST(SynthOpening, AMissingOrUnreadableSoundFontOrABadRateIsReportedByItsCode) {
    int result = -1;
    EXPECT_EQ(Synth::OpenOffline(44100, "", result), nullptr);
    EXPECT_EQ(result, kNoSoundFont);

    const auto bogus = std::filesystem::temp_directory_path() / "tw-not-a-soundfont.sf2";
    std::ofstream(bogus) << "RIFF but not really";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Synth::OpenOffline(44100, bogus.string(), result), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "FluidSynth stays quiet";
    EXPECT_EQ(result, kSoundFontUnreadable);
    std::filesystem::remove(bogus);

    EXPECT_EQ(Synth::OpenOffline(1000, FindSoundFont(), result), nullptr);
    EXPECT_EQ(result, kBadSampleRate);
}

TEST(SynthOpening, TheMapperPlaysThroughARunningJackServerWhenNothingElseOpens) {
    if (!test::HaveProgram("jackd")) {
        GTEST_SKIP() << "jackd is not installed (Debian package jackd2)";
    }
    const auto dir =
        std::filesystem::temp_directory_path() / ("tw-mapper-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    auto server = std::make_unique<test::JackServer>(dir.string());
    ASSERT_TRUE(server->Running());
    ::testing::internal::CaptureStderr();
    int result = -1;
    std::unique_ptr<Synth> live = Synth::OpenLive(result);
    const std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(live, nullptr) << "result " << result;
    EXPECT_EQ(result, kSynthOpened);
    EXPECT_FALSE(live->Driver().empty());
    live->Send(PackMsg(0x90, 60, 100));
    live->Reset();
    live.reset();
    EXPECT_EQ(err, "");
    server.reset();
    if (!HasFailure()) {
        std::filesystem::remove_all(dir);
    }
}

}  // namespace
}  // namespace tw::midi
