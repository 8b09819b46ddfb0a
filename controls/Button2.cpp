#include "controls/Button2.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"

namespace tw {

Button2::Button2(ui::Window* parent, int id, int x, int y, int w, int h, int bitmapOff,
                 int bitmapOn, int toggles, int index)
    : Control(parent, id, x, y, w, h),
      notifyId_(id),
      bitmapOff_(bitmapOff),
      bitmapOn_(bitmapOn),
      toggles_(toggles != 0),
      ctlIndex_(index) {}

const ui::ResponseTable& Button2::Table() {
    static constexpr ui::ResponseEntry entries[] = {ui::OnLButtonDown<&Button2::EvLButtonDown>()};
    static const ui::ResponseTable table{&Control::Table(), entries};
    return table;
}

void Button2::SetupWindow() {
    Control::SetupWindow();
    state_ = 0;
}

void Button2::SetPosition(int s) {
    state_ = s;
    Invalidate();
}

void Button2::EvLButtonDown(unsigned, const ui::Point&) {
    if (toggles_) {
        state_ = state_ == 0 ? 1 : 0;
        Invalidate();
    }
    NotifyParent(static_cast<ui::MsgId>(notifyId_), static_cast<ui::WParam>(state_), ctlIndex_);
}

// Any state other than 0 shows the pressed image, as a click turns any
// such state into 0.
void Button2::Paint(ui::DC& dc, bool, ui::Rect&) {
    const ui::Bitmap image(state_ != 0 ? bitmapOn_ : bitmapOff_);
    dc.StretchBlt(GetClientRect(), image);
}

}  // namespace tw
