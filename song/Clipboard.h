#pragma once

// The note clipboard (ebuff, sd.clipCount, bptrs): a marked time range of
// the current track or a whole track, copied as whole note records, and the
// velocity of a whole track. Only the tables change here; edits reach them
// through the operations of song/Edits.h, which mark the song changed.

#include <cstdint>

#include "song/Reporter.h"

namespace tw {

// Copies the current track's notes that start in [start, end) to the
// clipboard, in table order, with their indexes in bptrs. A track without
// notes leaves the clipboard as it was.
void CopyNotes(uint32_t start, uint32_t end);

// Removes from the current track the notes that the last CopyNotes copied
// from it; the clipboard keeps them. Returns how many were removed.
uint32_t CutNotes();

// Inserts the clipboard's notes into the current track, moved so that the
// earliest lands at time, and puts every note of the track on the current
// channel. A full track stops the paste at its first refused note, with
// AddNote's message; the notes inserted before it stay. Returns how many
// notes were stored.
uint32_t PasteNotes(Reporter& reporter, uint32_t time);

// The whole current track onto the clipboard, with its kept events; false
// (nothing copied) for a track without notes.
bool CopyTrack();
// CopyTrack, then the track is emptied; false for a track without notes.
bool CutTrack();
// The clipboard replaces the current track's notes and kept events, at the
// times they were copied from, on the current channel; false with an empty
// clipboard.
bool PasteTrack();
// Every note of the current track gets sd.velocity, in its record and its
// note-on; false for a track without notes.
bool SetTrackVelocity();

// Every note of the track on channel c, in its record and both messages,
// and the track's kept channel messages with them.
void MoveNotesToChannel(uint32_t track, uint8_t c);

}  // namespace tw
