#pragma once

// Real windows for tests: a private Xvfb display, programs started on it
// and ended by their own pid, xdotool to find windows and to click and
// type, and screenshots read from xwd's output.

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Process.h"

namespace tw::test {

// A screenshot: width × height pixels of 0xRRGGBB.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height
                   ? pixels[static_cast<std::size_t>(y) * width + x]
                   : 0xFFFFFFFFu;
    }
};

// Decodes the ZPixmap of 32 bits a pixel that `xwd` writes for Xvfb's
// 24-bit screens.
inline Shot ParseXwd(const std::string& bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    auto u32 = [&](std::size_t at) {
        return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 |
               b[at + 3];
    };
    Shot shot;
    if (bytes.size() < 100 || u32(8) != 2 || u32(44) != 32) {
        return shot;
    }
    const uint32_t width = u32(16), height = u32(20), bytesPerLine = u32(48);
    const bool lsbFirst = u32(28) == 0;
    const std::size_t data = u32(0) + 12u * u32(76);  // the header, then the colour map
    if (data + std::size_t{bytesPerLine} * height > bytes.size()) {
        return shot;
    }
    shot.width = static_cast<int>(width);
    shot.height = static_cast<int>(height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = b + data + std::size_t{y} * bytesPerLine + 4u * x;
            shot.pixels.push_back(lsbFirst ? uint32_t{p[2]} << 16 | p[1] << 8 | p[0]
                                           : uint32_t{p[1]} << 16 | p[2] << 8 | p[3]);
        }
    }
    return shot;
}

// A private Xvfb server, on a display number chosen from this process's id
// so that parallel test runs never share one.
class XServer {
public:
    explicit XServer(int width = 1280, int height = 800) {
        for (int attempt = 0; attempt < 20 && server_ == nullptr; ++attempt) {
            const int number = 200 + (getpid() * 7 + attempt) % 30000;
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
            if (std::filesystem::exists(socket)) {
                continue;
            }
            auto server = std::make_unique<Process>(std::vector<std::string>{
                "/usr/bin/Xvfb", ":" + std::to_string(number), "-screen", "0",
                std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten", "tcp",
                "-noreset"});
            for (int i = 0; i < 500 && server->Running() && !std::filesystem::exists(socket); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            // The socket appears before the server answers; wait until a client
            // is served. -noreset keeps the server from starting over, and
            // refusing clients meanwhile, each time its last client leaves.
            const std::string display = ":" + std::to_string(number);
            for (int i = 0; i < 250 && server->Running() &&
                            Capture("DISPLAY=" + display + " xdotool getdisplaygeometry 2>/dev/null")
                                .empty();
                 ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            if (server->Running() && std::filesystem::exists(socket)) {
                server_ = std::move(server);
                display_ = display;
            }
        }
    }

    static bool Available() { return access("/usr/bin/Xvfb", X_OK) == 0; }
    bool Ok() const { return server_ != nullptr; }
    const std::string& Display() const { return display_; }

    // Runs an X client command (xdotool, xwd) on this display.
    std::string Run(const std::string& command) const {
        return Capture("DISPLAY=" + display_ + " " + command + " 2>/dev/null");
    }
    // The id of the first window whose name matches the pattern, waiting
    // up to timeoutMs; empty if none came.
    std::string WaitForWindow(const std::string& pattern, int timeoutMs) const {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            std::string id = Run("xdotool search --onlyvisible --name '" + pattern + "'");
            if (!id.empty()) {
                return id.substr(0, id.find('\n'));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < until);
        return {};
    }
    Shot Screenshot() const { return ParseXwd(Run("xwd -root -silent")); }
    // One window's client area as the screen shows it. A screenshot of the
    // root leaves some top-level windows black (a dialog over the frame
    // under a window manager); this one does not.
    Shot WindowShot(const std::string& id) const { return ParseXwd(Run("xwd -silent -id " + id)); }

private:
    std::unique_ptr<Process> server_;
    std::string display_;
};

}  // namespace tw::test
