#include "platform/midi/MessageRing.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace tw::midi {

MessageRing::MessageRing(std::size_t capacity)
    : mask_(std::bit_ceil(capacity) - 1), bytes_(std::make_unique<uint8_t[]>(mask_ + 1)) {
    locked_ = mlock(bytes_.get(), mask_ + 1) == 0;
}

MessageRing::~MessageRing() {
    if (locked_) {
        munlock(bytes_.get(), mask_ + 1);
    }
}

bool MessageRing::Write(std::span<const uint8_t> bytes) {
    const std::size_t at = written_.load(std::memory_order_relaxed);
    const std::size_t free = mask_ + 1 - (at - read_.load(std::memory_order_acquire));
    if (bytes.size() > free) {
        return false;
    }
    const std::size_t start = at & mask_;
    const std::size_t first = std::min(bytes.size(), mask_ + 1 - start);
    std::memcpy(bytes_.get() + start, bytes.data(), first);
    std::memcpy(bytes_.get(), bytes.data() + first, bytes.size() - first);
    written_.store(at + bytes.size(), std::memory_order_release);
    return true;
}

std::size_t MessageRing::Readable() const {
    return written_.load(std::memory_order_acquire) - read_.load(std::memory_order_relaxed);
}

void MessageRing::CopyOut(std::size_t from, std::span<uint8_t> to) const {
    const std::size_t start = from & mask_;
    const std::size_t first = std::min(to.size(), mask_ + 1 - start);
    std::memcpy(to.data(), bytes_.get() + start, first);
    std::memcpy(to.data() + first, bytes_.get(), to.size() - first);
}

void MessageRing::Peek(std::span<uint8_t> to) const {
    CopyOut(read_.load(std::memory_order_relaxed), to);
}

void MessageRing::Take(std::span<uint8_t> to) {
    Peek(to);
    Skip(to.size());
}

void MessageRing::Skip(std::size_t count) {
    read_.fetch_add(count, std::memory_order_release);
}

}  // namespace tw::midi
