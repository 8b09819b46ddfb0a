#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "smf/Format0Split.h"
#include "smf/SmfFiles.h"
#include "song/KeptEvents.h"

namespace tw::test {
namespace {

class Format0Split : public SmfFixture {
protected:
    // Splits and loads; the load code.
    int Convert(const Bytes& file, LeftOut* leftOut = nullptr) {
        Bytes split;
        const int code = SplitFormat0(file, split);
        if (code != kLoadOk) {
            EXPECT_TRUE(split.empty());
            return code;
        }
        SetDefaults();
        return LoadBytes(split, reporter, progress, ScanMode::Indexed, leftOut);
    }
};

TEST_F(Format0Split, ChannelsBecomeTracksWithEveryNoteTempoAndLyricInPlace) {
    LeftOut leftOut;
    ASSERT_EQ(Convert(Format0Song(), &leftOut), kLoadOk);
    // Track 3 is named after channel 2's first program, 8.
    EXPECT_EQ(std::string(tn[0]) + "|" + tn[1] + "|" + tn[2] + "|" + tn[3] + "|" + cpyright,
              "Karaoke Song|Channel 1|Celesta|Channel 10|(c) Singer");
    EXPECT_EQ(sd.tsNumerator, 3u);
    const struct {
        int track;
        uint32_t start, end;
        uint8_t note, velocity, channel;
    } notes[] = {{1, 0, 96, 60, 100, 0},
                 {1, 0, 96, 64, 101, 0},
                 {1, 96, 288, 62, 80, 0},
                 {2, 0, 288, 48, 90, 1},
                 {3, 0, 96, 36, 127, 9}};
    EXPECT_EQ(std::tuple(sd.noteCount[0], sd.noteCount[1], sd.noteCount[2], sd.noteCount[3]),
              std::tuple(0u, 3u, 1u, 1u));
    uint32_t index[4] = {};
    for (const auto& n : notes) {
        const displaydata& got = dd[n.track][index[n.track]++];
        EXPECT_EQ(
            std::make_tuple(got.start, got.end, got.note, got.velocity, got.channel, got.closed),
            std::make_tuple(n.start, n.end, n.note, n.velocity, n.channel, uint8_t{1}))
            << "note " << int{n.note};
        EXPECT_EQ(sd.trackChannel[n.track], n.channel);
    }
    EXPECT_EQ(std::tuple(sd.tempoTotal, td[1].time, td[1].tempo), std::tuple(2u, 192u, 1.0f));
    ASSERT_EQ(sd.lyricTotal, 2u);
    EXPECT_EQ(std::string(lcd[0].text) + "@" + std::to_string(lcd[0].time) + " " + lcd[1].text +
                  "@" + std::to_string(lcd[1].time),
              "Caf\xE9@0 lo@96");
    EXPECT_EQ(lcd[1].track, 0u);
    EXPECT_EQ(sd.songEnd, 384u) << "the song ends where its one track ended";
    EXPECT_EQ(kept.Total(), 3u) << "a pitch bend, a system exclusive message and a marker";
    EXPECT_EQ(LeftOutItems(leftOut), "");
}

// Cut anywhere, the split ends its track where the reader would end the
// same track read as format 1, and keeps as much.
TEST_F(Format0Split, ACutFileGivesTheReadersCodeAndWhatTheReaderKeeps) {
    const Bytes whole = Format0Song();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        Bytes asFormat1 = cut;
        if (size >= 10) {
            asFormat1[9] = 1;
        }
        const int expected = Load(asFormat1);
        const uint32_t totals[] = {sd.tempoTotal, sd.lyricTotal, sd.songEnd};
        uint32_t notes = 0;
        for (int t = 0; t < kTracks; ++t) {
            notes += sd.noteCount[t];
        }
        const int code = Convert(cut);
        if (size < 10) {
            EXPECT_NE(code, kLoadOk) << size;
            continue;
        }
        ASSERT_EQ(code, expected) << "cut at " << size;
        if (code == kLoadOk) {
            uint32_t split = 0;
            for (int t = 0; t < kTracks; ++t) {
                split += sd.noteCount[t];
            }
            EXPECT_EQ(split, notes) << "cut at " << size;
            EXPECT_EQ(std::vector<uint32_t>({sd.tempoTotal, sd.lyricTotal, sd.songEnd}),
                      std::vector<uint32_t>(std::begin(totals), std::end(totals)))
                << "cut at " << size;
        }
    }
}

}  // namespace
}  // namespace tw::test
