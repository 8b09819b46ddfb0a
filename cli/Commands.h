#pragma once

// The commands of tunewell-cli. Each takes the operands that follow its
// name on the command line and returns the exit status. A command that
// gets the wrong operands says which and why, returns kExitUsage, and main
// prints the command's usage.

#include <span>

#include "smf/LeftOut.h"
#include "smf/SongFile.h"
#include "song/Reporter.h"

namespace tw::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitLoadError = 2;
inline constexpr int kExitSaveError = 3;
inline constexpr int kExitPortError = 3;      // the MIDI port or the synthesizer would not open
inline constexpr int kExitInterrupted = 130;  // play stopped by Ctrl-C
inline constexpr int kExitUsage = 64;

using Operands = std::span<char* const>;

int InfoCommand(Operands operands);
int DumpCommand(Operands operands);
int ResaveCommand(Operands operands);
int ConvertCommand(Operands operands);
int PortsCommand(Operands operands);
int PlayCommand(Operands operands);
int RenderCommand(Operands operands);

// Loads a song as File Open does (or, with Format0Too, as a conversion
// does); on failure prints "PATH: Load error = N (cause)" on standard error,
// after whatever the load had to say, and returns false. A format 0 file
// that is refused gets one more line that names the convert command.
bool LoadSong(const char* path, Reporter& reporter, SongFormats formats = SongFormats::Format1,
              LeftOut* leftOut = nullptr);

// Saves the song to `out` as File Save does and prints what the load left
// out of the song; the exit status.
int SaveSong(const char* in, const char* out, const LeftOut& leftOut, Reporter& reporter);

}  // namespace tw::cli
