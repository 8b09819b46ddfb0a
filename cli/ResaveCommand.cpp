// tunewell-cli resave IN OUT and convert IN OUT: a song loaded and saved as
// File Open and File Save do; convert also takes a format 0 song, split into
// one track per channel.

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/Operand.h"

namespace tw::cli {
namespace {

int LoadAndSave(const char* command, Operands operands, SongFormats formats) {
    OperandReader args(command, operands, {"IN", "OUT"});
    while (args.Next()) {
        if (!args.Positional()) {
            return kExitUsage;
        }
    }
    if (!args.Complete() || !args.DistinctOutput(0, 1)) {
        return kExitUsage;
    }
    CliReporter reporter;
    LeftOut leftOut;
    if (!LoadSong(args[0], reporter, formats, &leftOut)) {
        return kExitLoadError;
    }
    return SaveSong(args[0], args[1], leftOut, reporter);
}

}  // namespace

int ResaveCommand(Operands operands) {
    return LoadAndSave("resave", operands, SongFormats::Format1);
}

int ConvertCommand(Operands operands) {
    return LoadAndSave("convert", operands, SongFormats::Format0Too);
}

}  // namespace tw::cli
