// tunewell-cli: the song file and playback work of Tunewell without a window.

#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "song/Song.h"

namespace {

using tw::cli::Operands;

struct Command {
    const char* name;
    const char* synopsis;  // the operands
    const char* summary;   // one line for the list of commands
    const char* help;      // what `COMMAND --help` adds
    int (*run)(Operands operands);
};

constexpr const char* kLoadStatus =
    "  2  FILE could not be loaded (\"FILE: Load error = N (cause)\")\n";
constexpr const char* kUsageStatus = "  64 a usage error: the wrong operands\n";

constexpr Command kCommands[] = {
    {"info", "info FILE [--lyrics]", "summarise a song: time, key, lengths, totals, tracks",
     "Loads FILE as File Open does and prints its time and key signatures, lengths,\n"
     "totals and tracks. --lyrics adds every lyric with its time and track, its text\n"
     "as the lyric strip shows it (UTF-8; Windows-1252 where the bytes are not UTF-8).\n"
     "A last line on standard error counts what the song tables could not hold and\n"
     "the file does, when there is any; saving the song would lose it.\n",
     tw::cli::InfoCommand},
    {"dump", "dump FILE", "print every table of a song, one record per line",
     "Loads FILE as File Open does and prints every table, one record per line,\n"
     "texts quoted with their bytes escaped, so that two songs compare with diff.\n",
     tw::cli::DumpCommand},
    {"resave", "resave IN OUT", "load IN as File Open does and save it as OUT",
     "OUT is replaced only by a complete file and never when it is IN itself. A last\n"
     "line on standard error counts what the song tables could not hold and so was\n"
     "left out of OUT, when there is any.\n",
     tw::cli::ResaveCommand},
    {"convert", "convert IN OUT", "make a format 1 song of a format 0 song or karaoke file",
     "A format 0 file (the whole song in one track, as many karaoke files are) is\n"
     "split into a first track with the tempo map, signatures, copyright, song name,\n"
     "texts and lyrics, and one track for each channel, named after its first\n"
     "instrument; every event keeps its time. A format 1 file is loaded and saved\n"
     "as resave does. OUT is replaced only by a complete file, never when it is IN.\n",
     tw::cli::ConvertCommand},
    {"ports", "ports", "list the MIDI output ports and the one tw.cfg selects",
     "Lists the entries of the Midi Ports dialog and the one that tw.cfg in the\n"
     "working directory selects. tw.cfg is read, never written.\n",
     tw::cli::PortsCommand},
    {"play", "play FILE [--port N] [--from BAR]", "play a song through a MIDI port",
     "Plays FILE from bar BAR (default 0) through port N (default: the one tw.cfg\n"
     "selects, else the Midi Mapper, the built-in synthesizer). Ctrl-C stops it.\n",
     tw::cli::PlayCommand},
    {"render", "render FILE OUT.wav [--rate HZ] [--gain G] [--soundfont SF2]",
     "render a song through the built-in synthesizer to a WAV file",
     "Renders FILE offline to a 16-bit stereo WAV file at HZ (8000 to 96000, default\n"
     "44100) with the synthesizer's master gain G (0 to 10, default 0.08) and the\n"
     "SoundFont SF2 (default: the system's General MIDI SoundFont), which it names.\n"
     "Samples that pass full scale are counted on standard error. Progress shows\n"
     "while the output is a terminal.\n",
     tw::cli::RenderCommand},
};

// The exit statuses each command can give besides 0 and 64.
const char* Statuses(const Command& command) {
    const char* name = command.name;
    if (std::strcmp(name, "resave") == 0 || std::strcmp(name, "convert") == 0) {
        return "  2  IN could not be loaded (\"IN: Load error = N (cause)\")\n"
               "  3  OUT could not be saved (\"OUT: Save error = N (cause)\")\n";
    }
    if (std::strcmp(name, "play") == 0) {
        return "  1  BAR is past the end of the song\n"
               "  2  FILE could not be loaded (\"FILE: Load error = N (cause)\")\n"
               "  3  the port or the synthesizer would not open\n"
               "  130 stopped by Ctrl-C\n";
    }
    if (std::strcmp(name, "render") == 0) {
        return "  2  FILE could not be loaded (\"FILE: Load error = N (cause)\")\n"
               "  3  the synthesizer would not open or the WAV file could not be written\n";
    }
    return std::strcmp(name, "ports") == 0 ? "" : kLoadStatus;
}

void PrintUsage(std::FILE* out) {
    std::fputs(
        "Usage: tunewell-cli COMMAND [OPERANDS]\n"
        "       tunewell-cli COMMAND --help\n"
        "       tunewell-cli --help | --version\n\n",
        out);
    std::fputs("Commands:\n", out);
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %-8s %s\n", command.name, command.summary);
    }
    std::fputs(
        "\nExit status: 0 success; 1 another failure (play: BAR past the end of the song;\n"
        "not enough memory for the song tables); 2 the song could not be loaded; 3 it\n"
        "could not be saved, or the port or synthesizer would not open; 64 a usage\n"
        "error; 130 play stopped by Ctrl-C.\n",
        out);
}

void PrintCommandHelp(const Command& command) {
    std::printf("Usage: tunewell-cli %s\n\n%s\nExit status:\n  0  success\n%s%s", command.synopsis,
                command.help, Statuses(command), kUsageStatus);
}

const Command* FindCommand(const char* name) {
    for (const Command& command : kCommands) {
        if (std::strcmp(command.name, name) == 0) {
            return &command;
        }
    }
    return nullptr;
}

bool AsksForHelp(Operands operands) {
    for (const char* operand : operands) {
        if (std::strcmp(operand, "--help") == 0 || std::strcmp(operand, "-h") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout);
        return tw::cli::kExitOk;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tunewell-cli %s\n", TUNEWELL_VERSION);
        return tw::cli::kExitOk;
    }
    const Command* command = argc >= 2 ? FindCommand(argv[1]) : nullptr;
    if (command == nullptr) {
        if (argc >= 2) {
            std::fprintf(stderr, "tunewell-cli: unknown command \"%s\"\n", argv[1]);
        }
        PrintUsage(stderr);
        return tw::cli::kExitUsage;
    }
    const Operands operands(argv + 2, static_cast<std::size_t>(argc - 2));
    if (AsksForHelp(operands)) {
        PrintCommandHelp(*command);
        return tw::cli::kExitOk;
    }
    if (!tw::Startup()) {
        std::fputs("tunewell-cli: not enough memory for the song tables\n", stderr);
        return tw::cli::kExitFailure;
    }
    const int status = command->run(operands);
    tw::Shutdown();
    if (status == tw::cli::kExitUsage) {
        std::fprintf(stderr, "Usage: tunewell-cli %s\n(tunewell-cli %s --help tells more)\n",
                     command->synopsis, command->name);
    }
    return status;
}
