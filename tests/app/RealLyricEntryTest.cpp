#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "app/PanelShot.h"
#include "smf/Progress.h"
#include "smf/SongFile.h"
#include "song/Reporter.h"
#include "song/Song.h"
#include "song/Tables.h"
#include "tests/support/SongMaker.h"

namespace tw::test {
namespace {

lyric Syllable(uint32_t time, const char* text) {
    lyric l{};
    l.time = time;
    std::strncpy(l.text, text, sizeof l.text - 1);
    return l;
}

// The saved song read back: the lyrics of track 0 as "time text" lines.
std::vector<std::string> SavedLyrics(const std::string& path) {
    SetDefaults();
    std::strncpy(sd.fileName, path.c_str(), kPathSize - 1);
    SilentReporter reporter;
    NoProgress progress;
    std::vector<std::string> out;
    if (LoadFile(reporter, progress) != 0) {
        return out;
    }
    for (uint32_t i = 0; i < sd.lyricTotal; ++i) {
        if (lcd[i].track == 0) {
            out.push_back(std::to_string(lcd[i].time) + " " + lcd[i].text);
        }
    }
    return out;
}

TEST(RealLyricEntry, ASyllableClickedOntoTheStripAndTypedIsSavedAtItsSnappedTime) {
    if (!XServer::Available()) {
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
    }
    XServer x;
    ASSERT_TRUE(x.Ok()) << "Xvfb did not start";
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tw-lyric-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string song = (dir / "song.kar").string();
    SongMaker maker;
    maker.Note(0, 0, 60, 0, 192);
    SilentReporter reporter;
    ASSERT_EQ(UpdateLyricData(reporter, Syllable(0, "Hel")), kStored);
    ASSERT_TRUE(maker.Save(song));
    const auto made = std::filesystem::last_write_time(song);

    Process tw({TUNEWELL_BINARY, song}, {"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb"},
               dir.string(), (dir / "tunewell.log").string());
    ASSERT_FALSE(x.WaitForWindow("^Tunewell: .*song.kar", 20000).empty());
    const Shot panel = WaitForShot(
        x, [](const Shot& s) { return PanelTop(s) > 0; }, 10000);
    const int top = PanelTop(panel);
    ASSERT_GT(top, 0) << "no panel under a menu bar";

    // The strip starts at x = 4 of the panel; its x = 211 is 384 ticks
    // into the page at sixteenth-note snapping.
    x.Run("xdotool mousemove 215 " + std::to_string(top + 255 + 20) + " click 1");
    ASSERT_FALSE(x.WaitForWindow("^Enter Lyric$", 5000).empty()) << "no entry dialog";
    x.Run("xdotool type --delay 50 Tune");
    x.Run("xdotool key Return");

    // File, then Save: the third item below the menu's top.
    x.Run("xdotool mousemove 20 " + std::to_string(top / 2) + " click 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    x.Run("xdotool key Down key Down key Down key Return");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::filesystem::last_write_time(song) == made &&
           std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    tw.End();
    EXPECT_EQ(SavedLyrics(song), (std::vector<std::string>{"0 Hel", "384 Tune"}));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tw::test
