#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "smf/SmfFiles.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

// Busy tracks of the kinds that stress note pairing and event ordering:
// chords with two notes on one staff line, repeated pitches that overlap,
// note-offs of both forms and on other channels, times that wrap past 2^32,
// and controllers, programs and lyrics among the notes.
Bytes RandomSong(std::mt19937& random) {
    const auto pick = [&](int low, int high) {
        return static_cast<uint8_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    const int tracks = pick(1, 6);
    Bytes file = test::Header(1, static_cast<uint16_t>(tracks), 96);
    for (int t = 0; t < tracks; ++t) {
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
        test::Append(file, test::Chunk(track.End()));
    }
    return file;
}

class SmfRoundTrip : public test::SmfFixture {};

TEST_F(SmfRoundTrip, EveryKeptKindOfEventComesBackAndASecondSaveIsIdentical) {
    ASSERT_EQ(Load(test::RichSong()), kLoadOk);
    ASSERT_EQ(sd.eventTotal + sd.pgmTotal + sd.lyricTotal + sd.tempoTotal, 4u + 3 + 3 + 2);
    const Bytes before = test::Snapshot();
    const Bytes saved = Save();
    ASSERT_EQ(Load(saved), kLoadOk);
    EXPECT_EQ(test::Snapshot(), before);
    EXPECT_EQ(Save(), saved);
}

TEST_F(SmfRoundTrip, DroppedEventsAreNotWrittenAndSignaturesMoveToTheStartOfTrack0) {
    const Track late = Track()
                           .Raw({0, 0x90, 60, 100, 0, 0x90, 62, 1})  // the second is a note-off
                           .Raw({0, 0xE0, 0, 64, 0, 0xB0, 64, 127, 0, 0xF0, 1, 0xF7})
                           .Meta(0, 0x06, "marker")
                           .Event(100, {0xFF, 0x58, 4, 2, 1, 24, 8})
                           .Event(0, {0xFF, 0x59, 2, 3, 0})
                           .Event(92, {0x80, 60, 0})
                           .End();
    ASSERT_EQ(Load(test::File(96, {Track().End(), late})), kLoadOk);
    const Bytes saved = Save();
    const Bytes signatures = {0, 0xFF, 0x59, 2, 3, 0, 0, 0xFF, 0x58, 4, 2, 3, 24, 8};
    EXPECT_EQ(Bytes(saved.begin() + 33, saved.begin() + 47), signatures);
    const Bytes notes = {0, 0x90, 60, 100, 0x81, 0x40, 0x80, 60, 0, 0, 0xFF, 0x2F, 0};
    EXPECT_EQ(Bytes(saved.end() - 13, saved.end()), notes);
    ASSERT_EQ(Load(saved), kLoadOk);
    EXPECT_EQ(sd.tsDenominator, 8u);  // 2/2 comes back as 2/8
}

// The indexed note pairing and sorted track building must give exactly the
// tables, codes and bytes of the plain scans.
TEST_F(SmfRoundTrip, IndexedScansLoadAndSaveExactlyAsThePlainScans) {
    std::mt19937 random(20261206);
    for (int song = 0; song < 150; ++song) {
        SCOPED_TRACE(song);
        const Bytes file = RandomSong(random);
        const int plainCode = Load(file, ScanMode::Plain);
        const Bytes plain = test::Snapshot();
        const Bytes plainSaved = Save(kSaveOk, ScanMode::Plain);
        ASSERT_EQ(Load(file, ScanMode::Indexed), plainCode);
        ASSERT_EQ(test::Snapshot(), plain);
        ASSERT_EQ(Save(kSaveOk, ScanMode::Indexed), plainSaved);
    }
}

}  // namespace
}  // namespace tw
