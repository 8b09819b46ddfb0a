#pragma once

// The edits: every change to what Save writes is one of these operations,
// one per kind of edit. Each performs its change and marks the song changed
// when it changed something; windows never write the tables or sd.changed
// themselves. Each names what it touches, so that a step can be taken back.

#include <cstdint>
#include <string_view>

#include "song/Reporter.h"
#include "song/Song.h"

namespace tw {

// ---- The notes of one track: dd[track] and sd.noteCount[track] ----------------

// A note entered on the staff into track; AddNote's result.
[[nodiscard]] uint32_t EnterNote(Reporter& reporter, uint32_t track, const displaydata& note);
// Removes the track's note that starts at time on staff line line; false
// when there is none.
bool RemoveNoteAt(uint32_t track, uint32_t time, int line);
// The current track: CutNotes, PasteNotes, CutTrack, PasteTrack and
// SetTrackVelocity of the clipboard, with their results.
uint32_t CutMarkedNotes();
uint32_t PasteMarkedNotes(Reporter& reporter, uint32_t time);
bool CutWholeTrack();
bool PasteWholeTrack();
bool SetWholeTrackVelocity();
// sd.trackChannel[track] and every note of the track on channel.
void MoveTrackToChannel(uint32_t track, uint8_t channel);
// tn[track]: name, cut to 50 bytes.
void RenameTrack(uint32_t track, std::string_view name);

// ---- The copyright notice: cpyright and copyrightSet ---------------------------

// The notice's text, cut to kCopyrightMaxChars bytes, and its flag.
void SetCopyright(std::string_view text);
// The flag brought in line with whether the stored notice has text.
void MatchCopyrightFlag();

// ---- The time signature: sd.tsNumerator, sd.tsDenominator, sd.division -------

// A new numerator or denominator may move the signature's place in the file
// (KeptEvents::MoveEditedSignature).
void SetTimeSignature(uint32_t numerator, uint32_t denominator, uint32_t division);

// ---- The tables of the lists: td, ed, pgm and lcd --------------------------------

// UpdateTempoData, UpdateEventData, UpdatePgmData and UpdateLyricData, with
// their results.
[[nodiscard]] uint32_t StoreTempo(Reporter& reporter, const tempodata& tempo);
[[nodiscard]] uint32_t StoreController(Reporter& reporter, const eventdata& event);
[[nodiscard]] uint32_t StoreProgram(Reporter& reporter, const eventdata& program);
[[nodiscard]] uint32_t StoreLyric(Reporter& reporter, const lyric& text);
// td[0] at bpm quarter notes a minute.
void SetFirstTempo(unsigned bpm);
// lcd[index] replaced by text.
void ReplaceLyric(uint32_t index, const lyric& text);

enum class SongTable { Tempo, Controllers, Programs, Lyrics };

// Removes entry index; the later ones move down one place. A removed lyric
// is no longer counted for its track.
void RemoveTableEntry(SongTable table, uint32_t index);
// Empties the table; the tempo table keeps one 120 BPM entry at 0.
void ClearTable(SongTable table);

// Several edits that the user made as one (a list's Delete of several
// lines): while it lives, they make a single undo step named name.
class EditGroup {
public:
    explicit EditGroup(const char* name);
    ~EditGroup();
    EditGroup(const EditGroup&) = delete;
    EditGroup& operator=(const EditGroup&) = delete;
};

}  // namespace tw
