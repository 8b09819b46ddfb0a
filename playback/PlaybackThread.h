#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <thread>

#include "playback/PlaybackEngine.h"

namespace tw {

// The moment, on the monotonic clock in nanoseconds, at which the current
// millisecond began: the engine's millisecond clock, read now, counts from
// there, so it is the moment of what a step or a positioning sends.
[[nodiscard]] long long MillisecondStartNs();

// The playback side: a thread of its own that steps the engine while a run
// is on, under the song lock, waking on absolute deadlines of the monotonic
// clock every millisecond, so that a busy window delays no note. Each step's
// messages are stamped with the step's millisecond, so that an output that
// places messages in time does not pass the wake-up's lateness on. It asks
// for real-time scheduling, and runs without where that is not allowed.
// While nothing plays it sleeps until woken. The engine stays single-threaded:
// every other caller holds the song lock too.
class PlaybackThread {
public:
    using TickSource = std::function<uint32_t()>;  // the engine's, in milliseconds

    // `ticks` is read only to skip a wake-up in which no millisecond passed.
    PlaybackThread(PlaybackEngine& engine, TickSource ticks);
    // Ends the thread; the owner has halted the engine first.
    ~PlaybackThread();

    PlaybackThread(const PlaybackThread&) = delete;
    PlaybackThread& operator=(const PlaybackThread&) = delete;

    // A run has started or resumed: the thread starts stepping it.
    void Wake();

    // Steps taken so far; lets a test wait until the thread has seen a
    // moment of its clock.
    [[nodiscard]] uint64_t Steps() const { return steps_.load(std::memory_order_acquire); }

private:
    void Run();
    [[nodiscard]] bool Running() const { return engine_.Playing() && !engine_.Paused(); }

    PlaybackEngine& engine_;
    TickSource ticks_;
    std::condition_variable_any wake_;
    bool quit_ = false;  // under the song lock
    std::atomic<uint64_t> steps_{0};
    std::thread thread_;
};

}  // namespace tw
