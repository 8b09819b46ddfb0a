#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "mainwin/WindowReporter.h"
#include "platform/ui/Font.h"
#include "platform/ui/Rect.h"
#include "platform/ui/Window.h"

namespace tw {

class Button2;
class Display;
class Fader;
class Led;
class LyricBar;
class Player;
class Pot;
class Pot2;
class Staff;
class VU;

// The client window of the main frame: the fixed 800-pixel front panel that
// owns every control on it and receives their notifications.
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

    // Shows the track's number, name, channel, instrument and note count and
    // its notes on the staff.
    void SetTrack(int t);
    // Lights the LED of every channel that a track with notes uses.
    void SetActive();
    // The song length from the tables, with the cue point and the position
    // kept inside it; called after every change to the tables.
    void FindTotalTime();
    // The song time t as "bar:tick", both counted from 0.
    static std::string TimeToString(uint32_t t);
    // 0: the current time and the pointer; 1: the cue point; 2: the song
    // length; 3: all of them.
    void UpdateTime(int which);
    // The tempo fader and display at t quarter notes per second.
    void SetTempoControl(float t);
    // After the tempo list is edited: the first tempo snapped to the fader.
    void UpdateTempoSetting();
    // Moves the strip control that a played controller belongs to; the
    // engine has sent it.
    void SetControl(uint32_t msg);
    // Every strip at the state of a repositioning, which the engine has sent.
    void ResetMixer();
    // The master faders from the port's output volume.
    void SetMasterLevels();
    void UpdateLyricTotal();
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
    // The radio groups of the two entry modes and the six note lengths.
    ui::MsgResult EvNoteMode(ui::WParam state, ui::LParam i);
    ui::MsgResult EvNoteType(ui::WParam state, ui::LParam i);
    // Flat (0) or sharp (1); pressing the lit one again chooses neither.
    ui::MsgResult EvSymbolType(ui::WParam state, ui::LParam i);
    ui::MsgResult EvDot(ui::WParam state, ui::LParam);
    // LyricNotify from the strip: code 0 inserts templyric, code 1 counts
    // a removed lyric of the lyric track; then the lyric counts are shown.
    ui::MsgResult EvLyric(ui::WParam code, ui::LParam);
    // The lyric track read-out: 0 steps down, 1 up (within tracks 1..32),
    // 2 asks for the number. Refused while playing.
    ui::MsgResult EvLyricTrack(ui::WParam code, ui::LParam);

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    void DrawToolBar(ui::DC& dc);
    void DrawBox3d(ui::DC& dc, int left, int top, int right, int bottom);

private:
    void CreateHeaderRow();
    void CreateChannelStrip(int c);
    void CreateMasterAndTempo();
    void CreateToolBar();
    void SetFirstTexts();
    void SetFirstPositions();
    void PaintHeader(ui::DC& dc);
    void PaintStrip(ui::DC& dc, int n);
    void PaintRightSection(ui::DC& dc);
    void UpdatePtr(ui::DC& dc);
    // A strip control moved by the user: sent at once and recorded at the
    // start of the current bar under the current track.
    void StripController(uint8_t controller, ui::WParam value, ui::LParam c);
    void ShowVoice();
    void ShowChannel();
    int EnterNumber(int mode);
    // The current track's notes onto the current channel.
    void MoveTrackToChannel();
    void ShowNoteCount();
    // The lyric track and its count on their read-outs, and the strip.
    void ShowLyricTrack();

    ui::Font titleFont;
    ui::Font labelFont;
    ui::Font smallFont;

    Display* barDisplay = nullptr;
    Display* trackDisplay = nullptr;
    Display* trackNameDisplay = nullptr;
    Display* channelDisplay = nullptr;
    Display* voiceDisplay = nullptr;
    Display* notesDisplay = nullptr;
    Display* lyricTrackDisplay = nullptr;
    Display* lyricCountDisplay = nullptr;
    Display* lyricTotalDisplay = nullptr;
    Display* velocityDisplay = nullptr;
    Display* tempoDisplay = nullptr;
    Display* currentTimeDisplay = nullptr;
    Display* cueTimeDisplay = nullptr;
    Display* totalTimeDisplay = nullptr;

    Pot2* velocityPot = nullptr;
    std::array<Button2*, 6> noteTypeButton{};
    std::array<Button2*, 2> symbolButton{};
    Button2* dotButton = nullptr;
    std::array<Button2*, 2> noteModeButton{};
    std::array<Button2*, 3> noteEditButton{};
    Button2* storeButton = nullptr;

    std::array<Fader*, 16> channelFader{};
    std::array<Pot*, 16> panPot{};
    std::array<Pot*, 16> reverbPot{};
    std::array<Pot*, 16> chorusPot{};
    std::array<Button2*, 16> muteButton{};
    std::array<Button2*, 16> soloButton{};
    std::array<VU*, 16> channelVU{};
    std::array<Led*, 16> channelLed{};
    std::array<Fader*, 2> masterFader{};
    Fader* tempoFader = nullptr;

    Player* player = nullptr;
    Staff* staff = nullptr;
    LyricBar* lyricBar = nullptr;

    // The song time at the staff page's left edge, the pixels per bar, and
    // where the position pointer is drawn.
    uint32_t pageStart = 0;
    float barWidth = 320.0f;
    ui::Rect pointerRect{40, 246, 796, 254};

    WindowReporter reporter{this};
};

// The lyric track read-out's clicks.
inline constexpr ui::MsgId LyricTrackNotify = 319;

}  // namespace tw
