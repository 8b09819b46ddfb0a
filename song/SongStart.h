#pragma once

#include <cstdint>

namespace tw {

// Where a song opens: the first track that has notes, and the track with
// the most lyrics (the first of equals); track 0 when there is none, as for
// a new song.
[[nodiscard]] uint8_t FirstTrackWithNotes();
[[nodiscard]] uint8_t TrackWithMostLyrics();

}  // namespace tw
