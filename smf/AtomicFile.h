#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Replaces a file as a whole or not at all: the new contents go to a fresh
// file beside the target (same directory, so the rename stays on one file
// system) and take the target's name only once they are complete and on
// disk. Until then the earlier file is untouched; a discarded or failed
// replacement leaves no temporary file behind.
class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() { Discard(); }

    // Creates the temporary file for `target`; false when it cannot be
    // created (no such directory, no permission).
    [[nodiscard]] bool Create(const char* target);

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
