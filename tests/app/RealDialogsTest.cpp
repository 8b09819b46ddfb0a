#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "app/PanelShot.h"

// The real program on a private X server with a real window manager, as a
// desktop runs it: the frame maximised with its caption on the screen, and
// every dialog painted with its face and legible texts, leaving the panel
// whole when it closes.

namespace tw::test {
namespace {

constexpr uint32_t kFace = 0xC0C0C0;  // the dialogs' face
constexpr uint32_t kText = 0x000000;
constexpr int kScreenW = 1280, kScreenH = 900;

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

int Count(const Shot& shot, uint32_t colour, const Box& b) {
    int n = 0;
    for (int y = b.y; y < b.y + b.h; ++y) {
        for (int x = b.x; x < b.x + b.w; ++x) {
            n += shot.At(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

// Where a window's client area lies on the screen. (xdotool counts the
// window manager's frame twice.)
Box Geometry(const XServer& x, const std::string& id) {
    std::istringstream in(x.Run("xwininfo -id " + id));
    Box b;
    for (std::string line; std::getline(in, line);) {
        const int value = std::atoi(line.c_str() + line.find(':') + 1);
        if (line.find("Absolute upper-left X:") != std::string::npos) {
            b.x = value;
        } else if (line.find("Absolute upper-left Y:") != std::string::npos) {
            b.y = value;
        } else if (line.find("  Width:") != std::string::npos) {
            b.w = value;
        } else if (line.find("  Height:") != std::string::npos) {
            b.h = value;
        }
    }
    return b;
}

// The centres of the menu bar's titles, left to right: runs of columns that
// differ from the bar's own colour at its right end.
std::vector<int> Titles(const Shot& shot, const Box& bar) {
    const uint32_t back = shot.At(bar.x + bar.w - 2, bar.y + bar.h / 2);
    std::vector<int> centres;
    int first = -1, last = -100;
    for (int x = bar.x; x < bar.x + bar.w; ++x) {
        bool ink = false;
        for (int y = bar.y + 3; y < bar.y + bar.h - 3 && !ink; ++y) {
            ink = shot.At(x, y) != back;
        }
        if (ink && x - last > 8) {
            if (first >= 0) {
                centres.push_back((first + last) / 2);
            }
            first = x;
        }
        last = ink ? x : last;
    }
    if (first >= 0) {
        centres.push_back((first + last) / 2);
    }
    return centres;
}

bool WaitFor(const std::function<bool()>& ready, int timeoutMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool ok = false;
    while (!(ok = ready()) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ok;
}

bool Gone(const XServer& x, const std::string& pattern) {
    return WaitFor(
        [&] { return x.Run("xdotool search --onlyvisible --name '" + pattern + "'").empty(); },
        5000);
}

// The static texts of a dialog template that are shown: their rectangles
// in the dialog's client coordinates.
std::vector<Box> Statics(int resourceId) {
    std::ifstream in(std::string(TUNEWELL_DIALOGS_DIR) + "/" + std::to_string(resourceId) + ".dlg");
    std::vector<Box> statics;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        int id = 0;
        Box b;
        if (words >> kind >> id >> b.x >> b.y >> b.w >> b.h && kind == "static" &&
            line.find(" hidden") == std::string::npos) {
            statics.push_back(b);
        }
    }
    return statics;
}

// A port that is not there, so that the port always fails to open and the
// program says so after the port dialog, whatever the machine has.
void WriteConfigForAMissingPort(const std::filesystem::path& path) {
    char record[267] = {};
    record[8] = static_cast<char>(999 & 0xFF);
    record[9] = static_cast<char>(999 >> 8);
    std::strcpy(record + 12, "Gone Synth");
    std::ofstream(path, std::ios::binary).write(record, sizeof record);
}

class RealDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        if (!XServer::Available() || access("/usr/bin/openbox", X_OK) != 0) {
            GTEST_SKIP() << "Xvfb or openbox is not installed (scripts/setup installs them)";
        }
        ASSERT_TRUE(x.Ok()) << "Xvfb did not start";
        dir = std::filesystem::temp_directory_path() / ("tw-dialogs-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        const std::vector<std::string> env = {"DISPLAY=" + x.Display(),
                                              "XDG_CONFIG_HOME=" + dir.string(),
                                              "XDG_CACHE_HOME=" + dir.string()};
        wm = std::make_unique<Process>(std::vector<std::string>{"/usr/bin/openbox"}, env);
        ASSERT_TRUE(WaitFor(
            [&] {
                return x.Run("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
                       std::string::npos;
            },
            10000))
            << "openbox did not start";
        WriteConfigForAMissingPort(dir / "tw.cfg");
        tw = std::make_unique<Process>(
            std::vector<std::string>{TUNEWELL_BINARY, TUNEWELL_DEMO_SONG},
            std::vector<std::string>{"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb"}, dir.string(),
            (dir / "tunewell.log").string());
        frame = x.WaitForWindow("^Tunewell: .*demo", 20000);
        ASSERT_FALSE(frame.empty()) << "no window named after the song";
    }
    void TearDown() override {
        tw.reset();
        wm.reset();
        std::filesystem::remove_all(dir);
    }

    // The panel's top left on the screen: the frame's client area starts
    // with the menu bar, the panel with its black outline under it.
    void FindPanel() {
        const Box client = Geometry(x, frame);
        const auto top = [&](const Shot& s) {
            for (int y = client.y; y < client.y + 80; ++y) {
                if (s.At(client.x + 795, y) == kBlack) {
                    return y;
                }
            }
            return -1;
        };
        const Shot shot = WaitForShot(
            x, [&](const Shot& s) { return top(s) >= 0; }, 10000);
        panelX = client.x;
        panelY = top(shot);
        menuY = (client.y + panelY) / 2;
        titles = Titles(shot, {client.x, client.y, client.w, panelY - client.y});
    }
    void ClickPanel(int px, int py, int button = 1) {
        x.Run("xdotool mousemove " + std::to_string(panelX + px) + " " +
              std::to_string(panelY + py) + " click " + std::to_string(button));
    }
    // The item of the menu bar's popup `popup` (from 0) whose underlined
    // letter is `letter`: greyed items come and go, letters stay.
    void Menu(int popup, char letter) {
        ASSERT_LT(popup, static_cast<int>(titles.size())) << "no such menu title";
        x.Run("xdotool mousemove " + std::to_string(titles[popup]) + " " + std::to_string(menuY) +
              " click 1");
        x.Run(std::string("xdotool key ") + letter);
    }
    Box Panel() const { return {panelX, panelY, 800, 557}; }

    // Opens a dialog, checks its face and each static text of its template,
    // closes it with Escape and waits for the panel to be as it was.
    void Check(int resourceId, const std::string& caption, const std::function<void()>& open) {
        SCOPED_TRACE(caption);
        open();
        const std::string id = x.WaitForWindow("^" + caption + "$", 10000);
        ASSERT_FALSE(id.empty()) << "the dialog did not open";
        // Above its frame a dialog shows nothing but its face.
        Shot shot;
        const auto faced = [&] {
            shot = x.WindowShot(id);
            return shot.width > 0 && Count(shot, kFace, {0, 0, shot.width, 6}) == shot.width * 6;
        };
        EXPECT_TRUE(WaitFor(faced, 5000)) << "the face is not the dialog colour";
        const std::vector<Box> statics = Statics(resourceId);
        ASSERT_FALSE(statics.empty()) << "no template " << resourceId;
        for (const Box& s : statics) {
            EXPECT_GT(Count(shot, kText, s), 0) << "no text at " << s.x << "," << s.y;
            EXPECT_GT(Count(shot, kFace, s), 0)
                << "no face behind the text at " << s.x << "," << s.y;
        }
        x.Run("xdotool windowactivate --sync " + id + " key Escape");
        ASSERT_TRUE(Gone(x, "^" + caption + "$")) << "the dialog did not close";
    }
    void ExpectPanelWhole() {
        const Shot now = WaitForShot(
            x, [&](const Shot& s) { return Same(s, panelShot); }, 5000);
        EXPECT_TRUE(Same(now, panelShot)) << "the panel is not whole after the dialog";
    }
    // The tempo read-out is left out: closing the tempo list sets it anew.
    bool Same(const Shot& a, const Shot& b) const {
        const Box p = Panel();
        const Box tempo{p.x + 757, p.y + 372, 30, 20};
        return Differences(a, b, p.x, p.y, p.x + p.w, p.y + p.h) ==
               Differences(a, b, tempo.x, tempo.y, tempo.x + tempo.w, tempo.y + tempo.h);
    }

    XServer x{kScreenW, kScreenH};
    std::filesystem::path dir;
    std::unique_ptr<Process> wm;
    std::unique_ptr<Process> tw;
    std::string frame;
    int panelX = 0, panelY = -1, menuY = 0;
    std::vector<int> titles;  // File, Edit, Track, System, Help
    Shot panelShot;
};

TEST_F(RealDialogs, TheFrameIsMaximisedWithItsCaptionOnScreenAndEveryDialogIsLegible) {
    ASSERT_TRUE(WaitFor(
        [&] {
            return x.Run("xprop -id " + frame + " _NET_WM_STATE")
                       .find("_NET_WM_STATE_MAXIMIZED_VERT") != std::string::npos;
        },
        10000))
        << "the window manager did not maximise the frame";
    EXPECT_NE(x.Run("xprop -id " + frame + " _NET_WM_STATE").find("MAXIMIZED_HORZ"),
              std::string::npos);
    EXPECT_EQ(x.Run("xprop -id " + frame + " WM_NORMAL_HINTS").find("maximum size"),
              std::string::npos)
        << "the frame fixes its size";
    const Box client = Geometry(x, frame);
    int left = 0, right = 0, top = 0, bottom = 0;
    const std::string extents = x.Run("xprop -id " + frame + " _NET_FRAME_EXTENTS");
    ASSERT_EQ(std::sscanf(extents.c_str() + extents.find('=') + 1, "%d, %d, %d, %d", &left, &right,
                          &top, &bottom),
              4)
        << extents;
    EXPECT_GT(top, 0) << "no caption";
    EXPECT_GE(client.y - top, 0) << "the caption is above the screen";
    EXPECT_EQ(client.w + left + right, kScreenW);
    EXPECT_LE(client.y + client.h + bottom, kScreenH);

    FindPanel();
    ASSERT_GE(panelY, 0) << "no panel under the menu bar";
    ASSERT_EQ(titles.size(), 5u) << "the menu bar's titles were not found";
    // The panel as the song left it, once two screenshots agree.
    Shot previous = x.Screenshot();
    ASSERT_TRUE(WaitFor(
        [&] {
            panelShot = std::exchange(previous, x.Screenshot());
            return Same(panelShot, previous) && Count(panelShot, kBlack, Panel()) > 1000;
        },
        10000));

    const std::vector<std::tuple<int, std::string, std::function<void()>>> dialogs = {
        {1, "Set Current Bar", [&] { ClickPanel(60, 18, 3); }},
        {2, "Edit TrackName", [&] { ClickPanel(280, 18); }},
        {3, "Set Channel Voice", [&] { ClickPanel(580, 18); }},
        {9, "Enter Lyric", [&] { ClickPanel(215, 275); }},
        {7, "Edit Effects Data", [&] { Menu(1, 'o'); }},
        {12, "Edit Lyrics", [&] { Menu(1, 'l'); }},
        {8, "Edit Program Changes", [&] { Menu(1, 'p'); }},
        {4, "Edit Tempo Settings", [&] { Menu(1, 't'); }},
        {13, "Edit Copyright Notice", [&] { Menu(1, 'c'); }},
        {6, "Song Time Settings", [&] { Menu(3, 't'); }},
        {11, "About Tunewell", [&] { Menu(4, 'a'); }},
        {5, "Midi Ports", [&] { Menu(3, 'm'); }},
    };
    for (const auto& [resourceId, caption, open] : dialogs) {
        Check(resourceId, caption, open);
        if (resourceId == 5) {
            // Reopening the missing port fails, and the program says why.
            const std::string box = x.WaitForWindow("^Midi Port$", 10000);
            ASSERT_FALSE(box.empty()) << "the failed port went unexplained";
            x.Run("xdotool windowactivate --sync " + box + " key Return");
            EXPECT_TRUE(Gone(x, "^Midi Port$"));
        }
        SCOPED_TRACE(caption);
        ExpectPanelWhole();
    }
}

}  // namespace
}  // namespace tw::test
