#pragma once

// The song files on disk: File Open's loading, and saving. Reading takes the
// whole file into memory (opened for reading only); saving builds the whole
// file in memory and replaces the target only once it is complete.

#include "smf/Progress.h"
#include "smf/SmfCodes.h"
#include "song/Reporter.h"

namespace tw {

// Reads the file named by sd.fileName into the song tables, which the
// caller has reset. Returns a load code: 1 when the file cannot be read
// (also a path that does not fit sd.fileName, a directory or another file
// that is not a regular file).
[[nodiscard]] int LoadFile(Reporter& reporter, Progress& progress);

// Writes the song to sd.saveName. Returns a save code: 1 when the file
// cannot be created there. On any failure the file that stood at that path
// is left exactly as it was.
[[nodiscard]] int SaveFile(Reporter& reporter, Progress& progress);

// What File Open does once a path is chosen: refuses a path of more than
// 254 characters with load code 1 (leaving the song alone), else copies it
// into sd.fileName, resets the song, loads the file and, on success, sets
// the bar length and the bars per staff page for its time signature.
// Returns the load code; after a failure the caller resets the song.
[[nodiscard]] int OpenSongFile(const char* path, Reporter& reporter, Progress& progress);

}  // namespace tw
