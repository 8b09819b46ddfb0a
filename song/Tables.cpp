#include "song/Tables.h"

#include <algorithm>
#include <cstring>

namespace tw {
namespace {

// Moves songEnd forward (never back) to a newly stored time.
void ExtendSongEnd(Reporter& reporter, uint32_t time) {
    if (time > sd.songEnd) {
        sd.songEnd = time;
        reporter.SongEndChanged();
    }
}

// Inserts at index `at`, moving that entry and every later one up by one.
template <typename Record>
void InsertAt(Record* table, uint32_t& count, uint32_t at, const Record& record) {
    std::memmove(static_cast<void*>(table + at + 1), table + at, (count - at) * sizeof(Record));
    table[at] = record;
    ++count;
}

// The one rule that places a record in a table in ascending `key` order: an
// entry that is the same thing can only stand among the entries of equal
// key, so finding that run by binary search gives the same first match as a
// scan from index 0, and its end is where a new record goes (after every
// entry of equal key).
template <typename Record, typename Key, typename SameThing>
Placement ReplaceOrInsert(Record* table, uint32_t& count, const Record& record, Key key,
                          SameThing same) {
    Record* end = table + count;
    const auto at = key(record);
    auto first = std::partition_point(table, end, [&](const Record& r) { return key(r) < at; });
    auto last = std::partition_point(first, end, [&](const Record& r) { return key(r) <= at; });
    for (auto it = first; it != last; ++it) {
        if (same(*it)) {
            *it = record;
            return {static_cast<uint32_t>(it - table), true};
        }
    }
    const auto index = static_cast<uint32_t>(last - table);
    InsertAt(table, count, index, record);
    return {index, false};
}

template <typename Record, typename SameThing>
uint32_t Update(Reporter& reporter, Record* table, uint32_t& count, uint32_t usable,
                uint32_t fullCode, const char* text, const char* caption, const Record& record,
                SameThing same, bool* added = nullptr) {
    if (count >= usable) {
        reporter.ShowMessage(text, caption);
        return fullCode;
    }
    ExtendSongEnd(reporter, record.time);
    const Placement placed = ReplaceOrInsert(
        table, count, record, [](const Record& r) { return r.time; }, same);
    if (added != nullptr) {
        *added = !placed.replaced;
    }
    return kStored;
}

// Kept out of line: notes mostly arrive in time order, and AddNote's append
// path runs quicker without the registers that this rarer path needs.
[[gnu::noinline]] Placement PlaceEarlierNote(displaydata* notes, uint32_t& count,
                                             const displaydata& note) {
    return ReplaceOrInsert(
        notes, count, note, [](const displaydata& d) { return d.start; },
        [&](const displaydata& d) { return d.line == note.line; });
}

}  // namespace

uint32_t AddNote(Reporter& reporter, uint32_t track, const displaydata& note, Placement& placed) {
    uint32_t& count = sd.noteCount[track];
    if (count >= kNotesPerTrack) {
        reporter.ShowMessage("Out of Note Memory", "Test");
        return kNotesFull;
    }
    ExtendSongEnd(reporter, note.end);
    displaydata* notes = dd[track];
    const uint32_t n = count;
    if (n > 0 && notes[n - 1].start >= note.start) {
        if (notes[n - 1].start > note.start) {
            placed = PlaceEarlierNote(notes, count, note);
            return kStored;
        }
        // Appending compares the last note only, not earlier notes of its time.
        if (notes[n - 1].line == note.line) {
            notes[n - 1] = note;
            placed = {n - 1, true};
            return kStored;
        }
    }
    notes[n] = note;
    count = n + 1;
    placed = {n, false};
    return kStored;
}

uint32_t AddNote(Reporter& reporter, uint32_t track, const displaydata& note) {
    Placement ignored{};
    return AddNote(reporter, track, note, ignored);
}

uint32_t UpdateTempoData(Reporter& reporter, const tempodata& tempo) {
    return Update(reporter, td, sd.tempoTotal, kTempoUsable, kTempoFull, "Out of Tempo Memory",
                  "twWindow::UpdateTempo", tempo, [](const tempodata&) { return true; });
}

uint32_t UpdateEventData(Reporter& reporter, const eventdata& event) {
    return Update(reporter, ed, sd.eventTotal, kEventsUsable, kEventsFull, "Out of Event Memory",
                  "twWindow::UpdateEvents", event, [&](const eventdata& e) {
                      return MsgChannel(e.msg) == MsgChannel(event.msg) &&
                             MsgData1(e.msg) == MsgData1(event.msg);
                  });
}

uint32_t UpdateLyricData(Reporter& reporter, const lyric& text) {
    bool added = false;
    const uint32_t result = Update(
        reporter, lcd, sd.lyricTotal, kLyricsUsable, kLyricsFull, "Out of Lyric Memory",
        "twWindow::UpdateLyrics", text, [&](const lyric& l) { return l.track == text.track; },
        &added);
    if (added && text.track < kTracks) {
        ++sd.lyricCount[text.track];
    }
    return result;
}

uint32_t UpdateLyricSum() {
    sd.lyricSum = 0;
    for (uint32_t count : sd.lyricCount) {
        sd.lyricSum += count;
    }
    return sd.lyricSum;
}

uint32_t UpdatePgmData(Reporter& reporter, const eventdata& program) {
    return Update(reporter, pgm, sd.pgmTotal, kPgmUsable, kPgmFull, "Out of PGM Memory",
                  "twWindow::UpdatePGM", program,
                  [&](const eventdata& p) { return MsgChannel(p.msg) == MsgChannel(program.msg); });
}

}  // namespace tw
