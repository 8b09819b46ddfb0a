#pragma once

#include <cstdint>
#include <string>

namespace tw {

// A song time as "bar:tick" ("%04u:%04u"), both counted from 0. Without a
// bar length every time lies in bar 0.
[[nodiscard]] std::string BarTick(uint32_t time, uint32_t barTicks);

}  // namespace tw
