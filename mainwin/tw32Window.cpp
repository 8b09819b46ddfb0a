#include "mainwin/tw32Window.h"

#include <cstdio>

#include "controls/Button2.h"
#include "controls/Display.h"
#include "controls/Fader.h"
#include "controls/Led.h"
#include "controls/Pot.h"
#include "controls/Pot2.h"
#include "controls/VU.h"
#include "platform/ui/DC.h"
#include "platform/ui/ModalRunner.h"
#include "song/Song.h"

namespace tw {

namespace {

constexpr int kPanelWidth = 800;
constexpr int kPanelHeight = 557;

constexpr ui::Color kPanelGrey{220, 220, 220};
constexpr ui::Color kBoxGrey{128, 128, 128};
constexpr ui::Color kLight{200, 200, 200};
constexpr ui::Color kMixerBlue{50, 50, 125};
constexpr ui::Color kStripBlue{50, 50, 100};

const ui::Pen kBlackPen{ui::Color::Black()};
const ui::Pen kThickPen{ui::Color::Black(), 3};
const ui::Pen kLightPen{kLight};

std::string Format(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void Line(ui::DC& dc, int x0, int y0, int x1, int y1) {
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

}  // namespace

tw32Window::tw32Window(ui::Window* parent)
    : Window(parent, 0, 0, 0, kPanelWidth, kPanelHeight),
      titleFont("Helvetica", -16, 7, 700),
      labelFont("Courier New", -14, 7, 700),
      smallFont("Courier New", -11, 7, 700) {
    SetBkgndColor(kPanelGrey);
    CreateHeaderRow();
    for (int c = 0; c < 16; ++c) {
        CreateChannelStrip(c);
    }
    CreateMasterAndTempo();
    CreateToolBar();
}

// Construction order is the order in which the framework creates the
// children, so each group is made where it stands in that order.
void tw32Window::CreateHeaderRow() {
    barDisplay = new Display(this, 401, 40, 8, 40, 20, 1, 0);
    trackDisplay = new Display(this, 402, 125, 8, 25, 20, 1, 0);
    trackNameDisplay = new Display(this, 403, 155, 8, 250, 20, 1, 0);
    channelDisplay = new Display(this, 404, 445, 8, 25, 20, 1, 0);
    voiceDisplay = new Display(this, 405, 475, 8, 214, 20, 1, 0);
    notesDisplay = new Display(this, -1, 750, 8, 40, 20, 0, 0);
}

void tw32Window::CreateChannelStrip(int c) {
    const int x0 = 8 + 40 * c;
    const auto i = static_cast<size_t>(c);
    channelFader[i] = new Fader(this, 450, x0 + 1, 460, 35, 80, 1, c);
    panPot[i] = new Pot(this, 453, x0 + 1, 425, 35, 25, 4, 15, c);
    reverbPot[i] = new Pot(this, 454, x0 + 1, 388, 35, 25, 2, 15, c);
    chorusPot[i] = new Pot(this, 455, x0 + 1, 348, 35, 25, 2, 15, c);
    muteButton[i] = new Button2(this, 456, x0 + 3, 324, 9, 9, 458, 459, 1, c);
    soloButton[i] = new Button2(this, 457, x0 + 3, 302, 9, 9, 460, 461, 1, c);
    channelVU[i] = new VU(this, -1, x0 + 17, 302, 12, 30);
    channelLed[i] = new Led(this, -1, x0 + 22, 540, 12, 14, 1);
}

void tw32Window::CreateMasterAndTempo() {
    masterFader[0] = new Fader(this, 451, 656, 450, 40, 90, 1, 0);
    masterFader[1] = new Fader(this, 451, 700, 450, 40, 90, 1, 1);
    tempoFader = new Fader(this, 452, 752, 400, 40, 140, 1, 2);
    tempoDisplay = new Display(this, -1, 757, 372, 30, 20, 0, 0);
    currentTimeDisplay = new Display(this, -1, 727, 303, 60, 15, 0, 1);
    cueTimeDisplay = new Display(this, -1, 727, 320, 60, 15, 0, 1);
    totalTimeDisplay = new Display(this, -1, 727, 337, 60, 15, 0, 1);
}

void tw32Window::CreateToolBar() {
    velocityPot = new Pot2(this, 701, 430, 50, 30, 25, 1, 15, 0);
    velocityDisplay = new Display(this, -1, 375, 47, 36, 17, 0, 0);
    for (int i = 0; i < 6; ++i) {
        noteTypeButton[static_cast<size_t>(i)] =
            new Button2(this, 702, 205 + 15 * i, 50, 15, 25, 301 + 2 * i, 302 + 2 * i, 0, i);
    }
    symbolButton[0] = new Button2(this, 703, 300, 60, 15, 15, 317, 318, 1, 0);
    symbolButton[1] = new Button2(this, 703, 315, 60, 15, 15, 315, 316, 1, 1);
    dotButton = new Button2(this, 704, 335, 60, 15, 15, 313, 314, 1, 0);
    lyricTrackDisplay = new Display(this, 319, 53, 50, 25, 20, 1, 0);
    lyricCountDisplay = new Display(this, -1, 88, 47, 40, 17, 0, 0);
    lyricTotalDisplay = new Display(this, -1, 138, 47, 50, 17, 0, 0);
    noteModeButton[0] = new Button2(this, 320, 485, 52, 30, 20, 324, 325, 0, 0);
    noteModeButton[1] = new Button2(this, 320, 530, 52, 30, 20, 322, 323, 0, 1);
    noteEditButton[0] = new Button2(this, 321, 600, 47, 24, 15, 326, 327, 0, 0);
    noteEditButton[1] = new Button2(this, 321, 634, 47, 29, 15, 328, 329, 0, 1);
    noteEditButton[2] = new Button2(this, 321, 673, 47, 33, 15, 330, 331, 0, 2);
    storeButton = new Button2(this, 332, 740, 47, 41, 15, 333, 334, 1, 0);
}

void tw32Window::SetupWindow() {
    Window::SetupWindow();
    SetFirstTexts();
    SetFirstPositions();
}

void tw32Window::SetFirstTexts() {
    barDisplay->SetDisplayString("0000");
    trackDisplay->SetDisplayString("01");
    trackNameDisplay->SetDisplayString(tn[0]);
    channelDisplay->SetDisplayString("01");
    notesDisplay->SetDisplayString("0000");
    for (Display* time : {currentTimeDisplay, cueTimeDisplay, totalTimeDisplay}) {
        time->SetDisplayString("0000:0000");
    }
    lyricTrackDisplay->SetDisplayString("01");
    lyricCountDisplay->SetDisplayString("0000");
    lyricTotalDisplay->SetDisplayString("0000");
    velocityDisplay->SetDisplayString("127");
}

void tw32Window::SetFirstPositions() {
    velocityPot->SetRange(0, 127);
    velocityPot->SetPosition(127);
    noteTypeButton[2]->SetPosition(1);
    noteModeButton[0]->SetPosition(1);
    storeButton->SetPosition(1);
    for (size_t c = 0; c < 16; ++c) {
        channelFader[c]->SetRange(0, 127);
        panPot[c]->SetRange(0, 127);
        panPot[c]->SetPosition(63);
        reverbPot[c]->SetRange(0, 127);
        chorusPot[c]->SetRange(0, 127);
    }
    masterFader[0]->SetRange(0, 255);
    masterFader[1]->SetRange(0, 255);
    tempoFader->SetRange(10, 240);
    tempoFader->SetPosition(120);
    tempoDisplay->SetDisplayString(Format("%03d", tempoFader->GetPosition()).c_str());
}

bool tw32Window::CanClose() {
    if (sd.changed == 0) {
        return true;
    }
    return ui::MessageBox(this, "Current song has changed.\n\nClose file anyway?", "Warning!",
                          ui::MbYesNo) == ui::IdYes;
}

void tw32Window::MyMessageBox(const std::string& text, const std::string& caption) {
    (void)ui::MessageBox(this, text, caption, ui::MbOk);
}

void tw32Window::SetSongStartUp() {
    sd.track = 0;
    sd.now = 0;
    sd.channel = sd.trackChannel[0];
    sd.lyricTrack = 0;
    sd.bar = 0;
    storeButton->SetPosition(sd.storeEnable != 0 ? 1 : 0);
    for (size_t i = 0; i < noteTypeButton.size(); ++i) {
        noteTypeButton[i]->SetPosition(i == sd.noteType ? 1 : 0);
    }
    for (size_t i = 0; i < 2; ++i) {
        symbolButton[i]->SetPosition(static_cast<int32_t>(i) == sd.symbolType ? 1 : 0);
        noteModeButton[i]->SetPosition(i == sd.noteMode ? 1 : 0);
    }
    dotButton->SetPosition(sd.dot != 0 ? 1 : 0);
    notesDisplay->SetDisplayString(Format("%04d", sd.noteCount[sd.track]).c_str());
    barDisplay->SetDisplayString(Format("%02d", sd.bar).c_str());
    trackDisplay->SetDisplayString(Format("%02d", sd.track + 1u).c_str());
    trackNameDisplay->SetDisplayString(tn[sd.track]);
    channelDisplay->SetDisplayString(Format("%02d", sd.channel + 1u).c_str());
    velocityPot->SetPosition(sd.velocity);
    lyricTrackDisplay->SetDisplayString(Format("%02d", sd.lyricTrack + 1u).c_str());
    lyricCountDisplay->SetDisplayString(Format("%04d", sd.lyricCount[sd.lyricTrack]).c_str());
    Invalidate();
}

// The panel is drawn whole on every paint; the platform clips it to what
// needs repainting and the controls paint themselves on top.
void tw32Window::Paint(ui::DC& dc, bool, ui::Rect&) {
    PaintHeader(dc);
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
    DrawToolBar(dc);
}

void tw32Window::PaintHeader(ui::DC& dc) {
    dc.SelectBrush(ui::Brush(kPanelGrey));
    dc.SelectPen(kBlackPen);
    dc.Rectangle(GetClientRect());
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
void tw32Window::PaintStrip(ui::DC& dc, int n) {
    const int x = 6 + 40 * (n - 1);
    dc.SelectPen(kBlackPen);
    dc.Rectangle(x, 300, x + 38, 554);
    dc.SelectPen(kLightPen);
    Line(dc, x, 298, x, 554);
    dc.SelectFont(labelFont);
    dc.TextOut(x + 3, 540, Format("%d", static_cast<unsigned>(n)));
    dc.SelectFont(smallFont);
    dc.TextOut(x + 10, 448, "Pan");
    dc.TextOut(x + 10, 410, "Rev");
    dc.TextOut(x + 10, 372, "Chr");
    dc.TextOut(x + 6, 332, "M");
    dc.TextOut(x + 18, 332, "Vu");
    dc.TextOut(x + 6, 310, "S");
}

// The master box, the time box and the tempo box, right of the strips.
void tw32Window::PaintRightSection(ui::DC& dc) {
    dc.SelectPen(kBlackPen);
    dc.Rectangle(651, 445, 742, 554);
    dc.SelectPen(kLightPen);
    Line(dc, 651, 444, 651, 554);
    Line(dc, 743, 444, 743, 554);
    Line(dc, 651, 444, 743, 444);
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

    dc.SelectPen(kBlackPen);
    dc.Rectangle(748, 365, 794, 554);
    dc.SelectPen(kLightPen);
    Line(dc, 748, 364, 748, 554);
    Line(dc, 795, 364, 795, 554);
    Line(dc, 748, 364, 795, 364);
    dc.TextOut(753, 540, "Tempo");
}

void tw32Window::DrawToolBar(ui::DC& dc) {
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
void tw32Window::DrawBox3d(ui::DC& dc, int left, int top, int right, int bottom) {
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

// The staff and the lyric strip repaint with the panel; the time read-outs
// are rewritten in bars of the new length.
void tw32Window::UpdateStaff() {
    const uint32_t barTicks = sd.barTicks != 0 ? sd.barTicks : 1;
    auto show = [barTicks](Display* display, uint32_t time) {
        char text[24];
        std::snprintf(text, sizeof text, "%04u:%04u", time / barTicks, time % barTicks);
        display->SetDisplayString(text);
    };
    show(currentTimeDisplay, sd.now);
    show(cueTimeDisplay, sd.markTime);
    show(totalTimeDisplay, sd.songEnd);
    Invalidate();
}

}  // namespace tw
