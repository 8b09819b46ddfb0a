#include <cstdio>
#include <cstring>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "smf/Progress.h"
#include "smf/SongFile.h"
#include "song/Song.h"

namespace tw::cli {

// OUT is replaced only by a complete file: on any failure it stays as it was.
int ResaveCommand(Operands operands) {
    if (operands.size() != 2) {
        return kExitUsage;
    }
    CliReporter reporter;
    if (!LoadSong(operands[0], reporter)) {
        return kExitLoadError;
    }
    const char* out = operands[1];
    int code = 1;
    if (out[0] != '\0' && strnlen(out, kPathSize) < kPathSize) {
        std::strcpy(sd.saveName, out);
        NoProgress progress;
        code = SaveFile(reporter, progress);
    }
    if (code != 0) {
        std::fprintf(stderr, "Save error = %d\n", code);
        return kExitSaveError;
    }
    return kExitOk;
}

}  // namespace tw::cli
