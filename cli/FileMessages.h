#pragma once

// The lines that tell a user why a song file could not be read or written,
// and what a load had to leave out: each names the file, then the code, then
// the cause in words.

#include <string>

#include "smf/LeftOut.h"

namespace tw::cli {

// "song.mid: Load error = 3 (a format 0 file; Tunewell opens format 1 songs)"
[[nodiscard]] std::string LoadErrorLine(const char* path, int code);

// "out.mid: Save error = 1 (cannot create the file: no such directory)"
[[nodiscard]] std::string SaveErrorLine(const char* path, int code);

// "song.mid: left out, as the song tables cannot hold them: 3 pitch bends, ..."; empty when
// nothing was left out.
[[nodiscard]] std::string LeftOutLine(const char* path, const LeftOut& leftOut);

}  // namespace tw::cli
