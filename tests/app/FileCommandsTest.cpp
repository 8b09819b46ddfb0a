#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "AppFixture.h"
#include "app/Commands.h"
#include "song/Song.h"

namespace tw::test {
namespace {

class FileCommands : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Launch();
        WriteFile(Path("waltz.mid"), SongBytes(1, 3, 96));
    }
    bool Enabled(unsigned id) const { return Item(0, id).enabled; }
};

TEST_F(FileCommands, NewAndClosingAskOnlyForAChangedSongAndGoOnlyOnYes) {
    Command(cm::FileNew);
    EXPECT_TRUE(script.boxes.empty());
    sd.changed = 1;
    script.Answer(ui::IdNo);
    Command(cm::FileNew);
    EXPECT_EQ(sd.changed, 1u);
    script.Answer(ui::IdYes);
    Command(cm::FileNew);
    ASSERT_EQ(script.boxes.size(), 2u);
    EXPECT_EQ(
        std::tuple(script.boxes[0].text, script.boxes[0].caption, sd.changed, Caption()),
        std::tuple("Current song has changed.\n\nClose file anyway?", "Warning!", 0u, "Tunewell:"));
    EXPECT_TRUE(app->Frame()->CanClose());
    sd.changed = 1;
    script.Answer(ui::IdNo);
    EXPECT_FALSE(app->Frame()->CanClose()) << "closing the window asks first too";
}

TEST_F(FileCommands, OpenSetsTheCaptionAndSaveIsLitOnlyForAChangedSongWithAName) {
    EXPECT_FALSE(Enabled(cm::FileSaveAs));
    sd.changed = 1;
    EXPECT_FALSE(Enabled(cm::FileSave));
    EXPECT_TRUE(Enabled(cm::FileSaveAs));
    sd.changed = 0;
    script.Choose(Path("waltz.mid"));
    Command(cm::FileOpen);
    EXPECT_EQ(Caption(), "Tunewell: " + Path("waltz.mid"));
    EXPECT_TRUE(Enabled(cm::FileSaveAs) && !Enabled(cm::FileSave));
    sd.changed = 1;
    EXPECT_TRUE(Enabled(cm::FileSave));
}

// The split gives the channel's notes a track of their own; the staff
// opens there. Saving asks for a path, so the original stays as it was.
TEST_F(FileCommands, AFormatZeroFileOpensSplitAndItsFirstSaveAsksForAPath) {
    const std::vector<unsigned char> zero = SongBytes(0, 4, 96);
    WriteFile(Path("zero.mid"), zero);
    script.Choose(Path("zero.mid"));
    Command(cm::FileOpen);
    EXPECT_TRUE(script.boxes.empty());
    EXPECT_EQ(std::tuple(Caption(), sd.noteCount[sd.track]),
              std::tuple("Tunewell: " + Path("zero.mid"), 1u));
    sd.changed = 1;
    script.Choose(Path("split.mid"));
    Command(cm::FileSave);
    EXPECT_EQ(ReadFile(Path("zero.mid")), zero);
    EXPECT_EQ(std::tuple(ReadFile(Path("split.mid"))[9], Caption()),
              std::tuple(1, "Tunewell: " + Path("split.mid")))
        << "format 1";
    Command(cm::FileSave);  // from now on to the chosen path, without asking
    EXPECT_TRUE(script.boxes.empty());
}

TEST_F(FileCommands, OpeningASongWithWhatItCannotHoldSaysWhatOnceAndACleanOneSaysNothing) {
    std::vector<unsigned char> lossy = SongBytes(1, 4, 96);
    lossy[37] = 64;  // the note-off's velocity
    WriteFile(Path("lossy.mid"), lossy);
    script.Choose(Path("lossy.mid")).Answer(ui::IdOk);
    Command(cm::FileOpen);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(std::tuple(script.boxes[0].text, script.boxes[0].caption),
              std::tuple("The song cannot hold all of this file; saving it leaves out 1 note-off "
                         "velocity.",
                         "Open File"));
    script.Choose(Path("waltz.mid"));
    Command(cm::FileOpen);
    EXPECT_EQ(script.boxes.size(), 1u);
}

TEST_F(FileCommands, SaveAsAsksBeforeReplacingAndSaveWritesToTheSongsOwnFile) {
    script.Choose(Path("waltz.mid"));
    Command(cm::FileOpen);
    sd.changed = 1;
    const std::vector<unsigned char> before = ReadFile(Path("waltz.mid"));
    WriteFile(Path("other.mid"), {'x'});
    script.Choose(Path("other.mid")).Answer(ui::IdNo);
    script.Choose("");
    Command(cm::FileSaveAs);
    EXPECT_EQ(ReadFile(Path("other.mid")), (std::vector<unsigned char>{'x'}));
    EXPECT_EQ(script.boxes.back().caption, "Save As");
    script.Choose(Path("other.mid")).Answer(ui::IdYes);
    Command(cm::FileSaveAs);
    EXPECT_GT(ReadFile(Path("other.mid")).size(), 14u);
    EXPECT_EQ(std::tuple(sd.changed, Caption(), ReadFile(Path("waltz.mid"))),
              std::tuple(0u, "Tunewell: " + Path("other.mid"), before));
    sd.changed = 1;
    std::filesystem::remove(Path("other.mid"));
    Command(cm::FileSave);
    EXPECT_TRUE(std::filesystem::exists(Path("other.mid")) && sd.changed == 0);
}

TEST_F(FileCommands, AFailedSaveReportsItsCodeAndCauseAndKeepsTheChangeAndTheName) {
    sd.changed = 1;
    script.Choose(Path("missing/dir/song.mid")).Answer(ui::IdOk);
    Command(cm::FileSaveAs);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(std::tuple(script.boxes[0].text, script.boxes[0].caption),
              std::tuple("Save error = 1\nCannot create the file: no such directory.",
                         "Save File Error!"));
    EXPECT_EQ(std::tuple(sd.changed, sd.fileName[0], Caption()), std::tuple(1u, '\0', "Tunewell:"));
    script.Choose(Path(std::string(250, 'a') + ".mid")).Answer(ui::IdOk);
    Command(cm::FileSaveAs);
    ASSERT_EQ(script.boxes.size(), 2u);
    EXPECT_NE(script.boxes[1].text.find("254"), std::string::npos);
    EXPECT_EQ(std::string(sd.saveName).find("aaaa"), std::string::npos) << "the path is not taken";
}

TEST_F(FileCommands, ASongGivenAtStartOpensAndABadOneEndsEmpty) {
    app->OpenChosenFile(Path("waltz.mid"));
    EXPECT_EQ(sd.noteCount[0], 1u);
    script.Answer(ui::IdOk);
    ASSERT_EQ(mkfifo(Path("pipe.mid").c_str(), 0600), 0);
    app->OpenChosenFile(Path("pipe.mid"));
    EXPECT_EQ(std::tuple(script.boxes.back().text, sd.noteCount[0], Caption()),
              std::tuple("Load error = 1\nCannot open the file: a named pipe, not a song file.", 0u,
                         "Tunewell:"));
}

}  // namespace
}  // namespace tw::test
