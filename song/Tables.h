#pragma once

// The insertion operations: the only way records enter the song tables one
// at a time. Each replaces the record that stands for the same thing, or
// inserts in time order after every record of equal time; a full table is
// refused with a message and its code. None of them marks the song changed.

#include <cstdint>

#include "song/Reporter.h"
#include "song/Song.h"

namespace tw {

// Results: 0 stored (inserted or replaced), else the full table's code.
inline constexpr uint32_t kStored = 0;
inline constexpr uint32_t kNotesFull = 100;
inline constexpr uint32_t kTempoFull = 1000;
inline constexpr uint32_t kEventsFull = 2000;
inline constexpr uint32_t kLyricsFull = 2000;
inline constexpr uint32_t kPgmFull = 3000;

// Where a stored record went: its index, and whether it replaced the entry
// that stood there.
struct Placement {
    uint32_t index;
    bool replaced;
};

// A note is the same thing as another at the same start on the same staff
// line, whatever the pitch: a chord holds one note per line. A note that
// starts no earlier than the last one is compared with the last note only.
[[nodiscard]] uint32_t AddNote(Reporter& reporter, uint32_t track, const displaydata& note);

// The same, telling where a stored note went.
[[nodiscard]] uint32_t AddNote(Reporter& reporter, uint32_t track, const displaydata& note,
                               Placement& placed);

// Same thing: the same time.
[[nodiscard]] uint32_t UpdateTempoData(Reporter& reporter, const tempodata& tempo);

// Same thing: the same time, channel and controller number.
[[nodiscard]] uint32_t UpdateEventData(Reporter& reporter, const eventdata& event);

// Same thing: the same time and track. Counts sd.lyricCount of the track
// whenever an entry is added, not when one is replaced.
[[nodiscard]] uint32_t UpdateLyricData(Reporter& reporter, const lyric& text);

// sd.lyricSum set to the sum of the per-track lyric counts, and returned.
uint32_t UpdateLyricSum();

// Same thing: the same time and channel.
[[nodiscard]] uint32_t UpdatePgmData(Reporter& reporter, const eventdata& program);

}  // namespace tw
