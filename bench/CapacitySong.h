#pragma once

// A song that fills every table: 32 tracks of 7000 overlapping notes
// (running status, note-offs written both as 0x80 and as 0x90 with
// velocity 0), 498 tempo changes, 4998 controller events, 498 program
// changes and 2998 lyrics, made in memory.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tw::bench {

using Bytes = std::vector<uint8_t>;

inline constexpr uint32_t kNotes = 7000;
inline constexpr uint32_t kTempos = 498;
inline constexpr uint32_t kControllers = 4998;
inline constexpr uint32_t kPrograms = 498;
inline constexpr uint32_t kLyrics = 2998;

struct Event {
    uint32_t time;
    Bytes bytes;  // status byte first
};

inline void VarLen(Bytes& out, uint32_t value) {
    Bytes groups{static_cast<uint8_t>(value & 0x7F)};
    for (value >>= 7; value != 0; value >>= 7) {
        groups.insert(groups.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
    }
    out.insert(out.end(), groups.begin(), groups.end());
}

inline void Be32(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Notes every 48 ticks, each lasting 96 or 144, so two or three sound at
// once; every tenth repeats the pitch before it, so notes of one pitch
// overlap too.
inline void AddNotes(std::vector<Event>& events, uint32_t track) {
    const auto channel = static_cast<uint8_t>(track % 16);
    uint8_t pitch = 40;
    for (uint32_t i = 0; i < kNotes; ++i) {
        if (i % 10 != 0) {
            pitch = static_cast<uint8_t>(36 + (i * 7 + track) % 60);
        }
        const uint32_t start = i * 48;
        const uint32_t end = start + (i % 3 == 0 ? 144 : 96);
        events.push_back({start, {static_cast<uint8_t>(0x90 | channel), pitch, 100}});
        if (i % 2 == 0) {
            events.push_back({end, {static_cast<uint8_t>(0x80 | channel), pitch, 64}});
        } else {
            events.push_back({end, {static_cast<uint8_t>(0x90 | channel), pitch, 0}});
        }
    }
}

// Controllers, programs and lyrics are dealt out to the tracks in turn at
// distinct times across the song; the tempo changes go to track 0.
inline void AddOthers(std::vector<Event>& events, uint32_t track) {
    const auto channel = static_cast<uint8_t>(track % 16);
    const uint8_t controllers[] = {7, 10, 91, 93};
    for (uint32_t k = track; k < kControllers; k += 32) {
        events.push_back({k * 60, {static_cast<uint8_t>(0xB0 | channel), controllers[k % 4], 90}});
    }
    for (uint32_t k = track; k < kPrograms; k += 32) {
        events.push_back(
            {k * 600, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(k % 128)}});
    }
    for (uint32_t k = track; k < kLyrics; k += 32) {
        const std::string text = "syl" + std::to_string(k);
        Bytes lyric{0xFF, 0x05, static_cast<uint8_t>(text.size())};
        lyric.insert(lyric.end(), text.begin(), text.end());
        events.push_back({k * 100, lyric});
    }
    for (uint32_t k = 0; track == 0 && k < kTempos; ++k) {
        events.push_back({(k + 1) * 600, {0xFF, 0x51, 3, 0x07, static_cast<uint8_t>(k), 0x20}});
    }
}

// Channel messages drop a status byte equal to the one before; a meta
// event cancels running status.
inline Bytes TrackChunk(uint32_t track) {
    std::vector<Event> events;
    AddOthers(events, track);
    AddNotes(events, track);
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.time < b.time; });
    Bytes data;
    uint32_t now = 0;
    uint8_t running = 0;
    for (const Event& e : events) {
        VarLen(data, e.time - now);
        now = e.time;
        const bool skipStatus = e.bytes[0] == running && e.bytes[0] < 0xF0;
        data.insert(data.end(), e.bytes.begin() + (skipStatus ? 1 : 0), e.bytes.end());
        running = e.bytes[0];
    }
    data.insert(data.end(), {0x00, 0xFF, 0x2F, 0x00});
    Bytes chunk{'M', 'T', 'r', 'k'};
    Be32(chunk, static_cast<uint32_t>(data.size()));
    chunk.insert(chunk.end(), data.begin(), data.end());
    return chunk;
}

inline const Bytes& CapacitySong() {
    static const Bytes song = [] {
        Bytes file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 32, 0x01, 0xE0};
        for (uint32_t t = 0; t < 32; ++t) {
            const Bytes chunk = TrackChunk(t);
            file.insert(file.end(), chunk.begin(), chunk.end());
        }
        return file;
    }();
    return song;
}

}  // namespace tw::bench
