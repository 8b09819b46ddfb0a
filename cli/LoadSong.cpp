#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "cli/FileMessages.h"
#include "smf/FileErrors.h"
#include "smf/Progress.h"
#include "smf/SmfCodes.h"
#include "song/Song.h"

namespace tw::cli {

bool LoadSong(const char* path, Reporter& reporter, SongFormats formats, LeftOut* leftOut) {
    NoProgress progress;
    const int code = OpenSongFile(path, reporter, progress, formats, leftOut);
    if (code == kLoadOk) {
        return true;
    }
    std::fprintf(stderr, "%s\n", LoadErrorLine(path, code).c_str());
    if (code == kLoadNotFormat1 && FileFormat(path) == 0) {
        std::fprintf(stderr,
                     "%s holds the whole song in one track (format 0); make a format 1 copy "
                     "that Tunewell opens with: tunewell-cli convert %s OUT.mid\n",
                     path, path);
    }
    return false;
}

// OUT is replaced only by a complete file: on any failure it stays as it was.
int SaveSong(const char* in, const char* out, const LeftOut& leftOut, Reporter& reporter) {
    int code = kSaveCannotCreate;
    if (strnlen(out, kPathSize) < kPathSize) {
        std::strcpy(sd.saveName, out);
        NoProgress progress;
        code = SaveFile(reporter, progress);
    }
    if (code != kSaveOk) {
        std::fprintf(stderr, "%s\n", SaveErrorLine(out, code).c_str());
        return kExitSaveError;
    }
    const std::string left = LeftOutLine(in, leftOut);
    if (!left.empty()) {
        std::fprintf(stderr, "%s\n", left.c_str());
    }
    return kExitOk;
}

}  // namespace tw::cli
