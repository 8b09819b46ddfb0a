#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "smf/SmfCodes.h"
#include "song/Reporter.h"
#include "song/Song.h"

namespace tw {

// The notes of the track being read that still wait for their note-off.
// A note-off closes the oldest open note of its pitch, the first one in
// table order. Indexed mode keeps a queue of open table indexes per pitch,
// so pairing costs no scan of the table; whenever a note lands anywhere but
// at the end of the table (after a time wrap), the queues are rebuilt from
// the table on the next note-off.
class OpenNotes {
public:
    explicit OpenNotes(ScanMode mode) : mode_(mode) {}

    // Starts reading sd.track.
    void Begin();

    // AddNote for sd.track, keeping the queues in step.
    [[nodiscard]] uint32_t AddNote(Reporter& reporter, const displaydata& note);

    // Closes the oldest open note of the pitch of offMsg at sd.now; the
    // channel is not compared. False, changing nothing, when no note of that
    // pitch is open.
    [[nodiscard]] bool FindNoteOn(uint32_t offMsg);

private:
    using Queue = std::vector<uint32_t>;

    void Rebuild();
    [[nodiscard]] int64_t FirstOpenByScan(uint8_t pitch) const;
    [[nodiscard]] int64_t PopOldest(uint8_t pitch);
    Queue& QueueOf(uint8_t pitch) { return queues_[pitch - kLowestNote]; }

    ScanMode mode_;
    bool stale_ = true;
    std::array<Queue, kHighestNote - kLowestNote + 1> queues_;
    std::array<std::size_t, kHighestNote - kLowestNote + 1> heads_{};
};

// Sets type and dotted of note `index` of `track` from its duration.
void SetNoteType(uint32_t track, uint32_t index);

}  // namespace tw
