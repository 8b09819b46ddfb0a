#include "playback/PlaybackThread.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <mutex>
#include <utility>

#include "song/SongLock.h"

namespace tw {

namespace {

constexpr long kNsPerMs = 1000000;
constexpr long kNsPerS = 1000000000;
// Just past a millisecond boundary, so that each wake-up finds the engine's
// millisecond clock freshly advanced.
constexpr long kPastBoundaryNs = 100000;
// A wake-up this late (a stalled machine) starts the deadlines afresh
// instead of stepping through every one missed.
constexpr long kResyncNs = 20 * kNsPerMs;

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * kNsPerS + now.tv_nsec;
}

long long FirstDeadline() {
    const long long now = NowNs();
    return now - now % kNsPerMs + kNsPerMs + kPastBoundaryNs;
}

void SleepUntil(long long deadlineNs) {
    const timespec at{static_cast<time_t>(deadlineNs / kNsPerS),
                      static_cast<long>(deadlineNs % kNsPerS)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) != 0) {
    }
}

// Real-time scheduling where the user may have it, below JACK's own threads
// (which run at 70 and above by default); without it the thread runs at
// normal priority and only loses precision under load.
void AskForRealTime() {
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
    (void)pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

}  // namespace

long long MillisecondStartNs() {
    const long long now = NowNs();
    return now - now % kNsPerMs;
}

PlaybackThread::PlaybackThread(PlaybackEngine& engine, TickSource ticks)
    : engine_(engine), ticks_(std::move(ticks)), thread_([this] { Run(); }) {}

PlaybackThread::~PlaybackThread() {
    {
        const SongLock lock;
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PlaybackThread::Wake() {
    // Passing through the lock puts this after the thread's last look at the
    // engine, so that the wake-up cannot fall between its look and its wait.
    { const SongLock lock; }
    wake_.notify_all();
}

void PlaybackThread::Run() {
    AskForRealTime();
    std::unique_lock lock(SongMutex());
    long long deadline = 0;
    uint32_t lastTick = 0;
    bool stepped = false;
    while (!quit_) {
        if (!Running()) {
            wake_.wait(lock, [this] { return quit_ || Running(); });
            deadline = FirstDeadline();
            stepped = false;
            continue;
        }
        const uint32_t tick = ticks_();
        if (!stepped || tick != lastTick) {
            engine_.Output().SetSendTime(MillisecondStartNs());
            engine_.Step();
            engine_.Output().SetSendTime(0);
            steps_.fetch_add(1, std::memory_order_release);
            lastTick = tick;
            stepped = true;
        }
        lock.unlock();
        deadline += kNsPerMs;
        if (NowNs() - deadline > kResyncNs) {
            deadline = FirstDeadline();
        }
        SleepUntil(deadline);
        lock.lock();
    }
}

}  // namespace tw
