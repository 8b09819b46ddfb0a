#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "smf/ByteCursor.h"

namespace tw {

// Turns a format 0 Standard MIDI File (the whole song in one track) into a
// format 1 file that LoadBytes reads: a first track with the song's tempo
// map, time and key signatures, copyright, name, texts, lyrics, every other
// meta event and system exclusive events, then one track for each channel that has events, in
// channel order, named after the channel's first program in Voices or
// "Channel N" (N from 1). Every event keeps its absolute time. The track is
// walked exactly as the reader walks a track: what would end the reader's
// track (End of Track, a cut-short event, a data byte with no running
// status) ends it here, and meta events are taken with the lengths the
// reader takes. Returns a load code of
// SmfCodes.h: those of the reader for a bad header or a missing track
// chunk, kLoadNotFormat1 for a file that is not format 0; on failure
// `format1` is empty.
[[nodiscard]] int SplitFormat0(std::span<const uint8_t> file, std::vector<uint8_t>& format1);

// The format a Standard MIDI File's header declares; -1 when the bytes do
// not start with a header.
[[nodiscard]] int DeclaredFormat(std::span<const uint8_t> file);

class Format0Split {
public:
    [[nodiscard]] int Split(std::span<const uint8_t> file, std::vector<uint8_t>& format1);

private:
    // The song track and one per channel.
    static constexpr std::size_t kParts = 17;
    struct Part {
        std::vector<uint8_t> data;
        uint32_t last = 0;  // absolute time of the last event, ticks
        int firstProgram = -1;
        bool used = false;
    };

    void ReadTrack(ByteCursor track);
    [[nodiscard]] bool ReadEvent(ByteCursor& track);
    [[nodiscard]] bool Dispatch(ByteCursor& track, uint8_t byte);
    [[nodiscard]] bool TakeChannel(ByteCursor& track, uint8_t status, uint8_t first, bool running);
    [[nodiscard]] bool TakeMeta(ByteCursor& track);
    [[nodiscard]] bool TakeFixedMeta(ByteCursor& track, uint8_t type, uint8_t length);
    [[nodiscard]] bool TakeSysEx(ByteCursor& track, uint8_t status);
    void Assemble(uint16_t division, std::vector<uint8_t>& out) const;

    std::array<Part, kParts> parts_;
    std::vector<uint8_t> event_;  // the event being read, without its time
    std::size_t target_ = 0;      // the part it goes to
    bool keep_ = false;           // false for an event the reader would drop
    uint32_t now_ = 0;
    uint8_t runningStatus_ = 0;
};

}  // namespace tw
