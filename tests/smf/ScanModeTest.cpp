#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "smf/SmfFiles.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

// Busy tracks of the kinds that stress note pairing and event ordering:
// chords with two notes on one staff line, repeated pitches that overlap,
// note-offs of both forms and on other channels, times that wrap past 2^32,
// and controllers, programs and lyrics among the notes.
Track RandomTrack(std::mt19937& random) {
    const auto pick = [&](int low, int high) {
        return static_cast<uint8_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    Track track;
    for (int i = pick(0, 200) * 2; i > 0; --i) {
        const uint32_t delta = pick(0, 50) == 0 ? 0x7FFFFFFFu : pick(0, 3) * 24u;
        const uint8_t channel = pick(0, 2);
        const uint8_t pitch = pick(58, 66);
        const Bytes kinds[] = {{uint8_t(0x80 | channel), pitch, 0},
                               {uint8_t(0x90 | channel), pitch, pick(0, 1)},
                               {uint8_t(0xB0 | channel), 7, pick(0, 127)},
                               {uint8_t(0xC0 | channel), pick(0, 127)},
                               {0xFF, 0x05, 2, 'l', 'a'},
                               {uint8_t(0x90 | channel), pitch, pick(2, 127)}};
        track.Event(delta, kinds[std::min<int>(pick(0, 9), 5)]);
    }
    return track.End();
}

Bytes RandomSong(std::mt19937& random) {
    const int tracks = std::uniform_int_distribution<int>(1, 6)(random);
    Bytes file = test::Header(1, static_cast<uint16_t>(tracks), 96);
    for (int t = 0; t < tracks; ++t) {
        test::Append(file, test::Chunk(RandomTrack(random)));
    }
    return file;
}

class ScanModes : public test::SongFixture {
protected:
    int Load(const Bytes& file, ScanMode mode) {
        SetDefaults();
        return LoadBytes(file, reporter, progress, mode);
    }
    Bytes Save(ScanMode mode) {
        Bytes out;
        EXPECT_EQ(SaveBytes(out, reporter, progress, mode), kSaveOk);
        return out;
    }

    test::RecordingProgress progress;
};

TEST_F(ScanModes, IndexedPairingLoadsTheSameTablesAsThePlainScan) {
    std::mt19937 random(20261206);
    for (int song = 0; song < 150; ++song) {
        SCOPED_TRACE(song);
        const Bytes file = RandomSong(random);
        const int plainCode = Load(file, ScanMode::Plain);
        const Bytes plain = test::Snapshot();
        ASSERT_EQ(Load(file, ScanMode::Indexed), plainCode);
        ASSERT_EQ(test::Snapshot(), plain);
    }
}

TEST_F(ScanModes, SortedTracksWriteTheSameBytesAsOneByOneInsertion) {
    std::mt19937 random(7);
    for (int song = 0; song < 150; ++song) {
        SCOPED_TRACE(song);
        ASSERT_EQ(Load(RandomSong(random), ScanMode::Indexed), kLoadOk);
        ASSERT_EQ(Save(ScanMode::Indexed), Save(ScanMode::Plain));
    }
}

}  // namespace
}  // namespace tw
