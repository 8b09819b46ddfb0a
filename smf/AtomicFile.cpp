#include "smf/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

AtomicFile::DiskCalls& AtomicFile::Calls() {
    static DiskCalls calls{::write, ::fsync};
    return calls;
}

bool AtomicFile::Create(const char* target, int mode) {
    Discard();
    target_ = target;
    struct stat existing {};
    const bool exists = stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return false;
    }
    const std::string stem = DirectoryOf(target_) + "/." + BaseOf(target_) + ".";
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
    if (mode == kKeepMode && exists && S_ISREG(existing.st_mode)) {
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
