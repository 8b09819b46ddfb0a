#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/PanelShot.h"

namespace tw::test {
namespace {

constexpr uint32_t kMixerBlue = 0x32327D;
constexpr uint32_t kGrey = 0xDCDCDC;
constexpr uint32_t kNoteRed = 0x800000;
constexpr uint32_t kWhite = 0xFFFFFF;

int Count(const Shot& shot, uint32_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            n += shot.At(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

TEST(RealWindow, OpensWithTheSongShowsThePanelOpensTheFileMenuAndExitsWithoutAPrompt) {
    if (!XServer::Available()) {
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
    }
    XServer x;
    ASSERT_TRUE(x.Ok()) << "Xvfb did not start";
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tw-window-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    Process tw({TUNEWELL_BINARY, TUNEWELL_DEMO_SONG},
               {"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb"}, dir.string(),
               (dir / "tunewell.log").string());
    const std::string window = x.WaitForWindow("^Tunewell: .*demo", 20000);
    ASSERT_FALSE(window.empty()) << "no window named after the song";

    const Shot panel = WaitForShot(
        x, [](const Shot& s) { return PanelTop(s) > 0; }, 10000);
    const int top = PanelTop(panel);
    ASSERT_GT(top, 0) << "no panel under a menu bar";
    EXPECT_EQ(panel.At(400, top + 37), kBlack);     // the thick line under the header
    EXPECT_EQ(panel.At(3, top + 300), kMixerBlue);  // the mixer left of strip 1
    EXPECT_EQ(panel.At(1000, top + 300), kGrey);    // the client area right of the panel
    // The tune's first page on the staff, its words on the strip below.
    EXPECT_GT(Count(panel, kNoteRed, 4, top + 90, 796, top + 245), 200);
    EXPECT_GT(Count(panel, kWhite, 54, top + 255, 796, top + 295), 100);

    x.Run("xdotool mousemove 20 " + std::to_string(top / 2) + " click 1");
    const Shot menu = WaitForShot(
        x, [&](const Shot& s) { return Differences(s, panel, 0, top, 200, top + 150) > 2000; },
        5000);
    EXPECT_GT(Differences(menu, panel, 0, top, 200, top + 150), 2000)
        << "the File menu did not open";

    // Up from the top of the File menu wraps to its last item, Exit.
    x.Run("xdotool key Up key Return");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(tw.WaitForExit(5000)) << "the window did not close";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(WIFEXITED(tw.ExitStatus()) && WEXITSTATUS(tw.ExitStatus()) == 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "tw.cfg"));
    tw.End();
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tw::test
