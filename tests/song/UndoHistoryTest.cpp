#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "song/Song.h"
#include "song/Tables.h"
#include "song/UndoHistory.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

// Everything Save writes and everything an undo must restore, as bytes.
std::string SongImage() {
    std::string image;
    auto put = [&image](const void* from, std::size_t size) {
        image.append(static_cast<const char*>(from), size);
    };
    for (int t = 0; t < kTracks; ++t) {
        put(&sd.noteCount[t], 4);
        put(dd[t], sd.noteCount[t] * sizeof(displaydata));
    }
    put(td, sd.tempoTotal * sizeof(tempodata));
    put(ed, sd.eventTotal * sizeof(eventdata));
    put(pgm, sd.pgmTotal * sizeof(eventdata));
    put(lcd, sd.lyricTotal * sizeof(lyric));
    put(tn, sizeof tn);
    put(cpyright, sizeof cpyright);
    for (uint32_t value : {sd.tempoTotal, sd.eventTotal, sd.pgmTotal, sd.lyricTotal, sd.lyricSum,
                           sd.division, sd.barTicks, sd.tsNumerator, sd.tsDenominator, sd.songEnd,
                           sd.changed}) {
        put(&value, 4);
    }
    put(sd.lyricCount, sizeof sd.lyricCount);
    put(sd.trackChannel, sizeof sd.trackChannel);
    put(sd.channelProgram, sizeof sd.channelProgram);
    return image;
}

struct Edit {
    const char* name;
    std::vector<PartRef> parts;
    std::function<void()> change;
};

class UndoHistoryTest : public test::SongFixture {
protected:
    void SetUp() override {
        SongFixture::SetUp();
        History().Clear();
        // A song that fills its tables partly.
        for (uint32_t i = 0; i < 40; ++i) {
            ASSERT_EQ(AddNote(reporter, i % 3, test::MakeNote(i * 96, i * 96 + 90, 60 + i % 12)),
                      kStored);
        }
        ASSERT_EQ(UpdateTempoData(reporter, tempodata{768, 1.5f}), kStored);
        ASSERT_EQ(UpdateEventData(reporter, eventdata{0, PackMsg(0xB0, 7, 100), 0}), kStored);
        ASSERT_EQ(UpdatePgmData(reporter, eventdata{0, PackMsg(0xC0, 5, 0), 0}), kStored);
        lyric word{96, "la", 1};
        ASSERT_EQ(UpdateLyricData(reporter, word), kStored);
        sd.songEnd = 39 * 96 + 90;
    }

    void Apply(const Edit& edit) {
        History().Record(edit.name, edit.parts);
        edit.change();
        sd.changed = 1;
    }

    const std::vector<Edit> edits = {
        {"Note Entry", {{SongPart::Notes, 1}},
         [this] { (void)AddNote(reporter, 1, test::MakeNote(5000, 5090, 72)); }},
        {"Cut Track", {{SongPart::Notes, 0}}, [] { sd.noteCount[0] = 0; }},
        {"Paste Track", {{SongPart::Notes, 2}, {SongPart::Lyrics}},
         [] {
             std::memcpy(dd[2], dd[0], 14 * sizeof(displaydata));
             sd.noteCount[2] = 14;
             sd.lyricTotal = 0;
             sd.lyricSum = 0;
             sd.lyricCount[1] = 0;
             sd.songEnd = 99999;
         }},
        {"Delete Tempo", {{SongPart::Tempo}}, [] { sd.tempoTotal = 1; }},
        {"Del All", {{SongPart::Events}}, [] { sd.eventTotal = 0; }},
        {"Instrument", {{SongPart::Programs}},
         [] {
             pgm[0].msg = PackMsg(0xC0, 40, 0);
             sd.channelProgram[0] = 40;
         }},
        {"Lyric Entry", {{SongPart::Lyrics}},
         [this] {
             lyric word{192, "lo", 1};
             (void)UpdateLyricData(reporter, word);
         }},
        {"Track Name", {{SongPart::TrackNames}}, [] { std::strcpy(tn[3], "Bass"); }},
        {"Copyright", {{SongPart::Copyright}},
         [] {
             std::strcpy(cpyright, "(c) us");
             copyrightSet() = 1;
         }},
        {"Time Settings", {{SongPart::Settings}},
         [] {
             sd.division = 96;
             sd.barTicks = 384;
             sd.trackChannel[4] = 9;
         }},
    };
};

TEST_F(UndoHistoryTest, EachKindOfStepUndoesAndRedoesExactly) {
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        const std::string before = SongImage();
        Apply(edit);
        const std::string after = SongImage();
        ASSERT_NE(before, after);
        EXPECT_EQ(History().UndoName(), edit.name);

        ASSERT_TRUE(History().Undo());
        EXPECT_EQ(SongImage(), before);
        EXPECT_EQ(History().RedoName(), edit.name);
        ASSERT_TRUE(History().Redo());
        EXPECT_EQ(SongImage(), after);
    }
}

TEST_F(UndoHistoryTest, AChainUndoesToTheStartAndRedoesToTheEnd) {
    std::vector<std::string> images{SongImage()};
    for (const Edit& edit : edits) {
        Apply(edit);
        images.push_back(SongImage());
    }
    for (std::size_t i = images.size() - 1; i > 0; --i) {
        ASSERT_TRUE(History().Undo());
        EXPECT_EQ(SongImage(), images[i - 1]) << "after undoing step " << i;
    }
    EXPECT_FALSE(History().Undo());
    EXPECT_EQ(sd.changed, 0u);
    for (std::size_t i = 1; i < images.size(); ++i) {
        ASSERT_TRUE(History().Redo());
        EXPECT_EQ(SongImage(), images[i]);
    }
    EXPECT_FALSE(History().Redo());
    EXPECT_GT(History().Bytes(), 0u);
}

TEST_F(UndoHistoryTest, ChangedClearsOnlyAtTheSavedPointAndANewStepDropsRedo) {
    Apply(edits[0]);
    History().MarkSaved();
    sd.changed = 0;
    Apply(edits[1]);
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(sd.changed, 0u);
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(sd.changed, 1u);

    // A new step on an undone history forgets the steps that could be redone,
    // and the saved point with them.
    Apply(edits[7]);
    EXPECT_FALSE(History().CanRedo());
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(sd.changed, 1u);

    History().Clear();
    EXPECT_FALSE(History().CanUndo());
    EXPECT_EQ(History().UndoName(), "");
}

TEST_F(UndoHistoryTest, DiscardForgetsAStepThatChangedNothing) {
    const std::string before = SongImage();
    History().Record("Paste", {{SongPart::Notes, 0}});
    History().Discard();
    EXPECT_FALSE(History().CanUndo());
    EXPECT_EQ(History().Bytes(), 0u);
    EXPECT_EQ(SongImage(), before);
}

TEST_F(UndoHistoryTest, TheOldestStepsGoBeyondTheBound) {
    for (std::size_t i = 0; i < UndoHistory::kMaxSteps + 5; ++i) {
        History().Record("Track Name", {{SongPart::TrackNames}});
    }
    EXPECT_EQ(History().Steps(), UndoHistory::kMaxSteps);
    EXPECT_LE(History().Bytes(), UndoHistory::kMaxBytes);
}

}  // namespace
}  // namespace tw
