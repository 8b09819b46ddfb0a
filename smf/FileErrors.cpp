#include "smf/FileErrors.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "smf/Format0Split.h"
#include "smf/SmfCodes.h"
#include "smf/SongFile.h"
#include "song/Song.h"
#include "song/Tables.h"

namespace tw {
namespace {

std::string Lowercase(const char* text) {
    std::string lower = text;
    if (!lower.empty()) {
        lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[0])));
    }
    return lower;
}

bool TooLong(const char* path) {
    return strnlen(path, kPathSize) >= kPathSize;
}

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// What stands at a path that is not a regular file; empty for a file.
std::string NotAFile(mode_t mode) {
    if (S_ISREG(mode)) {
        return {};
    }
    if (S_ISDIR(mode)) {
        return "a directory";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return S_ISCHR(mode) || S_ISBLK(mode) ? "a device" : "not a regular file";
}

std::string CannotOpen(const char* path) {
    if (TooLong(path)) {
        return "the path is longer than 254 characters";
    }
    struct stat info {};
    if (stat(path, &info) != 0) {
        return Lowercase(std::strerror(errno));
    }
    if (const std::string what = NotAFile(info.st_mode); !what.empty()) {
        return what + ", not a song file";
    }
    if (info.st_size > kMaxSongFileBytes) {
        return "larger than 64 MiB, far more than a song the tables can hold";
    }
    if (access(path, R_OK) != 0) {
        return Lowercase(std::strerror(errno));
    }
    return "it could not be read";
}

std::string NotFormat1(const char* path) {
    const int format = FileFormat(path);
    if (format < 0) {
        return "not format 1; Tunewell opens format 1 songs";
    }
    return "a format " + std::to_string(format) + " file; Tunewell opens format 1 songs";
}

std::string CannotCreate(const char* path) {
    if (path[0] == '\0') {
        return "no file name";
    }
    if (TooLong(path)) {
        return "the path is longer than 254 characters";
    }
    struct stat info {};
    if (stat(path, &info) == 0 && !S_ISREG(info.st_mode)) {
        return NotAFile(info.st_mode) + " of that name is in the way";
    }
    const std::string parent = ParentOf(path);
    if (stat(parent.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return "no such directory";
    }
    if (access(parent.c_str(), W_OK) != 0) {
        return "permission denied";
    }
    return "the directory refused a new file";
}

}  // namespace

std::string LoadErrorCause(const char* path, int code) {
    switch (code) {
        case kLoadCannotOpen:
            return "cannot open the file: " + CannotOpen(path);
        case kLoadNoHeader:
            return "no MIDI file header: not a Standard MIDI File";
        case kLoadNotFormat1:
            return NotFormat1(path);
        case kLoadNoTrack:
            return "a track chunk is missing where the header promises one";
        case kLoadNoDivision:
            return "the header gives 0 ticks per quarter note";
        case static_cast<int>(kNotesFull):
            return "a track has more notes than the 7000 it can hold";
        case static_cast<int>(kTempoFull):
            return "more tempo changes than the 499 the song can hold";
        case static_cast<int>(kEventsFull):
            return "more controller events or lyrics than the song can hold";
        case static_cast<int>(kPgmFull):
            return "more program changes than the 499 the song can hold";
        default:
            return "the file could not be read";
    }
}

std::string SaveErrorCause(const char* path, int code) {
    switch (code) {
        case kSaveCannotCreate:
            return "cannot create the file: " + CannotCreate(path);
        case kSaveTrackFailed:
            return "a track has more events than the 14 999 a track can be written with";
        case kSaveAppendFailed:
            return "the file could not be written to the end (is the disk full?); any file "
                   "that stood there is as it was";
        default:
            return "the file could not be written";
    }
}

int FileFormat(const char* path) {
    std::vector<uint8_t> bytes;
    return ReadSongFile(path, bytes) ? DeclaredFormat(bytes) : -1;
}

}  // namespace tw
