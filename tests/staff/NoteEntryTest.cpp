#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "app/AppFixture.h"
#include "app/Commands.h"
#include "controls/Button2.h"
#include "controls/Display.h"
#include "controls/Led.h"
#include "mainwin/tw32Window.h"
#include "platform/ui/MouseInput.h"
#include "song/Pitch.h"
#include "staff/Staff.h"
#include "support/PanelFixture.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using ui::MouseInput;

constexpr int kTrackPopup = 2;
constexpr int kFilePopup = 0;

// Panel places of the toolbar buttons.
constexpr ui::Point kNoteType[6] = {{212, 62}, {227, 62}, {242, 62},
                                    {257, 62}, {272, 62}, {287, 62}};
constexpr ui::Point kFlatButton{307, 67};
constexpr ui::Point kSharpButton{322, 67};
constexpr ui::Point kDotButton{342, 67};
constexpr ui::Point kReplaceMode{545, 62};
constexpr ui::Point kCutButton{612, 54};
constexpr ui::Point kPasteButton{689, 54};

// The whole program on a song opened from a file, so that Save is enabled
// exactly when the song has changed.
class NoteEntry : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Launch();
        test::WriteFile(Path("song.mid"), test::SongBytes(1, 4, 192));
        app->OpenChosenFile(Path("song.mid"));
        ClearTrack(0);
        sd.changed = 0;
    }

    tw32Window& Window() { return *app->MainWindow(); }
    Staff& TheStaff() { return *Window().GetStaff(); }

    // A left (or right) click on the staff at column x on staff position
    // line, at the first scroll offset.
    void Click(int x, int line, MouseInput::Button b = MouseInput::Button::Left) {
        MouseInput::Click(TheStaff(), {x, 4 * line - 32}, b);
    }
    void RightClick(int x) { Click(x, 28, MouseInput::Button::Right); }
    void Press(ui::Point p) { MouseInput::Click(Window(), p); }

    template <class T>
    T& At(int x, int y) {
        return test::ControlAt<T>(Window(), x, y);
    }
    std::string NotesShown() { return At<Display>(750, 8).Text(); }
    int Led(int channel) { return At<tw::Led>(8 + 40 * channel + 22, 540).GetPosition(); }
    bool SaveEnabled() { return Item(kFilePopup, cm::FileSave).enabled; }

    static void ClearTrack(int t) { sd.noteCount[t] = 0; }
    static void Put(int t, const displaydata& n) { dd[t][sd.noteCount[t]++] = n; }
    static const displaydata& Note(int t, uint32_t i) { return dd[t][i]; }
};

TEST_F(NoteEntry, ClicksEnterDeleteAndReplaceNotesWithTheChosenSettings) {
    Click(75, 28);  // t = 60, snapped to 48; middle C
    ASSERT_EQ(sd.noteCount[0], 1u);
    const displaydata& n = Note(0, 0);
    EXPECT_EQ(
        std::tuple(n.start, n.end, n.note, n.line, n.type, n.dotted, n.accidental),
        std::tuple(48u, 240u, uint8_t{60}, uint8_t{28}, uint8_t{2}, uint8_t{0}, kNoAccidental));
    EXPECT_EQ(n.onMsg, PackMsg(0x90, 60, 127));
    EXPECT_EQ(n.offMsg, PackMsg(0x80, 60, 0));
    EXPECT_EQ(std::tuple(NotesShown(), Led(0)), std::tuple("0001", 1));
    EXPECT_TRUE(SaveEnabled());

    // The same place again in the first mode deletes it, and that is a
    // change to be saved too.
    sd.changed = 0;
    Click(80, 28);
    EXPECT_EQ(std::tuple(sd.noteCount[0], NotesShown(), Led(0)), std::tuple(0u, "0000", 0));
    EXPECT_TRUE(SaveEnabled());

    // In the second mode the same place replaces the note with one of the
    // settings now chosen: a dotted thirty-second lasts 24 + 12 ticks.
    Press(kReplaceMode);
    EXPECT_EQ(sd.noteMode, 1u);
    Click(75, 28);
    Press(kNoteType[5]);
    Press(kDotButton);
    Click(75, 28);
    ASSERT_EQ(sd.noteCount[0], 1u);
    EXPECT_EQ(std::tuple(Note(0, 0).end, Note(0, 0).type, Note(0, 0).dotted),
              std::tuple(84u, uint8_t{5}, uint8_t{1}));
    // A dotted quarter at division 192 lasts 288 ticks.
    Press(kNoteType[2]);
    Click(210, 28);
    EXPECT_EQ(Note(0, 1).end - Note(0, 1).start, 288u);
    // A plain sixteenth lasts a quarter of a quarter note.
    Press(kDotButton);
    Press(kNoteType[4]);
    Click(370, 28);
    EXPECT_EQ(Note(0, 2).end - Note(0, 2).start, 48u);

    // Off the staff, at rightX and while playing: nothing.
    Click(49, 28);
    Click(690, 28);
    sd.playState = 1;
    Click(300, 28);
    sd.playState = 0;
    EXPECT_EQ(sd.noteCount[0], 3u);
}

