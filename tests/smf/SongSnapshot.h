#pragma once

// Everything a load leaves in the song, copied out so that two loads can be
// compared whole.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "song/Song.h"

namespace tw::test {

template <typename Record>
std::vector<uint8_t> RecordBytes(const Record* table, uint32_t count) {
    const auto* first = reinterpret_cast<const uint8_t*>(table);
    return std::vector<uint8_t>(first, first + count * sizeof(Record));
}

struct SongSnapshot {
    std::vector<std::vector<uint8_t>> notes;  // per track
    std::vector<uint8_t> tempos, controllers, programs, lyrics;
    std::vector<std::string> names;
    std::string copyright;
    int copyrightFlag = 0;
    std::vector<uint32_t> state;  // the sd fields a load sets

    bool operator==(const SongSnapshot&) const = default;
};

inline SongSnapshot TakeSnapshot() {
    SongSnapshot s;
    for (int t = 0; t < kTracks; ++t) {
        s.notes.push_back(RecordBytes(dd[t], sd.noteCount[t]));
        s.names.emplace_back(tn[t]);
        s.state.push_back(sd.trackChannel[t]);
        s.state.push_back(sd.lyricCount[t]);
    }
    s.tempos = RecordBytes(td, sd.tempoTotal);
    s.controllers = RecordBytes(ed, sd.eventTotal);
    s.programs = RecordBytes(pgm, sd.pgmTotal);
    s.lyrics = RecordBytes(lcd, sd.lyricTotal);
    s.copyright = cpyright;
    s.copyrightFlag = copyrightSet();
    for (int c = 0; c < kChannels; ++c) {
        s.state.push_back(sd.channelProgram[c]);
    }
    const uint32_t fields[] = {sd.division, sd.tsNumerator, sd.tsDenominator,
                               sd.tsClocks, sd.ts32nds,     static_cast<uint32_t>(sd.keySharps),
                               sd.keyMinor, sd.songEnd,     sd.track,
                               sd.now};
    s.state.insert(s.state.end(), std::begin(fields), std::end(fields));
    return s;
}

}  // namespace tw::test
