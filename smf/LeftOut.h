#pragma once

#include <cstdint>

namespace tw {

// What a load read from the file but the song tables cannot hold, so that a
// user knows what saving the song would lose.
struct LeftOut {
    uint32_t pitchBends = 0;
    uint32_t aftertouch = 0;        // key and channel pressure
    uint32_t otherControllers = 0;  // all but volume, pan, reverb and chorus
    uint32_t systemExclusive = 0;
    uint32_t tracksBeyond32 = 0;   // declared by the header beyond the 32 read
    uint32_t textsReplaced = 0;    // by a later text of the track at the same time
    uint32_t notesReplaced = 0;    // by a later note at the same time on the same staff line
    uint32_t notesOutOfRange = 0;  // below A0 or above C8
};

}  // namespace tw
