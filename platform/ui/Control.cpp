#include "platform/ui/Control.h"

namespace tw::ui {

Control::Control(Window* parent, int id, int x, int y, int w, int h)
    : Window(parent, id, x, y, w, h) {}

MsgResult Control::NotifyParent(MsgId msg, WParam wParam, LParam lParam) {
    return Parent() != nullptr ? Parent()->SendMessage(msg, wParam, lParam) : 0;
}

}  // namespace tw::ui
