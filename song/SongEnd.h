#pragma once

#include <cstdint>

namespace tw {

// The time at which the song in the tables ends: the latest note end and the
// latest tempo, program-change and controller time (lyrics do not count);
// 0 for an empty song. The main window's song length, and where a run of the
// whole song stops.
[[nodiscard]] uint32_t FindSongEnd();

// Which of the two times ClampToSongEnd pulled back.
struct EndClamp {
    bool cue;
    bool now;
};

// sd.songEnd from the tables, with the cue point (sd.markTime) and the
// position (sd.now) pulled back to it when they lie beyond.
EndClamp ClampToSongEnd();

}  // namespace tw
