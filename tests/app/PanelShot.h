#pragma once

// Finding the panel in a screenshot of the real window, and waiting for the
// screen to show something.

#include <chrono>
#include <string>
#include <thread>

#include "support/XServer.h"

namespace tw::test {

constexpr uint32_t kBlack = 0x000000;

// The panel's top row is its black outline; above it, at the right end of
// the menu bar, there is only the bar's background.
inline int PanelTop(const Shot& shot) {
    for (int y = 0; y < 80; ++y) {
        if (shot.At(795, y) == kBlack) {
            return y;
        }
    }
    return -1;
}

inline int Differences(const Shot& a, const Shot& b, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            n += a.At(x, y) != b.At(x, y) ? 1 : 0;
        }
    }
    return n;
}

// The screen, or with `window` that window alone, once it is ready.
template <class Ready>
Shot WaitForShot(const XServer& x, Ready ready, int timeoutMs, const std::string& window = {}) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto take = [&] { return window.empty() ? x.Screenshot() : x.WindowShot(window); };
    Shot shot = take();
    while (!ready(shot) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        shot = take();
    }
    return shot;
}

}  // namespace tw::test
