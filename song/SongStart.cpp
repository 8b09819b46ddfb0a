#include "song/SongStart.h"

#include "song/Song.h"

namespace tw {

uint8_t FirstTrackWithNotes() {
    for (uint8_t t = 0; t < kTracks; ++t) {
        if (sd.noteCount[t] != 0) {
            return t;
        }
    }
    return 0;
}

uint8_t TrackWithMostLyrics() {
    uint8_t most = 0;
    for (uint8_t t = 1; t < kTracks; ++t) {
        if (sd.lyricCount[t] > sd.lyricCount[most]) {
            most = t;
        }
    }
    return most;
}

}  // namespace tw
