#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "AppFixture.h"
#include "app/Commands.h"
#include "mainwin/tw32Window.h"
#include "platform/ui/HelpViewer.h"
#include "playback/Config.h"
#include "playback/MidiPorts.h"
#include "playback/Player.h"
#include "song/Song.h"
#include "support/PortConfig.h"

namespace tw::test {
namespace {

using AppStart = AppFixture;

TEST_F(AppStart, TheStoredPortIsReadBeforeThePortOpens) {
    WriteConfig(Path("tw.cfg"), 3, "Synth B");
    Launch();
    EXPECT_EQ(opened, (std::vector<uint32_t>{3}));
    EXPECT_STREQ(md.portName, "Synth B");
    EXPECT_EQ(ConfigFileName, Path("tw.cfg"));
}

TEST_F(AppStart, TheFrameHasItsCaptionIconAndPanelAndTheSongIsEmpty) {
    Launch();
    EXPECT_EQ(Caption(), "Tunewell:");
    EXPECT_TRUE(app->Frame()->HasIcon());
    EXPECT_EQ(sd.fileName[0], '\0');
    ui::Window* panel = app->Frame()->GetClientWindow();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Position().y, app->Frame()->MenuHeight());
    EXPECT_GT(app->Frame()->MenuHeight(), 0);
    const ui::Image image = panel->PaintToImage();
    ASSERT_GT(image.Height(), 557);
    EXPECT_EQ(image.Pixel(10, image.Height() - 2), (ui::Color{220, 220, 220}));
    EXPECT_FALSE(Item(2, cm::PasteTrack).enabled) << "an item without a handler is grey";
    EXPECT_EQ(Item(4, cm::HelpAbout).text, "About Tunewell");
}

TEST_F(AppStart, VolumeLockStartsCheckedAndTheCommandTogglesIt) {
    Launch();
    EXPECT_TRUE(Item(3, cm::Lock).checked);
    Command(cm::Lock);
    EXPECT_FALSE(Item(3, cm::Lock).checked);
    EXPECT_EQ(sd.masterLock, 0u);
    app.reset();
    Launch();
    EXPECT_TRUE(Item(3, cm::Lock).checked);
}

TEST_F(AppStart, WhilePlayingStoppedOnlyCommandsDoNothingAndHelpStillOpens) {
    Launch();
    sd.playState = 1;
    sd.changed = 1;
    for (unsigned id :
         {cm::FileNew, cm::FileOpen, cm::FileSave, cm::FileSaveAs, cm::Lock, cm::SetConnections,
          cm::HelpAbout, cm::EditTempo, cm::EditEvents, cm::EditPgm}) {
        Command(id);
    }
    EXPECT_EQ(sd.masterLock, 1u);
    EXPECT_EQ(sd.changed, 1u);
    Command(cm::HelpContents);
    EXPECT_TRUE(ui::HelpViewer::IsVisible());
    EXPECT_TRUE(script.boxes.empty() && script.dialogs.empty() && script.fileDialogs.empty());
    sd.playState = 0;
}

TEST_F(AppStart, UndoAndRedoNameTheirStepAreGreyWhenEmptyOrPlayingAndReachTheSavedSong) {
    Launch();
    EXPECT_FALSE(Item(1, cm::EditUndo).enabled);
    EXPECT_EQ(Item(1, cm::EditUndo).text, "Undo");
    WriteFile(Path("one.mid"), SongBytes(1, 4, 96));
    script.Choose(Path("one.mid"));
    Command(cm::FileOpen);
    const uint32_t track = sd.track;
    ASSERT_EQ(sd.noteCount[track], 1u);
    Command(cm::CutTrack);
    EXPECT_EQ(sd.noteCount[track], 0u);
    EXPECT_EQ(Item(1, cm::EditUndo).text, "Undo Cut Track");
    Command(cm::FileSave);
    EXPECT_EQ(sd.changed, 0u);

    sd.playState = 1;
    EXPECT_FALSE(Item(1, cm::EditUndo).enabled);
    EXPECT_FALSE(app->Frame()->RunKeyCommand(cm::EditUndo)) << "the key is refused as the item";
    sd.playState = 0;
    EXPECT_TRUE(app->Frame()->RunKeyCommand(cm::EditUndo));
    EXPECT_EQ(sd.noteCount[track], 1u);
    EXPECT_EQ(sd.changed, 1u);
    EXPECT_EQ(Item(1, cm::EditRedo).text, "Redo Cut Track");
    Command(cm::EditRedo);
    EXPECT_EQ(sd.noteCount[track], 0u);
    EXPECT_EQ(sd.changed, 0u) << "back at the saved song";
    Command(cm::FileNew);
    EXPECT_FALSE(Item(1, cm::EditUndo).enabled) << "a new song has no history";
}

TEST_F(AppStart, HelpShowsTheManualFromTheWorkingDirectoryOrNamesThePlacesTried) {
    Launch();
    Command(cm::HelpContents);
    EXPECT_EQ(ui::HelpViewer::ShownPath(), "");
    for (const std::string& place : tw32App::HelpPaths()) {
        EXPECT_NE(ui::HelpViewer::ShownText().find(place), std::string::npos) << place;
    }
    std::ofstream(Path("twhelp.html")) << "<html><body><h1>Manual</h1></body></html>";
    Command(cm::HelpContents);
    EXPECT_EQ(ui::HelpViewer::ShownPath(), Path("twhelp.html"));
    EXPECT_NE(ui::HelpViewer::ShownText().find("Manual"), std::string::npos);
}

TEST_F(AppStart, MidiPortsClosedUntouchedKeepsTheMapperAndAChoiceIsStoredAndOpened) {
    MidiPorts::SetDeviceLister([] { return std::vector<std::string>{"Synth A", "Synth B"}; });
    Launch();
    std::vector<std::string> lines;
    script.OnDialog(
        5,
        [&](ui::Dialog& d) {
            auto* list = d.Item<ui::ListBox>(kPortListBox);
            for (int i = 0; i < list->GetCount(); ++i) {
                lines.push_back(list->GetString(i));
            }
        },
        ScriptedRunner::CloseBox);
    Command(cm::SetConnections);
    EXPECT_EQ(lines, (std::vector<std::string>{"Synth A", "Synth B", "Midi Mapper"}));
    EXPECT_EQ(md.portDevice, 1000u);
    script.OnDialog(
        5, [](ui::Dialog& d) { Click(d, kPortListBox, 1); }, ScriptedRunner::CloseBox);
    Command(cm::SetConnections);
    EXPECT_EQ(opened, (std::vector<uint32_t>{1000, 1000, 1}));
    mididata stored{};
    ASSERT_TRUE(ReadConfig(Path("tw.cfg"), stored));
    EXPECT_EQ(stored.portDevice, 1u);
    EXPECT_STREQ(stored.portName, "Synth B");
    MidiPorts::SetDeviceLister({});
}

// Nothing at start; the first run on the silent port says why, once; a
// port chosen later that fails says so at once, one that opens says nothing.
TEST_F(AppStart, APortThatDidNotOpenIsExplainedAtTheFirstPlayAndWhenAFailingPortIsChosen) {
    MidiPorts::SetDeviceLister([] { return std::vector<std::string>{"Synth A"}; });
    SetPortOpener([](uint32_t device) -> std::unique_ptr<midi::MidiOut> {
        return device == 0 ? std::make_unique<midi::RecordingOut>() : nullptr;
    });
    Launch();
    EXPECT_TRUE(script.boxes.empty());
    Player* player = app->MainWindow()->GetPlayer();
    script.Answer(ui::IdOk);
    for (const ui::MsgId transport : {604u, 601u, 607u, 601u}) {  // Play, Stop, Play All, Stop
        player->SendMessage(transport, 0, 0);
    }
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_NE(script.boxes[0].text.find("built-in synthesizer"), std::string::npos);
    EXPECT_NE(script.boxes[0].text.find("\"Midi Connections\""), std::string::npos);
    EXPECT_EQ(script.boxes[0].caption, "Midi Port");
    script.OnDialog(
        5, [](ui::Dialog& d) { Click(d, kPortListBox, 0); }, ScriptedRunner::CloseBox);
    Command(cm::SetConnections);
    EXPECT_EQ(script.boxes.size(), 1u);
    script
        .OnDialog(
            5, [](ui::Dialog& d) { Click(d, kPortListBox, 1); }, ScriptedRunner::CloseBox)
        .Answer(ui::IdOk);
    Command(cm::SetConnections);
    EXPECT_EQ(script.boxes.size(), 2u);
    player->SendMessage(604, 0, 0);
    EXPECT_EQ(script.boxes.size(), 2u);
    MidiPorts::SetDeviceLister({});
}

}  // namespace
}  // namespace tw::test
