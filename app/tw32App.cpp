#include "app/tw32App.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/Commands.h"
#include "app/SDIDecFrame.h"
#include "controls/WindowReporter.h"
#include "dialogs/CopyRight.h"
#include "dialogs/EditEvent.h"
#include "dialogs/EditPgm.h"
#include "dialogs/EditTempo.h"
#include "lyrics/EditLyric.h"
#include "mainwin/WindowProgress.h"
#include "mainwin/tw32Window.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/ModalRunner.h"
#include "playback/Config.h"
#include "playback/MidiPort.h"
#include "playback/MidiPorts.h"
#include "playback/Player.h"
#include "smf/FileErrors.h"
#include "smf/Format0Split.h"
#include "smf/LeftOut.h"
#include "smf/SongFile.h"
#include "song/Clipboard.h"
#include "song/Edits.h"
#include "song/Song.h"
#include "song/SongLock.h"
#include "song/UndoHistory.h"
#include "staff/TimeSet.h"

namespace tw {

namespace {

constexpr const char* kAppName = "Tunewell:";
constexpr const char* kFilter =
    "MIDI and karaoke files (*.mid *.midi *.kar)|*.mid;*.midi;*.kar|Midi Files (*.mid)|*.mid|"
    "Karaoke Files (*.kar)|*.kar|All Files (*.*)|*.*|";

std::string WithCode(const char* format, int code) {
    char text[64];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

// "Load error = 3", and under it the cause in the words tunewell-cli uses.
std::string WithCause(const char* format, int code, std::string cause) {
    if (!cause.empty()) {
        cause[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cause[0])));
    }
    return WithCode(format, code) + "\n" + cause + ".";
}

std::string EscapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// share/tunewell beside the program's bin/ folder, found from the running
// executable: an installed copy finds its manual wherever it was installed,
// and build/app/tunewell finds the one the build places in build/share.
std::string ProgramDataDir() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return (exe.parent_path().parent_path() / "share" / "tunewell").lexically_normal().string();
}

bool Stopped() {
    return !SongPlaying();
}

}  // namespace

tw32App::tw32App() : App(kAppName) {
    fileData.flags = ui::OfnFileMustExist | ui::OfnHideReadOnly | ui::OfnOverwritePrompt;
    fileData.filter = kFilter;
    SetWorkingPaths();
    SetPortDefaults();
    LoadConfig();
    OpenMidiOut();
}

tw32App::~tw32App() {
    CloseMidiOut();
    Shutdown();
    ui::HelpViewer::Close();
    DestroyMainWindow();
}

const ui::ResponseTable& tw32App::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnCommand<&tw32App::CmFileNew>(cm::FileNew),
        ui::OnCommand<&tw32App::CmEditUndo>(cm::EditUndo),
        ui::OnCommandEnable<&tw32App::CmEditUndoEnable>(cm::EditUndo),
        ui::OnCommand<&tw32App::CmEditRedo>(cm::EditRedo),
        ui::OnCommandEnable<&tw32App::CmEditRedoEnable>(cm::EditRedo),
        ui::OnCommand<&tw32App::CmPlayOrStop>(cm::PlayOrStop),
        ui::OnCommand<&tw32App::CmFirstBar>(cm::FirstBar),
        ui::OnCommand<&tw32App::CmPreviousPage>(cm::PreviousPage),
        ui::OnCommand<&tw32App::CmNextPage>(cm::NextPage),
        ui::OnCommand<&tw32App::CmNoteCut>(cm::NoteCut),
        ui::OnCommand<&tw32App::CmNoteCopy>(cm::NoteCopy),
        ui::OnCommand<&tw32App::CmNotePaste>(cm::NotePaste),
        ui::OnCommand<&tw32App::CmFileOpen>(cm::FileOpen),
        ui::OnCommand<&tw32App::CmFileSave>(cm::FileSave),
        ui::OnCommandEnable<&tw32App::CmFileSaveEnable>(cm::FileSave),
        ui::OnCommand<&tw32App::CmFileSaveAs>(cm::FileSaveAs),
        ui::OnCommandEnable<&tw32App::CmFileSaveAsEnable>(cm::FileSaveAs),
        ui::OnCommand<&tw32App::CmSetConnections>(cm::SetConnections),
        ui::OnCommand<&tw32App::CmSetTime>(cm::SetTime),
        ui::OnCommand<&tw32App::CmCopyRight>(cm::CopyRight),
        ui::OnCommandEnable<&tw32App::CmCopyRightEnable>(cm::CopyRight),
        ui::OnCommand<&tw32App::CmLock>(cm::Lock),
        ui::OnCommandEnable<&tw32App::CmLock2>(cm::Lock),
        ui::OnCommand<&tw32App::CmHelpContents>(cm::HelpContents),
        ui::OnCommand<&tw32App::CmHelpAbout>(cm::HelpAbout),
        // The Track menu.
        ui::OnCommand<&tw32App::CmTrackVelocity>(cm::TrackVelocity),
        ui::OnCommandEnable<&tw32App::CmTrackVelocityEnable>(cm::TrackVelocity),
        ui::OnCommand<&tw32App::CmCopyTrack>(cm::CopyTrack),
        ui::OnCommandEnable<&tw32App::CmCopyEnable>(cm::CopyTrack),
        ui::OnCommand<&tw32App::CmCutTrack>(cm::CutTrack),
        ui::OnCommandEnable<&tw32App::CmCutEnable>(cm::CutTrack),
        ui::OnCommand<&tw32App::CmPasteTrack>(cm::PasteTrack),
        ui::OnCommandEnable<&tw32App::CmPasteEnable>(cm::PasteTrack),
        // The Edit menu's lists
        ui::OnCommand<&tw32App::CmEditLyric>(cm::EditLyric),
        ui::OnCommand<&tw32App::CmEditTempo>(cm::EditTempo),
        ui::OnCommand<&tw32App::CmEditEvents>(cm::EditEvents),
        ui::OnCommand<&tw32App::CmEditPgm>(cm::EditPgm),
    };
    static const ui::ResponseTable table{&App::Table(), entries};
    return table;
}

