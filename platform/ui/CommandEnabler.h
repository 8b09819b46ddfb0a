#pragma once

#include <string>

#include "platform/ui/ResponseTable.h"

namespace tw::ui {

namespace msg {
// Asks for a command's menu state: wParam the command id, lParam the
// CommandEnabler to fill.
inline constexpr MsgId CommandEnable = 0x7F000020;
}  // namespace msg

// The state of one menu command, filled in by the command's enabler each
// time its menu is about to be shown.
class CommandEnabler {
public:
    explicit CommandEnabler(unsigned id, bool enabled = true, bool checked = false)
        : id_(id), enabled_(enabled), checked_(checked) {}

    unsigned Id() const { return id_; }
    void Enable(bool enable) { enabled_ = enable; }
    void SetCheck(bool check) { checked_ = check; }
    // A menu item's text for this showing ("Undo Paste"); without a call
    // the item keeps the text it has.
    void SetText(std::string text) { text_ = std::move(text); }
    bool IsEnabled() const { return enabled_; }
    bool IsChecked() const { return checked_; }
    const std::string& Text() const { return text_; }

private:
    unsigned id_;
    bool enabled_;
    bool checked_;
    std::string text_;
};

namespace detail {
template <auto F>
MsgResult EnablerThunk(Window& w, WParam, LParam lp) {
    (static_cast<ClassOf<F>&>(w).*F)(*reinterpret_cast<CommandEnabler*>(lp));
    return 0;
}
}  // namespace detail

// The enabler of a command id: void (CommandEnabler&).
template <auto F>
constexpr ResponseEntry OnCommandEnable(unsigned commandId) {
    return {msg::CommandEnable, true, commandId, false, 0, &detail::EnablerThunk<F>};
}

}  // namespace tw::ui
