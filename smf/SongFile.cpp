#include "smf/SongFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "smf/AtomicFile.h"
#include "smf/Format0Split.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "song/Song.h"

namespace tw {
namespace {

// A path fits the song's path fields when it has at most 254 characters.
bool FitsPathField(const char* path) {
    return path != nullptr && path[0] != '\0' && strnlen(path, kPathSize) < kPathSize;
}

bool ReadAll(int fd, std::vector<uint8_t>& bytes) {
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            bytes.resize(bytes.size() + 65536);
        }
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            bytes.resize(done);
            return true;
        }
        done += static_cast<std::size_t>(n);
    }
}

// Only regular files are read: a device or a pipe could never end.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        try {
            bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
            ok = ReadAll(fd, bytes);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    close(fd);
    return ok;
}

}  // namespace

int LoadFile(Reporter& reporter, Progress& progress, SongFormats formats, LeftOut* leftOut) {
    std::vector<uint8_t> bytes;
    if (!FitsPathField(sd.fileName) || !ReadWholeFile(sd.fileName, bytes)) {
        return kLoadCannotOpen;
    }
    if (formats == SongFormats::Format0Too && DeclaredFormat(bytes) == 0) {
        std::vector<uint8_t> split;
        const int result = SplitFormat0(bytes, split);
        if (result != kLoadOk) {
            return result;
        }
        bytes.swap(split);
    }
    return LoadBytes(bytes, reporter, progress, ScanMode::Indexed, leftOut);
}

int SaveFile(Reporter& reporter, Progress& progress) {
    AtomicFile file;
    if (!FitsPathField(sd.saveName) || !file.Create(sd.saveName)) {
        return kSaveCannotCreate;
    }
    std::vector<uint8_t> bytes;
    int result = kSaveOk;
    try {
        result = SaveBytes(bytes, reporter, progress);
    } catch (const std::bad_alloc&) {
        progress.Close();
        result = kSaveTrackFailed;
    }
    if (result != kSaveOk) {
        return result;
    }
    return file.Commit(bytes) ? kSaveOk : kSaveAppendFailed;
}

int OpenSongFile(const char* path, Reporter& reporter, Progress& progress, SongFormats formats,
                 LeftOut* leftOut) {
    if (!FitsPathField(path)) {
        return kLoadCannotOpen;
    }
    std::strcpy(sd.fileName, path);
    SetDefaults();
    const int result = LoadFile(reporter, progress, formats, leftOut);
    if (result != kLoadOk) {
        return result;
    }
    sd.barTicks = BarTicksFor(sd.tsNumerator, sd.tsDenominator, sd.division);
    sd.staffBars = StaffBarsFor(sd.tsNumerator);
    return kLoadOk;
}

}  // namespace tw
