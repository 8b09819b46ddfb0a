#pragma once

#include <cstdint>

namespace tw {

// The song time under a column of the staff page, shared by the staff and
// the lyric strip: x pixels right of the page's time origin at 80 pixels per
// beat, snapped to the nearest unit of the snap setting (a tie goes to the
// earlier one). A snap unit that comes out as 0 leaves the time unsnapped;
// times stop at the last 32-bit tick instead of wrapping.
[[nodiscard]] uint32_t PageTime(int x);

}  // namespace tw
