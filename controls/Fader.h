#pragma once

#include <array>

#include "platform/ui/Control.h"
#include "platform/ui/Point.h"
#include "platform/ui/Rect.h"

namespace tw {

// A drawn vertical slider: a black groove with an eleven-line scale and a
// yellow thumb; the value grows upwards. Dragging the thumb reports the value
// when the button is released, a click in the groove jumps there and reports
// at once; wParam = the value, lParam = the fader's index.
class Fader : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    static constexpr int kScaleLines = 11;

    // scale 1 draws the scale lines beside the groove.
    Fader(ui::Window* parent, int id, int x, int y, int w, int h, int scale, int index);

    // Keeps the current value across the change, clamped into the new range;
    // equal bounds make a range of one unit.
    void SetRange(unsigned a, unsigned b);
    // Moves the thumb to v, clamped into the range. Sends nothing.
    void SetPosition(unsigned v);
    unsigned GetPosition() const { return CalcValue(); }
    unsigned CalcValue() const;

    unsigned Lower() const { return lower_; }
    unsigned Upper() const { return upper_; }
    int ScaleY(int i) const { return scaleY_[static_cast<size_t>(i)]; }
    int Travel() const { return travel_; }
    int ThumbY() const { return thumbY_; }
    int ThumbLeft() const { return thumbLeft_; }
    int ThumbRight() const { return thumbRight_; }
    int ThumbHalf() const { return thumbHalf_; }
    const ui::Rect& GrooveRect() const { return grooveRect_; }
    const ui::Rect& RedrawRect() const { return redrawRect_; }
    const ui::Rect& ThumbRect() const { return thumbRect_; }
    bool Dragging() const { return dragging_; }
    // Left scale lines run over columns ScaleX(0)..ScaleX(1), right ones over
    // ScaleX(2)..ScaleX(3).
    int ScaleX(int i) const { return scaleX_[static_cast<size_t>(i)]; }

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    void EvLButtonDown(unsigned keys, const ui::Point& point);
    void EvMouseMove(unsigned keys, const ui::Point& point);
    void EvLButtonUp(unsigned keys, const ui::Point& point);

private:
    void CalcGeometry();
    void Recompute();
    int ClampY(int y) const;
    ui::Rect ThumbAt(int y) const;
    void PaintFrameAndScale(ui::DC& dc, const ui::Rect& c);

    int notifyId_;
    int ctlIndex_;
    bool scaleShown_;
    unsigned lower_ = 0;
    unsigned upper_ = 100;
    unsigned span_ = 100;
    std::array<int, kScaleLines> scaleY_{};
    int travel_ = 0;
    float ratio_ = 0.0f;
    int thumbY_ = 0;
    ui::Rect grooveRect_;
    std::array<int, 4> scaleX_{};
    int cx_ = 0;
    int u_ = 0;
    int thumbLeft_ = 0;
    int thumbRight_ = 0;
    int thumbHalf_ = 0;
    ui::Rect thumbRect_;
    bool dragging_ = false;
    int grabOffset_ = 0;
    ui::Rect redrawRect_;
};

}  // namespace tw
