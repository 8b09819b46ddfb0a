#pragma once

#include <cstdint>
#include <string>

#include "controls/WindowReporter.h"
#include "mainwin/MixerSection.h"
#include "mainwin/NoteToolbar.h"
#include "mainwin/PanelArt.h"
#include "mainwin/TrackHeader.h"
#include "platform/ui/Rect.h"
#include "platform/ui/Window.h"

namespace tw {

class Display;
class Fader;
class LyricBar;
class Player;
class Staff;

// The client window of the main frame: the fixed 800-pixel front panel that
// owns every control on it and receives their notifications. The header,
// the note toolbar and the mixer each have their own room; the panel keeps
// the tempo, the time read-outs and the position pointer, and passes the
// player's notifications on.
class tw32Window : public ui::Window {
    TW_DECLARE_RESPONSE_TABLE()

public:
    explicit tw32Window(ui::Window* parent);

    // Whether the current song may be dropped; asks the user when it has
    // unsaved changes.
    bool CanClose() override;
    // A message box owned by the main window, with an OK button.
    void MyMessageBox(const std::string& text, const std::string& caption);
    // Brings the panel's note-entry buttons and read-outs to the start of
    // the song in sd.
    void SetSongStartUp();

    // After Undo or Redo: every view of the song as the tables now hold it,
    // at the same track and bar.
    void ShowRestoredSong();
    // The staff's page from bar, as the bar display's steps go there; refused
    // while playing.
    void GoToBar(uint32_t bar);
    // Shows the track's number, name, channel, instrument and note count and
    // its notes on the staff.
    void SetTrack(int t);
    void SetActive() { mixer.ShowActiveChannels(); }
    // The song length from the tables, with the cue point and the position
    // kept inside it; called after every change to the tables.
    void FindTotalTime();
    // 0: the current time and the pointer; 1: the cue point; 2: the song
    // length; 3: all of them.
    void UpdateTime(int which);
    // The tempo fader and display at t quarter notes per second.
    void SetTempoControl(float t);
    // After the tempo list is edited: the first tempo snapped to the fader.
    void UpdateTempoSetting();
    // Moves the strip control that a played controller belongs to; the
    // engine has sent it.
    void SetControl(uint32_t msg) { mixer.SetControl(msg); }
    // Every strip at the state of a repositioning, which the engine has sent,
    // with the first tempo.
    void ResetMixer();
    void SetMasterLevels() { mixer.SetMasterLevels(); }
    void UpdateLyricTotal() { toolbar.UpdateLyricTotal(); }
    // After the time settings or the lyric list change: the page, the lyric
    // strip, the lyric total and the song length, with every time read-out
    // in bars of the current length.
    void UpdateStaff();

    Player* GetPlayer() const { return player; }
    Staff* GetStaff() const { return staff; }
    LyricBar* GetLyricBar() const { return lyricBar; }
    const ui::Rect& PointerRect() const { return pointerRect; }
    // The column of the position pointer.
    int PointerX() const;

    // Notifications from the panel's controls.
    ui::MsgResult EvPlayer(ui::WParam code, ui::LParam value);
    ui::MsgResult EvTempo(ui::WParam bpm, ui::LParam);
    ui::MsgResult EvCVolume(ui::WParam value, ui::LParam c);
    ui::MsgResult EvPan(ui::WParam value, ui::LParam c);
    ui::MsgResult EvReverb(ui::WParam value, ui::LParam c);
    ui::MsgResult EvChorus(ui::WParam value, ui::LParam c);
    ui::MsgResult EvMute(ui::WParam state, ui::LParam c);
    ui::MsgResult EvSolo(ui::WParam state, ui::LParam c);
    ui::MsgResult EvMFader(ui::WParam value, ui::LParam side);
    ui::MsgResult EvBar(ui::WParam step, ui::LParam);
    ui::MsgResult EvTrack(ui::WParam step, ui::LParam);
    ui::MsgResult EvChannel(ui::WParam step, ui::LParam);
    ui::MsgResult EvTrackName(ui::WParam, ui::LParam);
    ui::MsgResult EvVoiceName(ui::WParam, ui::LParam);
    ui::MsgResult EvVelocity(ui::WParam value, ui::LParam);
    ui::MsgResult EvStoreEnable(ui::WParam state, ui::LParam);
    // From the staff (720): 0 a note was entered (temp, for the track in
    // transfernumber), 1 a note of the current track was deleted, 2 paste
    // the note clipboard at the song time lParam.
    ui::MsgResult EvStaff(ui::WParam code, ui::LParam time);
    // From the cut (0), copy (1) and paste (2) buttons: lParam the button,
    // wParam its state.
    ui::MsgResult EvNoteEdit(ui::WParam state, ui::LParam i);
    ui::MsgResult EvNoteMode(ui::WParam state, ui::LParam i);
    ui::MsgResult EvNoteType(ui::WParam state, ui::LParam i);
    ui::MsgResult EvSymbolType(ui::WParam state, ui::LParam i);
    ui::MsgResult EvDot(ui::WParam state, ui::LParam);
    // LyricNotify from the strip: code 0 inserts templyric, code 1 tells of
    // a removed lyric; then the lyric counts are shown.
    ui::MsgResult EvLyric(ui::WParam code, ui::LParam);
    ui::MsgResult EvLyricTrack(ui::WParam code, ui::LParam);

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;

private:
    void CreateTempoAndTime();
    void SetFirstTexts();
    void UpdatePtr(ui::DC& dc);

    WindowReporter reporter{this};
    PanelArt art;
    TrackHeader header{*this, reporter};
    MixerSection mixer{*this, reporter};
    NoteToolbar toolbar{*this, reporter};

    Display* tempoDisplay = nullptr;
    Display* currentTimeDisplay = nullptr;
    Display* cueTimeDisplay = nullptr;
    Display* totalTimeDisplay = nullptr;
    Fader* tempoFader = nullptr;

    Player* player = nullptr;
    Staff* staff = nullptr;
    LyricBar* lyricBar = nullptr;

    // The song time at the staff page's left edge, the pixels per bar, and
    // where the position pointer is drawn.
    uint32_t pageStart = 0;
    float barWidth = 320.0f;
    ui::Rect pointerRect{40, 246, 796, 254};
};

// The lyric track read-out's clicks.
inline constexpr ui::MsgId LyricTrackNotify = 319;

}  // namespace tw
