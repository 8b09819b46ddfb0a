#pragma once

#include "platform/ui/NativeControl.h"

class QScrollBar;

namespace tw::ui {

// A horizontal or vertical scroll bar. The user's actions move the position
// by the line or page step, or with the thumb, and each one is sent to the
// parent as msg::ChildNotify with wParam = the bar's id and lParam = one of
// the codes below; letting go of the bar sends EndScroll, after
// ThumbPosition when the thumb was dragged. A line or page code arrives
// before the position moves. Setting from code sends nothing.
class ScrollBar : public NativeControl {
public:
    static constexpr LParam LineUp = 0;  // left for a horizontal bar
    static constexpr LParam LineDown = 1;
    static constexpr LParam PageUp = 2;
    static constexpr LParam PageDown = 3;
    static constexpr LParam ThumbPosition = 4;
    static constexpr LParam ThumbTrack = 5;
    static constexpr LParam EndScroll = 8;

    ScrollBar(Window* parent, int id, int x, int y, int w, int h, bool horizontal);

    // An empty range (max < min) holds only min; the position is kept in it.
    void SetRange(int min, int max);
    void GetRange(int& min, int& max) const;
    void SetPosition(int position);
    int GetPosition() const;
    void SetLineMagnitude(int step);
    void SetPageMagnitude(int step);

    QScrollBar* Bar() const { return bar_; }

private:
    void Notify(LParam code);

    QScrollBar* bar_;
};

}  // namespace tw::ui
