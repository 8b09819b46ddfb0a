#pragma once

// Why a song file could not be read or written, in words: the one wording
// that the window's error boxes and tunewell-cli both give after the code.
// The cause is found by looking at the file and its folder as they are now.

#include <string>

namespace tw {

// "a format 0 file; Tunewell opens format 1 songs" for load code 3.
[[nodiscard]] std::string LoadErrorCause(const char* path, int code);

// "cannot create the file: no such directory" for save code 1.
[[nodiscard]] std::string SaveErrorCause(const char* path, int code);

// The format the file's header declares; -1 when it cannot be read.
[[nodiscard]] int FileFormat(const char* path);

}  // namespace tw
