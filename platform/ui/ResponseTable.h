#pragma once

#include <span>

#include "platform/ui/Messages.h"
#include "platform/ui/Point.h"

namespace tw::ui {

class Window;

// One row of a response table: a message number, optionally narrowed to one
// wParam (a command or child id) and one lParam (a notification code), and
// the member function that handles it.
struct ResponseEntry {
    MsgId msg = 0;
    bool matchW = false;
    WParam w = 0;
    bool matchL = false;
    LParam l = 0;
    MsgResult (*handler)(Window&, WParam, LParam) = nullptr;

    constexpr bool Matches(MsgId m, WParam wp, LParam lp) const {
        return msg == m && (!matchW || w == wp) && (!matchL || l == lp);
    }
};

// A class's static response table; a message with no entry is looked up in
// the base class's table.
struct ResponseTable {
    const ResponseTable* base = nullptr;
    std::span<const ResponseEntry> entries;

    const ResponseEntry* Find(MsgId m, WParam wp, LParam lp) const {
        for (const ResponseTable* t = this; t != nullptr; t = t->base) {
            for (const ResponseEntry& e : t->entries) {
                if (e.Matches(m, wp, lp)) {
                    return &e;
                }
            }
        }
        return nullptr;
    }
};

namespace detail {
template <class T>
struct MemberOf;
template <class W, class R, class... A>
struct MemberOf<R (W::*)(A...)> {
    using Class = W;
};
template <auto F>
using ClassOf = typename MemberOf<decltype(F)>::Class;

template <auto F>
MsgResult MouseThunk(Window& w, WParam wp, LParam lp) {
    const Point p{PointX(lp), PointY(lp)};
    (static_cast<ClassOf<F>&>(w).*F)(static_cast<unsigned>(wp), p);
    return 0;
}
template <auto F>
MsgResult MessageThunk(Window& w, WParam wp, LParam lp) {
    return static_cast<MsgResult>((static_cast<ClassOf<F>&>(w).*F)(wp, lp));
}
template <auto F>
MsgResult TimerThunk(Window& w, WParam wp, LParam) {
    (static_cast<ClassOf<F>&>(w).*F)(static_cast<unsigned>(wp));
    return 0;
}
template <auto F>
MsgResult CommandThunk(Window& w, WParam, LParam) {
    (static_cast<ClassOf<F>&>(w).*F)();
    return 0;
}
}  // namespace detail

// Entries, each naming its handler: void (unsigned keys, const Point&) for
// the mouse, void (unsigned id) for the timer, R (WParam, LParam) for a plain
// message number, void () for a command id or a child's notification code.
template <auto F>
constexpr ResponseEntry OnLButtonDown() {
    return {msg::LButtonDown, false, 0, false, 0, &detail::MouseThunk<F>};
}
template <auto F>
constexpr ResponseEntry OnLButtonUp() {
    return {msg::LButtonUp, false, 0, false, 0, &detail::MouseThunk<F>};
}
template <auto F>
constexpr ResponseEntry OnRButtonDown() {
    return {msg::RButtonDown, false, 0, false, 0, &detail::MouseThunk<F>};
}
template <auto F>
constexpr ResponseEntry OnMouseMove() {
    return {msg::MouseMove, false, 0, false, 0, &detail::MouseThunk<F>};
}
template <auto F>
constexpr ResponseEntry OnTimer() {
    return {msg::Timer, false, 0, false, 0, &detail::TimerThunk<F>};
}
template <auto F>
constexpr ResponseEntry OnMessage(MsgId number) {
    return {number, false, 0, false, 0, &detail::MessageThunk<F>};
}
template <auto F>
constexpr ResponseEntry OnCommand(unsigned commandId) {
    return {msg::Command, true, commandId, false, 0, &detail::CommandThunk<F>};
}
template <auto F>
constexpr ResponseEntry OnChildNotify(int childId, int code) {
    return {msg::ChildNotify,        true, static_cast<WParam>(childId), true, code,
            &detail::CommandThunk<F>};
}

}  // namespace tw::ui

// Declares a class's static response table. The table itself is defined in
// the class's source file:
//   const ui::ResponseTable& Pot::Table() {
//       static constexpr ui::ResponseEntry entries[] = {ui::OnLButtonDown<&Pot::EvLButtonDown>()};
//       static const ui::ResponseTable table{&Control::Table(), entries};
//       return table;
//   }
#define TW_DECLARE_RESPONSE_TABLE()                             \
public:                                                         \
    static const ::tw::ui::ResponseTable& Table();              \
                                                                \
protected:                                                      \
    const ::tw::ui::ResponseTable& Responses() const override { \
        return Table();                                         \
    }                                                           \
                                                                \
private:
