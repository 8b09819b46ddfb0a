#include "song/SongEnd.h"

#include <algorithm>

#include "song/Song.h"

namespace tw {

uint32_t FindSongEnd() {
    uint32_t end = 0;
    for (int t = 0; t < kTracks; ++t) {
        for (uint32_t i = 0; i < sd.noteCount[t]; ++i) {
            end = std::max(end, dd[t][i].end);
        }
    }
    for (uint32_t i = 0; i < sd.tempoTotal; ++i) {
        end = std::max(end, td[i].time);
    }
    for (uint32_t i = 0; i < sd.pgmTotal; ++i) {
        end = std::max(end, pgm[i].time);
    }
    for (uint32_t i = 0; i < sd.eventTotal; ++i) {
        end = std::max(end, ed[i].time);
    }
    return end;
}

EndClamp ClampToSongEnd() {
    sd.songEnd = FindSongEnd();
    const EndClamp moved{sd.markTime > sd.songEnd, sd.now > sd.songEnd};
    sd.markTime = std::min(sd.markTime, sd.songEnd);
    sd.now = std::min(sd.now, sd.songEnd);
    return moved;
}

}  // namespace tw
