#pragma once

#include <cstdint>
#include <functional>

#include "controls/WindowReporter.h"
#include "platform/ui/Control.h"
#include "playback/NotificationQueue.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackThread.h"

namespace tw {

class Button2;

// The message the player sends its parent: wParam a PlayerCode, lParam its
// value.
inline constexpr int PlayerNotify = 600;
// The player's timer, which runs as long as the player exists and hands the
// engine's notifications to the parent.
inline constexpr unsigned kPlayerTimer = 10001;
inline constexpr unsigned kPlayerTimerMs = 10;

// The transport: six buttons (Stop, Pause, Play, Play All, Cue, Cue Set)
// over the playback engine, which the playback side steps. The engine's
// notifications are queued there and reach the parent as PlayerNotify
// messages from the 10 ms timer, or at once after a transport command.
class Player : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    Player(ui::Window* parent, int id, int x, int y, int w, int h);
    // Stops the timer and the playback side and releases every note still
    // sounding.
    ~Player() override;

    // Repositions at sd.now while stopped; the caller has set sd.bar and
    // sd.now = sd.bar * sd.barTicks.
    void UpdateBarChange();
    // The Space key: Play All as its button starts it, or Stop while a song
    // plays.
    void PlayAllOrStop();
    // The tempo, in quarter notes per second, from the next time update.
    void PushTempo(float t);
    // Ends the run: silences the port and returns to the bar it started at.
    void SetStopMode();
    // The millisecond clock the song time follows; a wrapping count, read
    // on the playback side.
    void SetTickSource(std::function<uint32_t()> ticks);

    // Read it under the song lock while a run is on.
    PlaybackEngine& Engine() { return engine_; }
    [[nodiscard]] const PlaybackThread& Side() const { return side_; }

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
    // Runs a transport command on the engine, lets the playback side go on
    // with the run, and shows what the command reported.
    template <class Command>
    void Transport(Command command);
    // Shows everything queued, in order: notifications to the parent, the
    // buttons' states, message boxes.
    void Deliver();

    int notifyId_;
    std::function<uint32_t()> ticks_;
    WindowReporter reporter_;
    NotificationQueue queue_;
    PlaybackEngine engine_;
    PlaybackThread side_;

    Button2* stopButton_;
    Button2* pauseButton_;
    Button2* playButton_;
    Button2* playAllButton_;
    Button2* cueButton_;
    Button2* cueSetButton_;
};

}  // namespace tw
