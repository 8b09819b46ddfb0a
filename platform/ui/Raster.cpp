#include "platform/ui/Raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

std::vector<Span> EllipseSpans(const Rect& box, const Rect& visible) {
    std::vector<Span> spans;
    const Rect b = box.Normalized();
    if (b.IsEmpty()) {
        return spans;
    }
    const double rx = b.Width() / 2.0;
    const double ry = b.Height() / 2.0;
    const double cx = b.left + rx;
    const double cy = b.top + ry;
    const int first = std::max(b.top, visible.top - 1);
    const int last = std::min(b.bottom, visible.bottom + 1);
    for (int y = first; y < last; ++y) {
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

// The columns of row i that are inside the ellipse, or an empty range.
std::pair<int, int> RowAt(const std::vector<Span>& spans, long i) {
    if (i < 0 || i >= static_cast<long>(spans.size())) {
        return {1, 0};
    }
    const Span& s = spans[static_cast<size_t>(i)];
    return {s.left, s.right};
}

void AddRun(std::vector<Rect>& out, int y, int left, int right) {
    if (left <= right) {
        out.push_back({left, y, right + 1, y + 1});
    }
}

}  // namespace

// A pixel is inside the rim when its row continues on both sides and the
// rows above and below cover its column too; the rest of each row is rim.
void SplitEllipse(const std::vector<Span>& spans, std::vector<Rect>& interior,
                  std::vector<Rect>& rim) {
    for (size_t i = 0; i < spans.size(); ++i) {
        const Span& s = spans[i];
        const auto above = RowAt(spans, static_cast<long>(i) - 1);
        const auto below = RowAt(spans, static_cast<long>(i) + 1);
        const int left = std::max({s.left + 1, above.first, below.first});
        const int right = std::min({s.right - 1, above.second, below.second});
        if (left > right) {
            AddRun(rim, s.y, s.left, s.right);
            continue;
        }
        AddRun(rim, s.y, s.left, left - 1);
        AddRun(interior, s.y, left, right);
        AddRun(rim, s.y, right + 1, s.right);
    }
}

}  // namespace tw::ui::raster
