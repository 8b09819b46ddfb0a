#pragma once

#include "platform/ui/Window.h"

namespace tw::ui {

// A child window of the panel: made with its parent, id, position and size
// and an empty title; it reports to its parent by sending messages.
class Control : public Window {
public:
    Control(Window* parent, int id, int x, int y, int w, int h);

protected:
    // A synchronous send of msg to the parent; 0 when there is none.
    MsgResult NotifyParent(MsgId msg, WParam wParam, LParam lParam);
};

}  // namespace tw::ui
