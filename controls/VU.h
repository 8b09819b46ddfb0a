#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Rect.h"

namespace tw {

// A four-step level meter: a dark red bar lit from the bottom by a note's
// velocity. It keeps its level until the next SetPosition.
class VU : public ui::Control {
public:
    VU(ui::Window* parent, int id, int x, int y, int w, int h);

    // Velocity below 16: nothing lit; below 48 a quarter; below 90 a half;
    // below 112 three quarters; above that the whole bar.
    void SetPosition(int v);

    const ui::Rect& BarRect() const { return barRect_; }
    int LevelTop() const { return levelTop_; }

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;

private:
    ui::Rect barRect_;
    int height_ = 0;
    int levelTop_ = 0;
};

}  // namespace tw
