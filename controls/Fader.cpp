#include "controls/Fader.h"

#include <algorithm>
#include <limits>

#include "platform/ui/DC.h"

namespace tw {

Fader::Fader(ui::Window* parent, int id, int x, int y, int w, int h, int scale, int index)
    : Control(parent, id, x, y, w, h), notifyId_(id), ctlIndex_(index), scaleShown_(scale == 1) {
    SetBkgndColor(ui::Color(75, 75, 125));
}

const ui::ResponseTable& Fader::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnLButtonDown<&Fader::EvLButtonDown>(),
        ui::OnMouseMove<&Fader::EvMouseMove>(),
        ui::OnLButtonUp<&Fader::EvLButtonUp>(),
    };
    static const ui::ResponseTable table{&Control::Table(), entries};
    return table;
}

void Fader::SetupWindow() {
    Control::SetupWindow();
    CalcGeometry();
}

void Fader::CalcGeometry() {
    const ui::Rect c = GetClientRect();
    const int unit = (c.bottom - c.top) / 12;
    for (int i = 0; i < kScaleLines; ++i) {
        scaleY_[static_cast<size_t>(i)] = unit + 2 + i * unit;
    }
    cx_ = c.left + (c.right - c.left) / 2 + 1;
    u_ = (c.right - c.left) / 12;
    thumbHalf_ = 2 * u_;
    grooveRect_ = {cx_ - u_, scaleY_[0] - 2, cx_ + u_, scaleY_[10] + 2};
    scaleX_ = {c.left + 4, (cx_ - u_) - 3 * u_, (cx_ + u_) + 3 * u_, c.right - 3};
    thumbLeft_ = (cx_ - u_) + 1 - 3 * u_;
    thumbRight_ = (cx_ + u_) + 3 * u_ - 1;
    redrawRect_ = {thumbLeft_ - 1, c.top + 2, thumbRight_ + 2, c.bottom - 2};
    thumbY_ = scaleY_[10];
    thumbRect_ = ThumbAt(thumbY_);
    lower_ = 0;
    upper_ = 100;
    travel_ = scaleY_[10] - scaleY_[0];
    Recompute();
    dragging_ = false;
}

void Fader::Recompute() {
    span_ = upper_ - lower_;
    ratio_ = travel_ > 0 ? static_cast<float>(span_) / static_cast<float>(travel_) : 0.0f;
}

ui::Rect Fader::ThumbAt(int y) const {
    return {thumbLeft_, y - thumbHalf_, thumbRight_, y + thumbHalf_};
}

int Fader::ClampY(int y) const {
    return std::clamp(y, scaleY_[0], scaleY_[10]);
}

// q, p and lower + p are each rounded to a 32-bit float: that rounding is
// what makes the thumb of 100 on a 0..127 channel fader read back as 101.
// A fader too short to have any travel reads its lower bound.
unsigned Fader::CalcValue() const {
    if (travel_ <= 0) {
        return lower_;
    }
    const float q = static_cast<float>(scaleY_[10] - thumbY_) / static_cast<float>(travel_);
    const float p = static_cast<float>(span_) * q;
    const float v = static_cast<float>(lower_) + p;
    if (v >= static_cast<float>(upper_)) {
        return upper_;
    }
    return v <= 0.0f ? 0u : static_cast<unsigned>(v);
}

void Fader::SetPosition(unsigned v) {
    v = std::clamp(v, lower_, upper_);
    if (travel_ <= 0 || ratio_ <= 0.0f) {
        thumbY_ = scaleY_[10];
    } else {
        const float d = static_cast<float>(v - lower_);
        const float y = static_cast<float>(scaleY_[10]) - d / ratio_;
        // The float quotient can overshoot the travel by a hair (127 on a
        // 0..127 fader comes to 7.99999 for a top line at 8); the thumb
        // stays on the scale so that it never reads above the range.
        thumbY_ = ClampY(static_cast<int>(y));
    }
    InvalidateRect(redrawRect_);
}

void Fader::SetRange(unsigned a, unsigned b) {
    const unsigned old = CalcValue();
    lower_ = std::min(a, b);
    upper_ = std::max(a, b);
    if (lower_ == upper_) {
        // One unit of range, kept inside the unsigned values.
        if (upper_ == std::numeric_limits<unsigned>::max()) {
            --lower_;
        } else {
            ++upper_;
        }
    }
    Recompute();
    SetPosition(old);
}

void Fader::EvLButtonDown(unsigned, const ui::Point& point) {
    if (point.x < thumbLeft_ || point.x > thumbRight_) {
        return;
    }
    if (point.y >= thumbRect_.top && point.y <= thumbRect_.bottom) {
        dragging_ = true;
        SetCapture();
        grabOffset_ = thumbY_ - point.y;
    } else if (point.x >= cx_ - u_ && point.x <= cx_ + u_) {
        thumbY_ = ClampY(point.y);
        InvalidateRect(redrawRect_);
        NotifyParent(static_cast<ui::MsgId>(notifyId_), CalcValue(), ctlIndex_);
    }
}

void Fader::EvMouseMove(unsigned, const ui::Point& point) {
    if (!dragging_ || point.x < thumbLeft_ || point.x > thumbRight_) {
        return;
    }
    thumbY_ = ClampY(point.y + grabOffset_);
    InvalidateRect(redrawRect_);
}

void Fader::EvLButtonUp(unsigned, const ui::Point& point) {
    if (!dragging_) {
        return;
    }
    ReleaseCapture();
    dragging_ = false;
    thumbY_ = ClampY(point.y + grabOffset_);
    NotifyParent(static_cast<ui::MsgId>(notifyId_), CalcValue(), ctlIndex_);
    InvalidateRect(redrawRect_);
}

void Fader::PaintFrameAndScale(ui::DC& dc, const ui::Rect& c) {
    const ui::Pen black(ui::Color::Black());
    const ui::Pen white(ui::Color::White());
    dc.SelectPen(black);
    dc.SelectBrush(ui::Brush(ui::Color(75, 75, 125)));
    dc.Rectangle(c);
    dc.MoveTo(c.left + 1, c.bottom - 2);
    dc.LineTo(c.right - 2, c.bottom - 2);
    dc.LineTo(c.right - 2, c.top + 1);
    dc.SelectPen(white);
    dc.MoveTo(c.left + 1, c.bottom - 3);
    dc.LineTo(c.left + 1, c.top + 1);
    dc.LineTo(c.right - 2, c.top + 1);
    if (scaleShown_) {
        for (int y : scaleY_) {
            dc.MoveTo(scaleX_[0], y);
            dc.LineTo(scaleX_[1], y);
            dc.MoveTo(scaleX_[2], y);
            dc.LineTo(scaleX_[3], y);
        }
    }
}

void Fader::Paint(ui::DC& dc, bool, ui::Rect&) {
    PaintFrameAndScale(dc, GetClientRect());
    dc.SelectPen(ui::Pen(ui::Color::Black()));
    dc.SelectBrush(ui::Brush(ui::Color::Black()));
    dc.Rectangle(grooveRect_);
    thumbRect_ = ThumbAt(thumbY_);
    dc.SelectBrush(ui::Brush(ui::Color(175, 175, 0)));
    dc.Rectangle(thumbRect_);
    dc.SelectPen(ui::Pen(ui::Color(150, 0, 0)));
    dc.MoveTo(thumbLeft_ + 1, thumbY_);
    dc.LineTo(thumbRight_ - 1, thumbY_);
}

}  // namespace tw
