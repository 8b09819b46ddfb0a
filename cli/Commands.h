#pragma once

// The commands of tunewell-cli. Each takes the operands that follow its
// name on the command line and returns the exit status. A command that
// gets the wrong operands returns kExitUsage, and main prints the usage.

#include <span>

#include "song/Reporter.h"

namespace tw::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitLoadError = 2;
inline constexpr int kExitSaveError = 3;
inline constexpr int kExitUsage = 64;

using Operands = std::span<char* const>;

int InfoCommand(Operands operands);
int DumpCommand(Operands operands);
int ResaveCommand(Operands operands);

// Loads a song as File Open does; on failure prints "Load error = N" on
// standard error, after whatever the load had to say, and returns false.
bool LoadSong(const char* path, Reporter& reporter);

}  // namespace tw::cli
