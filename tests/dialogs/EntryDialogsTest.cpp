#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/AppFixture.h"
#include "app/Commands.h"
#include "dialogs/CopyRight.h"
#include "dialogs/TrkName.h"
#include "song/Song.h"
#include "support/ScriptedRunner.h"
#include "support/SongFixture.h"

namespace tw::test {
namespace {

class EntryDialogs : public SongFixture {
protected:
    ScriptedRunner script;
};

// "Caf\xE9" is how an older karaoke file spells it: the field shows it
// converted, and OK without an edit must not rewrite the stored bytes.
TEST_F(EntryDialogs, TrackNameTakesFiftyCharactersAndOkReportsTheName) {
    char name[kTrackNameSize] = "Caf\xE9";
    std::string shown;
    script.OnDialog(kTrkNameDialog,
                    [&](ui::Dialog& d) { shown = d.Item<ui::Edit>(kTrackNameEdit)->GetText(); });
    EXPECT_TRUE(TrkName::Run(nullptr, name));
    EXPECT_EQ(shown, "Caf\xC3\xA9");
    EXPECT_STREQ(name, "Caf\xE9");

    const std::string typed = std::string(49, 'a') + "bc";
    script.OnDialog(kTrkNameDialog, [&](ui::Dialog& d) { Type(d, kTrackNameEdit, typed); });
    EXPECT_TRUE(TrkName::Run(nullptr, name));
    EXPECT_EQ(std::string(name), typed.substr(0, 50));
    script.OnDialog(
        kTrkNameDialog, [](ui::Dialog& d) { Type(d, kTrackNameEdit, "Lead"); },
        ScriptedRunner::CloseBox);
    EXPECT_FALSE(TrkName::Run(nullptr, name));
    EXPECT_EQ(std::string(name), typed.substr(0, 50));
}

using CopyrightCommand = AppFixture;

TEST_F(CopyrightCommand, ANewNoticeIsCutToAHundredCharactersChecksTheItemAndEnablesSave) {
    Launch();
    std::strcpy(sd.fileName, Path("song.mid").c_str());
    ASSERT_FALSE(Item(0, cm::FileSave).enabled);
    ASSERT_FALSE(Item(1, cm::CopyRight).checked);
    const std::string notice = "(C) " + std::string(100, 'x');
    sd.playState = 1;  // it works while the song plays
    script.OnDialog(kCopyRightDialog, [&](ui::Dialog& d) { Type(d, kCopyrightEdit, notice); });
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

    script.OnDialog(kCopyRightDialog, [](ui::Dialog& d) { Type(d, kCopyrightEdit, ""); });
    Command(cm::CopyRight);
    EXPECT_EQ(cpyright[0], '\0');
    EXPECT_EQ(copyrightSet(), 0);
    EXPECT_FALSE(Item(1, cm::CopyRight).checked);
    EXPECT_EQ(sd.changed, 1u);
}

}  // namespace
}  // namespace tw::test