// The song tables are allocated here, once the frame and its main window
// exist; without them there is no program to run.
void tw32App::InitMainWindow() {
    auto* frame = new SDIDecFrame(Name(), nullptr);
    (void)frame->SetIcon(kAppIcon);
    (void)frame->AssignMenu(kMainMenu);
    SetMainWindow(frame);
    reporter = std::make_unique<WindowReporter>(MainWindow());
    progress = std::make_unique<WindowProgress>(MainWindow());
    if (!Startup()) {
        (void)ui::MessageBox(nullptr, "Not enough memory for the song tables.", "Tunewell");
        SetMainWindow(nullptr);
    }
}

SDIDecFrame* tw32App::Frame() const {
    return static_cast<SDIDecFrame*>(GetMainWindow());
}

tw32Window* tw32App::MainWindow() const {
    return GetMainWindow() != nullptr ? static_cast<tw32Window*>(Frame()->GetClientWindow())
                                      : nullptr;
}

void tw32App::ResetToNewSong() {
    SetDefaults();
    askForPath = false;
    Frame()->SetCaption(kAppName);
    sd.fileName[0] = '\0';
    sd.saveName[0] = '\0';
    MainWindow()->SetSongStartUp();
    History().Clear();
}

void tw32App::CmEditUndo() {
    if (Stopped() && History().Undo()) {
        MainWindow()->ShowRestoredSong();
    }
}

void tw32App::CmEditRedo() {
    if (Stopped() && History().Redo()) {
        MainWindow()->ShowRestoredSong();
    }
}

void tw32App::CmEditUndoEnable(ui::CommandEnabler& ce) {
    ce.Enable(Stopped() && History().CanUndo());
    ce.SetText(History().CanUndo() ? "&Undo " + History().UndoName() : "&Undo");
}

void tw32App::CmEditRedoEnable(ui::CommandEnabler& ce) {
    ce.Enable(Stopped() && History().CanRedo());
    ce.SetText(History().CanRedo() ? "&Redo " + History().RedoName() : "&Redo");
}

void tw32App::CmPlayOrStop() {
    MainWindow()->GetPlayer()->PlayAllOrStop();
}

void tw32App::CmFirstBar() {
    MainWindow()->GoToBar(0);
}

void tw32App::CmPreviousPage() {
    MainWindow()->GoToBar(sd.bar > sd.staffBars ? sd.bar - sd.staffBars : 0);
}

void tw32App::CmNextPage() {
    MainWindow()->GoToBar(sd.bar + sd.staffBars);
}

// The Note Edit buttons: cut (0), copy (1), and paste (2), which arms the
// paste or, pressed again, disarms it.
void tw32App::CmNoteCut() {
    (void)MainWindow()->EvNoteEdit(0, 0);
}

void tw32App::CmNoteCopy() {
    (void)MainWindow()->EvNoteEdit(0, 1);
}

