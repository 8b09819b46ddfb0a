#pragma once

#include <cstdint>

namespace tw {

// The time at which the song in the tables ends: the latest note end and the
// latest tempo, program-change and controller time (lyrics do not count);
// 0 for an empty song. The main window's song length, and where a run of the
// whole song stops.
[[nodiscard]] uint32_t FindSongEnd();

}  // namespace tw
