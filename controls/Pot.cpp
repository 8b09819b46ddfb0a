#include "controls/Pot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/ui/DC.h"

namespace tw {

namespace {

constexpr float kDegreesToRadians = 0.01745329252f;

// The point at angle degrees (counter-clockwise from the right) and distance
// scale x radius from the centre. Every intermediate is a 32-bit float and
// the coordinates are truncated, which decides on which pixel a spoke ends.
ui::Point OnCircle(ui::Point centre, float degrees, float scale, int radius) {
    const float rad = degrees * kDegreesToRadians;
    const float c = static_cast<float>(std::cos(static_cast<double>(rad)));
    const float s = static_cast<float>(std::sin(static_cast<double>(rad)));
    const float dx = c * scale * static_cast<float>(radius);
    const float dy = s * scale * static_cast<float>(radius);
    const float x = static_cast<float>(centre.x) + dx;
    const float y = static_cast<float>(centre.y) - dy;
    return {static_cast<int>(x), static_cast<int>(y)};
}

// Truncation toward zero, held inside the unsigned values for ranges that
// reach the top of them.
unsigned Truncate(float v) {
    if (v >= 4294967296.0f) {
        return 0xFFFFFFFFu;
    }
    return v <= 0.0f ? 0u : static_cast<unsigned>(v);
}

float NextAngle(float a, float stepDown) {
    a -= stepDown;
    return a < 0.0f ? a + 360.0f : a;
}

}  // namespace

Pot::Pot(ui::Window* parent, int id, int x, int y, int w, int h, int knobColour, int pointerColour,
         int index)
    : Pot(parent, id, x, y, w, h, knobColour, pointerColour, index, ui::Color(75, 75, 125),
          ui::Color::White()) {}

Pot::Pot(ui::Window* parent, int id, int x, int y, int w, int h, int knobColour, int pointerColour,
         int index, ui::Color background, ui::Color tick)
    : Control(parent, id, x, y, w, h),
      notifyId_(id),
      ctlIndex_(index),
      background_(background),
      tick_(tick) {
    knobColour = std::clamp(knobColour, 0, 15);
    pointerColour = std::clamp(pointerColour, 0, 15);
    if (knobColour == pointerColour) {
        pointerColour = 15 - knobColour;
    }
    knobColour_ = CodeColour(knobColour);
    pointerColour_ = CodeColour(pointerColour);
    CalcValues();
}

ui::Color Pot::CodeColour(int code) {
    const int level = code >= 8 ? 255 : 128;
    return {(code & 4) ? level : 0, (code & 2) ? level : 0, (code & 1) ? level : 0};
}

const ui::ResponseTable& Pot::Table() {
    static constexpr ui::ResponseEntry entries[] = {ui::OnLButtonDown<&Pot::EvLButtonDown>()};
    static const ui::ResponseTable table{&Control::Table(), entries};
    return table;
}

void Pot::SetupWindow() {
    Control::SetupWindow();
    CalcGeometry();
    stepIndex_ = 0;
    SetRange(0, 100);
}

void Pot::CalcGeometry() {
    const ui::Rect c = GetClientRect();
    const int halfW = (c.right - c.left) / 2;
    const int halfH = (c.bottom - c.top) / 2;
    radius_ = halfH < halfW ? halfH / 2 : halfW / 2;
    centre_ = {c.left + (c.right - c.left) / 2, c.top + (c.bottom - c.top) / 2 + 2};
    knobRect_ = {centre_.x - radius_, centre_.y - radius_, centre_.x + radius_,
                 centre_.y + radius_};
    float a = 225.0f;
    for (ui::Point& p : tickPoint_) {
        p = OnCircle(centre_, a, 1.75f, radius_);
        a = NextAngle(a, 45.0f);
    }
    a = 225.0f;
    for (ui::Point& p : pointerPoint_) {
        p = OnCircle(centre_, a, 1.0f, radius_);
        a = NextAngle(a, 22.5f);
    }
}

void Pot::SetRange(unsigned a, unsigned b) {
    lower_ = std::min(a, b);
    upper_ = std::max(a, b);
    CalcValues();
}

// The step values count from 0, not from lower: a partial sum of a 32-bit
// float step, truncated at each step.
void Pot::CalcValues() {
    const float step = static_cast<float>(upper_ - lower_) / 12.0f;
    float sum = 0.0f;
    for (unsigned& v : stepValue_) {
        v = Truncate(sum);
        sum += step;
    }
}

void Pot::SetPosition(unsigned v) {
    stepIndex_ = 0;
    long long best = upper_;
    for (int k = 0; k < kSteps; ++k) {
        const long long d = std::llabs(static_cast<long long>(stepValue_[static_cast<size_t>(k)]) -
                                       static_cast<long long>(v));
        if (d < best) {
            best = d;
            stepIndex_ = k;
        }
    }
    InvalidateRect(knobRect_);
}

void Pot::EvLButtonDown(unsigned, const ui::Point& point) {
    if (point.x <= centre_.x && stepIndex_ > 0) {
        --stepIndex_;
        InvalidateRect(knobRect_);
    } else if (point.x > centre_.x && stepIndex_ < kSteps - 1) {
        ++stepIndex_;
        InvalidateRect(knobRect_);
    }
    NotifyParent(static_cast<ui::MsgId>(notifyId_), GetPosition(), ctlIndex_);
}

void Pot::Paint(ui::DC& dc, bool, ui::Rect&) {
    const ui::Rect c = GetClientRect();
    const ui::Pen black(ui::Color::Black());
    dc.SelectPen(black);
    dc.SelectBrush(ui::Brush(background_));
    dc.Rectangle(c);
    dc.MoveTo(c.left + 1, c.bottom - 2);
    dc.LineTo(c.right - 2, c.bottom - 2);
    dc.LineTo(c.right - 2, c.top + 1);
    dc.SelectPen(ui::Pen(ui::Color::White()));
    dc.MoveTo(c.left + 1, c.bottom - 3);
    dc.LineTo(c.left + 1, c.top + 1);
    dc.LineTo(c.right - 2, c.top + 1);
    dc.SelectPen(ui::Pen(tick_));
    for (const ui::Point& p : tickPoint_) {
        dc.MoveTo(centre_);
        dc.LineTo(p);
    }
    dc.SelectPen(black);
    dc.SelectBrush(ui::Brush(knobColour_));
    dc.Ellipse(knobRect_);
    dc.SelectPen(ui::Pen(pointerColour_));
    dc.MoveTo(centre_);
    dc.LineTo(pointerPoint_[static_cast<size_t>(stepIndex_)]);
}

}  // namespace tw
