#include "smf/OpenNotes.h"

#include "song/Tables.h"

namespace tw {
namespace {

struct NoteType {
    uint8_t type;
    uint8_t dotted;
};

// The notated length of a duration in ticks, or false when it is shorter
// than a thirty-second note and the note keeps what it has.
bool TypeForDuration(uint64_t d, uint64_t division, NoteType& result) {
    const uint64_t whole = 4 * division;
    const uint64_t plain[] = {whole,        2 * division, division,
                              division / 2, division / 4, division / 8};
    if (d >= 6 * division) {
        result = {0, 1};
        return true;
    }
    if (d >= whole) {
        result = {0, 0};
        return true;
    }
    for (uint8_t type = 1; type <= 5; ++type) {
        if (d > plain[type]) {
            result = {type, 1};
            return true;
        }
        if (d == plain[type]) {
            result = {type, 0};
            return true;
        }
    }
    return false;
}

bool IsOpen(uint8_t closed, uint8_t pitch) {
    return closed == 0 && pitch >= kLowestNote && pitch <= kHighestNote;
}

bool IsOpen(const displaydata& note) {
    return IsOpen(note.closed, note.note);
}

}  // namespace

void SetNoteType(uint32_t track, uint32_t index) {
    displaydata& note = dd[track][index];
    NoteType result{};
    if (TypeForDuration(note.end - note.start, sd.division, result)) {
        note.type = result.type;
        note.dotted = result.dotted;
    }
}

void OpenNotes::Begin() {
    stale_ = true;
}

uint32_t OpenNotes::AddNote(Reporter& reporter, const displaydata& note) {
    const uint32_t track = sd.track;
    if (mode_ == ScanMode::Plain || stale_) {
        return tw::AddNote(reporter, track, note);
    }
    // Of the last note, what the queues need should the new note replace it.
    const uint32_t count = sd.noteCount[track];
    uint8_t lastClosed = 1;
    uint8_t lastPitch = 0;
    if (count > 0) {
        lastClosed = dd[track][count - 1].closed;
        lastPitch = dd[track][count - 1].note;
    }
    Placement placed;
    const uint32_t result = tw::AddNote(reporter, track, note, placed);
    if (result != kStored) {
        return result;
    }
    if (placed.index + (placed.replaced ? 1 : 0) != count) {
        stale_ = true;  // not at the end of the table: queued indexes moved
        return result;
    }
    if (placed.replaced && IsOpen(lastClosed, lastPitch)) {
        QueueOf(lastPitch).pop_back();  // the last note is the newest open one of its pitch
    }
    if (IsOpen(note)) {
        QueueOf(note.note).push_back(placed.index);
    }
    return result;
}

void OpenNotes::Rebuild() {
    for (std::size_t p = 0; p < queues_.size(); ++p) {
        queues_[p].clear();
        heads_[p] = 0;
    }
    const displaydata* notes = dd[sd.track];
    for (uint32_t i = 0; i < sd.noteCount[sd.track]; ++i) {
        if (IsOpen(notes[i])) {
            QueueOf(notes[i].note).push_back(i);
        }
    }
    stale_ = false;
}

int64_t OpenNotes::FirstOpenByScan(uint8_t pitch) const {
    const displaydata* notes = dd[sd.track];
    for (uint32_t i = 0; i < sd.noteCount[sd.track]; ++i) {
        if (notes[i].note == pitch && notes[i].closed == 0) {
            return i;
        }
    }
    return -1;
}

int64_t OpenNotes::PopOldest(uint8_t pitch) {
    if (stale_) {
        Rebuild();
    }
    Queue& queue = QueueOf(pitch);
    std::size_t& head = heads_[pitch - kLowestNote];
    if (head == queue.size()) {
        return -1;
    }
    const uint32_t index = queue[head++];
    if (head == queue.size()) {
        queue.clear();
        head = 0;
    }
    return index;
}

bool OpenNotes::FindNoteOn(uint32_t offMsg) {
    const uint8_t pitch = MsgData1(offMsg);
    if (pitch < kLowestNote || pitch > kHighestNote) {
        return false;
    }
    const int64_t found = mode_ == ScanMode::Plain ? FirstOpenByScan(pitch) : PopOldest(pitch);
    if (found < 0) {
        return false;
    }
    displaydata& note = dd[sd.track][found];
    note.offMsg = offMsg;
    note.end = sd.now;
    note.closed = 1;
    note.type = 3;
    note.dotted = 0;
    SetNoteType(sd.track, static_cast<uint32_t>(found));
    return true;
}

}  // namespace tw
