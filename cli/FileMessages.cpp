#include "cli/FileMessages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>

#include "smf/Format0Split.h"
#include "smf/SmfCodes.h"
#include "song/Song.h"
#include "song/Tables.h"

namespace tw::cli {
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

std::string CannotOpen(const char* path) {
    if (TooLong(path)) {
        return "the path is longer than 254 characters";
    }
    struct stat info {};
    if (stat(path, &info) != 0) {
        return Lowercase(std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        return "a directory, not a file";
    }
    if (!S_ISREG(info.st_mode)) {
        return "not a regular file";
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

std::string LoadCause(const char* path, int code) {
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

std::string CannotCreate(const char* path) {
    if (path[0] == '\0') {
        return "no file name";
    }
    if (TooLong(path)) {
        return "the path is longer than 254 characters";
    }
    struct stat info {};
    if (stat(path, &info) == 0 && S_ISDIR(info.st_mode)) {
        return "a directory of that name is in the way";
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

std::string SaveCause(const char* path, int code) {
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

}  // namespace

std::string LoadErrorLine(const char* path, int code) {
    return std::string(path) + ": Load error = " + std::to_string(code) + " (" +
           LoadCause(path, code) + ")";
}

std::string SaveErrorLine(const char* path, int code) {
    return std::string(path) + ": Save error = " + std::to_string(code) + " (" +
           SaveCause(path, code) + ")";
}

std::string LeftOutLine(const char* path, const LeftOut& left) {
    const std::string items = LeftOutItems(left);
    if (items.empty()) {
        return items;
    }
    return std::string(path) + ": left out, as the song cannot hold them: " + items;
}

int FileFormat(const char* path) {
    uint8_t header[10] = {};
    // Not blocking: a pipe or device of that name is never waited on.
    const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    const ssize_t n =
        fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? read(fd, header, sizeof header) : -1;
    close(fd);
    return n < 0 ? -1
                 : DeclaredFormat(std::span<const uint8_t>(header, static_cast<std::size_t>(n)));
}

}  // namespace tw::cli
