#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/AppFixture.h"
#include "app/Commands.h"
#include "dialogs/CopyRight.h"
#include "dialogs/SetVoices.h"
#include "dialogs/TrkName.h"
#include "song/Song.h"
#include "song/Transfer.h"
#include "song/Voices.h"
#include "support/ScriptedRunner.h"
#include "support/SongFixture.h"

namespace tw::test {
namespace {

class EntryDialogs : public SongFixture {
protected:
    ScriptedRunner script;
};

TEST_F(EntryDialogs, InstrumentListSelectsTheChannelsProgramAndOkStoresTheChoice) {
    sd.channel = 3;
    sd.channelProgram[3] = 8;
    int selected = -1;
    script.OnDialog(kSetVoicesDialog, [&](ui::Dialog& d) {
        const ui::ListBox* list = d.Item<ui::ListBox>(kVoiceList);
        ASSERT_EQ(list->GetCount(), kVoiceCount);
        for (int p = 0; p < kVoiceCount; ++p) {
            EXPECT_EQ(list->GetString(p), Voices[p]);
        }
        selected = list->GetSelIndex();
        EXPECT_EQ(list->GetCaretIndex(), 8);
        Click(d, kVoiceList, "Gunshot");
    });
    EXPECT_EQ(SetVoices(nullptr).Execute(), ui::IdOk);
    EXPECT_EQ(selected, 8);
    EXPECT_STREQ(Voices[8], "Clelesta");
    EXPECT_EQ(sd.channelProgram[3], 127);

    script.OnDialog(
        kSetVoicesDialog, [](ui::Dialog& d) { Click(d, kVoiceList, 0); }, ScriptedRunner::CloseBox);
    EXPECT_EQ(SetVoices(nullptr).Execute(), ui::IdCancel);
    EXPECT_EQ(sd.channelProgram[3], 127);

    // A program byte that names no instrument opens on the first entry.
    sd.channelProgram[3] = 200;
    script.OnDialog(kSetVoicesDialog, ui::IdOk);
    EXPECT_EQ(SetVoices(nullptr).Execute(), ui::IdOk);
    EXPECT_EQ(sd.channelProgram[3], 0);
}

TEST_F(EntryDialogs, TrackNameTakesFiftyCharactersAndOkReportsTheNewName) {
    char name[kTrackNameSize] = "Bass";
    std::string shown;
    script.OnDialog(kTrkNameDialog, [&](ui::Dialog& d) {
        shown = d.Item<ui::Edit>(kTrackNameEdit)->GetText();
        Type(d, kTrackNameEdit, std::string(49, 'a') + "bc");
    });
    EXPECT_TRUE(TrkName::Run(nullptr, name));
    EXPECT_EQ(shown, "Bass");
    EXPECT_EQ(std::string(name), std::string(49, 'a') + "b");
    EXPECT_EQ(transfernumber, 0);

    script.OnDialog(
        kTrkNameDialog, [](ui::Dialog& d) { Type(d, kTrackNameEdit, "Lead"); },
        ScriptedRunner::CloseBox);
    EXPECT_FALSE(TrkName::Run(nullptr, name));
    EXPECT_EQ(std::string(name), std::string(49, 'a') + "b");
}

// "Caf\xE9" is how an older karaoke file spells it; the field shows it
// converted, and OK without an edit must not rewrite the bytes.
TEST_F(EntryDialogs, TrackNameLeftAsShownKeepsItsStoredBytes) {
    char name[kTrackNameSize] = "Caf\xE9";
    std::string shown;
    script.OnDialog(kTrkNameDialog,
                    [&](ui::Dialog& d) { shown = d.Item<ui::Edit>(kTrackNameEdit)->GetText(); });
    EXPECT_TRUE(TrkName::Run(nullptr, name));
    EXPECT_EQ(shown, "Caf\xC3\xA9");
    EXPECT_STREQ(name, "Caf\xE9");
}

using CopyrightCommand = AppFixture;

TEST_F(CopyrightCommand, ANewNoticeIsCutToAHundredCharactersChecksTheItemAndEnablesSave) {
    Launch();
    std::strcpy(sd.fileName, Path("song.mid").c_str());
    ASSERT_FALSE(Item(0, cm::FileSave).enabled);
    ASSERT_FALSE(Item(1, cm::CopyRight).checked);
    const std::string notice = "(C) " + std::string(100, 'x');
    sd.playState = 1;  // it works while the song plays
    script.OnDialog(kCopyRightDialog, [&](ui::Dialog& d) {
        EXPECT_EQ(d.GetWindowText(), "Edit Copyright Notice");
        Type(d, kCopyrightEdit, notice);
    });
    Command(cm::CopyRight);
    sd.playState = 0;
    EXPECT_EQ(std::string(cpyright), notice.substr(0, 100));
    EXPECT_EQ(copyrightSet(), 1);
    EXPECT_TRUE(Item(1, cm::CopyRight).checked);
    EXPECT_TRUE(Item(0, cm::FileSave).enabled);

    sd.changed = 0;
    script.OnDialog(kCopyRightDialog, ui::IdOk);
    Command(cm::CopyRight);
    EXPECT_EQ(sd.changed, 0u) << "OK on the unchanged notice";

    script.OnDialog(
        kCopyRightDialog, [](ui::Dialog& d) { Type(d, kCopyrightEdit, ""); },
        ScriptedRunner::CloseBox);
    Command(cm::CopyRight);
    EXPECT_EQ(copyrightSet(), 1) << "the close box changes nothing";

    script.OnDialog(kCopyRightDialog, [](ui::Dialog& d) { Type(d, kCopyrightEdit, ""); });
    Command(cm::CopyRight);
    EXPECT_EQ(cpyright[0], '\0');
    EXPECT_EQ(copyrightSet(), 0);
    EXPECT_FALSE(Item(1, cm::CopyRight).checked);
    EXPECT_EQ(sd.changed, 1u);
}

}  // namespace
}  // namespace tw::test
