// Loads arbitrary bytes as a song file, straight from memory. Besides
// crashes and sanitizer findings it stops on two broken promises: the
// indexed and the plain note-off pairing must give the same tables, and a
// song that loaded must save into a file that loads again.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "smf/Progress.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "song/Song.h"

namespace {

struct Snapshot {
    std::vector<tw::displaydata> notes;
    std::vector<uint32_t> counts;
    uint32_t songEnd = 0;
};

Snapshot Take() {
    Snapshot s;
    for (int t = 0; t < tw::kTracks; ++t) {
        s.counts.push_back(tw::sd.noteCount[t]);
        s.notes.insert(s.notes.end(), tw::dd[t], tw::dd[t] + tw::sd.noteCount[t]);
    }
    s.counts.push_back(tw::sd.tempoTotal);
    s.counts.push_back(tw::sd.eventTotal);
    s.counts.push_back(tw::sd.pgmTotal);
    s.counts.push_back(tw::sd.lyricTotal);
    s.songEnd = tw::sd.songEnd;
    return s;
}

bool Same(const Snapshot& a, const Snapshot& b) {
    const auto bytes = [](const std::vector<tw::displaydata>& notes) {
        const auto* first = reinterpret_cast<const uint8_t*>(notes.data());
        return std::vector<uint8_t>(first, first + notes.size() * sizeof(tw::displaydata));
    };
    return a.counts == b.counts && a.songEnd == b.songEnd && bytes(a.notes) == bytes(b.notes);
}

int Load(std::span<const uint8_t> bytes, tw::ScanMode mode) {
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    tw::SetDefaults();
    return tw::LoadBytes(bytes, reporter, progress, mode);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool ready = tw::Startup();
    if (!ready) {
        std::abort();
    }
    const std::span<const uint8_t> bytes(data, size);
    const int plainCode = Load(bytes, tw::ScanMode::Plain);
    const Snapshot plain = Take();
    const int code = Load(bytes, tw::ScanMode::Indexed);
    if (code != plainCode || !Same(plain, Take())) {
        std::abort();
    }
    if (code != 0) {
        return 0;
    }
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    std::vector<uint8_t> saved;
    if (tw::SaveBytes(saved, reporter, progress) != 0) {
        return 0;
    }
    if (Load(saved, tw::ScanMode::Indexed) != 0) {
        std::abort();
    }
    return 0;
}
