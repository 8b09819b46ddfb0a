#include <cstdio>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/SongText.h"
#include "song/Song.h"

namespace tw::cli {
namespace {

void PrintSong(const char* path) {
    std::printf("File:              %s\n", path);
    std::printf("Division:          %u ticks per quarter note\n", sd.division);
    std::printf("Time signature:    %u/%u\n", sd.tsNumerator, sd.tsDenominator);
    std::printf("Key signature:     %s\n", KeySignatureText(sd.keySharps, sd.keyMinor).c_str());
    std::printf("Bar length:        %u ticks\n", sd.barTicks);
    std::printf("Bars per page:     %u\n", sd.staffBars);
    std::printf("Song length:       %s (bar:tick, %u ticks)\n",
                BarTick(sd.songEnd, sd.barTicks).c_str(), sd.songEnd);
    std::printf("Tempo changes:     %u\n", sd.tempoTotal);
    std::printf("Controller events: %u\n", sd.eventTotal);
    std::printf("Program changes:   %u\n", sd.pgmTotal);
    std::printf("Lyrics:            %u\n", sd.lyricTotal);
    std::printf("Copyright:         %s\n",
                copyrightSet() != 0 ? Quoted(cpyright).c_str() : "(none)");
}

// One line for each track with notes, lyrics or a name of its own.
void PrintTracks() {
    std::printf("Tracks:\n  %-5s  %-52s  %-7s  %5s  %6s\n", "Track", "Name", "Channel", "Notes",
                "Lyrics");
    for (int t = 0; t < kTracks; ++t) {
        if (sd.noteCount[t] == 0 && sd.lyricCount[t] == 0 && !HasOwnName(t)) {
            continue;
        }
        std::printf("  %-5d  %-52s  %-7d  %5u  %6u\n", t + 1, Quoted(tn[t]).c_str(),
                    sd.trackChannel[t] + 1, sd.noteCount[t], sd.lyricCount[t]);
    }
}

}  // namespace

int InfoCommand(Operands operands) {
    if (operands.size() != 1) {
        return kExitUsage;
    }
    CliReporter reporter;
    if (!LoadSong(operands[0], reporter)) {
        return kExitLoadError;
    }
    PrintSong(operands[0]);
    PrintTracks();
    return kExitOk;
}

}  // namespace tw::cli
