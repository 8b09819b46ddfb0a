#include "playback/Config.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <vector>

#include "smf/AtomicFile.h"

namespace tw {

std::string currentdir;
std::string ConfigFileName;
std::string HelpFileName;

namespace {

void PutU32(unsigned char* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

uint32_t GetU32(const unsigned char* in) {
    return uint32_t{in[0]} | (uint32_t{in[1]} << 8) | (uint32_t{in[2]} << 16) |
           (uint32_t{in[3]} << 24);
}

void FromBytes(const unsigned char (&bytes)[kConfigSize], mididata& record) {
    record.portOpen = GetU32(bytes);
    record.portHandle = GetU32(bytes + 4);
    record.portDevice = GetU32(bytes + 8);
    std::memcpy(record.portName, bytes + 12, kPortNameSize);
    // A name that fills the field without its NUL is cut to 254 characters.
    record.portName[kPortNameSize - 1] = '\0';
}

bool ReadAll(int fd, unsigned char* out, std::size_t size) {
    while (size > 0) {
        const ssize_t got = read(fd, out, size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        out += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool IsRecordFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_size == static_cast<off_t>(kConfigSize);
}

}  // namespace

void SetWorkingPaths() {
    std::error_code error;
    currentdir = std::filesystem::current_path(error).string();
    ConfigFileName = currentdir + "/tw.cfg";
    HelpFileName = currentdir + "/twhelp.hlp";
}

void ConfigBytes(const mididata& record, unsigned char (&bytes)[kConfigSize]) {
    PutU32(bytes, record.portOpen);
    PutU32(bytes + 4, record.portHandle);
    PutU32(bytes + 8, record.portDevice);
    std::memcpy(bytes + 12, record.portName, kPortNameSize);
}

// Anything but a regular file of the record's size counts as no file; it
// is not even opened, as opening a named pipe would wait for a writer. Nor
// does the open wait, should a pipe take the file's place in between.
bool ReadConfig(const std::string& path, mididata& record) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !IsRecordFile(info)) {
        return false;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    unsigned char bytes[kConfigSize];
    const bool ok = fstat(fd, &info) == 0 && IsRecordFile(info) && ReadAll(fd, bytes, kConfigSize);
    close(fd);
    if (ok) {
        FromBytes(bytes, record);
    }
    return ok;
}

void LoadConfig() {
    if (!ReadConfig(ConfigFileName, md)) {
        SaveConfig();
    }
}

void SaveConfig() {
    unsigned char bytes[kConfigSize];
    ConfigBytes(md, bytes);
    // Replaced whole or not at all, so that a failed write never leaves a
    // cut file behind for the next start to discard.
    AtomicFile file;
    if (file.Create(ConfigFileName.c_str(), 0600)) {
        (void)file.Commit(std::vector<uint8_t>(std::begin(bytes), std::end(bytes)));
    }
}

}  // namespace tw
