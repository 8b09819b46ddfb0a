#include "smf/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace tw {
namespace {

std::string DirectoryOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string BaseOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The process that made a temporary file ".NAME.PID-SERIAL.tmp"; 0 for any
// other name.
pid_t MakerOf(std::string_view name) {
    constexpr std::string_view kSuffix = ".tmp";
    if (!name.starts_with('.') || !name.ends_with(kSuffix)) {
        return 0;
    }
    name.remove_suffix(kSuffix.size());
    const auto dot = name.rfind('.');
    const auto dash = name.rfind('-');
    if (dot == 0 || dot == std::string_view::npos || dash == std::string_view::npos || dash < dot) {
        return 0;
    }
    const char* pidEnd = name.data() + dash;
    const char* end = name.data() + name.size();
    pid_t pid = 0;
    unsigned serial = 0;
    const auto p = std::from_chars(name.data() + dot + 1, pidEnd, pid);
    const auto s = std::from_chars(pidEnd + 1, end, serial);
    const bool digits =
        p.ec == std::errc() && p.ptr == pidEnd && s.ec == std::errc() && s.ptr == end;
    return digits && pid > 0 ? pid : 0;
}

// Temporary files whose process is gone were left by a save that was killed
// before its rename; nothing else will ever remove them. A process that
// still runs may be saving right now, so its files are left alone.
void RemoveStaleTemporaries(const std::string& directory) {
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const pid_t maker = MakerOf(entry->d_name);
        if (maker == 0 || kill(maker, 0) == 0 || errno != ESRCH) {
            continue;
        }
        const std::string path = directory + "/" + entry->d_name;
        struct stat info {};
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            (void)unlink(path.c_str());
        }
    }
    closedir(dir);
}

}  // namespace

AtomicFile::DiskCalls& AtomicFile::Calls() {
    static DiskCalls calls{::write, ::fsync};
    return calls;
}

// Only a file is replaced: a directory, pipe or device of that name stays
// where it is.
bool AtomicFile::CanReplace(const char* target) {
    struct stat existing {};
    if (stat(target, &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return false;
    }
    return access(DirectoryOf(target).c_str(), W_OK | X_OK) == 0;
}

bool AtomicFile::Create(const char* target, int mode) {
    Discard();
    target_ = target;
    if (!CanReplace(target)) {
        return false;
    }
    struct stat existing {};
    const bool exists = stat(target, &existing) == 0;
    const std::string directory = DirectoryOf(target_);
    RemoveStaleTemporaries(directory);
    const std::string stem = directory + "/." + BaseOf(target_) + ".";
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            stem + std::to_string(getpid()) + "-" + std::to_string(++serial) + ".tmp";
        // 0666 before the umask, as a newly created song file always had.
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                   mode == kKeepMode ? 0666 : mode);
        if (fd_ >= 0) {
            temporary_ = candidate;
            break;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    if (fd_ < 0) {
        return false;
    }
    // A file that is replaced keeps its permissions.
    if (mode == kKeepMode && exists) {
        (void)fchmod(fd_, existing.st_mode & 07777);
    }
    return true;
}

bool AtomicFile::WriteAll(const std::vector<uint8_t>& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = Calls().write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::Commit(const std::vector<uint8_t>& bytes) {
    if (fd_ < 0) {
        return false;
    }
    const bool written = WriteAll(bytes) && Calls().fsync(fd_) == 0;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    if (!written || !closed || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
}

}  // namespace tw
