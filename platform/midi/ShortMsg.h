#pragma once

#include <cstddef>
#include <cstdint>

namespace tw::midi {

// Bytes of a packed short message on the wire: the status byte and the data
// bytes its kind carries. 0 for a byte that is no status (below 0x80) and for
// system exclusive, which a short message cannot hold.
constexpr std::size_t ShortMsgLength(uint32_t msg) {
    const uint8_t status = msg & 0xFF;
    if (status < 0x80 || status == 0xF0 || status == 0xF7) {
        return 0;
    }
    if (status < 0xF0) {
        const uint8_t kind = status & 0xF0;
        return (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
    }
    if (status == 0xF1 || status == 0xF3) {
        return 2;
    }
    return status == 0xF2 ? 3 : 1;
}

}  // namespace tw::midi
