#pragma once

#include <cstdlib>
#include <vector>

#include "platform/ui/Rect.h"

// Pixel rules of the DC, free of any toolkit: which pixels a line, a
// rectangle outline and an ellipse cover. Every shape is made of filled
// rectangles so that the result is exact on any surface.
namespace tw::ui::raster {

// Calls plot(x, y) for each pixel of the line from (x0, y0) towards
// (x1, y1); the end point itself is left out.
template <class Plot>
void Line(int x0, int y0, int x1, int y1, Plot&& plot) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        plot(x0, y0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// The square a pen of the given width lays around one pixel of its path:
// centred, with the extra pixel of an even width to the left and above.
inline Rect PenSquare(int x, int y, int width) {
    const int lo = width / 2;
    return {x - lo, y - lo, x - lo + width, y - lo + width};
}

// The rectangles a pen of the given width covers along the line from
// (x0, y0) to (x1, y1), the end point left out. A straight line is one
// rectangle; a slanted one is a square per pixel.
std::vector<Rect> LineCover(int x0, int y0, int x1, int y1, int width);

// One row of a filled shape: columns left..right inclusive.
struct Span {
    int y;
    int left;
    int right;
};

// The rows of an ellipse inscribed in columns l..r-1 and rows t..b-1: the
// pixels whose centres lie inside it. Every row and column of the box is
// touched. Only rows from one above the visible area to one below it are
// made, so that the rim of what shows is right whatever the ellipse's size.
std::vector<Span> EllipseSpans(const Rect& box, const Rect& visible);

// Splits an ellipse into its interior (brush) and its one-pixel rim (pen):
// rim pixels are those with a neighbour above, below, left or right outside.
void SplitEllipse(const std::vector<Span>& spans, std::vector<Rect>& interior,
                  std::vector<Rect>& rim);

}  // namespace tw::ui::raster
