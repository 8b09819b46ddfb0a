#pragma once

#include <optional>
#include <string>

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Font.h"
#include "platform/ui/Pen.h"
#include "platform/ui/Point.h"
#include "platform/ui/Rect.h"
#include "platform/ui/Size.h"

class QPainter;

namespace tw::ui {

// A device context: the drawing surface handed to Paint, with a current pen,
// brush, font, text colour and background colour.
//
// Pixel rules: nothing is antialiased; a line from MoveTo to LineTo leaves
// out its end point; Rectangle and Ellipse (l, t, r, b) cover columns
// l..r-1 and rows t..b-1, the outline in the pen and the inside in the
// brush; pens wider than one pixel are centred on the path; TextOut puts the
// text's top-left corner at the point and fills the text's box with the
// background colour first.
class DC {
public:
    // Made by the framework around a painter that is already active.
    explicit DC(QPainter& painter);
    ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    void SelectPen(const Pen& pen) { pen_ = pen; }
    void SelectBrush(const Brush& brush) { brush_ = brush; }
    void SelectFont(const Font& font);
    void SetTextColor(Color c) { textColor_ = c; }
    void SetBkColor(Color c) { bkColor_ = c; }
    const Pen& CurrentPen() const { return pen_; }

    void MoveTo(int x, int y) { current_ = {x, y}; }
    void MoveTo(Point p) { current_ = p; }
    void LineTo(int x, int y);
    void LineTo(Point p) { LineTo(p.x, p.y); }
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const Rect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void Ellipse(int l, int t, int r, int b);
    void Ellipse(const Rect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    // Fills columns l..r-1, rows t..b-1 with the colour; no outline.
    void FillRect(const Rect& r, Color c);

    // Returns the extent of the text drawn.
    Size TextOut(int x, int y, const std::string& text);
    // Width and height of the text in the current font.
    Size GetTextExtent(const std::string& text);

    // Copies the bitmap with its top-left corner at (x, y).
    void BitBlt(int x, int y, const Bitmap& bitmap);
    // Stretches the whole bitmap over dest, pixel for pixel without smoothing.
    void StretchBlt(const Rect& dest, const Bitmap& bitmap);

private:
    void Fill(const Rect& r, Color c);
    void ApplyFont();

    QPainter& painter_;
    Pen pen_{Color::Black()};
    Brush brush_{Color::White()};
    std::optional<Font> font_;
    bool fontApplied_ = false;
    Color textColor_ = Color::Black();
    Color bkColor_ = Color::White();
    Point current_;
};

}  // namespace tw::ui
