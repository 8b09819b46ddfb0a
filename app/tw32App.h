#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/App.h"
#include "platform/ui/CommandEnabler.h"
#include "platform/ui/FileDialog.h"

namespace tw {

class SDIDecFrame;
class tw32Window;
class WindowProgress;
class WindowReporter;

// The application: port and configuration from construction to
// destruction, the song tables from the main window's making to the end,
// and the menu commands that no window handles.
class tw32App : public ui::App {
    TW_DECLARE_RESPONSE_TABLE()

public:
    // Forms the paths from the working directory, reads tw.cfg (writing a
    // fresh one when it is missing or of the wrong size) and opens the port.
    tw32App();
    // Closes the port, then releases the song tables, then the windows.
    ~tw32App() override;

    SDIDecFrame* Frame() const;
    tw32Window* MainWindow() const;
    ui::OpenSaveData& FileData() { return fileData; }

    // Opens a song as File Open does once its dialog has given the path.
    void OpenChosenFile(const std::string& path);

    // Where Help looks for the manual, in order: the working directory, the
    // program's own share/tunewell, the installation folder it was built for.
    static std::vector<std::string> HelpPaths();

    // Edit menu: the song's undo history. Grey while playing, as every edit
    // is refused then.
    void CmEditUndo();
    void CmEditRedo();
    void CmEditUndoEnable(ui::CommandEnabler& ce);
    void CmEditRedoEnable(ui::CommandEnabler& ce);
    // Keys with no menu item, each doing what its button does.
    void CmPlayOrStop();
    void CmFirstBar();
    void CmPreviousPage();
    void CmNextPage();
    void CmNoteCut();
    void CmNoteCopy();
    void CmNotePaste();

    void CmFileNew();
    void CmFileOpen();
    void CmFileSave();
    void CmFileSaveAs();
    void CmFileSaveEnable(ui::CommandEnabler& ce);
    void CmFileSaveAsEnable(ui::CommandEnabler& ce);
    void CmSetConnections();
    void CmHelpContents();
    void CmHelpAbout();
    void CmLock();
    void CmLock2(ui::CommandEnabler& ce);
    // The time settings dialog, then the bar length and the staff page
    // derived from the fields however it was closed. Refused while playing.
    void CmSetTime();
    // The copyright notice dialog; it works also while the song plays.
    void CmCopyRight();
    // Checked while the song has a copyright notice.
    void CmCopyRightEnable(ui::CommandEnabler& ce);

    // ---- The Track menu: the track clipboard and the track's velocity ----
    void CmCopyTrack();
    // The track is copied, emptied and shown from the song's start.
    void CmCutTrack();
    // The clipboard replaces the track's notes, on the track's channel.
    void CmPasteTrack();
    // Every note of the track at the velocity knob's value. Refused while
    // playing.
    void CmTrackVelocity();
    // Copy, cut and velocity need notes in the track, paste notes on the
    // clipboard.
    void CmCopyEnable(ui::CommandEnabler& ce);
    void CmCutEnable(ui::CommandEnabler& ce);
    void CmPasteEnable(ui::CommandEnabler& ce);
    void CmTrackVelocityEnable(ui::CommandEnabler& ce);

protected:
    void InitMainWindow() override;

private:
    void ResetToNewSong();
    bool SaveSong();

    ui::OpenSaveData fileData;
    // The open song came from a format 0 file: Save asks for a path first.
    bool askForPath = false;
    std::unique_ptr<WindowReporter> reporter;
    std::unique_ptr<WindowProgress> progress;

    // ---- The Edit menu's lists ------------------------------------------
public:
    // The lyric list, then the staff, the strip and the lyric totals; it
    // works also while the song plays.
    void CmEditLyric();
    // The tempo list, then the tempo fader and the song length. Refused
    // while playing.
    void CmEditTempo();
    // The controller list, then the song length. Refused while playing.
    void CmEditEvents();
    // The program-change list, then the song length. Refused while playing.
    void CmEditPgm();
};

}  // namespace tw
