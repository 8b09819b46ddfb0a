// tunewell-cli: the song file and playback work of Tunewell without a window.

#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "song/Song.h"

namespace {

using tw::cli::Operands;

struct Command {
    const char* name;
    const char* usage;  // operands and what the command does
    int (*run)(Operands operands);
};

constexpr Command kCommands[] = {
    {"info", "info FILE          summarise a song: time, key, lengths, totals, tracks",
     tw::cli::InfoCommand},
    {"dump", "dump FILE          print every table of a song, one record per line",
     tw::cli::DumpCommand},
    {"resave", "resave IN OUT      load IN as File Open does and save it as OUT",
     tw::cli::ResaveCommand},
};

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: tunewell-cli COMMAND [OPERANDS]\n       tunewell-cli --help\n\n", out);
    std::fputs("Commands:\n", out);
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %s\n", command.usage);
    }
    std::fputs(
        "\nExit status: 0 success, 2 the song could not be loaded (\"Load error = N\"),\n"
        "3 it could not be saved (\"Save error = N\"), 64 a usage error.\n",
        out);
}

const Command* FindCommand(const char* name) {
    for (const Command& command : kCommands) {
        if (std::strcmp(command.name, name) == 0) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout);
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
    if (!tw::Startup()) {
        std::fputs("tunewell-cli: not enough memory for the song tables\n", stderr);
        return tw::cli::kExitFailure;
    }
    const int status = command->run(Operands(argv + 2, static_cast<std::size_t>(argc - 2)));
    tw::Shutdown();
    if (status == tw::cli::kExitUsage) {
        PrintUsage(stderr);
    }
    return status;
}
