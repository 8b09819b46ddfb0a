#include "mainwin/PanelArt.h"

#include "mainwin/PanelText.h"
#include "platform/ui/Brush.h"
#include "platform/ui/DC.h"
#include "platform/ui/Pen.h"

namespace tw {

namespace {

constexpr ui::Color kPanelGrey = PanelArt::kBackground;
constexpr ui::Color kBoxGrey{128, 128, 128};
constexpr ui::Color kLight{200, 200, 200};
constexpr ui::Color kMixerBlue{50, 50, 125};
constexpr ui::Color kStripBlue{50, 50, 100};

const ui::Pen kBlackPen{ui::Color::Black()};
const ui::Pen kThickPen{ui::Color::Black(), 3};
const ui::Pen kLightPen{kLight};

void Line(ui::DC& dc, int x0, int y0, int x1, int y1) {
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

// A black box on the mixer's blue with light rules along its left, top and
// right edges, one pixel outside; the light pen stays selected.
void RuledBox(ui::DC& dc, int left, int top, int right, int bottom) {
    dc.SelectPen(kBlackPen);
    dc.Rectangle(left, top, right, bottom);
    dc.SelectPen(kLightPen);
    Line(dc, left, top - 1, left, bottom);
    Line(dc, right + 1, top - 1, right + 1, bottom);
    Line(dc, left, top - 1, right + 1, top - 1);
}

}  // namespace

PanelArt::PanelArt()
    : titleFont("Helvetica", -16, 7, 700),
      labelFont("Courier New", -14, 7, 700),
      smallFont("Courier New", -11, 7, 700) {}

void PanelArt::Paint(ui::DC& dc, const ui::Rect& client) const {
    PaintHeader(dc, client);
    dc.SetTextColor(ui::Color::White());
    dc.SelectBrush(ui::Brush(kStripBlue));
    dc.SetBkColor(kStripBlue);
    for (int n = 1; n <= 16; ++n) {
        PaintStrip(dc, n);
    }
    dc.SelectPen(kLightPen);
    Line(dc, 646, 300, 646, 554);
    Line(dc, 6, 298, 646, 298);
    PaintRightSection(dc);
    PaintToolBar(dc);
}

void PanelArt::PaintHeader(ui::DC& dc, const ui::Rect& client) const {
    dc.SelectBrush(ui::Brush(kPanelGrey));
    dc.SelectPen(kBlackPen);
    dc.Rectangle(client);
    dc.SelectPen(kThickPen);
    Line(dc, 0, 37, 800, 37);
    dc.SelectPen(kBlackPen);
    dc.SelectBrush(ui::Brush(kMixerBlue));
    dc.Rectangle(0, 297, 800, 557);
    DrawBox3d(dc, 5, 4, 88, 32);
    DrawBox3d(dc, 93, 4, 413, 32);
    DrawBox3d(dc, 418, 4, 695, 32);
    DrawBox3d(dc, 700, 4, 795, 32);
    dc.SelectFont(titleFont);
    dc.SetTextColor(ui::Color::Black());
    dc.SetBkColor(kBoxGrey);
    dc.TextOut(10, 9, "Bar");
    dc.TextOut(98, 9, "Trk");
    dc.TextOut(423, 9, "Ch");
    dc.TextOut(705, 9, "Notes");
}

// Strip n (1..16) of the mixer, drawn behind the controls of channel n - 1.
void PanelArt::PaintStrip(ui::DC& dc, int n) const {
    const int x = 6 + 40 * (n - 1);
    dc.SelectPen(kBlackPen);
    dc.Rectangle(x, 300, x + 38, 554);
    dc.SelectPen(kLightPen);
    Line(dc, x, 298, x, 554);
    dc.SelectFont(labelFont);
    dc.TextOut(x + 3, 540, PanelText("%d", static_cast<unsigned>(n)));
    dc.SelectFont(smallFont);
    dc.TextOut(x + 10, 448, "Pan");
    dc.TextOut(x + 10, 410, "Rev");
    dc.TextOut(x + 10, 372, "Chr");
    dc.TextOut(x + 6, 332, "M");
    dc.TextOut(x + 18, 332, "Vu");
    dc.TextOut(x + 6, 310, "S");
}

// The master box, the time box and the tempo box, right of the strips.
void PanelArt::PaintRightSection(ui::DC& dc) const {
    RuledBox(dc, 651, 445, 742, 554);
    dc.SelectFont(labelFont);
    dc.TextOut(676, 540, "L");
    dc.TextOut(718, 540, "R");

    dc.Rectangle(651, 298, 794, 355);
    dc.MoveTo(651, 298);
    dc.LineTo(651, 355);
    dc.LineTo(794, 355);
    dc.LineTo(794, 298);
    dc.LineTo(651, 298);
    dc.SelectFont(smallFont);
    dc.TextOut(656, 303, "Current");
    dc.TextOut(656, 320, "Cue");
    dc.TextOut(656, 337, "Total");

    RuledBox(dc, 748, 365, 794, 554);
    dc.TextOut(753, 540, "Tempo");
}

void PanelArt::PaintToolBar(ui::DC& dc) const {
    dc.SelectPen(kThickPen);
    dc.SetTextColor(ui::Color::Black());
    dc.SetBkColor(kBoxGrey);
    dc.SelectFont(smallFont);
    Line(dc, 0, 85, 800, 85);
    DrawBox3d(dc, 360, 42, 465, 80);
    dc.TextOut(365, 63, "Velocity");
    DrawBox3d(dc, 200, 42, 355, 80);
    DrawBox3d(dc, 5, 42, 195, 80);
    dc.TextOut(10, 45, "Lyric");
    dc.TextOut(10, 60, "Track");
    dc.TextOut(90, 63, "Track");
    dc.TextOut(141, 63, "Total");
    DrawBox3d(dc, 470, 42, 575, 80);
    DrawBox3d(dc, 580, 42, 720, 80);
    dc.TextOut(625, 62, "Note Edit");
    DrawBox3d(dc, 725, 42, 795, 80);
    dc.TextOut(742, 62, "Mixer");
}

// A sunken grey box: a dark edge along the top and left inside a black
// outline, a light one along the bottom and right. The caller's pen is kept.
void PanelArt::DrawBox3d(ui::DC& dc, int left, int top, int right, int bottom) {
    const ui::Pen callerPen = dc.CurrentPen();
    dc.SelectBrush(ui::Brush(kBoxGrey));
    dc.SelectPen(kBlackPen);
    dc.Rectangle(left, top, right, bottom);
    dc.MoveTo(left + 1, bottom);
    dc.LineTo(left + 1, top + 1);
    dc.LineTo(right - 1, top + 1);
    dc.SelectPen(kLightPen);
    dc.MoveTo(left + 2, bottom - 2);
    dc.LineTo(right - 2, bottom - 2);
    dc.LineTo(right - 2, top + 2);
    dc.SelectPen(callerPen);
}

}  // namespace tw