void tw32App::CmNotePaste() {
    (void)MainWindow()->EvNoteEdit(sd.editFlag, 2);
}

void tw32App::CmFileNew() {
    if (Stopped() && MainWindow()->CanClose()) {
        ResetToNewSong();
    }
}

void tw32App::CmFileOpen() {
    if (!Stopped()) {
        return;
    }
    fileData.fileName.clear();
    if (!MainWindow()->CanClose() || ui::FileOpenDialog(MainWindow(), fileData) != ui::IdOk) {
        return;
    }
    OpenChosenFile(fileData.fileName);
}

namespace {

bool IsFormat0(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    uint8_t header[10] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    return DeclaredFormat(
               std::span<const uint8_t>(header, static_cast<std::size_t>(in.gcount()))) == 0;
}

}  // namespace

// A failed load ends as New does: the tables may hold part of the file. A
// format 0 song is split into a track per channel as it is read; its
// original is replaced only at a path the user chooses.
void tw32App::OpenChosenFile(const std::string& path) {
    LeftOut leftOut;
    const int result =
        OpenSongFile(path.c_str(), *reporter, *progress, SongFormats::Format0Too, &leftOut);
    if (result != kLoadOk) {
        MainWindow()->MyMessageBox(
            WithCause("Load error = %d", result, LoadErrorCause(path.c_str(), result)),
            "Load File Error!");
        ResetToNewSong();
        return;
    }
    askForPath = IsFormat0(path);
    Frame()->SetCaption(std::string("Tunewell: ") + sd.fileName);
    MainWindow()->SetSongStartUp();
    History().Clear();
    const std::string lost = LeftOutItems(leftOut);
    if (!lost.empty()) {
        MainWindow()->MyMessageBox(
            ("The song cannot hold all of this file; saving it leaves out " + lost + ".").c_str(),
            "Open File");
    }
}

// Writes to sd.saveName. A failure keeps the song marked as changed; the
// file that stood there is left as it was.
bool tw32App::SaveSong() {
    const int result = SaveFile(*reporter, *progress);
    if (result != kSaveOk) {
        MainWindow()->MyMessageBox(
            WithCause("Save error = %d", result, SaveErrorCause(sd.saveName, result)),
            "Save File Error!");
        return false;
    }
    sd.changed = 0;
    History().MarkSaved();
    return true;
}

void tw32App::CmFileSave() {
    if (!Stopped()) {
        return;
    }
    if (sd.fileName[0] == '\0' || askForPath) {
        CmFileSaveAs();
        return;
    }
    std::strcpy(sd.saveName, sd.fileName);
    (void)SaveSong();
}

void tw32App::CmFileSaveAs() {
    if (!Stopped()) {
        return;
    }
    fileData.fileName = sd.fileName;
    if (ui::FileSaveDialog(MainWindow(), fileData) != ui::IdOk) {
        return;
    }
    if (fileData.fileName.size() >= static_cast<std::size_t>(kPathSize)) {
        MainWindow()->MyMessageBox(
            "The path is longer than 254 characters; the song was not saved.", "Save File Error!");
        return;
    }
    std::strcpy(sd.saveName, fileData.fileName.c_str());
    if (SaveSong()) {
        askForPath = false;
        std::strcpy(sd.fileName, sd.saveName);
        Frame()->SetCaption(std::string("Tunewell: ") + sd.fileName);
    }
}

void tw32App::CmFileSaveEnable(ui::CommandEnabler& ce) {
    ce.Enable(sd.fileName[0] != '\0' && sd.changed > 0);
}

void tw32App::CmFileSaveAsEnable(ui::CommandEnabler& ce) {
    ce.Enable(sd.fileName[0] != '\0' || sd.changed > 0);
}

// The dialog stores each choice in md as it is made, so the port is
// reopened however the dialog ends.
void tw32App::CmSetConnections() {
    if (!Stopped()) {
        return;
    }
    CloseMidiOut();
    MidiPorts dialog(MainWindow());
    (void)dialog.Execute();
    SaveConfig();
    OpenMidiOut();
    MidiPorts::TellUnopenedPort(MainWindow());
}

// The dialog stores each choice as it is made; the bar length and the page
// always follow from the fields as they stand, even when nothing was chosen.
void tw32App::CmSetTime() {
    if (!Stopped()) {
        return;
    }
    TimeSet dialog(MainWindow());
    (void)dialog.Execute();
    sd.barTicks = BarTicksFor(sd.tsNumerator, sd.tsDenominator, sd.division);
    sd.staffBars = StaffBarsFor(sd.tsNumerator);
    MainWindow()->UpdateStaff();
}

