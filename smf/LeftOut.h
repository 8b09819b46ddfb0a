#pragma once

#include <cstdint>
#include <string>

namespace tw {

// What a load read from the file but the song cannot hold, neither in its
// tables nor among its kept events, so that a user knows what saving the
// song would lose.
struct LeftOut {
    uint32_t velocityOneNoteOns = 0;  // read as note-offs, written back as such
    uint32_t noteOffVelocities = 0;   // note-offs with a velocity other than 0
    // Texts that stay in their field cut short (at its length or a NUL
    // byte); one that a later text replaced is kept whole.
    uint32_t textsCut = 0;            // texts and lyrics, at 60 bytes
    uint32_t namesCut = 0;            // track names, at 50 bytes
    uint32_t copyrightsCut = 0;       // the copyright notice, at 100 bytes
    uint32_t tracksBeyond32 = 0;      // declared by the header beyond the 32 read
};

// The counts in words, "3 texts longer than 60 bytes, 1 track beyond 32",
// or empty when nothing is lost.
[[nodiscard]] std::string LeftOutItems(const LeftOut& left);

}  // namespace tw
