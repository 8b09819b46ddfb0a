#include "smf/ByteCursor.h"

namespace tw {

uint8_t ByteCursor::u8() {
    if (position_ >= size_) {
        ranOut_ = true;
        return 0;
    }
    return data_[position_++];
}

uint16_t ByteCursor::u16be() {
    const uint16_t high = u8();
    return static_cast<uint16_t>((high << 8) | u8());
}

uint32_t ByteCursor::u24be() {
    const uint32_t high = u8();
    const uint32_t middle = u8();
    return (high << 16) | (middle << 8) | u8();
}

uint32_t ByteCursor::u32be() {
    const uint32_t high = u16be();
    return (high << 16) | u16be();
}

uint32_t ByteCursor::varLen() {
    uint32_t value = 0;
    uint8_t byte = 0;
    do {
        byte = u8();
        value = (value << 7) | (byte & 0x7F);
    } while ((byte & 0x80) != 0 && !ranOut_);
    return value;
}

const uint8_t* ByteCursor::take(uint64_t n) {
    if (position_ > size_ || n > size_ - position_) {
        ranOut_ = true;
        position_ = size_;
        return nullptr;
    }
    const uint8_t* bytes = data_ + position_;
    position_ += n;
    return bytes;
}

void ByteCursor::seek(uint64_t offset) {
    position_ = offset;
}

ByteCursor ByteCursor::window(uint64_t length) const {
    if (position_ >= size_) {
        return ByteCursor(data_ + size_, 0);
    }
    const uint64_t left = size_ - position_;
    const std::size_t size = static_cast<std::size_t>(length < left ? length : left);
    return ByteCursor(data_ + position_, size);
}

}  // namespace tw
