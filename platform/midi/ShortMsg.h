#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tw::midi {

inline constexpr int kChannels = 16;

// Packs a short message: status in bits 0..7, data1 in 8..15, data2 in 16..23.
constexpr uint32_t PackMsg(uint8_t status, uint8_t data1, uint8_t data2) {
    return uint32_t{status} | (uint32_t{data1} << 8) | (uint32_t{data2} << 16);
}

// Query helpers on a packed short message.
constexpr uint8_t MsgStatus(uint32_t msg) {
    return msg & 0xFF;
}
constexpr uint8_t MsgChannel(uint32_t msg) {
    return msg & 0x0F;
}
constexpr uint8_t MsgData1(uint32_t msg) {
    return (msg >> 8) & 0xFF;
}
constexpr uint8_t MsgData2(uint32_t msg) {
    return (msg >> 16) & 0xFF;
}

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

// The bytes of a packed short message, status first, data bytes masked to
// seven bits; the first ShortMsgLength of them go on the wire.
constexpr std::array<uint8_t, 3> ShortMsgBytes(uint32_t msg) {
    return {static_cast<uint8_t>(msg & 0xFF), static_cast<uint8_t>((msg >> 8) & 0x7F),
            static_cast<uint8_t>((msg >> 16) & 0x7F)};
}

}  // namespace tw::midi
