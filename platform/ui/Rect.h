#pragma once

#include <algorithm>

#include "platform/ui/Point.h"

namespace tw::ui {

// A rectangle that covers columns left..right-1 and rows top..bottom-1.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }

    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    // The same rectangle with left <= right and top <= bottom.
    constexpr Rect Normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }

    constexpr Rect Intersection(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tw::ui
