#pragma once

// Shared by the framework and control tests: a top-level window that hosts
// the window under test and records every message its children send it, and
// a place to write painted images for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Color.h"
#include "platform/ui/Image.h"
#include "platform/ui/Window.h"

namespace tw::ui {
inline void PrintTo(const Color& c, std::ostream* os) {
    *os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
}  // namespace tw::ui

namespace tw::test {

struct Notification {
    ui::MsgId msg;
    ui::WParam wParam;
    ui::LParam lParam;
    friend bool operator==(const Notification&, const Notification&) = default;
};

inline void PrintTo(const Notification& n, std::ostream* os) {
    *os << "{" << n.msg << ", " << n.wParam << ", " << n.lParam << "}";
}

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

    std::vector<Notification> received;

protected:
    ui::MsgResult DefaultMessage(ui::MsgId msg, ui::WParam w, ui::LParam l) override {
        received.push_back({msg, w, l});
        return 0;
    }
};

// $TUNEWELL_TEST_OUTPUT/<area>; without the variable, the build tree's
// test-output folder that the build names, else one in the temporary
// directory.
inline std::filesystem::path OutputDir(const std::string& area) {
    const char* base = std::getenv("TUNEWELL_TEST_OUTPUT");
#ifdef TUNEWELL_BUILD_TEST_OUTPUT
    const std::filesystem::path fallback(TUNEWELL_BUILD_TEST_OUTPUT);
#else
    const std::filesystem::path fallback =
        std::filesystem::temp_directory_path() / "tunewell-test-output";
#endif
    std::filesystem::path dir =
        base != nullptr && *base != '\0' ? std::filesystem::path(base) : fallback;
    dir /= area;
    std::filesystem::create_directories(dir);
    return dir;
}

inline void WriteImage(const ui::Image& image, const std::string& area, const std::string& name) {
    const auto path = OutputDir(area) / (name + ".png");
    EXPECT_TRUE(image.SavePng(path.string())) << path;
}

}  // namespace tw::test
