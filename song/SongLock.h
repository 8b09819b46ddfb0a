#pragma once

#include <mutex>

#include "song/PriorityMutex.h"

namespace tw {

// The song state and tables are shared by the window and the playback side,
// which steps the engine on a thread of its own while a song plays. Whoever
// writes what a run reads, or reads what a run writes, holds this lock, and
// only briefly: one step, one edit, one read of the moving position. It is
// recursive so that an edit may call another edit.
[[nodiscard]] PriorityMutex& SongMutex();

// Holds the song lock for its lifetime.
class SongLock {
public:
    SongLock() : lock_(SongMutex()) {}

private:
    std::lock_guard<PriorityMutex> lock_;
};

// Whether a run is on (Play or Play All). The playback side ends a run on
// its own thread, so the window reads this under the song lock.
[[nodiscard]] bool SongPlaying();

// The result of `read` taken under the song lock.
template <class Read>
auto Locked(Read read) {
    const SongLock lock;
    return read();
}

}  // namespace tw
