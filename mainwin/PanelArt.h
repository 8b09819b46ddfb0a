#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Rect.h"

namespace tw {

namespace ui {
class DC;
}

// The front panel behind its controls: the boxes, rules, labels and colours
// of the header, the note toolbar and the mixer.
class PanelArt {
public:
    static constexpr ui::Color kBackground{220, 220, 220};

    PanelArt();

    // The whole panel; the platform clips it to what needs repainting.
    void Paint(ui::DC& dc, const ui::Rect& client) const;

private:
    void PaintHeader(ui::DC& dc, const ui::Rect& client) const;
    void PaintStrip(ui::DC& dc, int n) const;
    void PaintRightSection(ui::DC& dc) const;
    void PaintToolBar(ui::DC& dc) const;
    static void DrawBox3d(ui::DC& dc, int left, int top, int right, int bottom);

    ui::Font titleFont;
    ui::Font labelFont;
    ui::Font smallFont;
};

}  // namespace tw