void tw32App::CmCopyRight() {
    CopyRight dialog(MainWindow());
    (void)dialog.Execute();
}

void tw32App::CmCopyRightEnable(ui::CommandEnabler& ce) {
    ce.SetCheck(copyrightSet() > 0);
}

std::vector<std::string> tw32App::HelpPaths() {
    std::vector<std::string> paths{currentdir + "/twhelp.html"};
    for (const std::string& dir : {ProgramDataDir(), std::string(TUNEWELL_DATA_DIR)}) {
        const std::string path = dir + "/twhelp.html";
        if (!dir.empty() && std::find(paths.begin(), paths.end(), path) == paths.end()) {
            paths.push_back(path);
        }
    }
    return paths;
}

void tw32App::CmHelpContents() {
    const std::vector<std::string> paths = HelpPaths();
    for (const std::string& path : paths) {
        if (ui::HelpViewer::ShowFile(path)) {
            return;
        }
    }
    std::string page =
        "<h2>Tunewell Help</h2><p>The help file twhelp.html was not found. "
        "These places were tried:</p><ul>";
    for (const std::string& path : paths) {
        page += "<li>" + EscapeHtml(path) + "</li>";
    }
    ui::HelpViewer::ShowPage("Tunewell Help", page + "</ul>");
}

void tw32App::CmHelpAbout() {
    if (Stopped()) {
        ui::Dialog about(MainWindow(), kAboutDialog);
        (void)about.Execute();
    }
}

// The lock is not part of tw.cfg: every start has it on.
void tw32App::CmLock() {
    if (!Stopped()) {
        return;
    }
    sd.masterLock = sd.masterLock != 0 ? 0 : 1;
    SaveConfig();
}

void tw32App::CmLock2(ui::CommandEnabler& ce) {
    ce.SetCheck(sd.masterLock == 1);
}

// ---- The Track menu ------------------------------------------------------------

namespace {

bool TrackHasNotes() {
    return sd.track < kTracks && sd.noteCount[sd.track] > 0;
}

}  // namespace

void tw32App::CmCopyTrack() {
    (void)CopyTrack();
}

// The views start again from the song's start, on the same track.
void tw32App::CmCutTrack() {
    if (!CutWholeTrack()) {
        return;
    }
    const int track = sd.track;
    MainWindow()->SetSongStartUp();
    MainWindow()->SetTrack(track);
}

void tw32App::CmPasteTrack() {
    if (!PasteWholeTrack()) {
        return;
    }
    const int track = sd.track;
    MainWindow()->SetSongStartUp();
    MainWindow()->SetTrack(track);
}

void tw32App::CmTrackVelocity() {
    if (!Stopped() || !SetWholeTrackVelocity()) {
        return;
    }
    MainWindow()->MyMessageBox(WithCode("Track Velocity Set to %d", static_cast<int>(sd.velocity)),
                               "Track Velocity");
}

void tw32App::CmCopyEnable(ui::CommandEnabler& ce) {
    ce.Enable(TrackHasNotes());
}

void tw32App::CmCutEnable(ui::CommandEnabler& ce) {
    ce.Enable(TrackHasNotes());
}

void tw32App::CmPasteEnable(ui::CommandEnabler& ce) {
    ce.Enable(sd.clipCount > 0);
}

void tw32App::CmTrackVelocityEnable(ui::CommandEnabler& ce) {
    ce.Enable(TrackHasNotes());
}

// ---- The Edit menu's lists ---------------------------------------------------

void tw32App::CmEditLyric() {
    EditLyric dialog(MainWindow());
    (void)dialog.Execute();
    MainWindow()->UpdateStaff();
}

// The player's cursors into the tables are left alone: its next
// positioning recomputes them.
void tw32App::CmEditTempo() {
    if (!Stopped()) {
        return;
    }
    EditTempo dialog(MainWindow());
    (void)dialog.Execute();
    MainWindow()->UpdateTempoSetting();
    MainWindow()->FindTotalTime();
}

void tw32App::CmEditEvents() {
    if (!Stopped()) {
        return;
    }
    EditEvent dialog(MainWindow());
    (void)dialog.Execute();
    MainWindow()->FindTotalTime();
}

void tw32App::CmEditPgm() {
    if (!Stopped()) {
        return;
    }
    EditPgm dialog(MainWindow());
    (void)dialog.Execute();
    MainWindow()->FindTotalTime();
}

}  // namespace tw
