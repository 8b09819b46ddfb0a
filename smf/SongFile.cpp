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

// Reads until `bytes` is full or the file ends, and keeps what was read.
bool ReadAll(int fd, std::vector<uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return true;
}

bool IsSongSized(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_size <= kMaxSongFileBytes;
}

}  // namespace

// Only a regular file is opened: opening a named pipe waits for a writer, a
// device may never end, and opening some devices has effects of its own.
// The open does not block either, for a pipe put in the file's place since
// it was looked at.
bool ReadSongFile(const char* path, std::vector<uint8_t>& bytes) {
    struct stat info {};
    if (stat(path, &info) != 0 || !IsSongSized(info)) {
        return false;
    }
    const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    bool ok = fstat(fd, &info) == 0 && IsSongSized(info);
    if (ok) {
        try {
            bytes.resize(static_cast<std::size_t>(info.st_size));
            ok = ReadAll(fd, bytes);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    close(fd);
    return ok;
}

int LoadFile(Reporter& reporter, Progress& progress, SongFormats formats, LeftOut* leftOut) {
    std::vector<uint8_t> bytes;
    if (!FitsPathField(sd.fileName) || !ReadSongFile(sd.fileName, bytes)) {
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

// The song is encoded before the temporary file is made, so that the file
// exists only for the write, the flush and the rename.
int SaveFile(Reporter& reporter, Progress& progress) {
    if (!FitsPathField(sd.saveName) || !AtomicFile::CanReplace(sd.saveName)) {
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
    AtomicFile file;
    if (!file.Create(sd.saveName)) {
        return kSaveCannotCreate;
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
