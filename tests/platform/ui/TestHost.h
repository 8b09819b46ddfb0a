#pragma once

// Shared by the framework and control tests: a top-level window that hosts
// the window under test and records every message its children send it,
// pixel probes, and a place to write painted images for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Color.h"
#include "platform/ui/Image.h"
#include "platform/ui/Point.h"
#include "platform/ui/Window.h"

namespace tw::ui {
inline void PrintTo(const Color& c, std::ostream* os) {
    *os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
}  // namespace tw::ui

namespace tw::test {

// A message a child sent its parent: message, wParam and lParam.
using Notifications = std::vector<std::tuple<ui::MsgId, ui::WParam, ui::LParam>>;

class TestHost : public ui::Window {
public:
    explicit TestHost(int w = 160, int h = 160, ui::Color background = {220, 220, 220})
        : Window(nullptr, "test host") {
        MoveWindow(0, 0, w, h);
        SetBkgndColor(background);
    }

    // Creates the host and its children on screen and lets the first paint
    // happen.
    void Open() {
        ASSERT_TRUE(Create());
        Show();
        ui::Application::PumpWaitingMessages();
    }

    Notifications received;

protected:
    ui::MsgResult DefaultMessage(ui::MsgId msg, ui::WParam w, ui::LParam l) override {
        received.push_back({msg, w, l});
        return 0;
    }
};

inline void ExpectPixels(const ui::Image& img, ui::Color colour,
                         std::initializer_list<ui::Point> points) {
    for (const ui::Point& p : points) {
        EXPECT_EQ(img.Pixel(p.x, p.y), colour) << "at " << p.x << "," << p.y;
    }
}

// Whether img shows part with its top-left corner at (x0, y0).
inline bool Shows(const ui::Image& img, const ui::Image& part, int x0 = 0, int y0 = 0) {
    for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) {
            if (img.Pixel(x0 + x, y0 + y) != part.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

// Writes the image as <folder>/<name>.png under $TUNEWELL_TEST_OUTPUT, else
// under the build tree's test-output folder, for a person to look at.
inline void SaveImage(const ui::Image& image, const std::string& name, const std::string& folder) {
    const char* base = std::getenv("TUNEWELL_TEST_OUTPUT");
    std::filesystem::path dir =
        base != nullptr && *base != '\0' ? std::filesystem::path(base) : TUNEWELL_BUILD_TEST_OUTPUT;
    dir /= folder;
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(image.SavePng((dir / (name + ".png")).string())) << dir << "/" << name;
}

// Paints the window and saves the image.
inline ui::Image Snap(ui::Window& window, const std::string& name,
                      const std::string& folder = "controls") {
    ui::Image image = window.PaintToImage();
    SaveImage(image, name, folder);
    return image;
}

}  // namespace tw::test
