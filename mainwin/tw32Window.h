#pragma once

#include <array>
#include <string>

#include "platform/ui/Font.h"
#include "platform/ui/Window.h"

namespace tw {

class Button2;
class Display;
class Fader;
class Led;
class Pot;
class Pot2;
class VU;

// The client window of the main frame: the fixed 800-pixel front panel that
// owns every control on it and receives their notifications.
class tw32Window : public ui::Window {
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

public:
    // Shows the song under new time settings: the time read-outs in bars of
    // the new length, and the panel repainted with the new page.
    void UpdateStaff();
};

}  // namespace tw
