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

TEST(SoundingKeys, ResetSendsANoteOffPerUnreleasedNoteOnThenSilencesEveryChannel) {
    SoundingKeys keys;
    for (uint32_t msg : {PackMsg(0x80, 50, 0),                         // never struck
                         PackMsg(0x91, 50, 64), PackMsg(0x91, 50, 0),  // released by velocity 0
                         PackMsg(0x91, 50, 0), PackMsg(0x93, 60, 100),
                         PackMsg(0x93, 60, 90),  // the same key struck twice
                         PackMsg(0x90, 72, 80), PackMsg(0x80, 72, 0), PackMsg(0x9F, 21, 1),
                         PackMsg(0xB0, 7, 100)}) {  // not a note
        keys.Track(msg);
    }
    EXPECT_EQ(keys.Sounding(), 3);

    std::vector<uint32_t> silence;
    for (uint8_t channel = 0; channel < 16; ++channel) {
        silence.push_back(PackMsg(0xB0 | channel, 64, 0));
        silence.push_back(PackMsg(0xB0 | channel, 123, 0));
    }
    std::vector<uint32_t> expected = {PackMsg(0x83, 60, 0), PackMsg(0x83, 60, 0),
                                      PackMsg(0x8F, 21, 0)};
    expected.insert(expected.end(), silence.begin(), silence.end());
    EXPECT_EQ(Release(keys), expected);
    EXPECT_EQ(keys.Sounding(), 0);
    EXPECT_EQ(Release(keys), silence) << "a second reset has no keys left to release";
}

}  // namespace
}  // namespace tw::midi
