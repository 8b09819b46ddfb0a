#include "playback/PlaybackEngine.h"

#include <cmath>
#include <limits>
#include <utility>

#include "playback/MixerReset.h"

namespace tw {

PlaybackEngine::PlaybackEngine(midi::MidiOut& port, Reporter& reporter, Notify notify,
                               TickSource ticks)
    : port_(port), reporter_(reporter), notify_(std::move(notify)), ticks_(std::move(ticks)) {}

uint32_t PlaybackEngine::TicksElapsed(uint32_t elapsedMs) {
    // Counted in thousandths of a tick, so that for every tempo read from a
    // file the product is exact and the remainder carried to the next update
    // loses nothing: the song clock keeps pace with the wall clock.
    const long double milliTicks =
        static_cast<long double>(tempo_) * ppq_ * elapsedMs + milliTickCarry_;
    if (!(milliTicks > 0)) {
        milliTickCarry_ = 0;
        return 0;
    }
    milliTickCarry_ = std::fmod(milliTicks, 1000.0L);
    const long double whole = (milliTicks - milliTickCarry_) / 1000;
    constexpr long double kLargestStep = std::numeric_limits<uint32_t>::max();
    return whole >= kLargestStep ? std::numeric_limits<uint32_t>::max()
                                 : static_cast<uint32_t>(whole);
}

void PlaybackEngine::GetCtTime() {
    const uint32_t tick = ticks_();
    if (!haveTick_) {
        lastTick_ = tick;
        haveTick_ = true;
    }
    // Time that passes while stopped or paused is consumed here and never
    // counted later.
    const uint32_t elapsedMs = tick - lastTick_;
    lastTick_ = tick;
    if (!playing_ || paused_) {
        return;
    }
    msSinceNotify_ += elapsedMs;

    sd.now += TicksElapsed(elapsedMs);
    sd.bar = sd.now / sd.barTicks;

    if (msSinceNotify_ > 100) {
        notify_(kTimeTick, 0);
        msSinceNotify_ = 0;
    }
}

void PlaybackEngine::Step() {
    GetCtTime();
    if (!playing_ || paused_ || inStep_) {
        return;
    }
    inStep_ = true;
    PlayTempo();
    if (static_cast<int32_t>(sd.bar) >= nextPageBar_) {
        notify_(kPageChange, 0);
        nextPageBar_ += static_cast<int32_t>(sd.staffBars);
        GetCtTime();
    }
    PlayNoteOff();
    PlayPgm();
    PlayEvent();
    keptPlayer_.Play(port_, sd.now);
    for (int t = 0; t < kTracks; ++t) {
        if (sd.playIndex[t] < sd.noteCount[t] && dd[t][sd.playIndex[t]].start <= sd.now) {
            PlayNote(t);
        }
    }
    PlayNoteOff();
    if (sd.now > stopTime_) {
        PlayNoteOff();
        SetStopMode();
    }
    inStep_ = false;
}

void PlaybackEngine::PlayTempo() {
    if (sd.tempoIndex >= sd.tempoTotal) {
        return;
    }
    while (sd.tempoIndex < sd.tempoTotal && Due(td[sd.tempoIndex].time)) {
        tempo_ = td[sd.tempoIndex].tempo;
        notify_(kTempoChange, sd.tempoIndex);
        ++sd.tempoIndex;
    }
    GetCtTime();
}

void PlaybackEngine::PlayPgm() {
    if (sd.pgmIndex >= sd.pgmTotal) {
        return;
    }
    while (sd.pgmIndex < sd.pgmTotal && Due(pgm[sd.pgmIndex].time)) {
        const eventdata& change = pgm[sd.pgmIndex];
        port_.Send(change.msg);
        if (change.track == sd.track) {
            notify_(kProgramChange, change.msg);
        }
        ++sd.pgmIndex;
    }
    GetCtTime();
}

void PlaybackEngine::PlayEvent() {
    while (sd.eventIndex < sd.eventTotal && Due(ed[sd.eventIndex].time)) {
        const uint32_t msg = ed[sd.eventIndex].msg;
        port_.Send(msg);
        notify_(kControllerPlayed, msg);
        ++sd.eventIndex;
    }
}

bool PlaybackEngine::Sounds(uint8_t channel) const {
    return ChannelSounds(channel);
}

void PlaybackEngine::PlayNote(int track) {
    uint32_t& index = sd.playIndex[track];
    while (index < sd.noteCount[track] && dd[track][index].start < sd.now) {
        const displaydata& note = dd[track][index];
        // A note whose note-off found no room would sound until the next
        // reset: it is not started.
        const bool queued = AddNoteOff(note) == 0;
        if (queued && Sounds(note.channel)) {
            port_.Send(note.onMsg);
        }
        notify_(kNoteActivity, note.onMsg);
        ++index;
    }
    GetCtTime();
}

void PlaybackEngine::PlayNoteOff() {
    while (offCount_ > 0 && Due(noteoff[0].time)) {
        const uint32_t msg = noteoff[0].msg;
        port_.Send(msg);
        notify_(kNoteActivity, msg);
        RemoveNoteOff();
        GetCtTime();
    }
}

void PlaybackEngine::RemoveNoteOff() {
    for (uint32_t i = 1; i < offCount_; ++i) {
        noteoff[i - 1] = noteoff[i];
    }
    --offCount_;
}

int PlaybackEngine::AddNoteOff(const displaydata& note) {
    if (offCount_ >= kNoteOffQueueSize) {
        // A dense song overflows the queue at every step; one box a run.
        if (!queueFullShown_) {
            queueFullShown_ = true;
            reporter_.ShowMessage("Out of Note Off Memory", "Add Note Off");
        }
        return 1;
    }
    const noteoffdata entry{note.end, note.offMsg};
    uint32_t at = offCount_;
    while (at > 0 && noteoff[at - 1].time > entry.time) {
        noteoff[at] = noteoff[at - 1];
        --at;
    }
    noteoff[at] = entry;
    ++offCount_;
    return 0;
}

void PlaybackEngine::SetPointers() {
    ppq_ = static_cast<int32_t>(sd.division);
    milliTickCarry_ = 0;
    sd.bar = startTime_ / sd.barTicks;
    nextPageBar_ = static_cast<int32_t>(sd.bar + sd.staffBars);
    sd.now = startTime_;
    notify_(kPageChange, 0);
    SendMixerReset(port_);
    notify_(kMixerReset, 0);
    offCount_ = 0;
    queueFullShown_ = false;

    tempo_ = td[0].tempo;
    sd.tempoIndex = 1;
    while (sd.tempoIndex < sd.tempoTotal && Due(td[sd.tempoIndex].time)) {
        tempo_ = td[sd.tempoIndex].tempo;
        ++sd.tempoIndex;
    }
    notify_(kTempoChange, sd.tempoIndex - 1);

    sd.eventIndex = 0;
    while (sd.eventIndex < sd.eventTotal && Due(ed[sd.eventIndex].time)) {
        const uint32_t msg = ed[sd.eventIndex].msg;
        ++sd.eventIndex;
        port_.Send(msg);
        notify_(kControllerPlayed, msg);
    }
    keptPlayer_.Chase(port_, startTime_);

    for (int ch = 0; ch < kChannels; ++ch) {
        sd.channelProgram[ch] = 0;
        if (ch == sd.channel) {
            notify_(kProgramChange, 0);
        }
    }
    sd.pgmIndex = 0;
    while (sd.pgmIndex < sd.pgmTotal && Due(pgm[sd.pgmIndex].time)) {
        const eventdata& change = pgm[sd.pgmIndex];
        sd.channelProgram[MsgChannel(change.msg)] = MsgData1(change.msg);
        if (change.track == sd.track) {
            notify_(kProgramChange, change.msg);
        }
        port_.Send(change.msg);
        ++sd.pgmIndex;
    }

    // Notes that began before the start position are not sounded.
    for (int t = 0; t < kTracks; ++t) {
        uint32_t index = 0;
        while (index < sd.noteCount[t] && dd[t][index].start < startTime_) {
            ++index;
        }
        sd.playIndex[t] = index;
    }
}

void PlaybackEngine::UpdateBarChange() {
    startTime_ = sd.now;
    SetPointers();
}

void PlaybackEngine::Show(TransportButton button, int pressed) {
    if (showButton_) {
        showButton_(button, pressed);
    }
}

void PlaybackEngine::SetStopMode() {
    playing_ = false;
    if (sd.playState == 1) {
        Show(TransportButton::Play, 0);
    } else if (sd.playState == 2) {
        Show(TransportButton::PlayAll, 0);
    }
    sd.playState = 0;
    Show(TransportButton::Stop, 1);
    // Pending note-offs stay queued until the next positioning drops them;
    // the reset has already released every sounding note.
    KeptPlayer::Release(port_);
    port_.Reset();
    sd.bar = startBar_;
    sd.now = sd.bar * sd.barTicks;
    notify_(kPageChange, 0);
    notify_(kStopped, 0);
}

void PlaybackEngine::Halt() {
    if (playing_) {
        port_.Reset();
    }
    playing_ = false;
    sd.playState = 0;
    offCount_ = 0;
}

void PlaybackEngine::StartRun(uint32_t startTime, uint32_t stopTime, TransportButton pressed,
                              uint32_t state) {
    startTime_ = startTime;
    stopTime_ = stopTime;
    Show(TransportButton::Stop, 0);
    Show(pressed, 1);
    sd.playState = state;
    SetPointers();
    playing_ = true;
}

bool PlaybackEngine::Play() {
    if (paused_ || sd.playState != 0) {
        return false;
    }
    startBar_ = sd.bar;
    const uint32_t start = sd.now;
    uint32_t stop = sd.staffBars * sd.barTicks + start;
    if (stop > sd.songEnd) {
        stop = sd.songEnd;
    }
    StartRun(start, stop, TransportButton::Play, 1);
    return true;
}

bool PlaybackEngine::PlayAll(bool fromCue) {
    if (paused_ || sd.playState != 0) {
        return false;
    }
    startBar_ = sd.bar;
    StartRun(fromCue ? sd.markTime : 0, sd.songEnd, TransportButton::PlayAll, 2);
    return true;
}

void PlaybackEngine::Pause(bool on) {
    paused_ = on;
    if (!playing_) {
        return;
    }
    if (on) {
        pauseTime_ = sd.now;
        KeptPlayer::Release(port_);
        port_.Reset();
        return;
    }
    startTime_ = pauseTime_;
    sd.now = startTime_;
    SetPointers();
}

void PlaybackEngine::CueSet() {
    sd.markTime = sd.now;
    notify_(kCueSet, 0);
}

}  // namespace tw
