#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "smf/Progress.h"
#include "smf/SmfCodes.h"
#include "song/KeptEvents.h"
#include "song/Reporter.h"

namespace tw {

// One event of the track being written.
struct savedata {
    uint32_t time;        // absolute ticks
    uint8_t status;       // 0xFF for a meta event, else the channel status byte
    uint8_t metaType;     // 0x01, 0x02, 0x03, 0x51, 0x58 or 0x59; 0 for channel messages
    uint8_t data[4];      // the event's data bytes
    uint32_t lyricIndex;  // a lyric's index in lcd
};

// A track holds at most this many events besides its name and copyright.
inline constexpr uint32_t kSaveRecordsUsable = 14999;

// Writes the song as a format 1 Standard MIDI File into `out` (replacing
// what it held). Returns a save code of SmfCodes.h; on failure `out` is
// left empty.
[[nodiscard]] int SaveBytes(std::vector<uint8_t>& out, Reporter& reporter, Progress& progress,
                            ScanMode mode = ScanMode::Indexed);

// A variable-length number: as many 7-bit groups as the value needs, most
// significant first, at least one byte.
void writevarlen(std::vector<uint8_t>& out, uint32_t value);

// Four bytes, high byte first.
void writelong(std::vector<uint8_t>& out, uint32_t value);

// Microseconds per quarter note for a tempo in quarter notes per second,
// in single precision at every step and truncated (a tempo read from
// 480 000 is written as 479 999); kept within 1..0xFFFFFF so that the three
// bytes of a tempo event hold it and reading it back gives a tempo again.
[[nodiscard]] uint32_t TempoMicroseconds(float tempo);

class SmfWriter {
public:
    SmfWriter(Reporter& reporter, Progress& progress, ScanMode mode)
        : reporter_(reporter), progress_(progress), mode_(mode) {}

    [[nodiscard]] int SaveFile(std::vector<uint8_t>& out);

private:
    void writehead(std::vector<uint8_t>& out) const;
    [[nodiscard]] int Failed(std::vector<uint8_t>& out, int code, const char* caption);

    [[nodiscard]] uint32_t createtrack();
    [[nodiscard]] uint32_t AddReplacingTexts();
    [[nodiscard]] uint32_t AddConductorEvents();
    [[nodiscard]] uint32_t AddChannelEvents();
    [[nodiscard]] uint32_t AddLyrics();
    [[nodiscard]] uint32_t AddNotes();
    [[nodiscard]] uint32_t AddTrackEvent(const savedata& record);

    [[nodiscard]] int WriteTrackData();
    void WriteEvent(const savedata& record);
    void WriteMeta(const savedata& record);
    void WriteLyric(const savedata& record);
    void WriteKept(const KeptEvent& event, uint32_t& previous);
    void writetrackname();
    void writecopyright();
    void WriteText(uint8_t type, const char* text, std::size_t length);
    [[nodiscard]] int mergefile(std::vector<uint8_t>& out) const;

    Reporter& reporter_;
    Progress& progress_;
    ScanMode mode_;
    std::vector<savedata> ssd_;
    uint32_t eventtotal_ = 0;
    bool inOrder_ = true;
    uint32_t cctrack_ = 0;
    uint32_t ttracks_ = 0;
    std::optional<uint32_t> nameAfterKept_;  // the time of the track's name record
    std::optional<SignaturePlace> copyrightAfterKept_;
    std::vector<uint8_t> trackData_;
};

}  // namespace tw
