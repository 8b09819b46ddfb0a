#include <cstdio>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/FileMessages.h"
#include "cli/Operand.h"
#include "cli/SongText.h"
#include "song/BarTick.h"
#include "song/Song.h"
#include "song/TextEncoding.h"

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

// Each lyric at its time, its text as the lyric strip shows it.
void PrintLyrics() {
    std::printf("Lyric texts:\n  %-9s  %-5s  %s\n", "Bar:Tick", "Track", "Text");
    for (uint32_t i = 0; i < sd.lyricTotal; ++i) {
        std::printf("  %s  %-5u  %s\n", BarTick(lcd[i].time, sd.barTicks).c_str(), lcd[i].track + 1,
                    ShownText(lcd[i].text).c_str());
    }
}

}  // namespace

int InfoCommand(Operands operands) {
    OperandReader args("info", operands, {"FILE"});
    bool lyrics = false;
    while (args.Next()) {
        if (args.Is("--lyrics")) {
            lyrics = true;
        } else if (!args.Positional()) {
            return kExitUsage;
        }
    }
    if (!args.Complete()) {
        return kExitUsage;
    }
    CliReporter reporter;
    LeftOut leftOut;
    if (!LoadSong(args[0], reporter, SongFormats::Format1, &leftOut)) {
        return kExitLoadError;
    }
    PrintSong(args[0]);
    PrintTracks();
    if (lyrics) {
        PrintLyrics();
    }
    std::fflush(stdout);
    const std::string left = LeftOutLine(args[0], leftOut);
    if (!left.empty()) {
        std::fprintf(stderr, "%s\n", left.c_str());
    }
    return kExitOk;
}

}  // namespace tw::cli
