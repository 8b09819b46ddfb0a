// A corpus of broken files made here, sorted by fault. Each must load or be
// refused with its code; none may crash, hang or read outside the file (the
// sanitizer build checks the last, as every file is an exactly sized buffer).

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "smf/SmfFiles.h"
#include "smf/SmfReader.h"
#include "song/Song.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

Bytes ValidSong() {
    const Track first = Track()
                            .Meta(0, 0x03, "Lead")
                            .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                            .Event(0, {0xFF, 0x58, 4, 4, 2, 24, 8})
                            .Event(0, {0xC0, 5})
                            .Event(0, {0x90, 60, 100})
                            .Raw({48, 64, 90})
                            .Meta(0, 0x05, "word")
                            .Event(48, {0x80, 60, 0})
                            .Event(0, {0xF0, 2, 1, 0xF7})
                            .Event(0, {0x90, 64, 0})
                            .End();
    const Track second =
        Track().Event(0, {0xB1, 7, 100}).Event(0, {0x91, 40, 80}).Event(96, {0x81, 40, 0}).End();
    return test::File(96, {first, second});
}

// The load code of a prefix of a valid file: missing header bytes read as 0,
// a cut chunk tag gives 4, a track cut anywhere else just ends early.
int ExpectedCodeOfPrefix(const Bytes& file, std::size_t n) {
    if (n < 4) {
        return kLoadNoHeader;
    }
    if (n < 10) {
        return kLoadNotFormat1;
    }
    if (n < 14) {
        return kLoadNoDivision;
    }
    for (std::size_t chunk = 14; chunk < file.size();) {
        if (n < chunk + 4) {
            return kLoadNoTrack;
        }
        const uint32_t length = (uint32_t{file[chunk + 4]} << 24) |
                                (uint32_t{file[chunk + 5]} << 16) |
                                (uint32_t{file[chunk + 6]} << 8) | file[chunk + 7];
        chunk += 8 + length;
    }
    return kLoadOk;
}

class BadInput : public test::SongFixture {
protected:
    int Load(const Bytes& file) {
        SetDefaults();
        return LoadBytes(file, reporter, progress);
    }

    test::RecordingProgress progress;
};

TEST_F(BadInput, ValidFileCutAtEveryByteLoadsOrIsRefusedWithItsCode) {
    const Bytes file = ValidSong();
    for (std::size_t n = 0; n <= file.size(); ++n) {
        SCOPED_TRACE(n);
        const Bytes prefix(file.begin(), file.begin() + static_cast<long>(n));
        ASSERT_EQ(Load(prefix), ExpectedCodeOfPrefix(file, n));
        EXPECT_EQ(progress.opened, progress.closed);
    }
}

TEST_F(BadInput, HugeChunkAndMetaLengthsEndTheTrack) {
    Bytes hugeChunk = test::Header(1, 2, 96);
    test::Append(hugeChunk, test::Chunk(Track().Event(0, {0x90, 60, 100}), 0xFFFFFFFF));
    EXPECT_EQ(Load(hugeChunk), kLoadNoTrack);  // the second chunk lies past the end
    EXPECT_EQ(sd.noteCount[0], 1u);

    for (uint8_t type : {0x01, 0x02, 0x03, 0x05, 0x7F}) {
        const Track meta = Track()
                               .Event(0, {0x90, 60, 100})
                               .Raw({0, 0xFF, type, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 'a'});
        EXPECT_EQ(Load(test::File(96, {meta})), kLoadOk);
        EXPECT_EQ(sd.noteCount[0], 1u);
        EXPECT_EQ(sd.lyricTotal, 0u);
    }
}

TEST_F(BadInput, EndlessVariableLengthNumbersStopAtTheChunkEnd) {
    Track endless;
    for (int i = 0; i < 5000; ++i) {
        endless.Raw({0xFF});
    }
    EXPECT_EQ(Load(test::File(96, {endless})), kLoadOk);
    Track metaLength = Track().Raw({0, 0xFF, 0x01});
    for (int i = 0; i < 100; ++i) {
        metaLength.Raw({0x80});
    }
    EXPECT_EQ(Load(test::File(96, {metaLength})), kLoadOk);
    EXPECT_EQ(sd.lyricTotal, 0u);
}

TEST_F(BadInput, RunningStatusAtTrackStartAndUnknownStatusBytesEndTheTrack) {
    for (uint8_t status : {0x00, 0x40, 0x7F, 0xF1, 0xF2, 0xF4, 0xF8, 0xFE}) {
        const Track track = Track().Event(0, {status, 60, 100}).Event(0, {0x90, 62, 100});
        EXPECT_EQ(Load(test::File(96, {track})), kLoadOk);
        EXPECT_EQ(sd.noteCount[0], 0u);
    }
}

TEST_F(BadInput, UnusualDivisionsAndTrackCounts) {
    EXPECT_EQ(Load(test::Header(1, 1, 0)), kLoadNoDivision);
    Bytes smpte = test::Header(1, 1, 0xE728);
    test::Append(smpte, test::Chunk(Track().Event(0, {0x90, 60, 100}).End()));
    EXPECT_EQ(Load(smpte), kLoadOk);
    EXPECT_EQ(sd.division, 0xE728u);
    EXPECT_EQ(dd[0][0].end, 6u * 0xE728);

    Bytes many = test::Header(1, 0xFFFF, 96);
    for (int t = 0; t < 40; ++t) {
        test::Append(many, test::Chunk(Track(), 0));
    }
    EXPECT_EQ(Load(many), kLoadOk);
    Bytes fewerThanDeclared = test::Header(1, 3, 96);
    test::Append(fewerThanDeclared, test::Chunk(Track().End()));
    EXPECT_EQ(Load(fewerThanDeclared), kLoadNoTrack);
}

TEST_F(BadInput, RandomlyDamagedFilesLoadOrAreRefusedWithAKnownCode) {
    const std::set<int> known = {kLoadOk, kLoadNoHeader, kLoadNotFormat1, kLoadNoTrack,
                                 kLoadNoDivision};
    const Bytes file = ValidSong();
    std::mt19937 random(42);
    std::uniform_int_distribution<std::size_t> position(0, file.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 3000; ++i) {
        Bytes damaged = file;
        for (int hits = 1 + i % 4; hits > 0; --hits) {
            damaged[position(random)] = static_cast<uint8_t>(byte(random));
        }
        SCOPED_TRACE(i);
        const int code = Load(damaged);
        ASSERT_EQ(known.count(code), 1u);
        if (code == kLoadOk) {
            ASSERT_GE(BarLength(sd.tsNumerator, sd.tsDenominator, sd.division), 1.0f);
        }
    }
}

}  // namespace
}  // namespace tw
