#include <cstdio>

#include "cli/Commands.h"
#include "smf/Progress.h"
#include "smf/SongFile.h"

namespace tw::cli {

bool LoadSong(const char* path, Reporter& reporter) {
    NoProgress progress;
    const int code = OpenSongFile(path, reporter, progress);
    if (code != 0) {
        std::fprintf(stderr, "Load error = %d\n", code);
        return false;
    }
    return true;
}

}  // namespace tw::cli
