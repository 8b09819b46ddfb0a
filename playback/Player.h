#pragma once

#include <cstdint>
#include <functional>

#include "controls/WindowReporter.h"
#include "platform/midi/MidiOut.h"
#include "platform/ui/Control.h"
#include "playback/PlaybackEngine.h"

namespace tw {

class Button2;

// The message the player sends its parent: wParam a PlayerCode, lParam its
// value.
inline constexpr int PlayerNotify = 600;
// The player's step timer, which runs as long as the player exists.
inline constexpr unsigned kPlayerTimer = 10001;
inline constexpr unsigned kPlayerTimerMs = 10;

// Sends each message to the port open at that moment, so that a port the
// user reopens while the player lives gets the notes from then on.
class OpenPortOut final : public midi::MidiOut {
public:
    void Send(uint32_t msg) override;
    void SendSysEx(std::span<const uint8_t> message) override;
    void Reset() override;
    [[nodiscard]] bool GetVolume(uint32_t& volume) override;
    [[nodiscard]] bool SetVolume(uint32_t volume) override;
};

// The transport: six buttons (Stop, Pause, Play, Play All, Cue, Cue Set)
// over the playback engine, which a 10 ms timer steps. The engine's
// notifications go to the parent as PlayerNotify messages; the parent
// answers code 3 with the mixer reset and code 4 by sending the controller.
class Player : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    Player(ui::Window* parent, int id, int x, int y, int w, int h);
    // Stops the timer and releases every note still sounding.
    ~Player() override;

    // Repositions at sd.now while stopped; the caller has set sd.bar and
    // sd.now = sd.bar * sd.barTicks.
    void UpdateBarChange() { engine_.UpdateBarChange(); }
    // The Space key: Play All as its button starts it, or Stop while a song
    // plays.
    void PlayAllOrStop();
    // The tempo, in quarter notes per second, from the next time update.
    void PushTempo(float t) { engine_.PushTempo(t); }
    // Ends the run: silences the port and returns to the bar it started at.
    void SetStopMode() { engine_.SetStopMode(); }
    // The millisecond clock the song time follows; a wrapping count.
    void SetTickSource(std::function<uint32_t()> ticks) { ticks_ = std::move(ticks); }

    PlaybackEngine& Engine() { return engine_; }

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    void EvTimer(unsigned id);
    int EvStop(ui::WParam state, ui::LParam);
    int EvPlay(ui::WParam state, ui::LParam);
    int EvPlayAll(ui::WParam state, ui::LParam);
    int EvPause(ui::WParam state, ui::LParam);
    int EvCue(ui::WParam state, ui::LParam);
    int EvCueSet(ui::WParam state, ui::LParam);

private:
    void ShowButton(TransportButton button, int pressed);

    int notifyId_;
    std::function<uint32_t()> ticks_;
    OpenPortOut port_;
    WindowReporter reporter_;
    PlaybackEngine engine_;

    Button2* stopButton_;
    Button2* pauseButton_;
    Button2* playButton_;
    Button2* playAllButton_;
    Button2* cueButton_;
    Button2* cueSetButton_;
};

}  // namespace tw
