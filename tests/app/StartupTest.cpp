#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>

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

TEST_F(AppStart, WhilePlayingStoppedOnlyCommandsDoNothingAndOnceStoppedTheLockToggles) {
    Launch();
    sd.playState = 1;
    sd.changed = 1;
    for (unsigned id : {cm::FileNew, cm::FileOpen, cm::FileSave, cm::FileSaveAs, cm::Lock,
                        cm::SetConnections, cm::HelpAbout, cm::EditTempo, cm::EditEvents,
                        cm::EditPgm, cm::SetTime, cm::TrackVelocity}) {
        Command(id);
    }
    EXPECT_EQ(sd.masterLock, 1u);
    EXPECT_EQ(sd.changed, 1u);
    Command(cm::HelpContents);
    EXPECT_TRUE(ui::HelpViewer::IsVisible());
    EXPECT_TRUE(script.boxes.empty() && script.dialogs.empty() && script.fileDialogs.empty());
    sd.playState = 0;
    EXPECT_TRUE(Item(3, cm::Lock).checked);
    Command(cm::Lock);
    EXPECT_FALSE(Item(3, cm::Lock).checked);
    EXPECT_EQ(sd.masterLock, 0u);
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
    EXPECT_EQ(std::tuple(sd.noteCount[track], Item(1, cm::EditUndo).text),
              std::tuple(0u, "Undo Cut Track"));
    Command(cm::FileSave);

    sd.playState = 1;
    EXPECT_FALSE(Item(1, cm::EditUndo).enabled);
    EXPECT_FALSE(app->Frame()->RunKeyCommand(cm::EditUndo)) << "the key is refused as the item";
    sd.playState = 0;
    EXPECT_TRUE(app->Frame()->RunKeyCommand(cm::EditUndo));
    EXPECT_EQ(std::tuple(sd.noteCount[track], sd.changed, Item(1, cm::EditRedo).text),
              std::tuple(1u, 1u, "Redo Cut Track"));
    Command(cm::EditRedo);
    EXPECT_EQ(std::tuple(sd.noteCount[track], sd.changed), std::tuple(0u, 0u))
        << "back at the saved song";
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
    script.OnDialog(5, ScriptedRunner::CloseBox);
    Command(cm::SetConnections);
    EXPECT_EQ(md.portDevice, 1000u);
    script.OnDialog(
        5, [](ui::Dialog& d) { Click(d, kPortListBox, 1); }, ScriptedRunner::CloseBox);
    Command(cm::SetConnections);
    EXPECT_EQ(opened, (std::vector<uint32_t>{1000, 1000, 1}));
    mididata stored{};
    ASSERT_TRUE(ReadConfig(Path("tw.cfg"), stored));
    EXPECT_EQ(std::tuple(stored.portDevice, std::string(stored.portName)),
              std::tuple(1u, std::string("Synth B")));
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
