#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace tw::midi {

// A byte ring between one writer and one reader on different threads, that
// neither waits for: the reader may be JACK's process cycle. Records are
// written whole or not at all; the reader sees a record only once all of it
// is there.
class MessageRing {
public:
    // `capacity` is rounded up to a power of two; the memory is locked into
    // RAM where the system allows, so that the reader never waits for a page.
    explicit MessageRing(std::size_t capacity);
    ~MessageRing();

    MessageRing(const MessageRing&) = delete;
    MessageRing& operator=(const MessageRing&) = delete;

    // The writer's side: false, with nothing written, when it does not fit.
    bool Write(std::span<const uint8_t> bytes);

    // The reader's side: bytes readable now, a copy of the first ones
    // without taking them, and taking them.
    [[nodiscard]] std::size_t Readable() const;
    void Peek(std::span<uint8_t> to) const;
    void Take(std::span<uint8_t> to);
    void Skip(std::size_t count);

private:
    void CopyOut(std::size_t from, std::span<uint8_t> to) const;

    std::size_t mask_;
    std::unique_ptr<uint8_t[]> bytes_;
    bool locked_ = false;
    // Running counts of the bytes written and read; their difference is
    // what the ring holds.
    std::atomic<std::size_t> written_{0};
    std::atomic<std::size_t> read_{0};
};

}  // namespace tw::midi
