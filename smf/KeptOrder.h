#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "song/Reporter.h"
#include "song/Song.h"

namespace tw {

// The reader's way into the kept events. An event kept only once a later
// one of its time replaced it (a text, a program change, a signature) goes
// back among its track's kept events where the file had it, not after those
// read since, so that a saved song read and saved again gives the same file.
// Each event read gets the next number of the file order; the kept events of
// a track stay ordered by time, then by that number.
class KeptOrder {
public:
    // Events kept before the load come first at their times.
    KeptOrder();

    // The next event is being read; its number.
    uint32_t Read() { return ++read_; }
    [[nodiscard]] uint32_t Current() const { return read_; }

    // KeptEvents::AddShort and AddLong for an event read as number `order`.
    [[nodiscard]] uint32_t AddShort(Reporter& reporter, uint32_t track, uint32_t time, uint32_t msg,
                                    uint32_t order);
    [[nodiscard]] uint32_t AddLong(Reporter& reporter, uint32_t track, uint32_t time,
                                   uint8_t status, uint8_t type, std::span<const uint8_t> data,
                                   uint32_t order);

    // A note was stored on a staff line, where a later note of its time and
    // track would replace it; the number of the note last stored there, or
    // Current() when there is none.
    void NoteStored(uint32_t track, uint32_t time, uint8_t line);
    [[nodiscard]] uint32_t NoteOrder(uint32_t track, uint32_t time, uint8_t line) const;

private:
    struct LineNote {
        uint32_t track = UINT32_MAX;
        uint32_t time = 0;
        uint32_t order = 0;
    };

    [[nodiscard]] uint32_t Place(uint32_t track, uint32_t time, uint32_t order) const;
    uint32_t Placed(uint32_t result, uint32_t track, uint32_t at, uint32_t order);

    std::array<std::vector<uint32_t>, kTracks> orders_;  // of each track's kept events
    std::array<LineNote, 64> lines_;                     // by staff line
    uint32_t read_ = 0;
};

}  // namespace tw
