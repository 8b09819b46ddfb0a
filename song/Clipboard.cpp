#include "song/Clipboard.h"

#include <algorithm>
#include <cstdint>

#include "song/KeptEvents.h"
#include "song/Song.h"
#include "song/Tables.h"

namespace tw {

namespace {

uint32_t TrackCount() {
    return sd.track < kTracks && dd[sd.track] != nullptr
               ? std::min(sd.noteCount[sd.track], kNotesPerTrack)
               : 0;
}

// t moved by the paste offset, held inside the 32-bit song time.
uint32_t Shift(uint32_t t, uint32_t offset, bool forwards) {
    if (forwards) {
        return static_cast<uint32_t>(std::min<uint64_t>(uint64_t{t} + offset, UINT32_MAX));
    }
    return t >= offset ? t - offset : 0;
}

}  // namespace

void CopyNotes(uint32_t start, uint32_t end) {
    const uint32_t count = TrackCount();
    if (count == 0) {
        return;
    }
    const displaydata* notes = dd[sd.track];
    kept.ClearClipboard();
    sd.clipCount = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (notes[i].start >= start && notes[i].start < end) {
            ebuff[sd.clipCount] = notes[i];
            bptrs[sd.clipCount] = i;
            ++sd.clipCount;
        }
    }
}

// The indexes in bptrs are ascending and belong to this track only when a
// range copy of it came just before. A track copy leaves bptrs as it was,
// and a copy on an empty track leaves the clipboard of another track, so
// only indexes that still make sense here are removed: ascending, inside
// the track.
uint32_t CutNotes() {
    const uint32_t count = TrackCount();
    const uint32_t clip = std::min(sd.clipCount, kClipboardSize);
    if (clip == 0 || count == 0) {
        return 0;
    }
    displaydata* notes = dd[sd.track];
    uint32_t next = 0;  // the next bptrs entry to remove
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (next < clip && bptrs[next] == i) {
            ++next;
            continue;
        }
        notes[kept++] = notes[i];
    }
    sd.noteCount[sd.track] = kept;
    return count - kept;
}

uint32_t PasteNotes(Reporter& reporter, uint32_t time) {
    const uint32_t clip = std::min(sd.clipCount, kClipboardSize);
    if (clip == 0 || sd.track >= kTracks || dd[sd.track] == nullptr) {
        return 0;
    }
    const uint32_t first = ebuff[0].start;
    const bool forwards = time >= first;
    const uint32_t offset = forwards ? time - first : first - time;
    uint32_t stored = 0;
    for (uint32_t k = 0; k < clip; ++k) {
        displaydata note = ebuff[k];
        note.start = Shift(note.start, offset, forwards);
        note.end = Shift(note.end, offset, forwards);
        // One message for a full track, not one for every note left over.
        if (AddNote(reporter, sd.track, note) != kStored) {
            break;
        }
        ++stored;
    }
    MoveNotesToChannel(sd.track, sd.channel);
    return stored;
}

bool CopyTrack() {
    const uint32_t count = TrackCount();
    if (count == 0) {
        return false;
    }
    std::copy(dd[sd.track], dd[sd.track] + count, ebuff);
    sd.clipCount = count;
    kept.CopyTrack(sd.track);
    return true;
}

bool CutTrack() {
    if (!CopyTrack()) {
        return false;
    }
    sd.noteCount[sd.track] = 0;
    kept.CutTrack(sd.track);
    return true;
}

bool PasteTrack() {
    const uint32_t clip = std::min(sd.clipCount, kClipboardSize);
    if (clip == 0 || sd.track >= kTracks || dd[sd.track] == nullptr) {
        return false;
    }
    std::copy(ebuff, ebuff + clip, dd[sd.track]);
    sd.noteCount[sd.track] = clip;
    kept.PasteTrack(sd.track);
    MoveNotesToChannel(sd.track, sd.channel);
    return true;
}

bool SetTrackVelocity() {
    const uint32_t count = TrackCount();
    if (count == 0) {
        return false;
    }
    const auto velocity = static_cast<uint8_t>(std::min<uint32_t>(sd.velocity, 127));
    displaydata* notes = dd[sd.track];
    for (uint32_t i = 0; i < count; ++i) {
        notes[i].velocity = velocity;
        notes[i].onMsg = PackMsg(static_cast<uint8_t>(0x90 | (notes[i].channel & 0x0F)),
                                 notes[i].note, velocity);
    }
    return true;
}

void MoveNotesToChannel(uint32_t track, uint8_t c) {
    if (track >= kTracks || dd[track] == nullptr) {
        return;
    }
    const auto channel = static_cast<uint8_t>(c & 0x0F);
    kept.MoveChannel(track, channel);
    displaydata* notes = dd[track];
    const uint32_t count = std::min(sd.noteCount[track], kNotesPerTrack);
    for (uint32_t i = 0; i < count; ++i) {
        notes[i].channel = channel;
        notes[i].onMsg =
            PackMsg(static_cast<uint8_t>(0x90 | channel), notes[i].note, notes[i].velocity);
        notes[i].offMsg = PackMsg(static_cast<uint8_t>(0x80 | channel), notes[i].note, 0);
    }
}

}  // namespace tw
