#include "controls/Display.h"

#include <cstring>

#include "platform/ui/DC.h"

namespace tw {

Display::Display(ui::Window* parent, int id, int x, int y, int w, int h, int active, int small)
    : Control(parent, id, x, y, w, h),
      notifyId_(id),
      active_(active != 0),
      small_(small != 0),
      normalFont_("HELVETICA", -12, 8, 700),
      smallFont_("HELVETICA", -10, 6, 700) {
    SetBkgndColor(ui::Color(0, 0, 128));
}

const ui::ResponseTable& Display::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnLButtonDown<&Display::EvLButtonDown>(),
        ui::OnRButtonDown<&Display::EvRButtonDown>(),
    };
    static const ui::ResponseTable table{&Control::Table(), entries};
    return table;
}

void Display::SetupWindow() {
    Control::SetupWindow();
    text_ = "000";
    const ui::Rect c = GetClientRect();
    textRect_ = {c.left + 3, c.top + 3, c.right - 3, c.bottom - 3};
    centre_ = {c.right / 2, c.bottom / 2};
}

void Display::SetDisplayString(const char* s) {
    text_ = s == nullptr ? std::string() : std::string(s, strnlen(s, kMaxText));
    InvalidateRect(textRect_);
}

void Display::EvLButtonDown(unsigned, const ui::Point& point) {
    if (active_) {
        NotifyParent(static_cast<ui::MsgId>(notifyId_), point.y <= centre_.y ? 1 : 0, 0);
    }
}

void Display::EvRButtonDown(unsigned, const ui::Point&) {
    if (active_) {
        NotifyParent(static_cast<ui::MsgId>(notifyId_), 2, 0);
    }
}

void Display::Paint(ui::DC& dc, bool, ui::Rect&) {
    const ui::Rect c = GetClientRect();
    dc.SelectPen(ui::Pen(ui::Color::Black()));
    dc.SelectBrush(ui::Brush(ui::Color(0, 0, 128)));
    dc.Rectangle(c);
    dc.MoveTo(c.left + 1, c.bottom);
    dc.LineTo(c.left + 1, c.top + 1);
    dc.LineTo(c.right - 2, c.top + 1);
    dc.SelectPen(ui::Pen(ui::Color(192, 192, 192)));
    dc.LineTo(c.right - 2, c.bottom - 2);
    dc.LineTo(c.left, c.bottom - 2);
    dc.SelectFont(CurrentFont());
    dc.SetTextColor(ui::Color(0, 255, 0));
    dc.SetBkColor(ui::Color(0, 0, 128));
    const ui::Size extent = dc.GetTextExtent(text_);
    dc.TextOut(centre_.x - extent.cx / 2, centre_.y - extent.cy / 2, text_);
}

}  // namespace tw
