#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <unordered_map>
#include <vector>

#include "smf/ByteCursor.h"
#include "smf/KeptOrder.h"
#include "smf/LeftOut.h"
#include "smf/OpenNotes.h"
#include "smf/Progress.h"
#include "smf/SmfCodes.h"
#include "song/Reporter.h"

namespace tw {

// Reads a format 1 Standard MIDI File held in memory into the song tables,
// which the caller has reset. Returns a load code of SmfCodes.h. A track's
// events are never read beyond its chunk as declared, nor beyond the file:
// an event cut short there is dropped and the track ends, as at End of Track.
// When `leftOut` is given it receives what the tables could not hold.
[[nodiscard]] int LoadBytes(std::span<const uint8_t> file, Reporter& reporter, Progress& progress,
                            ScanMode mode = ScanMode::Indexed, LeftOut* leftOut = nullptr);

class SmfReader {
public:
    SmfReader(Reporter& reporter, Progress& progress, ScanMode mode)
        : reporter_(reporter), progress_(progress), openNotes_(mode) {
        tableOrders_.reserve(kEventsAllocated + kPgmAllocated);
    }

    [[nodiscard]] int LoadFile(std::span<const uint8_t> file);
    [[nodiscard]] const LeftOut& leftOut() const { return leftOut_; }

private:
    [[nodiscard]] int ReadTracks(ByteCursor& file, uint32_t tracks);
    [[nodiscard]] uint32_t ReadTrack(ByteCursor track);
    [[nodiscard]] uint32_t ReadEvent(ByteCursor& track);
    [[nodiscard]] uint32_t Dispatch(ByteCursor& track, uint8_t byte);

    [[nodiscard]] uint32_t GetMidi(ByteCursor& track, uint8_t status, uint8_t first, bool running);
    [[nodiscard]] uint32_t CloseNote(uint8_t status, uint8_t note, uint8_t velocity);
    [[nodiscard]] uint32_t Keep(uint32_t msg);
    [[nodiscard]] uint32_t KeepStored(const eventdata& replaced, uint32_t key);
    void RememberOrder(uint32_t key);
    [[nodiscard]] uint32_t KeepLong(uint8_t status, uint8_t type, std::span<const uint8_t> data);
    [[nodiscard]] uint32_t KeepMeta(ByteCursor& track, uint8_t type, uint32_t length);
    [[nodiscard]] uint32_t StoreNote(uint8_t channel, uint8_t note, uint8_t velocity);
    [[nodiscard]] uint32_t StoreController(uint8_t channel, uint8_t controller, uint8_t value);
    [[nodiscard]] uint32_t StoreProgram(uint8_t channel, uint8_t program);

    [[nodiscard]] uint32_t GetMeta(ByteCursor& track);
    [[nodiscard]] uint32_t GetTempo(ByteCursor& track);
    [[nodiscard]] uint32_t GetTimeSignature(ByteCursor& track);
    [[nodiscard]] uint32_t GetKeySignature(ByteCursor& track);
    [[nodiscard]] uint32_t GetText(ByteCursor& track, uint8_t type, uint32_t length);
    [[nodiscard]] uint32_t GetSysEx(ByteCursor& track, uint8_t status);

    // A meta event as it came, until a later one may replace it.
    struct RawMeta {
        uint32_t time = 0;
        uint32_t track = 0;
        uint8_t type = 0;  // 0 while there is none
        std::vector<uint8_t> bytes;
        bool cut = false;    // a text whose field holds less of it
        uint32_t order = 0;  // its number in the file order
    };
    [[nodiscard]] RawMeta Raw(uint8_t type, const uint8_t* data, uint32_t length) const;
    [[nodiscard]] uint32_t KeepReplaced(RawMeta& last, const RawMeta& next);
    // The count of texts of the type cut to fit their field.
    [[nodiscard]] uint32_t& Cuts(uint8_t type);

    Reporter& reporter_;
    Progress& progress_;
    OpenNotes openNotes_;
    uint8_t runningStatus_ = 0;
    uint32_t lastTrackEnd_ = 0;  // the latest End of Track time, ticks
    RawMeta lastTimeSignature_;
    RawMeta lastKeySignature_;
    std::map<uint32_t, RawMeta> tempos_;  // by time
    RawMeta lastText_;                    // of the track being read
    RawMeta lastName_;                    // of the track being read
    RawMeta lastCopyright_;
    // The file order of the controllers and program changes of the tables,
    // by time, status and controller.
    std::unordered_map<uint64_t, uint32_t> tableOrders_;
    KeptOrder order_;
    LeftOut leftOut_;
};

}  // namespace tw
