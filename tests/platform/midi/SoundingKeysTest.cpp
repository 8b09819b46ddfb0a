#include <gtest/gtest.h>

#include <vector>

#include "platform/midi/SoundingKeys.h"
#include "song/Song.h"

namespace tw::midi {
namespace {

std::vector<uint32_t> Release(SoundingKeys& keys) {
    std::vector<uint32_t> sent;
    keys.ReleaseAll([&](uint32_t msg) { sent.push_back(msg); });
    return sent;
}

std::vector<uint32_t> ChannelSilence() {
    std::vector<uint32_t> sent;
    for (uint8_t channel = 0; channel < 16; ++channel) {
        sent.push_back(PackMsg(0xB0 | channel, 64, 0));
        sent.push_back(PackMsg(0xB0 | channel, 123, 0));
    }
    return sent;
}

TEST(SoundingKeys, ResetSendsANoteOffPerUnreleasedNoteOnThenSilencesEveryChannel) {
    SoundingKeys keys;
    keys.Track(PackMsg(0x93, 60, 100));
    keys.Track(PackMsg(0x93, 60, 90));  // the same key struck twice
    keys.Track(PackMsg(0x90, 72, 80));
    keys.Track(PackMsg(0x80, 72, 0));
    keys.Track(PackMsg(0x9F, 21, 1));
    keys.Track(PackMsg(0xB0, 7, 100));  // not a note
    EXPECT_EQ(keys.Sounding(), 3);

    std::vector<uint32_t> expected = {PackMsg(0x83, 60, 0), PackMsg(0x83, 60, 0),
                                      PackMsg(0x8F, 21, 0)};
    const std::vector<uint32_t> silence = ChannelSilence();
    expected.insert(expected.end(), silence.begin(), silence.end());
    EXPECT_EQ(Release(keys), expected);
    EXPECT_EQ(keys.Sounding(), 0);
    EXPECT_EQ(Release(keys), silence) << "a second reset has no keys left to release";
}

TEST(SoundingKeys, NoteOnWithVelocityZeroReleasesAndStrayNoteOffsAreHarmless) {
    SoundingKeys keys;
    keys.Track(PackMsg(0x80, 50, 0));  // never struck
    keys.Track(PackMsg(0x91, 50, 64));
    keys.Track(PackMsg(0x91, 50, 0));
    keys.Track(PackMsg(0x91, 50, 0));
    EXPECT_EQ(keys.Sounding(), 0);
    EXPECT_EQ(Release(keys), ChannelSilence());
}

}  // namespace
}  // namespace tw::midi
