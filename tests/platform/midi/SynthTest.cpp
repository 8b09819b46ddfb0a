#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/midi/SoundFont.h"
#include "platform/midi/Synth.h"
#include "song/Song.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

namespace tw::midi {
namespace {

constexpr uint32_t kRate = 22050;

std::vector<int16_t> Render(Synth& synth, double seconds) {
    std::vector<int16_t> samples(2 * static_cast<std::size_t>(seconds * kRate));
    synth.Render(static_cast<uint32_t>(samples.size() / 2), samples.data());
    return samples;
}

// The loudest sample of one side: 0 left, 1 right.
int Peak(const std::vector<int16_t>& samples, int side) {
    int peak = 0;
    for (std::size_t i = static_cast<std::size_t>(side); i < samples.size(); i += 2) {
        peak = std::max(peak, std::abs(int{samples[i]}));
    }
    return peak;
}

TEST(OfflineSynth, SoundsTheSameEveryTimeWithAVolumePerSideAndFallsSilentAfterReset) {
    ASSERT_FALSE(FindSoundFont().empty()) << kNoSoundFontText;
    std::unique_ptr<Synth> synths[2];
    for (auto& synth : synths) {
        int result = -1;
        synth = Synth::OpenOffline(kRate, FindSoundFont(), result);
        ASSERT_NE(synth, nullptr) << "result " << result;
        EXPECT_EQ(result, kSynthOpened);
        synth->SetGain(0.2f);  // loud enough for clear peaks from one note
        EXPECT_EQ(Peak(Render(*synth, 0.1), 0), 0);
        synth->Send(PackMsg(0xC0, 0, 0));
        synth->Send(PackMsg(0xB0, 91, 100));
        synth->Send(PackMsg(0x90, 60, 110));
    }
    const std::vector<int16_t> held = Render(*synths[0], 0.5);
    EXPECT_GT(std::min(Peak(held, 0), Peak(held, 1)), 1000);
    EXPECT_EQ(held, Render(*synths[1], 0.5)) << "the same messages render the same samples";

    uint32_t volume = 0;
    ASSERT_TRUE(synths[1]->GetVolume(volume));
    EXPECT_EQ(volume, 0xFFFFFFFFu) << "full volume at start";
    ASSERT_TRUE(synths[1]->SetVolume(0x0000FFFF));  // left full, right off
    ASSERT_TRUE(synths[1]->GetVolume(volume));
    EXPECT_EQ(volume, 0x0000FFFFu);
    const std::vector<int16_t> leftOnly = Render(*synths[1], 0.3);
    EXPECT_GT(Peak(leftOnly, 0), 300);
    EXPECT_EQ(Peak(leftOnly, 1), 0);

    synths[0]->Send(PackMsg(0xB0, 64, 127));  // sustain held down
    synths[0]->Send(PackMsg(0x80, 60, 0));
    synths[0]->Reset();
    Render(*synths[0], 3.0);
    const std::vector<int16_t> after = Render(*synths[0], 0.5);
    EXPECT_LT(std::max(Peak(after, 0), Peak(after, 1)), 20);
}

TEST(SynthOpening, AMissingOrUnreadableSoundFontOrABadRateIsReportedByItsCode) {
    int result = -1;
    EXPECT_EQ(Synth::OpenOffline(44100, "", result), nullptr);
    EXPECT_EQ(result, kNoSoundFont);

    const test::TempDir dir;
    const std::string bogus = dir.Write("not-a-soundfont.sf2", {'R', 'I', 'F', 'F', 0, 0});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Synth::OpenOffline(44100, bogus, result), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "FluidSynth stays quiet";
    EXPECT_EQ(result, kSoundFontUnreadable);

    EXPECT_EQ(Synth::OpenOffline(1000, FindSoundFont(), result), nullptr);
    EXPECT_EQ(result, kBadSampleRate);
}

TEST(SynthOpening, TheMapperPlaysThroughARunningJackServerWhenNothingElseOpens) {
    if (!test::HaveJackd()) {
        GTEST_SKIP() << test::kNoJackd;
    }
    const test::TempDir dir;
    const test::JackServer server(dir.path().string());
    ASSERT_TRUE(server.Running());
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
}

}  // namespace
}  // namespace tw::midi
