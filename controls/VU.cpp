#include "controls/VU.h"

#include "platform/ui/DC.h"

namespace tw {

namespace {

float LitFraction(int v) {
    if (v < 16) {
        return 0.0f;
    }
    if (v < 48) {
        return 0.25f;
    }
    if (v < 90) {
        return 0.5f;
    }
    return v < 112 ? 0.75f : 1.0f;
}

}  // namespace

VU::VU(ui::Window* parent, int id, int x, int y, int w, int h) : Control(parent, id, x, y, w, h) {
    SetBkgndColor(ui::Color(50, 0, 0));
}

void VU::SetupWindow() {
    Control::SetupWindow();
    const ui::Rect c = GetClientRect();
    barRect_ = {c.left + 1, c.top + 1, c.right - 1, c.bottom - 1};
    height_ = barRect_.bottom - barRect_.top;
    // Before the first level the lit part is the bar's bottom row.
    levelTop_ = height_;
}

void VU::SetPosition(int v) {
    levelTop_ = barRect_.bottom - static_cast<int>(static_cast<float>(height_) * LitFraction(v));
    InvalidateRect(barRect_);
}

void VU::Paint(ui::DC& dc, bool, ui::Rect&) {
    dc.SelectPen(ui::Pen(ui::Color::Black()));
    dc.SelectBrush(ui::Brush(ui::Color(50, 0, 0)));
    dc.Rectangle(GetClientRect());
    dc.SelectBrush(ui::Brush(ui::Color(128, 0, 0)));
    dc.Rectangle(barRect_);
    dc.SelectBrush(ui::Brush(ui::Color(255, 0, 0)));
    dc.SelectPen(ui::Pen(ui::Color(128, 0, 0)));
    dc.Rectangle(barRect_.left, levelTop_, barRect_.right, barRect_.bottom);
}

}  // namespace tw
