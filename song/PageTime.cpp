#include "song/PageTime.h"

#include <algorithm>

#include "song/Song.h"

namespace tw {
namespace {

// Ticks of the snap unit for snapSetting 1..5 (a thirty-second up to a half
// note), 0 for no snapping.
uint64_t SnapUnit() {
    switch (sd.snapSetting) {
        case 1:
            return sd.division / 8;
        case 2:
            return sd.division / 4;
        case 3:
            return sd.division / 2;
        case 4:
            return sd.division;
        case 5:
            return uint64_t{2} * sd.division;
        default:
            return 0;
    }
}

}  // namespace

uint32_t PageTime(int x) {
    uint64_t t = uint64_t{sd.bar} * sd.barTicks;
    const float barWidth = static_cast<float>(sd.tsNumerator) * 80.0f;
    if (barWidth > 0) {
        const float offset = static_cast<float>(sd.barTicks) * (static_cast<float>(x) / barWidth);
        t += static_cast<uint64_t>(std::clamp(offset, 0.0f, 4294967295.0f));
    }
    t = std::min<uint64_t>(t, UINT32_MAX);
    if (const uint64_t u = SnapUnit(); u != 0) {
        const uint64_t lower = t / u * u;
        const uint64_t upper = lower + u;
        t = upper - t < t - lower && upper <= UINT32_MAX ? upper : lower;
    }
    return static_cast<uint32_t>(t);
}

}  // namespace tw
