#pragma once

#include <string>

#include "platform/ui/Control.h"
#include "platform/ui/Font.h"
#include "platform/ui/Point.h"
#include "platform/ui/Rect.h"

namespace tw {

// A navy read-out with centred green text. An active display is also a spin
// field: a left click in its upper half (centre line included) reports 1,
// in its lower half 0, a right click 2; lParam is 0.
class Display : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    static constexpr size_t kMaxText = 50;

    Display(ui::Window* parent, int id, int x, int y, int w, int h, int active, int small);

    // Shows the first 50 characters of s; nullptr shows nothing.
    void SetDisplayString(const char* s);
    const std::string& Text() const { return text_; }

    const ui::Rect& TextRect() const { return textRect_; }
    ui::Point Centre() const { return centre_; }
    const ui::Font& CurrentFont() const { return small_ ? smallFont_ : normalFont_; }

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    void EvLButtonDown(unsigned keys, const ui::Point& point);
    void EvRButtonDown(unsigned keys, const ui::Point& point);

private:
    int notifyId_;
    bool active_;
    bool small_;
    std::string text_;
    ui::Rect textRect_;
    ui::Point centre_;
    ui::Font normalFont_;
    ui::Font smallFont_;
};

}  // namespace tw
