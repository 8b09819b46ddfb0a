// Broken files made here, sorted by fault. Each loads or is refused with its
// code; none may crash, hang or read outside the file (the sanitizer build
// checks the last: every file is an exactly sized buffer).

#include <gtest/gtest.h>

#include <random>

#include "smf/SmfFiles.h"
#include "smf/SmfReader.h"
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
                            .End();
    return test::File(96, {first, Track().Event(0, {0xB1, 7, 100}).Event(0, {0x91, 40, 80}).End()});
}

// The code of a valid file cut after n bytes: missing header bytes read as
// 0, a cut chunk tag gives 4, and a track cut anywhere else just ends.
int CodeOfPrefix(const Bytes& file, std::size_t n) {
    if (n < 14) {
        return n < 4 ? kLoadNoHeader : n < 10 ? kLoadNotFormat1 : kLoadNoDivision;
    }
    for (std::size_t chunk = 14; chunk < file.size(); chunk += 8 + file[chunk + 7]) {
        if (n < chunk + 4) {
            return kLoadNoTrack;
        }
    }
    return kLoadOk;
}

Track Repeated(Bytes start, uint8_t byte, int count) {
    Track track;
    track.Raw(start).Raw(Bytes(static_cast<std::size_t>(count), byte));
    return track;
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
        ASSERT_EQ(Load(Bytes(file.begin(), file.begin() + static_cast<long>(n))),
                  CodeOfPrefix(file, n))
            << n;
        ASSERT_EQ(progress.captions.size(), static_cast<std::size_t>(progress.closed));
    }
}

TEST_F(BadInput, CorpusOfStructuralFaultsLoadsOrIsRefusedWithItsCode) {
    Bytes hugeChunk = test::Header(1, 2, 96);
    test::Append(hugeChunk, test::Chunk(Track().Event(0, {0x90, 60, 100}), 0xFFFFFFFF));
    Bytes fortyEmpty = test::Header(1, 0xFFFF, 0x8000);
    for (int t = 0; t < 40; ++t) {
        test::Append(fortyEmpty, test::Chunk(Track(), 0));
    }
    const std::pair<Bytes, int> corpus[] = {
        {hugeChunk, kLoadNoTrack},  // the second chunk would lie past the end
        {test::File(96, {Repeated({0, 0xFF, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, 'a', 9)}),
         kLoadOk},
        {test::File(96, {Repeated({0, 0xFF, 0x01}, 0x80, 100)}), kLoadOk},  // endless meta length
        {test::File(96, {Repeated({}, 0xFF, 5000)}), kLoadOk},              // endless delta time
        {test::File(96, {Repeated({0, 0xF0}, 0x81, 7)}), kLoadOk},
        {test::File(96, {Repeated({0, 0x40}, 0x40, 2)}), kLoadOk},  // running status at track start
        {test::File(96, {Repeated({0, 0xF4}, 0x40, 2)}), kLoadOk},
        {test::File(0, {Track().End()}), kLoadNoDivision},
        {fortyEmpty, kLoadOk},
    };
    for (const auto& [file, code] : corpus) {
        ASSERT_EQ(Load(file), code) << file.size() << " bytes";
        EXPECT_EQ(sd.lyricTotal, 0u);
    }
    // A division with the top bit set is kept as it is.
    ASSERT_EQ(Load(test::File(0xE728, {Track().Event(0, {0x90, 60, 100})})), kLoadOk);
    EXPECT_EQ(dd[0][0].end, 6u * 0xE728);
}

TEST_F(BadInput, RandomlyDamagedFilesLoadOrAreRefusedWithAKnownCode) {
    const Bytes file = ValidSong();
    std::mt19937 random(42);
    std::uniform_int_distribution<std::size_t> position(0, file.size() - 1);
    for (int i = 0; i < 3000; ++i) {
        Bytes damaged = file;
        for (int hits = 1 + i % 4; hits > 0; --hits) {
            damaged[position(random)] = static_cast<uint8_t>(random());
        }
        const int code = Load(damaged);
        ASSERT_TRUE(code >= kLoadOk && code <= kLoadNoDivision) << i;
        if (code == kLoadOk) {
            ASSERT_GE(BarLength(sd.tsNumerator, sd.tsDenominator, sd.division), 1.0f) << i;
        }
    }
}

}  // namespace
}  // namespace tw
