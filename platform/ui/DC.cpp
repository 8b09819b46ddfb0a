#include "platform/ui/DC.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "platform/ui/ImageImpl.h"
#include "platform/ui/QtFont.h"
#include "platform/ui/Raster.h"

namespace tw::ui {

namespace {

QColor ToQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// A pen of width w stamps a square around each pixel of its path: widen a
// one-pixel run by the same amount on each side.
Rect Widen(const Rect& r, int width) {
    const Rect lo = raster::PenSquare(r.left, r.top, width);
    const Rect hi = raster::PenSquare(r.right - 1, r.bottom - 1, width);
    return {lo.left, lo.top, hi.right, hi.bottom};
}

}  // namespace

DC::DC(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

DC::~DC() = default;

void DC::Fill(const Rect& r, Color c) {
    if (!r.IsEmpty()) {
        painter_.fillRect(ToQRect(r), ToQColor(c));
    }
}

void DC::FillRect(const Rect& r, Color c) {
    Fill(r.Normalized(), c);
}

// Slanted lines longer than any window are handed to the toolkit's own
// clipping line drawer rather than stepped pixel by pixel off the screen.
constexpr int kLongestSteppedLine = 8192;

void DC::LineTo(int x, int y) {
    const int dx = std::abs(x - current_.x);
    const int dy = std::abs(y - current_.y);
    if (dx != 0 && dy != 0 && std::max(dx, dy) > kLongestSteppedLine) {
        const Color c = pen_.GetColor();
        painter_.setPen(QPen(QColor(c.r, c.g, c.b), pen_.Width(), Qt::SolidLine, Qt::FlatCap));
        painter_.drawLine(current_.x, current_.y, x, y);
    } else {
        for (const Rect& r : raster::LineCover(current_.x, current_.y, x, y, pen_.Width())) {
            Fill(r, pen_.GetColor());
        }
    }
    current_ = {x, y};
}

void DC::Rectangle(int l, int t, int r, int b) {
    const Rect box = Rect{l, t, r, b}.Normalized();
    if (box.IsEmpty()) {
        return;
    }
    Fill({box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, brush_.GetColor());
    const int w = pen_.Width();
    const Color c = pen_.GetColor();
    Fill(Widen({box.left, box.top, box.right, box.top + 1}, w), c);
    Fill(Widen({box.left, box.bottom - 1, box.right, box.bottom}, w), c);
    Fill(Widen({box.left, box.top, box.left + 1, box.bottom}, w), c);
    Fill(Widen({box.right - 1, box.top, box.right, box.bottom}, w), c);
}

void DC::Ellipse(int l, int t, int r, int b) {
    std::vector<Rect> interior;
    std::vector<Rect> rim;
    const Rect visible{0, 0, painter_.device()->width(), painter_.device()->height()};
    raster::SplitEllipse(raster::EllipseSpans({l, t, r, b}, visible), interior, rim);
    for (const Rect& run : interior) {
        Fill(run, brush_.GetColor());
    }
    for (const Rect& run : rim) {
        Fill(Widen(run, pen_.Width()), pen_.GetColor());
    }
}

void DC::SelectFont(const Font& font) {
    font_ = font;
    fontApplied_ = false;
}

void DC::ApplyFont() {
    if (!fontApplied_) {
        painter_.setFont(ToQFont(font_ ? font_->Description() : LogFont{}));
        fontApplied_ = true;
    }
}

Size DC::GetTextExtent(const std::string& text) {
    ApplyFont();
    const QFontMetrics metrics = painter_.fontMetrics();
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

Size DC::TextOut(int x, int y, const std::string& text) {
    if (text.empty()) {
        return {};
    }
    ApplyFont();
    const QString shown = QString::fromStdString(text);
    const QFontMetrics metrics = painter_.fontMetrics();
    const Size extent{metrics.horizontalAdvance(shown), metrics.height()};
    Fill({x, y, x + extent.cx, y + extent.cy}, bkColor_);
    painter_.setPen(ToQColor(textColor_));
    painter_.drawText(QPoint(x, y + metrics.ascent()), shown);
    return extent;
}

void DC::BitBlt(int x, int y, const Bitmap& bitmap) {
    if (bitmap.IsValid()) {
        painter_.drawImage(QPoint(x, y), bitmap.Pixels().Internal().image);
    }
}

void DC::StretchBlt(const Rect& dest, const Bitmap& bitmap) {
    if (bitmap.IsValid() && !dest.IsEmpty()) {
        painter_.drawImage(ToQRect(dest), bitmap.Pixels().Internal().image);
    }
}

}  // namespace tw::ui
