#pragma once

// Standard MIDI Files made byte by byte, for tests that need a file as
// another program would have written it.

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

inline Bytes VarLen(uint32_t value) {
    Bytes bytes{static_cast<uint8_t>(value & 0x7F)};
    for (value >>= 7; value != 0; value >>= 7) {
        bytes.insert(bytes.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
    }
    return bytes;
}

// The events of one track chunk.
struct Track {
    Track& Event(uint32_t delta, const Bytes& bytes) {
        Append(data, VarLen(delta));
        return Raw(bytes);
    }
    Track& Meta(uint32_t delta, uint8_t type, const std::string& text) {
        Event(delta, {0xFF, type});
        Append(data, VarLen(static_cast<uint32_t>(text.size())));
        return Raw(Bytes(text.begin(), text.end()));
    }
    Track& Raw(const Bytes& bytes) {
        Append(data, bytes);
        return *this;
    }
    Track& End(uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }

    Bytes data;
};

// A header whose length field is `length` (6 unless given).
inline Bytes Header(uint16_t format, uint16_t tracks, uint16_t division, uint8_t length = 6) {
    Bytes bytes{'M', 'T', 'h', 'd', 0, 0, 0, length};
    for (const uint16_t field : {format, tracks, division}) {
        Append(bytes, {static_cast<uint8_t>(field >> 8), static_cast<uint8_t>(field)});
    }
    return bytes;
}

// A track chunk with its real length, or the one given.
inline Bytes Chunk(const Track& track, int64_t declared = -1) {
    const auto length = static_cast<uint32_t>(declared < 0 ? track.data.size() : declared);
    Bytes bytes{'M', 'T', 'r', 'k'};
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<uint8_t>(length >> shift));
    }
    Append(bytes, track.data);
    return bytes;
}

inline Bytes File(uint16_t division, const std::vector<Track>& tracks, uint16_t format = 1) {
    Bytes bytes = Header(format, static_cast<uint16_t>(tracks.size()), division);
    for (const Track& track : tracks) {
        Append(bytes, Chunk(track));
    }
    return bytes;
}

// One track in `numerator`/4 with one middle C, an eighth at division 192.
inline Bytes OneNoteSong(uint8_t numerator = 4, uint16_t division = 192, uint16_t format = 1) {
    const Track track = Track()
                            .Event(0, {0xFF, 0x58, 4, numerator, 2, 24, 8})
                            .Event(0, {0x90, 60, 100})
                            .Event(96, {0x80, 60, 0})
                            .End();
    return File(division, {track}, format);
}

}  // namespace tw::test
