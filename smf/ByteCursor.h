#pragma once

#include <cstddef>
#include <cstdint>

namespace tw {

// Every byte the file reader takes goes through one of these. Reading past
// the end of the window yields 0 and sets a sticky "ran out" state, so the
// reader asks once, after a whole event, whether it was complete.
class ByteCursor {
public:
    ByteCursor(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    [[nodiscard]] uint8_t u8();
    [[nodiscard]] uint16_t u16be();
    [[nodiscard]] uint32_t u24be();
    [[nodiscard]] uint32_t u32be();

    // A variable-length number of any byte count; beyond four bytes the
    // value wraps in 32 bits.
    [[nodiscard]] uint32_t varLen();

    // The next n bytes, or nullptr (and ran out) when fewer remain.
    [[nodiscard]] const uint8_t* take(uint64_t n);
    void skip(uint64_t n) { (void)take(n); }

    // Moves to an absolute offset; an offset past the end makes every later
    // read run out.
    void seek(uint64_t offset);

    // A cursor over the next `length` bytes, cut at the end of this window.
    [[nodiscard]] ByteCursor window(uint64_t length) const;

    [[nodiscard]] bool ranOut() const { return ranOut_; }
    [[nodiscard]] uint64_t position() const { return position_; }
    [[nodiscard]] std::size_t size() const { return size_; }
    [[nodiscard]] bool atEnd() const { return position_ >= size_; }

private:
    const uint8_t* data_;
    std::size_t size_;
    uint64_t position_ = 0;
    bool ranOut_ = false;
};

}  // namespace tw
