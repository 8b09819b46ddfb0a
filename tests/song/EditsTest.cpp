#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "song/BarTick.h"
#include "song/Clipboard.h"
#include "song/Edits.h"
#include "song/SongEnd.h"
#include "song/Tables.h"
#include "tests/support/SongFixture.h"

namespace tw {
namespace {

using Edits = test::SongFixture;

// Each edit marks the song changed, and only when it changed something.
TEST_F(Edits, EveryEditMarksTheSongChangedOnlyWhenItChangesSomething) {
    const auto marks = [](auto edit) {
        sd.changed = 0;
        edit();
        return sd.changed == 1;
    };
    EXPECT_TRUE(marks([] { RenameTrack(2, "Bass"); }));
    EXPECT_EQ(std::string(tn[2]), "Bass");
    EXPECT_TRUE(marks([] { SetCopyright("(c) 2026"); }));
    EXPECT_EQ(copyrightSet(), 1);
    EXPECT_FALSE(marks([] { MatchCopyrightFlag(); }));
    EXPECT_TRUE(marks([] { SetTimeSignature(3, 4, 96); }));
    EXPECT_TRUE(marks([this] { (void)StoreTempo(reporter, {768, 2.5f}); }));
    EXPECT_TRUE(marks([this] { (void)StoreController(reporter, {0, PackMsg(0xB0, 7, 90), 0}); }));
    EXPECT_TRUE(marks([this] { (void)StoreProgram(reporter, {0, PackMsg(0xC0, 24, 0), 0}); }));
    EXPECT_TRUE(marks([this] { (void)EnterNote(reporter, 0, test::MakeNote(0, 96, 60)); }));
    EXPECT_FALSE(marks([] { (void)RemoveNoteAt(0, 5, 0); }));
    EXPECT_TRUE(marks([] { MoveTrackToChannel(0, 3); }));
    EXPECT_FALSE(marks([] { SetFirstTempo(120); }));
    EXPECT_TRUE(marks([] { SetFirstTempo(90); }));
    EXPECT_FALSE(marks([] { RemoveTableEntry(SongTable::Programs, 5); }));
    EXPECT_TRUE(marks([] { ClearTable(SongTable::Controllers); }));
}

TEST_F(Edits, TrackChannelNotesAndLyricsFollowTheSongRules) {
    dd[1][0] = test::MakeNote(0, 96, 60);
    dd[1][1] = test::MakeNote(96, 192, 62);
    sd.noteCount[1] = 2;
    MoveTrackToChannel(1, 9);
    EXPECT_EQ(std::tuple(sd.trackChannel[1], dd[1][1].onMsg, dd[1][1].offMsg),
              std::tuple(9, PackMsg(0x99, 62, 100), PackMsg(0x89, 62, 0)));

    EXPECT_TRUE(RemoveNoteAt(1, 0, dd[1][0].line));
    EXPECT_EQ(std::tuple(sd.noteCount[1], dd[1][0].note), std::tuple(1u, 62));

    for (uint32_t t : {0u, 0u, 5u}) {
        lyric text{t, "la", t == 5 ? 4u : 2u};
        (void)StoreLyric(reporter, text);
    }
    EXPECT_EQ(UpdateLyricSum(), 2u);  // the second at 0 on track 3 replaced the first
    RemoveTableEntry(SongTable::Lyrics, 0);
    EXPECT_EQ(sd.lyricCount[2], 0u);
    EXPECT_EQ(UpdateLyricSum(), 1u);
}

TEST_F(Edits, ASongEndPullsTheCueAndPositionBackAndTimesReadAsBarTick) {
    dd[0][0] = test::MakeNote(0, 2000, 60);
    sd.noteCount[0] = 1;
    sd.markTime = 3000;
    sd.now = 1500;
    const EndClamp moved = ClampToSongEnd();
    EXPECT_EQ(std::tuple(moved.cue, moved.now, sd.markTime, sd.now),
              std::tuple(true, false, 2000u, 1500u));
    sd.now = 2500;
    EXPECT_TRUE(ClampToSongEnd().now && sd.now == 2000);
    EXPECT_EQ(BarTick(2000, 768) + " " + BarTick(2000, 0), "0002:0464 0000:2000");
}

// The clipboard's earliest note lands at the paste time, earlier or later
// than where it was copied from.
TEST_F(Edits, PastedNotesKeepTheirSpacingFromThePasteTime) {
    dd[0][0] = test::MakeNote(768, 864, 60);
    dd[0][1] = test::MakeNote(960, 1056, 62);
    sd.noteCount[0] = 2;
    CopyNotes(0, 2000);
    EXPECT_EQ(PasteMarkedNotes(reporter, 192), 2u);
    EXPECT_EQ(std::tuple(sd.noteCount[0], dd[0][0].start, dd[0][0].end, dd[0][1].start, sd.changed),
              std::tuple(4u, 192u, 288u, 384u, 1u));
}

}  // namespace
}  // namespace tw
