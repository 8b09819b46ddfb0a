#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Replaces a file as a whole or not at all: the new contents go to a fresh
// file beside the target (same directory, so the rename stays on one file
// system) and take the target's name only once they are complete and on
// disk. Until then the earlier file is untouched; a discarded or failed
// replacement leaves no temporary file behind, and one left by a process
// that was killed is removed by the next replacement in its directory.
class AtomicFile {
public:
    // The calls that put the bytes on disk. Tests replace them to make a
    // write or the flush fail as a full disk or a failing device would.
    struct DiskCalls {
        ssize_t (*write)(int fd, const void* data, std::size_t size);
        int (*fsync)(int fd);
    };
    static DiskCalls& Calls();

    // A new file gets 0666 less the umask; a replaced one keeps its
    // permissions.
    static constexpr int kKeepMode = -1;

    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() { Discard(); }

    // Whether a file at `target` can be put in place: its directory takes
    // new files and nothing but a regular file stands at `target`.
    [[nodiscard]] static bool CanReplace(const char* target);

    // Creates the temporary file for `target`; false when it cannot be
    // created (see CanReplace). With a `mode` other than
    // kKeepMode the file gets that mode (less the umask), new or replaced.
    [[nodiscard]] bool Create(const char* target, int mode = kKeepMode);

    // Writes everything, flushes it to disk and renames it over the
    // target. False on any failure, and the temporary file is gone.
    [[nodiscard]] bool Commit(const std::vector<uint8_t>& bytes);

    void Discard();

    [[nodiscard]] const std::string& TemporaryPath() const { return temporary_; }

private:
    [[nodiscard]] bool WriteAll(const std::vector<uint8_t>& bytes) const;

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
};

}  // namespace tw