TEST_F(NoteEntry, AccidentalsFollowTheFixedSpellingAndEnterNothingWhereItHasNone) {
    struct Case {
        ui::Point button;
        int line;  // clicked position: 28 C4 .. 22 B4
        int note;  // -1: nothing is entered
        int writtenOn;
        int32_t accidental;
    };
    const std::vector<Case> cases = {
        {kFlatButton, 28, -1, 0, 0},         // C: nothing
        {kFlatButton, 27, 61, 28, kSharp},   // D: C sharp on the C position
        {kFlatButton, 26, 63, 26, kFlat},    // E: E flat
        {kFlatButton, 25, -1, 0, 0},         // F: nothing
        {kFlatButton, 24, 66, 25, kSharp},   // G: F sharp on the F position
        {kFlatButton, 23, 68, 23, kFlat},    // A: A flat
        {kFlatButton, 22, 70, 22, kFlat},    // B: B flat
        {kSharpButton, 28, 61, 28, kSharp},  // C: C sharp
        {kSharpButton, 27, 63, 26, kFlat},   // D: E flat on the E position
        {kSharpButton, 26, -1, 0, 0},        // E: nothing
        {kSharpButton, 25, 66, 25, kSharp},  // F: F sharp
        {kSharpButton, 24, 68, 23, kFlat},   // G: A flat on the A position
        {kSharpButton, 23, 70, 22, kFlat},   // A: B flat on the B position
        {kSharpButton, 22, -1, 0, 0},        // B: nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + (c.button == kFlatButton ? " flat" : " sharp"));
        ClearTrack(0);
        sd.symbolType = kNoAccidental;
        Press(c.button);
        Click(130, c.line);
        if (c.note < 0) {
            EXPECT_EQ(sd.noteCount[0], 0u);
            continue;
        }
        ASSERT_EQ(sd.noteCount[0], 1u);
        EXPECT_EQ(std::tuple(int{Note(0, 0).note}, int{Note(0, 0).line}, Note(0, 0).accidental),
                  std::tuple(c.note, c.writtenOn, c.accidental));
    }
    // The lit button pressed again chooses neither; the other one swaps.
    sd.symbolType = kNoAccidental;
    Press(kFlatButton);
    Press(kSharpButton);
    EXPECT_EQ(sd.symbolType, kSharp);
    Press(kSharpButton);
    EXPECT_EQ(sd.symbolType, kNoAccidental);
}

TEST_F(NoteEntry, MarkedRangeCutsAndAnArmedPasteLandsAtTheNextRightClick) {
    for (const uint32_t t : {0u, 768u, 1000u, 1536u}) {
        Put(0, test::MakeNote(t, t + 96, 60));
    }
    // One marker only: cut does nothing and keeps it.
    RightClick(689);
    Press(kCutButton);
    EXPECT_EQ(std::tuple(sd.noteCount[0], TheStaff().MarkStartSet()), std::tuple(4u, 1));
    // The second marker further left: exchanged, the range [768, 1536).
    RightClick(370);
    ASSERT_EQ(std::tuple(TheStaff().MarkStart(), TheStaff().MarkEnd()), std::tuple(768u, 1536u));
    Press(kCutButton);
    ASSERT_EQ(sd.noteCount[0], 2u);
    EXPECT_EQ(std::tuple(Note(0, 0).start, Note(0, 1).start), std::tuple(0u, 1536u));
    EXPECT_EQ(std::tuple(sd.clipCount, bptrs[0], bptrs[1]), std::tuple(2u, 1u, 2u));
    EXPECT_EQ(std::tuple(TheStaff().MarkStartSet(), NotesShown()), std::tuple(0, "0002"));
    EXPECT_TRUE(SaveEnabled());

    // Pasted on page 4 of a track on channel 6: every note of the track,
    // the old ones too, moves to that channel.
    sd.changed = 0;
    sd.channel = 5;
    sd.trackChannel[0] = 5;
    sd.bar = 4;
    Press(kPasteButton);
    EXPECT_EQ(sd.editFlag, 1u);
    EXPECT_EQ(At<Button2>(673, 47).GetPosition(), 1);
    RightClick(50);
    EXPECT_EQ(sd.editFlag, 0u);
    EXPECT_EQ(At<Button2>(673, 47).GetPosition(), 0);
    ASSERT_EQ(sd.noteCount[0], 4u);
    EXPECT_EQ(std::tuple(Note(0, 2).start, Note(0, 3).start), std::tuple(3072u, 3304u));
    EXPECT_EQ(Note(0, 3).end, 3304u + 96);
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::tuple(Note(0, i).channel, Note(0, i).onMsg, Note(0, i).offMsg),
                  std::tuple(uint8_t{5}, PackMsg(0x95, 60, 100), PackMsg(0x85, 60, 0)));
    }
    EXPECT_TRUE(SaveEnabled());

    // A cut on an empty track right after a copy elsewhere removes nothing.
    Window().SetTrack(1);
    RightClick(50);
    RightClick(689);
    Press(kCutButton);
    EXPECT_EQ(sd.noteCount[1], 0u);
    EXPECT_EQ(sd.clipCount, 2u);

    // With an empty clipboard the paste button stays dark.
    sd.clipCount = 0;
    Press(kPasteButton);
    EXPECT_EQ(sd.editFlag, 0u);
}

