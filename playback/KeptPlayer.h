#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/midi/MidiOut.h"
#include "song/KeptEvents.h"

namespace tw {

// True when a note of the channel is heard: not muted, and no other channel
// soloed.
[[nodiscard]] bool ChannelSounds(uint8_t channel);

// Plays the song's kept events: their channel messages and system
// exclusive messages at their times (meta events are not sent), and on a
// repositioning the state they leave before the start time.
class KeptPlayer {
public:
    // Sends, before the notes start: the system exclusive messages before
    // startTime in time order, then per channel the last value before it of
    // every controller (bank select first, ahead of the program changes the
    // engine chases next), pitch bend and channel pressure. Later events are
    // played by Play from startTime on.
    void Chase(midi::MidiOut& port, uint32_t startTime);

    // Sends every event of every track due at `now`: its time not later.
    void Play(midi::MidiOut& port, uint32_t now);

    // Leaves no channel bent or held: pitch bend centred and sustain off on
    // all sixteen channels.
    static void Release(midi::MidiOut& port);

private:
    void Send(midi::MidiOut& port, uint32_t track, const KeptEvent& event);
    void SendSysEx(midi::MidiOut& port, uint32_t track, const KeptEvent& event);

    std::array<uint32_t, kTracks> next_{};  // per track, the next event to play
    std::vector<uint8_t> message_;          // a system exclusive message being sent
};

}  // namespace tw
