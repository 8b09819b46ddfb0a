#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Control.h"

namespace tw {

// A two-state lamp in a black rim with a light and a dark edge.
class Led : public ui::Control {
public:
    // colour 1..7: bit 4 red, 2 green, 1 blue (any other value is red);
    // dark at 128, lit at 255.
    Led(ui::Window* parent, int id, int x, int y, int w, int h, int colour);

    // 0 dark, 1 lit; other values are clamped.
    void SetPosition(int s);
    int GetPosition() const { return state_; }

    ui::Color OffColour() const { return offColour_; }
    ui::Color OnColour() const { return onColour_; }

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;

private:
    ui::Color offColour_;
    ui::Color onColour_;
    int state_ = 0;
};

}  // namespace tw
