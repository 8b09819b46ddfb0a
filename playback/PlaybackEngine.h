#pragma once

#include <cstdint>
#include <functional>

#include "platform/midi/MidiOut.h"
#include "playback/KeptPlayer.h"
#include "song/Reporter.h"
#include "song/Song.h"

namespace tw {

// What the engine reports to its owner (the main window, or tunewell-cli),
// as the code of a notification with one value.
enum PlayerCode : uint32_t {
    kPageChange = 0,        // value 0: a new staff page, positioning, stop
    kTimeTick = 1,          // value 0: more than 100 ms played since the last one
    kCueSet = 2,            // value 0: a cue point was set
    kMixerReset = 3,        // value 0: positioning reset the output; show the mixer reset
    kControllerPlayed = 4,  // packed controller message, sent when played or chased
    kTempoChange = 5,       // index into td of the tempo now in effect
    kProgramChange = 7,     // packed program change of the current track, or 0
    kNoteActivity = 8,      // packed note-on (also when muted) or note-off
    kStopped = 9,           // value 0: clear the level meters
};

// The transport buttons whose look follows the engine's state.
enum class TransportButton { Stop, Play, PlayAll };

// The playback engine: walks the song tables in real time and sends what has
// become due through the port. It owns the song clock, the table cursors and
// the note-off queue; it owns no timer and no window. It sends everything it
// plays itself, the mixer reset and the chased controllers included; its
// owner steps it and only shows what the notifications report.
class PlaybackEngine {
public:
    using Notify = std::function<void(uint32_t code, uint32_t value)>;
    using TickSource = std::function<uint32_t()>;  // milliseconds, wrapping
    using ButtonState = std::function<void(TransportButton, int pressed)>;

    PlaybackEngine(midi::MidiOut& port, Reporter& reporter, Notify notify, TickSource ticks);

    // Shows the transport state on the buttons; optional.
    void SetButtonState(ButtonState show) { showButton_ = std::move(show); }

    // One timer step: advance the song clock, send what is due, stop at the
    // end of the run.
    void Step();

    // Transport. Play plays the staff page from the current bar, PlayAll the
    // song from the start or from the cue point. Both refuse (false) while
    // paused or already playing.
    [[nodiscard]] bool Play();
    [[nodiscard]] bool PlayAll(bool fromCue);
    // Ends the run: silences the port and returns to the bar it started at.
    void SetStopMode();
    // Ends a run without telling the owner, for an owner that is going
    // away: the port is silenced and no note-off is left to send.
    void Halt();
    // Freezes (true) or resumes (false) the run; resuming chases controllers
    // and programs from the pause point.
    void Pause(bool on);
    // Stores the current song time as the cue point.
    void CueSet();

    // Repositions at sd.now while stopped (the caller has set sd.bar and
    // sd.now = sd.bar * sd.barTicks).
    void UpdateBarChange();
    // Sets the tempo for the next time update; a due tempo entry overrides it.
    void PushTempo(float quarterNotesPerSecond) { tempo_ = quarterNotesPerSecond; }

    // Positioning for startTime: chases tempo, controllers and programs and
    // sets every note cursor.
    void SetPointers();
    // Advances sd.now by the milliseconds elapsed since the last call.
    void GetCtTime();

    // The output everything is sent through.
    [[nodiscard]] midi::MidiOut& Output() { return port_; }

    [[nodiscard]] bool Playing() const { return playing_; }
    [[nodiscard]] bool Paused() const { return paused_; }
    [[nodiscard]] uint32_t StartTime() const { return startTime_; }
    [[nodiscard]] uint32_t StopTime() const { return stopTime_; }
    [[nodiscard]] uint32_t PendingNoteOffs() const { return offCount_; }

    // Queue of pending note-offs, ascending by due time, equal times in the
    // order added. 1 when the queue is full: the note is then not played,
    // and the first time in a run a message box says so.
    [[nodiscard]] int AddNoteOff(const displaydata& note);

private:
    [[nodiscard]] uint32_t TicksElapsed(uint32_t elapsedMs);
    void PlayTempo();
    void PlayPgm();
    void PlayEvent();
    void PlayNote(int track);
    void PlayNoteOff();
    void RemoveNoteOff();
    void StartRun(uint32_t startTime, uint32_t stopTime, TransportButton pressed, uint32_t state);
    void Show(TransportButton button, int pressed);
    [[nodiscard]] bool Due(uint32_t time) const { return time <= sd.now; }
    [[nodiscard]] bool Sounds(uint8_t channel) const;

    midi::MidiOut& port_;
    Reporter& reporter_;
    Notify notify_;
    TickSource ticks_;
    ButtonState showButton_;
    KeptPlayer keptPlayer_;

    uint32_t offCount_ = 0;
    bool queueFullShown_ = false;
    int32_t ppq_ = 192;
    uint32_t startBar_ = 0;
    int32_t nextPageBar_ = 0;
    bool playing_ = false;
    bool paused_ = false;
    uint32_t pauseTime_ = 0;
    uint32_t startTime_ = 0;
    uint32_t stopTime_ = 0;
    float tempo_ = 2.0f;

    uint32_t lastTick_ = 0;
    bool haveTick_ = false;
    uint32_t msSinceNotify_ = 0;
    bool inStep_ = false;
    // The part of a tick, in thousandths, that the last time update could not
    // add yet.
    long double milliTickCarry_ = 0;
};

}  // namespace tw
