#pragma once

#include "platform/ui/Control.h"

namespace tw {

// A two-state bitmap button. One that toggles flips its state on a click;
// one that does not keeps it and leaves the new state to its owner (radio
// groups). Either way a click reports wParam = the state, lParam = the
// button's index.
class Button2 : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    Button2(ui::Window* parent, int id, int x, int y, int w, int h, int bitmapOff, int bitmapOn,
            int toggles, int index);

    // Stores s as it is (callers pass 0 or 1) and repaints. Sends nothing.
    void SetPosition(int s);
    int GetPosition() const { return state_; }

    int BitmapOff() const { return bitmapOff_; }
    int BitmapOn() const { return bitmapOn_; }

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    void EvLButtonDown(unsigned keys, const ui::Point& point);

private:
    int notifyId_;
    int bitmapOff_;
    int bitmapOn_;
    bool toggles_;
    int ctlIndex_;
    int state_ = 0;
};

}  // namespace tw
