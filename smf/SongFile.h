#pragma once

// The song files on disk: File Open's loading, and saving. Reading takes the
// whole file into memory (opened for reading only); saving builds the whole
// file in memory and replaces the target only once it is complete.

#include <cstdint>
#include <vector>

#include "smf/LeftOut.h"
#include "smf/Progress.h"
#include "smf/SmfCodes.h"
#include "song/Reporter.h"

namespace tw {

// The files a load takes: File Open takes format 1 songs only; a conversion
// takes format 0 songs too, split into one track per channel as they are
// read (Format0Split.h).
enum class SongFormats { Format1, Format0Too };

// The largest file that is read as a song: the tables hold a few megabytes
// of events at most, so a larger file is refused before it fills memory.
inline constexpr std::int64_t kMaxSongFileBytes = std::int64_t{64} << 20;

// Reads the regular file at `path` whole, in one allocation of its size.
// False, without waiting, for a directory, pipe, socket or device, and for
// a file larger than kMaxSongFileBytes.
[[nodiscard]] bool ReadSongFile(const char* path, std::vector<uint8_t>& bytes);

// Reads the file named by sd.fileName into the song tables, which the
// caller has reset. Returns a load code: 1 when the file cannot be read
// (also a path that does not fit sd.fileName, and what ReadSongFile
// refuses). When `leftOut` is given it receives what the
// tables could not hold.
[[nodiscard]] int LoadFile(Reporter& reporter, Progress& progress,
                           SongFormats formats = SongFormats::Format1, LeftOut* leftOut = nullptr);

// Writes the song to sd.saveName. Returns a save code: 1 when the file
// cannot be created there. On any failure the file that stood at that path
// is left exactly as it was.
[[nodiscard]] int SaveFile(Reporter& reporter, Progress& progress);

// What File Open does once a path is chosen: refuses a path of more than
// 254 characters with load code 1 (leaving the song alone), else copies it
// into sd.fileName, resets the song, loads the file and, on success, sets
// the bar length and the bars per staff page for its time signature.
// Returns the load code; after a failure the caller resets the song.
[[nodiscard]] int OpenSongFile(const char* path, Reporter& reporter, Progress& progress,
                               SongFormats formats = SongFormats::Format1,
                               LeftOut* leftOut = nullptr);

}  // namespace tw
