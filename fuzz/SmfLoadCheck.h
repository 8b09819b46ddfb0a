#pragma once

#include <cstdint>
#include <span>

namespace tw {

// Loads `bytes` as a song file, straight from memory, and checks the two
// promises that hold for any input: the indexed and the plain note-off
// pairing give the same code and tables, and a song that loaded saves into
// a file that loads again. False when one is broken. The song tables must
// have been allocated (Startup).
[[nodiscard]] bool LoadKeepsItsPromises(std::span<const uint8_t> bytes);

}  // namespace tw
