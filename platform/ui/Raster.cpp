#include "platform/ui/Raster.h"

#include <cmath>

namespace tw::ui::raster {

std::vector<Rect> LineCover(int x0, int y0, int x1, int y1, int width) {
    std::vector<Rect> cover;
    if (x0 == x1 && y0 == y1) {
        return cover;
    }
    if (y0 == y1 || x0 == x1) {
        // The last pixel before the end point, then one box from start to it.
        const int ex = x1 == x0 ? x0 : (x1 > x0 ? x1 - 1 : x1 + 1);
        const int ey = y1 == y0 ? y0 : (y1 > y0 ? y1 - 1 : y1 + 1);
        const Rect a = PenSquare(x0, y0, width);
        const Rect b = PenSquare(ex, ey, width);
        cover.push_back({std::min(a.left, b.left), std::min(a.top, b.top),
                         std::max(a.right, b.right), std::max(a.bottom, b.bottom)});
        return cover;
    }
    Line(x0, y0, x1, y1, [&](int x, int y) { cover.push_back(PenSquare(x, y, width)); });
    return cover;
}

std::vector<Span> EllipseSpans(const Rect& box) {
    std::vector<Span> spans;
    const Rect b = box.Normalized();
    if (b.IsEmpty()) {
        return spans;
    }
    const double rx = b.Width() / 2.0;
    const double ry = b.Height() / 2.0;
    const double cx = b.left + rx;
    const double cy = b.top + ry;
    for (int y = b.top; y < b.bottom; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        // Columns whose centre x + 0.5 lies within [cx - half, cx + half];
        // at least the middle column, so that thin ellipses keep every row.
        int left = static_cast<int>(std::ceil(cx - half - 0.5));
        int right = static_cast<int>(std::floor(cx + half - 0.5));
        if (left > right) {
            left = right = static_cast<int>(std::floor(cx - 0.5));
        }
        spans.push_back({y, std::max(left, b.left), std::min(right, b.right - 1)});
    }
    return spans;
}

namespace {

bool Inside(const std::vector<Span>& spans, int x, int y) {
    if (spans.empty() || y < spans.front().y || y > spans.back().y) {
        return false;
    }
    const Span& s = spans[static_cast<size_t>(y - spans.front().y)];
    return x >= s.left && x <= s.right;
}

bool OnRim(const std::vector<Span>& spans, int x, int y) {
    return !Inside(spans, x - 1, y) || !Inside(spans, x + 1, y) || !Inside(spans, x, y - 1) ||
           !Inside(spans, x, y + 1);
}

}  // namespace

void SplitEllipse(const std::vector<Span>& spans, std::vector<Rect>& interior,
                  std::vector<Rect>& rim) {
    for (const Span& s : spans) {
        int runStart = s.left;
        bool runIsRim = OnRim(spans, s.left, s.y);
        for (int x = s.left + 1; x <= s.right + 1; ++x) {
            const bool end = x > s.right;
            const bool isRim = !end && OnRim(spans, x, s.y);
            if (end || isRim != runIsRim) {
                (runIsRim ? rim : interior).push_back({runStart, s.y, x, s.y + 1});
                runStart = x;
                runIsRim = isRim;
            }
        }
    }
}

}  // namespace tw::ui::raster
