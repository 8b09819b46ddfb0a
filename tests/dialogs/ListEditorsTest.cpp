#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "app/AppFixture.h"
#include "app/Commands.h"
#include "dialogs/EditEvent.h"
#include "dialogs/EditPgm.h"
#include "dialogs/EditTempo.h"
#include "lyrics/EditLyric.h"
#include "platform/ui/ListBox.h"
#include "song/Song.h"
#include "support/ScriptedRunner.h"
#include "support/SongFixture.h"

namespace tw::test {
namespace {

// The list's lines when the dialog opens; then clicks lines and presses
// Delete (or, with clicks empty and all set, Delete All).
void ListThenDelete(ScriptedRunner& script, int dialog, int listId, std::vector<std::string>& lines,
                    std::vector<int> clicks, int button = kDeleteButton) {
    script.OnDialog(dialog, [&lines, listId, clicks, button](ui::Dialog& d) {
        const ui::ListBox* list = d.Item<ui::ListBox>(listId);
        lines.clear();
        for (int i = 0; i < list->GetCount(); ++i) {
            lines.push_back(list->GetString(i));
        }
        for (int i : clicks) {
            Click(d, listId, i);
        }
        Press(d, button);
    });
}

class ListEditors : public SongFixture {
protected:
    ScriptedRunner script;
    std::vector<std::string> lines;
};

TEST_F(ListEditors, TempoLinesShowBarTickAndBpmAndTheTableIsNeverLeftEmpty) {
    td[1] = {1536, 1.5f};
    td[2] = {1600, 3.0f};
    sd.tempoTotal = 3;
    ListThenDelete(script, kEditTempoDialog, kTempoList, lines, {});  // nothing selected
    (void)EditTempo(nullptr).Execute();
    EXPECT_EQ(lines,
              (std::vector<std::string>{"0000:0000  120", "0002:0000   90", "0002:0064  180"}));
    EXPECT_EQ(sd.tempoTotal, 3u);
    EXPECT_EQ(sd.changed, 0u);

    ListThenDelete(script, kEditTempoDialog, kTempoList, lines, {0, 1, 2});
    (void)EditTempo(nullptr).Execute();
    EXPECT_EQ(std::tuple(sd.tempoTotal, td[0].time, td[0].tempo, sd.changed),
              std::tuple(1u, 0u, 2.0f, 1u));

    td[0].tempo = 1.0f;
    ListThenDelete(script, kEditTempoDialog, kTempoList, lines, {}, kDeleteAllButton);
    (void)EditTempo(nullptr).Execute();
    EXPECT_EQ(std::tuple(sd.tempoTotal, td[0].tempo), std::tuple(1u, 2.0f));
}

TEST_F(ListEditors, ControllerLinesNameTheControllerAndDeleteRemovesTheSelectedOnes) {
    const uint8_t controllers[] = {10, 7, 93, 91, 7};
    for (uint32_t i = 0; i < 5; ++i) {
        ed[i] = {i * 768, PackMsg(0xB0 | i, controllers[i], static_cast<uint8_t>(60 + i)), 4 + i};
    }
    ed[0].msg = PackMsg(0xB0, 10, 64);
    sd.eventTotal = 5;
    ListThenDelete(script, kEditEventDialog, kEventList, lines, {1, 3});
    (void)EditEvent(nullptr).Execute();
    ASSERT_EQ(lines.size(), 5u);
    lines.pop_back();
    EXPECT_EQ(lines, (std::vector<std::string>{"0000:0000       5       1     Pan     64",
                                               "0001:0000       6       2     Vol     61",
                                               "0002:0000       7       3     Chr     62",
                                               "0003:0000       8       4     Rev     63"}));
    EXPECT_EQ(std::tuple(sd.eventTotal, ed[0].time, ed[1].time, ed[2].time, sd.changed),
              std::tuple(3u, 0u, 2 * 768u, 4 * 768u, 1u));

    ListThenDelete(script, kEditEventDialog, kEventList, lines, {}, kDeleteAllButton);
    (void)EditEvent(nullptr).Execute();
    EXPECT_EQ(sd.eventTotal, 0u);
}

TEST_F(ListEditors, ProgramLinesNameTheVoiceOrPercussionAndEveryLineDeletedEmptiesTheTable) {
    pgm[0] = {0, PackMsg(0xC9, 0, 0), 9};
    pgm[1] = {1000, PackMsg(0xC0, 25, 0), 0};
    sd.pgmTotal = 2;
    ListThenDelete(script, kEditPgmDialog, kPgmList, lines, {0, 1});
    (void)EditPgm(nullptr).Execute();
    EXPECT_EQ(lines, (std::vector<std::string>{"0000:0000      10      10        0    Percussion",
                                               "0001:0232       1       1       25    "
                                               "Steel Guitar"}));
    EXPECT_EQ(std::tuple(sd.pgmTotal, sd.changed), std::tuple(0u, 1u));
}

using ListCommands = AppFixture;

// With the first tempo gone the next one is the initial tempo, whatever
// its time; the fader snaps it to a whole BPM.
TEST_F(ListCommands,
       TheTempoListsFirstEntryDeletedMakesTheNextTheInitialTempoAndTheLyricListOpensWhilePlaying) {
    Launch();
    td[1] = {1536, 1.51f};
    sd.tempoTotal = 2;
    std::vector<std::string> lines;
    ListThenDelete(script, kEditTempoDialog, kTempoList, lines, {0});
    Command(cm::EditTempo);
    ASSERT_EQ(sd.tempoTotal, 1u);
    EXPECT_EQ(td[0].time, 1536u);
    const float bpm = td[0].tempo * 60.0f;
    EXPECT_NEAR(bpm, 90.6f, 1.0f);
    EXPECT_FLOAT_EQ(bpm, std::round(bpm));
    EXPECT_EQ(sd.changed, 1u);

    // The lyric list works also while the song plays.
    lcd[0] = {10, "la", 0};
    sd.lyricTotal = sd.lyricCount[0] = 1;
    sd.playState = 1;
    ListThenDelete(script, kEditLyricDialog, kLyricList, lines, {}, kDeleteAllButton);
    Command(cm::EditLyric);
    sd.playState = 0;
    EXPECT_EQ(lines, std::vector<std::string>{"0000:0010    1  la"});
    EXPECT_EQ(std::tuple(sd.lyricTotal, sd.lyricCount[0]), std::tuple(0u, 0u));
}

}  // namespace
}  // namespace tw::test
