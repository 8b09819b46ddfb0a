// Broken files made here. Each loads or is refused with its code; none may
// crash, hang or read outside the file (the sanitizer build checks the last:
// every file is an exactly sized buffer).

#include <gtest/gtest.h>

#include "smf/SmfFiles.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

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

Bytes Joined(Bytes first, const Bytes& second) {
    test::Append(first, second);
    return first;
}

Track Repeated(const Bytes& start, uint8_t byte, int count) {
    return Track().Raw(start).Raw(Bytes(static_cast<std::size_t>(count), byte));
}

class BadInput : public test::SmfFixture {};

TEST_F(BadInput, ValidFileCutAtEveryByteLoadsOrIsRefusedWithItsCode) {
    const Bytes file = test::RichSong();
    for (std::size_t n = 0; n <= file.size(); ++n) {
        ASSERT_EQ(Load(Bytes(file.begin(), file.begin() + static_cast<long>(n))),
                  CodeOfPrefix(file, n))
            << n;
        ASSERT_EQ(progress.captions.size(), static_cast<std::size_t>(progress.closed));
    }
}

TEST_F(BadInput, CorpusOfStructuralFaultsLoadsOrIsRefusedWithItsCode) {
    Bytes fortyEmpty = test::Header(1, 0xFFFF, 0x8000);
    for (int t = 0; t < 40; ++t) {
        test::Append(fortyEmpty, test::Chunk(Track(), 0));
    }
    const Track note = Track().Event(0, {0x90, 60, 100});
    const std::pair<Bytes, int> corpus[] = {
        {{'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96}, kLoadNoHeader},
        {test::Header(2, 1, 96), kLoadNotFormat1},
        {test::Header(0, 1, 0), kLoadNotFormat1},
        {test::File(0, {Track().End()}), kLoadNoDivision},
        {Joined(Joined(test::Header(1, 1, 96, 8), {0, 0}), test::Chunk(note)), kLoadNoTrack},
        {test::Header(1, 0, 96), kLoadOk},
        {Joined(test::Header(1, 1, 96), {'M', 'T', 'r', 'k', 0, 0}), kLoadOk},  // cut length
        {Joined(test::Header(1, 2, 96), test::Chunk(note, 0xFFFFFFFF)), kLoadNoTrack},
        {test::File(96, {Repeated({0, 0xFF, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, 'a', 9)}),
         kLoadOk},
        {test::File(96, {Repeated({0, 0xFF, 0x01}, 0x80, 100)}), kLoadOk},  // endless meta length
        {test::File(96, {Repeated({}, 0xFF, 5000)}), kLoadOk},              // endless delta time
        {test::File(96, {Repeated({0, 0xF0}, 0x81, 7)}), kLoadOk},
        {test::File(96, {Repeated({0, 0x40}, 0x40, 2)}), kLoadOk},  // running status at track start
        {test::File(96, {Repeated({0, 0xF4}, 0x40, 2)}), kLoadOk},
        {fortyEmpty, kLoadOk},
    };
    for (const auto& [file, code] : corpus) {
        ASSERT_EQ(Load(file), code) << file.size() << " bytes";
        EXPECT_EQ(sd.lyricTotal, 0u);
    }
    EXPECT_EQ(Load(test::Header(0, 1, 480)), kLoadNotFormat1);
    EXPECT_EQ(sd.division, 480u);  // stored before the format is checked
    // A division with the top bit set is kept as it is.
    ASSERT_EQ(Load(test::File(0xE728, {note})), kLoadOk);
    EXPECT_EQ(dd[0][0].end, 6u * 0xE728);
}

}  // namespace
}  // namespace tw
