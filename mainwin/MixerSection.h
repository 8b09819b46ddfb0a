#pragma once

#include <array>
#include <cstdint>

#include "platform/ui/Messages.h"

namespace tw {

class Button2;
class Fader;
class Led;
class Pot;
class Reporter;
class VU;

namespace ui {
class Window;
}

// The mixer at the bottom of the panel: sixteen channel strips (volume, pan,
// reverb and chorus, mute and solo, meter and activity LED) and the two
// master faders with their volume lock. Its controls are children of the
// panel; the panel forwards their notifications here.
class MixerSection {
public:
    static constexpr uint8_t kVolumeController = 7;
    static constexpr uint8_t kPanController = 10;
    static constexpr uint8_t kReverbController = 91;
    static constexpr uint8_t kChorusController = 93;

    MixerSection(ui::Window& panel, Reporter& reporter);

    // The controls of channel c's strip, in the panel's creation order.
    void CreateStrip(int c);
    void CreateMasters();
    void SetFirstPositions();

    // A strip control moved by the user: sent at once and recorded at the
    // start of the current bar under the current track.
    void StripController(uint8_t controller, ui::WParam value, ui::LParam c);
    void Mute(ui::WParam state, ui::LParam c);
    void Solo(ui::WParam state, ui::LParam c);
    void MasterFader(ui::WParam value, ui::LParam side);
    // The master faders from the port's output volume.
    void SetMasterLevels();
    // Moves the strip control that a played controller belongs to; the
    // engine has sent it.
    void SetControl(uint32_t msg);
    // Every strip at the state of a repositioning, which the engine has sent.
    void Reset();
    // Lights the LED of every channel that a track with notes uses.
    void ShowActiveChannels();
    // A played note's velocity on its channel's meter (lParam of the
    // player's note notification), and every meter down when playing stops.
    void ShowNoteLevel(uint32_t v);
    void ClearMeters();
    // The mute and solo buttons from the song state.
    void ShowMuteAndSolo();

private:
    ui::Window& panel;
    Reporter& reporter;
    std::array<Fader*, 16> channelFader{};
    std::array<Pot*, 16> panPot{};
    std::array<Pot*, 16> reverbPot{};
    std::array<Pot*, 16> chorusPot{};
    std::array<Button2*, 16> muteButton{};
    std::array<Button2*, 16> soloButton{};
    std::array<VU*, 16> channelVU{};
    std::array<Led*, 16> channelLed{};
    std::array<Fader*, 2> masterFader{};
};

}  // namespace tw
