#include "controls/Led.h"

#include <algorithm>

#include "platform/ui/DC.h"

namespace tw {

Led::Led(ui::Window* parent, int id, int x, int y, int w, int h, int colour)
    : Control(parent, id, x, y, w, h) {
    if (colour < 1 || colour > 7) {
        colour = 4;
    }
    const auto level = [colour](int bit, int full) { return (colour & bit) ? full : 0; };
    offColour_ = {level(4, 128), level(2, 128), level(1, 128)};
    onColour_ = {level(4, 255), level(2, 255), level(1, 255)};
}

void Led::SetupWindow() {
    Control::SetupWindow();
    state_ = 0;
}

void Led::SetPosition(int s) {
    state_ = std::clamp(s, 0, 1);
    Invalidate();
}

void Led::Paint(ui::DC& dc, bool, ui::Rect&) {
    const ui::Rect c = GetClientRect();
    dc.SelectBrush(ui::Brush(state_ == 1 ? onColour_ : offColour_));
    dc.SelectPen(ui::Pen(ui::Color::Black(), 2));
    dc.Rectangle(c);
    dc.SelectPen(ui::Pen(ui::Color::White()));
    dc.MoveTo(c.left + 1, c.bottom - 3);
    dc.LineTo(c.left + 1, c.top + 2);
    dc.LineTo(c.right - 1, c.top + 2);
    dc.SelectPen(ui::Pen(ui::Color(128, 128, 128)));
    dc.MoveTo(c.left + 2, c.bottom - 3);
    dc.LineTo(c.right - 2, c.bottom - 3);
    dc.LineTo(c.right - 2, c.top + 1);
}

}  // namespace tw
