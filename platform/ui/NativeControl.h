#pragma once

#include "platform/ui/Control.h"

class QWidget;

namespace tw::ui {

// A control drawn and worked by a toolkit widget that fills its client area:
// the list boxes, edits, statics, buttons, gauges and scroll bars of dialogs.
// The toolkit widget exists from construction, so a control can be filled
// and limited before its window is created.
class NativeControl : public Control {
public:
    NativeControl(Window* parent, int id, int x, int y, int w, int h);
    ~NativeControl() override;

    // Hides the control (also before it is created); Show brings it back.
    void SetVisible(bool visible);
    // The toolkit widget behind the control; for the framework itself.
    QWidget* Native() const { return native_; }

protected:
    // Takes the widget for this control; called once by the constructor of
    // the derived control.
    void Adopt(QWidget* native);
    void SetupWindow() override;

private:
    QWidget* native_ = nullptr;
    bool visible_ = true;
};

}  // namespace tw::ui
