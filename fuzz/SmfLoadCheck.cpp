#include "fuzz/SmfLoadCheck.h"

#include <vector>

#include "smf/Progress.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "song/Song.h"

namespace tw {
namespace {

struct Snapshot {
    std::vector<displaydata> notes;
    std::vector<uint32_t> counts;
    uint32_t songEnd = 0;
};

Snapshot Take() {
    Snapshot s;
    for (int t = 0; t < kTracks; ++t) {
        s.counts.push_back(sd.noteCount[t]);
        s.notes.insert(s.notes.end(), dd[t], dd[t] + sd.noteCount[t]);
    }
    s.counts.push_back(sd.tempoTotal);
    s.counts.push_back(sd.eventTotal);
    s.counts.push_back(sd.pgmTotal);
    s.counts.push_back(sd.lyricTotal);
    s.songEnd = sd.songEnd;
    return s;
}

bool Same(const Snapshot& a, const Snapshot& b) {
    const auto bytes = [](const std::vector<displaydata>& notes) {
        const auto* first = reinterpret_cast<const uint8_t*>(notes.data());
        return std::vector<uint8_t>(first, first + notes.size() * sizeof(displaydata));
    };
    return a.counts == b.counts && a.songEnd == b.songEnd && bytes(a.notes) == bytes(b.notes);
}

int Load(std::span<const uint8_t> bytes, ScanMode mode) {
    SilentReporter reporter;
    NoProgress progress;
    SetDefaults();
    return LoadBytes(bytes, reporter, progress, mode);
}

}  // namespace

bool LoadKeepsItsPromises(std::span<const uint8_t> bytes) {
    const int plainCode = Load(bytes, ScanMode::Plain);
    const Snapshot plain = Take();
    const int code = Load(bytes, ScanMode::Indexed);
    if (code != plainCode || !Same(plain, Take())) {
        return false;
    }
    if (code != 0) {
        return true;
    }
    SilentReporter reporter;
    NoProgress progress;
    std::vector<uint8_t> saved;
    if (SaveBytes(saved, reporter, progress) != 0) {
        return true;
    }
    return Load(saved, ScanMode::Indexed) == 0;
}

}  // namespace tw
