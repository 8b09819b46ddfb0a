// MakeManualImages SONG OUTDIR: opens SONG as File Open does, paints the
// front panel through the program's own offscreen painting and writes the
// manual's pictures into OUTDIR, each a part of the panel with numbered
// markers on it. Run with QT_QPA_PLATFORM=offscreen; no display is needed.

#include <cstdio>
#include <filesystem>
#include <string>

#include "mainwin/tw32Window.h"
#include "platform/ui/Application.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Control.h"
#include "platform/ui/DC.h"
#include "platform/ui/Font.h"
#include "platform/ui/Pen.h"
#include "resources/help/ManualPictures.h"
#include "smf/Progress.h"
#include "smf/SongFile.h"
#include "song/Reporter.h"
#include "song/Song.h"

namespace tw::manual {
namespace {

constexpr int kMarkerSize = 15;
const ui::Color kMarkerYellow{255, 214, 0};
const ui::Color kSheetWhite{255, 255, 255};

// A numbered disc laid over the panel.
class MarkerDisc : public ui::Control {
public:
    MarkerDisc(ui::Window* parent, int number, int x, int y)
        : Control(parent, -1, x - kMarkerSize / 2, y - kMarkerSize / 2, kMarkerSize, kMarkerSize),
          number_(number) {
        SetBkgndColor(kSheetWhite);
    }

    void Paint(ui::DC& dc, bool, ui::Rect&) override {
        const ui::Rect c = GetClientRect();
        dc.FillRect(c, BkgndColor());
        dc.SelectPen(ui::Pen(ui::Color::Black()));
        dc.SelectBrush(ui::Brush(kMarkerYellow));
        dc.Ellipse(c);
        dc.SelectFont(ui::Font("Helvetica", number_ > 9 ? -9 : -11, 0, 700));
        dc.SetTextColor(ui::Color::Black());
        dc.SetBkColor(kMarkerYellow);
        const std::string text = std::to_string(number_);
        const ui::Size extent = dc.GetTextExtent(text);
        dc.TextOut((c.Width() - extent.cx) / 2, (c.Height() - extent.cy) / 2, text);
    }

private:
    int number_;
};

// Shows the picture's part of a whole panel inside a white margin, with the
// song's state on it and a few level meters lit as during playback, and
// its markers on top. The part is a window of its own, so that the panel
// inside it is cut off at the part's edges.
bool PaintPicture(const Picture& picture, const std::string& path) {
    const int width = picture.right - picture.left, height = picture.bottom - picture.top;
    ui::Window sheet(nullptr, 0, 0, 0, width + 2 * kMargin, height + 2 * kMargin);
    sheet.SetBkgndColor(kSheetWhite);
    auto* part = new ui::Window(&sheet, -1, kMargin, kMargin, width, height);
    auto* panel = new tw32Window(part);
    panel->MoveWindow(-picture.left, -picture.top, 800, 557);
    for (const Marker& m : picture.markers) {
        new MarkerDisc(&sheet, m.number, m.x - picture.left + kMargin, m.y - picture.top + kMargin);
    }
    if (!sheet.Create()) {
        return false;
    }
    panel->SetSongStartUp();
    for (uint32_t c = 0; c < 4; ++c) {
        (void)panel->EvPlayer(8, static_cast<ui::LParam>(c | ((100u - 20u * c) << 16)));
    }
    sheet.Show();
    ui::Application::PumpWaitingMessages();
    return sheet.PaintToImage().SavePng(path);
}

}  // namespace
}  // namespace tw::manual

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("Usage: MakeManualImages SONG OUTDIR\n", stderr);
        return 64;
    }
    if (!tw::Startup()) {
        std::fputs("MakeManualImages: not enough memory for the song tables\n", stderr);
        return 1;
    }
    tw::SilentReporter reporter;
    tw::NoProgress progress;
    const int result = tw::OpenSongFile(argv[1], reporter, progress);
    if (result != tw::kLoadOk) {
        std::fprintf(stderr, "MakeManualImages: %s: Load error = %d\n", argv[1], result);
        return 2;
    }
    tw::ui::Application::EnsureStarted();
    std::filesystem::create_directories(argv[2]);
    int status = 0;
    for (const tw::manual::Picture& picture : tw::manual::kPictures) {
        const std::string path = std::string(argv[2]) + "/" + picture.file;
        if (!tw::manual::PaintPicture(picture, path)) {
            std::fprintf(stderr, "MakeManualImages: %s could not be written\n", path.c_str());
            status = 1;
        }
    }
    tw::Shutdown();
    return status;
}
