#include "song/Edits.h"

#include <algorithm>
#include <cstring>

#include "song/Clipboard.h"
#include "song/KeptEvents.h"
#include "song/Tables.h"
#include "song/UndoHistory.h"

namespace tw {

namespace {

// Every edit runs inside one undo step, which copies what the edit is about
// to change and joins the history only if the edit changed the song.
class Step {
public:
    Step(const char* name, const std::vector<PartRef>& parts) { History().Begin(name, parts); }
    ~Step() { History().End(); }
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;
};

PartRef NotesOf(uint32_t track) {
    return {SongPart::Notes, static_cast<uint8_t>(track)};
}

PartRef KeptOf(uint32_t track) {
    return {SongPart::Kept, static_cast<uint8_t>(track)};
}

// Every edit ends here: the one place the song becomes changed.
void Changed() {
    sd.changed = 1;
    History().Changed();
}

template <typename Result>
Result ChangedIf(Result result, bool changed) {
    if (changed) {
        Changed();
    }
    return result;
}

uint32_t Stored(uint32_t result) {
    return ChangedIf(result, result == kStored);
}

template <typename T>
void RemoveAt(T* table, uint32_t& total, uint32_t index) {
    if (index < total) {
        std::memmove(&table[index], &table[index + 1], (total - index - 1) * sizeof(T));
        --total;
        Changed();
    }
}

PartRef PartOf(SongTable table) {
    switch (table) {
        case SongTable::Tempo: return {SongPart::Tempo};
        case SongTable::Controllers: return {SongPart::Events};
        case SongTable::Programs: return {SongPart::Programs};
        case SongTable::Lyrics: break;
    }
    return {SongPart::Lyrics};
}

}  // namespace

uint32_t EnterNote(Reporter& reporter, uint32_t track, const displaydata& note) {
    if (track >= static_cast<uint32_t>(kTracks)) {
        return kStored;
    }
    const Step step("Note Entry", {NotesOf(track)});
    return Stored(AddNote(reporter, track, note));
}

bool RemoveNoteAt(uint32_t track, uint32_t time, int line) {
    if (track >= static_cast<uint32_t>(kTracks) || dd[track] == nullptr) {
        return false;
    }
    const Step step("Note Delete", {NotesOf(track)});
    displaydata* notes = dd[track];
    uint32_t& count = sd.noteCount[track];
    displaydata* end = notes + std::min(count, kNotesPerTrack);
    displaydata* hit = std::find_if(
        notes, end, [&](const displaydata& n) { return n.start == time && n.line == line; });
    if (hit == end) {
        return false;
    }
    std::copy(hit + 1, end, hit);
    count = static_cast<uint32_t>(end - notes) - 1;
    Changed();
    return true;
}

uint32_t CutMarkedNotes() {
    const Step step("Cut", {NotesOf(sd.track)});
    const uint32_t removed = CutNotes();
    return ChangedIf(removed, removed > 0);
}

uint32_t PasteMarkedNotes(Reporter& reporter, uint32_t time) {
    const Step step("Paste", {NotesOf(sd.track), KeptOf(sd.track)});
    const uint32_t stored = PasteNotes(reporter, time);
    return ChangedIf(stored, stored > 0);
}

bool CutWholeTrack() {
    const Step step("Cut Track", {NotesOf(sd.track), KeptOf(sd.track)});
    const bool cut = CutTrack();
    return ChangedIf(cut, cut);
}

bool PasteWholeTrack() {
    const Step step("Paste Track", {NotesOf(sd.track), KeptOf(sd.track)});
    const bool pasted = PasteTrack();
    return ChangedIf(pasted, pasted);
}

bool SetWholeTrackVelocity() {
    const Step step("Track Velocity", {NotesOf(sd.track)});
    const bool set = SetTrackVelocity();
    return ChangedIf(set, set);
}

void MoveTrackToChannel(uint32_t track, uint8_t channel) {
    if (track >= static_cast<uint32_t>(kTracks)) {
        return;
    }
    const Step step("Channel", {NotesOf(track), KeptOf(track), {SongPart::Settings}});
    sd.trackChannel[track] = channel;
    MoveNotesToChannel(track, channel);
    Changed();
}

void RenameTrack(uint32_t track, std::string_view name) {
    if (track >= static_cast<uint32_t>(kTracks)) {
        return;
    }
    const Step step("Track Name", {{SongPart::TrackNames}});
    std::memset(tn[track], 0, sizeof tn[track]);
    std::memcpy(tn[track], name.data(), std::min<size_t>(name.size(), kTrackNameSize - 1));
    Changed();
}

void SetCopyright(std::string_view text) {
    const Step step("Copyright", {{SongPart::Copyright}});
    std::memset(cpyright, 0, kCopyrightSize - 1);
    std::memcpy(cpyright, text.data(), std::min<size_t>(text.size(), kCopyrightMaxChars));
    Changed();
    MatchCopyrightFlag();
}

void MatchCopyrightFlag() {
    const Step step("Copyright", {{SongPart::Copyright}});
    const char set = cpyright[0] != '\0' ? 1 : 0;
    if (copyrightSet() != set) {
        copyrightSet() = set;
        Changed();
    }
}

void SetTimeSignature(uint32_t numerator, uint32_t denominator, uint32_t division) {
    const Step step("Time Settings", {{SongPart::Settings}});
    if (numerator != sd.tsNumerator || denominator != sd.tsDenominator) {
        kept.MoveEditedSignature(Signature::Time);
    }
    sd.tsNumerator = numerator;
    sd.tsDenominator = denominator;
    sd.division = division;
    Changed();
}

uint32_t StoreTempo(Reporter& reporter, const tempodata& tempo) {
    const Step step("Tempo", {{SongPart::Tempo}});
    return Stored(UpdateTempoData(reporter, tempo));
}

uint32_t StoreController(Reporter& reporter, const eventdata& event) {
    const Step step("Mixer", {{SongPart::Events}});
    return Stored(UpdateEventData(reporter, event));
}

uint32_t StoreProgram(Reporter& reporter, const eventdata& program) {
    const Step step("Instrument", {{SongPart::Programs}});
    return Stored(UpdatePgmData(reporter, program));
}

uint32_t StoreLyric(Reporter& reporter, const lyric& text) {
    const Step step("Lyric Entry", {{SongPart::Lyrics}});
    return Stored(UpdateLyricData(reporter, text));
}

void SetFirstTempo(unsigned bpm) {
    const Step step("Tempo", {{SongPart::Tempo}});
    const float tempo = static_cast<float>(bpm) / 60.0f;
    if (td[0].tempo != tempo) {
        td[0].tempo = tempo;
        Changed();
    }
}

void ReplaceLyric(uint32_t index, const lyric& text) {
    const Step step("Lyric Edit", {{SongPart::Lyrics}});
    if (index < sd.lyricTotal) {
        lcd[index] = text;
        Changed();
    }
}

void RemoveTableEntry(SongTable table, uint32_t index) {
    const Step step("Delete", {PartOf(table)});
    switch (table) {
        case SongTable::Tempo:
            RemoveAt(td, sd.tempoTotal, index);
            break;
        case SongTable::Controllers:
            RemoveAt(ed, sd.eventTotal, index);
            break;
        case SongTable::Programs:
            RemoveAt(pgm, sd.pgmTotal, index);
            break;
        case SongTable::Lyrics:
            if (index < sd.lyricTotal && lcd[index].track < kTracks &&
                sd.lyricCount[lcd[index].track] > 0) {
                --sd.lyricCount[lcd[index].track];
            }
            RemoveAt(lcd, sd.lyricTotal, index);
            break;
    }
}

void ClearTable(SongTable table) {
    const Step step("Del All", {PartOf(table)});
    switch (table) {
        case SongTable::Tempo:
            td[0] = {0, 2.0f};
            sd.tempoTotal = 1;
            break;
        case SongTable::Controllers:
            sd.eventTotal = 0;
            break;
        case SongTable::Programs:
            sd.pgmTotal = 0;
            break;
        case SongTable::Lyrics:
            std::memset(sd.lyricCount, 0, sizeof sd.lyricCount);
            sd.lyricTotal = 0;
            break;
    }
    Changed();
}

EditGroup::EditGroup(const char* name) {
    History().Begin(name, {});
}

EditGroup::~EditGroup() {
    History().End();
}

}  // namespace tw
