#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "mainwin/tw32Window.h"
#include "platform/ui/Application.h"
#include "platform/ui/TestHost.h"
#include "tests/support/SongFixture.h"

namespace tw {
namespace {

using ui::Color;

const Color kBlack = Color::Black();
const Color kWhite = Color::White();
const Color kPanelGrey{220, 220, 220};
const Color kBoxGrey{128, 128, 128};
const Color kLight{200, 200, 200};
const Color kMixerBlue{50, 50, 125};
const Color kStripBlue{50, 50, 100};

using MainWindow = test::SongFixture;

void Open(tw32Window& window) {
    ASSERT_TRUE(window.Create());
    window.Show();
    ui::Application::PumpWaitingMessages();
}

int Count(const ui::Image& img, Color colour, ui::Rect area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            n += img.Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

// A sunken box: black outline and top-left edge (which starts one row below
// the outline), light bottom-right edge, grey inside.
void ExpectBox3d(const ui::Image& img, int l, int t, int r, int b) {
    SCOPED_TRACE("box at " + std::to_string(l) + "," + std::to_string(t));
    test::ExpectPixels(img, kBlack,
                       {{l, t}, {r - 1, b - 1}, {l + 1, b}, {l + 1, t + 5}, {l + 9, t + 1}});
    test::ExpectPixels(img, kLight, {{l + 9, b - 2}, {r - 2, t + 9}});
    test::ExpectPixels(img, kBoxGrey, {{r - 4, b - 4}});
    test::ExpectPixels(img, kPanelGrey, {{l + 2, b}, {r, t + 9}});
}

TEST_F(MainWindow, ThePanelIsPaintedAtItsCoordinatesAndColours) {
    tw32Window window(nullptr);
    Open(window);
    const ui::Image img = window.PaintToImage();
    const std::filesystem::path dir = std::filesystem::path(TUNEWELL_BUILD_TEST_OUTPUT) / "mainwin";
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(img.SavePng((dir / "panel.png").string()));

    // Client outline, the two rules and the background between.
    test::ExpectPixels(img, kBlack,
                       {{0, 20},
                        {400, 0},
                        {799, 20},
                        {400, 36},
                        {400, 37},
                        {400, 38},
                        {198, 84},
                        {198, 85},
                        {198, 86}});
    test::ExpectPixels(img, kPanelGrey,
                       {{2, 20}, {90, 20}, {400, 35}, {400, 39}, {198, 83}, {198, 87}});
    // clang-format off
    for (auto [l, t, r, b] : {std::tuple{5, 4, 88, 32}, {93, 4, 413, 32}, {418, 4, 695, 32},
                              {700, 4, 795, 32}, {360, 42, 465, 80}, {200, 42, 355, 80},
                              {5, 42, 195, 80}, {470, 42, 575, 80}, {580, 42, 720, 80},
                              {725, 42, 795, 80}}) {
        // clang-format on
        ExpectBox3d(img, l, t, r, b);
    }

    // The mixer panel, its strips and the light rules along them.
    test::ExpectPixels(img, kBlack, {{2, 297}, {0, 400}, {400, 556}, {799, 400}});
    test::ExpectPixels(img, kMixerBlue,
                       {{3, 400}, {5, 298}, {400, 299}, {645, 400}, {648, 400}, {797, 400}});
    test::ExpectPixels(img, kLight, {{6, 298}, {645, 298}, {646, 300}, {646, 553}});
    for (int n = 1; n <= 16; ++n) {
        SCOPED_TRACE("strip " + std::to_string(n));
        const int x = 6 + 40 * (n - 1);
        test::ExpectPixels(img, kLight, {{x, 299}, {x, 400}, {x, 553}});
        test::ExpectPixels(img, kBlack, {{x + 20, 300}, {x + 37, 400}, {x + 20, 553}});
        test::ExpectPixels(img, kStripBlue, {{x + 1, 345}, {x + 36, 345}});
        EXPECT_GT(Count(img, kWhite, {x + 3, 540, x + 20, 554}), 5);
    }

    // Master, time and tempo boxes.
    // clang-format off
    test::ExpectPixels(img, kLight, {{651, 444}, {651, 500}, {743, 500}, {700, 444}, {651, 300},
                                     {700, 298}, {700, 355}, {794, 320}, {748, 364}, {748, 400},
                                     {795, 400}, {770, 364}});
    test::ExpectPixels(img, kBlack, {{741, 500}, {700, 553}, {793, 400}, {770, 365}, {770, 553}});
    test::ExpectPixels(img, kStripBlue, {{653, 447}, {653, 350}, {750, 367}});

    // Texts: black on grey above, white on blue in the mixer.
    for (ui::Rect r : {ui::Rect{10, 9, 40, 27}, {98, 9, 125, 27}, {423, 9, 445, 27},
                       {705, 9, 750, 27}, {365, 63, 430, 76}, {10, 45, 50, 56}, {10, 60, 50, 71},
                       {90, 63, 130, 74}, {141, 63, 190, 74}, {625, 62, 690, 73},
                       {742, 62, 780, 73}}) {
        EXPECT_GT(Count(img, kBlack, r), 10) << r.left << "," << r.top;
    }
    for (ui::Rect r : {ui::Rect{676, 540, 690, 554}, {718, 540, 732, 554}, {656, 303, 720, 316},
                       {656, 320, 720, 333}, {656, 337, 720, 350}, {753, 540, 793, 554}}) {
        // clang-format on
        EXPECT_GT(Count(img, kWhite, r), 5) << r.left << "," << r.top;
    }
}

TEST_F(MainWindow, ALargerClientAreaIsPlainGreyBeyondThePanel) {
    tw32Window window(nullptr);
    window.MoveWindow(0, 0, 860, 620);
    Open(window);
    const ui::Image img = window.PaintToImage();
    test::ExpectPixels(img, kPanelGrey, {{830, 20}, {830, 400}, {400, 580}, {830, 600}});
    test::ExpectPixels(img, kMixerBlue, {{797, 400}});
}

}  // namespace
}  // namespace tw
