#pragma once

#include <array>

#include "platform/ui/Color.h"
#include "platform/ui/Control.h"
#include "platform/ui/Point.h"
#include "platform/ui/Rect.h"

namespace tw {

// A drawn rotary knob with thirteen steps over a 270-degree sweep. A click
// left of the pivot (or on its column) turns it one step down, right of it
// one step up; every click reports the knob's value to the parent with
// wParam = the value and lParam = the knob's index.
class Pot : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    static constexpr int kSteps = 13;
    static constexpr int kTicks = 7;

    // knobColour and pointerColour are colour codes 0..15 (clamped): bit 4
    // red, 2 green, 1 blue, full strength from 8 up; equal codes make the
    // pointer 15 - knobColour.
    Pot(ui::Window* parent, int id, int x, int y, int w, int h, int knobColour, int pointerColour,
        int index);

    // lower = the smaller bound, upper = the larger; the step stays, the
    // knob is not redrawn.
    void SetRange(unsigned a, unsigned b);
    // Moves to the step whose value is nearest v (the lower step on a tie).
    // Sends nothing.
    void SetPosition(unsigned v);
    unsigned GetPosition() const { return stepValue_[static_cast<size_t>(stepIndex_)]; }
    void CalcValues();

    int StepIndex() const { return stepIndex_; }
    unsigned StepValue(int k) const { return stepValue_[static_cast<size_t>(k)]; }
    ui::Point Centre() const { return centre_; }
    int Radius() const { return radius_; }
    const ui::Rect& KnobRect() const { return knobRect_; }
    ui::Point TickPoint(int i) const { return tickPoint_[static_cast<size_t>(i)]; }
    ui::Point PointerPoint(int j) const { return pointerPoint_[static_cast<size_t>(j)]; }
    ui::Color KnobColour() const { return knobColour_; }
    ui::Color PointerColour() const { return pointerColour_; }

    // The colour of a colour code, as described above.
    static ui::Color CodeColour(int code);

protected:
    // The two faces differ in their background and tick colours.
    Pot(ui::Window* parent, int id, int x, int y, int w, int h, int knobColour, int pointerColour,
        int index, ui::Color background, ui::Color tick);

    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    void EvLButtonDown(unsigned keys, const ui::Point& point);

private:
    void CalcGeometry();

    int notifyId_;
    int ctlIndex_;
    unsigned lower_ = 0;
    unsigned upper_ = 100;
    std::array<unsigned, kSteps> stepValue_{};
    int stepIndex_ = 0;
    ui::Point centre_;
    int radius_ = 0;
    ui::Rect knobRect_;
    std::array<ui::Point, kTicks> tickPoint_{};
    std::array<ui::Point, kSteps> pointerPoint_{};
    ui::Color knobColour_;
    ui::Color pointerColour_;
    ui::Color background_;
    ui::Color tick_;
};

}  // namespace tw
