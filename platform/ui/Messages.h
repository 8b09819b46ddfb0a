#pragma once

#include <cstdint>

namespace tw::ui {

using MsgId = uint32_t;
using WParam = uintptr_t;
using LParam = intptr_t;
using MsgResult = intptr_t;

// Framework message numbers. They lie far above the numbers that the
// program's controls use for their notifications (their own ids), so the
// two never meet in one response table.
namespace msg {
inline constexpr MsgId Timer = 0x7F000001;        // wParam: timer id
inline constexpr MsgId Command = 0x7F000002;      // wParam: command id
inline constexpr MsgId ChildNotify = 0x7F000003;  // wParam: child id, lParam: notification code
inline constexpr MsgId MouseMove = 0x7F000010;    // wParam: key state, lParam: packed point
inline constexpr MsgId LButtonDown = 0x7F000011;
inline constexpr MsgId LButtonUp = 0x7F000012;
inline constexpr MsgId RButtonDown = 0x7F000013;
inline constexpr MsgId RButtonUp = 0x7F000014;
}  // namespace msg

// Key state bits of a mouse message's wParam.
namespace keys {
inline constexpr WParam LButton = 0x0001;
inline constexpr WParam RButton = 0x0002;
inline constexpr WParam Shift = 0x0004;
inline constexpr WParam Control = 0x0008;
}  // namespace keys

// A mouse position travels in lParam as two signed 16-bit client coordinates,
// x in the low half, so that positions left of or above a captured window
// stay negative.
constexpr LParam PackPoint(int x, int y) {
    return static_cast<LParam>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                               static_cast<uint16_t>(x));
}
constexpr int PointX(LParam l) {
    return static_cast<int16_t>(static_cast<uint32_t>(l) & 0xFFFF);
}
constexpr int PointY(LParam l) {
    return static_cast<int16_t>(static_cast<uint32_t>(l) >> 16);
}

}  // namespace tw::ui
