#include "song/BarTick.h"

#include <cstdio>

namespace tw {

std::string BarTick(uint32_t time, uint32_t barTicks) {
    const uint32_t bar = barTicks != 0 ? time / barTicks : 0;
    char text[24];
    std::snprintf(text, sizeof text, "%04u:%04u", bar, time - bar * barTicks);
    return text;
}

}  // namespace tw
