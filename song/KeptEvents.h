#pragma once

// The events of a song file that the fixed tables do not hold: controllers
// beyond the four the mixer shows, pitch bend, pressure, notes outside the
// staff or replaced on it, system exclusive messages, meta events the song
// does not decode and texts that a later one at the same time replaced.
// They are kept per track in file order with their times, so that saving,
// playing and moving a track lose none of them. Unlike the tables the store
// grows, up to the bounds below.

#include <cstdint>
#include <span>
#include <vector>

#include "song/Reporter.h"
#include "song/Song.h"

namespace tw {

inline constexpr uint32_t kKeptUsable = 1000000;         // events over all tracks
inline constexpr uint32_t kKeptBytesUsable = 16u << 20;  // meta and system exclusive data
inline constexpr uint32_t kKeptFull = 4000;

// One kept event. A channel message is packed as the tables pack it. A meta
// event has status 0xFF and its type as data1, a system exclusive event its
// status 0xF0 or 0xF7; their data bytes lie in the track's byte pool.
struct KeptEvent {
    uint32_t time;    // ticks
    uint32_t msg;     // packed message
    uint32_t offset;  // of the data in the track's pool; meta and system exclusive only
    uint32_t size;    // bytes of that data
};

// The kept events of one track, ascending by time, equal times in the order
// added.
struct KeptTrack {
    std::vector<KeptEvent> events;
    std::vector<uint8_t> bytes;
};

[[nodiscard]] constexpr bool IsChannelMessage(uint32_t msg) {
    return MsgStatus(msg) >= 0x80 && MsgStatus(msg) <= 0xEF;
}

// The song's one time signature (FF 58) and one key signature (FF 59).
enum class Signature : uint8_t { Time, Key };

[[nodiscard]] constexpr uint8_t MetaType(Signature which) {
    return which == Signature::Time ? 0x58 : 0x59;
}

// Where a signature of the song stands in its file.
struct SignaturePlace {
    uint32_t time = 0;  // ticks
    uint32_t track = 0;
    auto operator<=>(const SignaturePlace&) const = default;
};

class KeptEvents {
public:
    // Both insert after every event of the track of an equal or earlier time,
    // or, given `at`, at that index of the track's events, kept within those
    // of its time: the file reader puts back there an event that it kept only
    // once a later one replaced it. Beyond the bounds they refuse with a
    // message and kKeptFull.
    static constexpr uint32_t kAfterAll = UINT32_MAX;
    [[nodiscard]] uint32_t AddShort(Reporter& reporter, uint32_t track, uint32_t time, uint32_t msg,
                                    uint32_t at = kAfterAll);
    [[nodiscard]] uint32_t AddLong(Reporter& reporter, uint32_t track, uint32_t time,
                                   uint8_t status, uint8_t type, std::span<const uint8_t> data,
                                   uint32_t at = kAfterAll);

    [[nodiscard]] const KeptTrack& Track(uint32_t track) const { return tracks_[track]; }
    [[nodiscard]] std::span<const uint8_t> Data(uint32_t track, const KeptEvent& event) const;
    [[nodiscard]] uint32_t Total() const { return total_; }

    // Empties every track and forgets the lyric kinds and the signatures'
    // places; the clipboard stays.
    void Clear();

    // Track clipboard: copy, cut (copy and empty) and paste (replace the
    // track's events with the clipboard's). A range copy of notes empties it.
    // Kept time and key signatures belong to the song, not to the track's
    // music: they stay where they are, so that the song's own signature,
    // the last one a file gives, stays the last.
    void CopyTrack(uint32_t track);
    void CutTrack(uint32_t track);
    void PasteTrack(uint32_t track);
    void ClearClipboard() { clipboard_ = {}; }

    // The track's events replaced by events, as undo puts them back.
    void Replace(uint32_t track, KeptTrack events);
    // Puts every kept channel message of the track on the channel.
    void MoveChannel(uint32_t track, uint8_t channel);

    // The lyric table's records have no room for the kind of event a lyric
    // was read from, so it is kept here: true for a lyric event (FF 05),
    // false for a text event (FF 01), the kind of every lyric entered.
    void SetLyricEvent(uint32_t track, uint32_t time, bool lyricEvent);
    [[nodiscard]] bool IsLyricEvent(uint32_t track, uint32_t time) const;

    // The song's signatures are written back where the file had them, after
    // the ones they replaced; a song made here has them at time 0 of track 0.
    void SetSignaturePlace(Signature which, SignaturePlace place);
    [[nodiscard]] SignaturePlace SignatureAt(Signature which) const {
        return places_[static_cast<int>(which)];
    }
    // An edited signature is the song's from its start: it moves to time 0
    // of track 0, unless a kept one of its kind would then be read after it
    // and replace it when the file is opened again; then it stays in place.
    void MoveEditedSignature(Signature which);

private:
    [[nodiscard]] bool Room(Reporter& reporter, uint32_t bytes) const;
    void Insert(KeptTrack& into, const KeptEvent& event, uint32_t at);

    KeptTrack tracks_[kTracks];
    KeptTrack clipboard_;
    std::vector<uint64_t> lyricEvents_;  // track << 32 | time, ascending
    SignaturePlace places_[2];
    uint32_t total_ = 0;
    uint32_t bytes_ = 0;
};

extern KeptEvents kept;

}  // namespace tw
