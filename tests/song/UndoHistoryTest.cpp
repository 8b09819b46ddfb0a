#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "song/Clipboard.h"
#include "song/Edits.h"
#include "song/KeptEvents.h"
#include "song/Song.h"
#include "song/Tables.h"
#include "song/UndoHistory.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

// Everything Save writes and everything an undo must restore, as bytes:
// the tables, and beyond them the counts, the kept events and the flag.
std::vector<uint8_t> SongImage() {
    std::vector<uint8_t> image = test::Snapshot();
    const auto put = [&image](const void* from, std::size_t size) {
        const auto* first = static_cast<const uint8_t*>(from);
        image.insert(image.end(), first, first + size);
    };
    put(sd.noteCount, sizeof sd.noteCount);
    put(sd.lyricCount, sizeof sd.lyricCount);
    for (uint32_t value : {sd.lyricSum, sd.barTicks, sd.changed}) {
        put(&value, 4);
    }
    for (uint32_t t = 0; t < kTracks; ++t) {
        const KeptTrack& events = kept.Track(t);
        put(events.events.data(), events.events.size() * sizeof(KeptEvent));
        put(events.bytes.data(), events.bytes.size());
    }
    return image;
}

struct Edit {
    const char* name;
    std::function<void()> change;
};

class UndoHistoryTest : public test::SongFixture {
protected:
    void SetUp() override {
        SongFixture::SetUp();
        History().Clear();
        kept.Clear();
        // A song that fills its tables partly.
        for (uint32_t i = 0; i < 40; ++i) {
            ASSERT_EQ(AddNote(reporter, i % 3, test::MakeNote(i * 96, i * 96 + 90, 60 + i % 12)),
                      kStored);
        }
        ASSERT_EQ(UpdateTempoData(reporter, tempodata{768, 1.5f}), kStored);
        ASSERT_EQ(UpdateEventData(reporter, eventdata{0, PackMsg(0xB0, 7, 100), 0}), kStored);
        ASSERT_EQ(UpdatePgmData(reporter, eventdata{0, PackMsg(0xC0, 5, 0), 0}), kStored);
        for (uint32_t t : {96u, 192u}) {
            lyric word{t, "la", 1};
            ASSERT_EQ(UpdateLyricData(reporter, word), kStored);
        }
        ASSERT_EQ(kept.AddShort(reporter, 0, 48, PackMsg(0xE0, 0, 80)), kStored);
        const uint8_t marker[] = {'A'};
        ASSERT_EQ(kept.AddLong(reporter, 0, 0, 0xFF, 0x06, marker), kStored);
        sd.songEnd = 39 * 96 + 90;
    }

    // Every kind of edit, as the windows make them.
    const std::vector<Edit> edits = {
        {"Note Entry", [this] { (void)EnterNote(reporter, 1, test::MakeNote(5000, 5090, 72)); }},
        {"Note Delete", [] { (void)RemoveNoteAt(0, dd[0][2].start, dd[0][2].line); }},
        {"Cut",
         [] {
             sd.track = 0;
             CopyNotes(0, 700);
             (void)CutMarkedNotes();
         }},
        {"Paste", [this] { (void)PasteMarkedNotes(reporter, 2000); }},
        {"Cut Track",
         [] {
             sd.track = 0;
             (void)CutWholeTrack();
         }},
        {"Paste Track",
         [] {
             sd.track = 2;
             (void)PasteWholeTrack();
         }},
        {"Track Velocity",
         [] {
             sd.velocity = 33;
             (void)SetWholeTrackVelocity();
         }},
        {"Channel", [] { MoveTrackToChannel(2, 5); }},
        {"Track Name", [] { RenameTrack(3, "Bass"); }},
        {"Copyright", [] { SetCopyright("(c) us"); }},
        {"Time Settings", [] { SetTimeSignature(3, 8, 96); }},
        {"Tempo", [this] { (void)StoreTempo(reporter, {1536, 3.0f}); }},
        {"Tempo", [] { SetFirstTempo(90); }},
        {"Mixer", [this] { (void)StoreController(reporter, {768, PackMsg(0xB1, 10, 30), 1}); }},
        {"Instrument", [this] { (void)StoreProgram(reporter, {0, PackMsg(0xC0, 40, 0), 0}); }},
        {"Lyric Entry",
         [this] {
             lyric word{288, "lo", 1};
             (void)StoreLyric(reporter, word);
         }},
        {"Lyric Edit",
         [] {
             lyric word{96, "li", 1};
             ReplaceLyric(0, word);
         }},
        {"Delete",
         [] {
             const EditGroup group("Delete");
             RemoveTableEntry(SongTable::Lyrics, 0);
             RemoveTableEntry(SongTable::Lyrics, 0);
         }},
        {"Delete", [] { RemoveTableEntry(SongTable::Tempo, 1); }},
        {"Del All", [] { ClearTable(SongTable::Controllers); }},
        {"Del All", [] { ClearTable(SongTable::Programs); }},
    };
};

TEST_F(UndoHistoryTest, EachKindOfStepUndoesAndRedoesExactly) {
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        const std::vector<uint8_t> before = SongImage();
        edit.change();
        const std::vector<uint8_t> after = SongImage();
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
    std::vector<std::vector<uint8_t>> images{SongImage()};
    for (const Edit& edit : edits) {
        edit.change();
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
    edits[0].change();
    History().MarkSaved();
    sd.changed = 0;
    edits[8].change();
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(sd.changed, 0u);
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(sd.changed, 1u);

    // A new step on an undone history forgets the steps that could be redone,
    // and the saved point with them.
    edits[9].change();
    EXPECT_FALSE(History().CanRedo());
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(sd.changed, 1u);
    History().Clear();
    EXPECT_TRUE(!History().CanUndo() && History().UndoName().empty());
}

TEST_F(UndoHistoryTest, AnEditThatChangesNothingRecordsNothingAndKeepsRedo) {
    edits[8].change();
    ASSERT_TRUE(History().Undo());
    const std::size_t bytes = History().Bytes();
    (void)RemoveNoteAt(0, 5, 0);           // no such note
    RemoveTableEntry(SongTable::Tempo, 9);  // no such entry
    EXPECT_TRUE(History().CanRedo() && !History().CanUndo());
    EXPECT_EQ(History().Bytes(), bytes);
}

TEST_F(UndoHistoryTest, TheOldestStepsGoBeyondTheBound) {
    for (std::size_t i = 0; i < UndoHistory::kMaxSteps + 5; ++i) {
        RenameTrack(1, i % 2 == 0 ? "a" : "b");
    }
    EXPECT_EQ(History().Steps(), UndoHistory::kMaxSteps);
    EXPECT_LE(History().Bytes(), UndoHistory::kMaxBytes);
}

}  // namespace
}  // namespace tw
