#pragma once

#include <pthread.h>

namespace tw {

// A recursive mutex with priority inheritance: while a thread of real-time
// priority waits for it, the holder runs at that priority, so that a window
// thread preempted by a busy machine cannot hold the playback side up.
class PriorityMutex {
public:
    PriorityMutex();
    ~PriorityMutex();
    PriorityMutex(const PriorityMutex&) = delete;
    PriorityMutex& operator=(const PriorityMutex&) = delete;

    void lock();
    void unlock();
    [[nodiscard]] bool try_lock();

private:
    pthread_mutex_t mutex_;
};

}  // namespace tw