TEST_F(NoteEntry, APasteIntoAFullTrackStopsAtTheLimitWithOneMessage) {
    for (uint32_t i = 0; i < kNotesPerTrack - 1; ++i) {
        Put(0, test::MakeNote(10000 + i, 10001 + i, 60));
    }
    for (const uint32_t t : {0u, 10u, 20u}) {
        ebuff[sd.clipCount++] = test::MakeNote(t, t + 5, 62);
    }
    script.Answer(ui::IdOk);
    Press(kPasteButton);
    RightClick(50);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "Out of Note Memory");
    EXPECT_EQ(sd.noteCount[0], kNotesPerTrack);
    EXPECT_EQ(std::tuple(Note(0, 0).start, Note(0, 1).start), std::tuple(0u, 10000u));
    EXPECT_EQ(NotesShown(), "7000");
}

TEST_F(NoteEntry, TrackMenuCopiesCutsPastesAndSetsVelocity) {
    EXPECT_FALSE(Item(kTrackPopup, cm::CopyTrack).enabled);
    EXPECT_FALSE(Item(kTrackPopup, cm::PasteTrack).enabled);
    Put(0, test::MakeNote(0, 96, 60));
    Put(0, test::MakeNote(768, 900, 64));
    Command(cm::CopyTrack);
    EXPECT_EQ(sd.clipCount, 2u);
    EXPECT_TRUE(Item(kTrackPopup, cm::PasteTrack).enabled);
    EXPECT_FALSE(SaveEnabled());

    // Into track 3 on channel 4, over its one note, from page 2: the views
    // go back to the song's start but stay on track 3.
    sd.trackChannel[2] = 3;
    Window().SetTrack(2);
    Put(2, test::MakeNote(50, 60, 70));
    Put(2, test::MakeNote(60, 70, 70));
    Put(2, test::MakeNote(70, 80, 70));
    sd.bar = 2;
    Command(cm::PasteTrack);
    EXPECT_EQ(std::tuple(int{sd.track}, sd.bar, int{sd.channel}), std::tuple(2, 0u, 3));
    ASSERT_EQ(sd.noteCount[2], 2u);
    EXPECT_EQ(std::tuple(Note(2, 1).start, Note(2, 1).note, Note(2, 1).onMsg),
              std::tuple(768u, uint8_t{64}, PackMsg(0x93, 64, 100)));
    EXPECT_EQ(std::tuple(NotesShown(), Led(3)), std::tuple("0002", 1));
    EXPECT_TRUE(SaveEnabled());

    // Velocity: every note-on at the knob's value, note-offs kept.
    sd.changed = 0;
    sd.velocity = 42;
    script.Answer(ui::IdOk);
    Command(cm::TrackVelocity);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(std::tuple(script.boxes[0].text, script.boxes[0].caption),
              std::tuple(std::string("Track Velocity Set to 42"), std::string("Track Velocity")));
    EXPECT_EQ(std::tuple(Note(2, 0).velocity, Note(2, 0).onMsg, Note(2, 0).offMsg),
              std::tuple(uint8_t{42}, PackMsg(0x93, 60, 42), PackMsg(0x83, 60, 0)));
    EXPECT_TRUE(SaveEnabled());

    // Cut: the track is empty, the clipboard holds it, the menu follows.
    sd.changed = 0;
    Command(cm::CutTrack);
    EXPECT_EQ(std::tuple(sd.noteCount[2], sd.clipCount, int{sd.track}), std::tuple(0u, 2u, 2));
    EXPECT_EQ(std::tuple(NotesShown(), Led(3)), std::tuple("0000", 0));
    EXPECT_TRUE(SaveEnabled());
    EXPECT_FALSE(Item(kTrackPopup, cm::CutTrack).enabled);
}

}  // namespace
}  // namespace tw
