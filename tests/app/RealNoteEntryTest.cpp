#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "app/PanelShot.h"
#include "smf/Progress.h"
#include "smf/SongFile.h"
#include "song/Reporter.h"
#include "song/Song.h"

namespace tw::test {
namespace {

constexpr uint32_t kNoteRed = 0x800000;

// One track at 192 ticks a quarter in 4/4 with middle C at the start.
const std::vector<unsigned char> kSong = {'M',  'T',  'h',  'd',  0,    0,    0,    6,
                                          0,    1,    0,    1,    0,    192,               //
                                          'M',  'T',  'r',  'k',  0,    0,    0,    20,    //
                                          0x00, 0xFF, 0x58, 0x04, 4,    2,    0x18, 0x08,  //
                                          0x00, 0x90, 60,   100,  0x60, 0x80, 60,   0,     //
                                          0x00, 0xFF, 0x2F, 0x00};

// Pixels in the colour of the notes on the staff of the panel at top.
int RedIn(const Shot& shot, int top) {
    int n = 0;
    for (int y = top + 90; y < top + 245; ++y) {
        for (int x = 54; x < 780; ++x) {
            n += shot.At(x, y) == kNoteRed ? 1 : 0;
        }
    }
    return n;
}

std::vector<char> Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RealNoteEntry, ThreeClickedNotesAreSavedAtTheirSnappedTimesAndPitches) {
    if (!XServer::Available()) {
        GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
    }
    XServer x;
    ASSERT_TRUE(x.Ok()) << "Xvfb did not start";
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tw-notes-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path song = dir / "song.mid";
    std::ofstream(song, std::ios::binary)
        .write(reinterpret_cast<const char*>(kSong.data()),
               static_cast<std::streamsize>(kSong.size()));
    {
        Process tw({TUNEWELL_BINARY, song.string()},
                   {"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb"}, dir.string(),
                   (dir / "tunewell.log").string());
        ASSERT_FALSE(x.WaitForWindow("^Tunewell: .*song", 20000).empty());
        const Shot before = WaitForShot(
            x, [](const Shot& s) { return PanelTop(s) > 0 && RedIn(s, PanelTop(s)) > 0; }, 10000);
        const int top = PanelTop(before);
        ASSERT_GT(top, 0) << "no panel under a menu bar";

        // Staff columns and rows: t = 192 exactly, 396 snapped to 384 and
        // 600 snapped (halfway) to 576; C4, E4 and G4 at the first offset.
        for (const auto& [sx, sy] : {std::pair{130, 80}, {215, 72}, {300, 64}}) {
            x.Run("xdotool mousemove " + std::to_string(4 + sx) + " " +
                  std::to_string(top + 90 + sy) + " click 1");
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        const Shot entered = WaitForShot(
            x, [&](const Shot& s) { return RedIn(s, top) >= 4 * RedIn(before, top) - 10; }, 5000);
        EXPECT_GE(RedIn(entered, top), 4 * RedIn(before, top) - 10) << "the notes were not drawn";

        // File, then down to Save (New, Open, Save) and Return.
        x.Run("xdotool mousemove 20 " + std::to_string(top / 2) + " click 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        x.Run("xdotool key Down key Down key Down key Return");
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Bytes(song) == std::vector<char>(kSong.begin(), kSong.end()) &&
               std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        tw.End();
    }

    ASSERT_TRUE(Startup());
    SilentReporter reporter;
    NoProgress progress;
    ASSERT_EQ(OpenSongFile(song.string().c_str(), reporter, progress), kLoadOk);
    std::vector<std::tuple<uint32_t, uint32_t, int>> notes;
    for (uint32_t i = 0; i < sd.noteCount[0]; ++i) {
        notes.emplace_back(dd[0][i].start, dd[0][i].end, dd[0][i].note);
    }
    Shutdown();
    const std::vector<std::tuple<uint32_t, uint32_t, int>> expected = {
        {0, 96, 60}, {192, 384, 60}, {384, 576, 64}, {576, 768, 67}};
    EXPECT_EQ(notes, expected);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tw::test
