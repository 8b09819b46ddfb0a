#include "mainwin/tw32Window.h"

#include <algorithm>
#include <cstdio>

#include "controls/Button2.h"
#include "controls/Display.h"
#include "controls/Fader.h"
#include "controls/Led.h"
#include "controls/Pot.h"
#include "controls/Pot2.h"
#include "controls/VU.h"
#include "dialogs/SetVoices.h"
#include "dialogs/TrkName.h"
#include "lyrics/LyricBar.h"
#include "platform/ui/DC.h"
#include "platform/ui/ModalRunner.h"
#include "playback/MidiPort.h"
#include "playback/MixerReset.h"
#include "playback/Player.h"
#include "song/Song.h"
#include "song/SongEnd.h"
#include "song/SongLock.h"
#include "song/Tables.h"
#include "song/Transfer.h"
#include "song/Voices.h"
#include "staff/Clipboard.h"
#include "staff/SetNr.h"
#include "staff/Staff.h"

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
    player = new Player(this, PlayerNotify, 652, 360, 88, 80);
    CreateMasterAndTempo();
    CreateToolBar();
    staff = new Staff(this, 720, 4, 90, 792, 155);
    lyricBar = new LyricBar(this, LyricNotify, 4, 255, 792, 40);
}

const ui::ResponseTable& tw32Window::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnMessage<&tw32Window::EvStoreEnable>(332),
        ui::OnMessage<&tw32Window::EvBar>(401),
        ui::OnMessage<&tw32Window::EvTrack>(402),
        ui::OnMessage<&tw32Window::EvTrackName>(403),
        ui::OnMessage<&tw32Window::EvChannel>(404),
        ui::OnMessage<&tw32Window::EvVoiceName>(405),
        ui::OnMessage<&tw32Window::EvCVolume>(450),
        ui::OnMessage<&tw32Window::EvMFader>(451),
        ui::OnMessage<&tw32Window::EvTempo>(452),
        ui::OnMessage<&tw32Window::EvPan>(453),
        ui::OnMessage<&tw32Window::EvReverb>(454),
        ui::OnMessage<&tw32Window::EvChorus>(455),
        ui::OnMessage<&tw32Window::EvMute>(456),
        ui::OnMessage<&tw32Window::EvSolo>(457),
        ui::OnMessage<&tw32Window::EvPlayer>(PlayerNotify),
        ui::OnMessage<&tw32Window::EvVelocity>(701),
        // Note entry and the note clipboard.
        ui::OnMessage<&tw32Window::EvNoteMode>(320),
        ui::OnMessage<&tw32Window::EvNoteEdit>(321),
        ui::OnMessage<&tw32Window::EvNoteType>(702),
        ui::OnMessage<&tw32Window::EvSymbolType>(703),
        ui::OnMessage<&tw32Window::EvDot>(704),
        ui::OnMessage<&tw32Window::EvStaff>(720),
        // Lyric entry
        ui::OnMessage<&tw32Window::EvLyric>(LyricNotify),
        ui::OnMessage<&tw32Window::EvLyricTrack>(LyricTrackNotify),
    };
    static const ui::ResponseTable table{&Window::Table(), entries};
    return table;
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
    SetMasterLevels();
    pageStart = sd.bar * sd.barTicks;
    barWidth = static_cast<float>(sd.tsNumerator) * 80.0f;
    pointerRect = {40, 246, 796, 254};
}

void tw32Window::SetFirstTexts() {
    barDisplay->SetDisplayString("0000");
    trackDisplay->SetDisplayString("01");
    trackNameDisplay->SetDisplayString(tn[0]);
    channelDisplay->SetDisplayString("01");
    voiceDisplay->SetDisplayString(Voices[0]);
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
    // The song reset clears every mute and the solo; the buttons follow.
    for (size_t c = 0; c < 16; ++c) {
        muteButton[c]->SetPosition(sd.channelMute[c] != 0 ? 1 : 0);
        soloButton[c]->SetPosition(sd.soloChannel == static_cast<int32_t>(c) ? 1 : 0);
    }
    ShowNoteCount();
    barDisplay->SetDisplayString(Format("%02d", sd.bar).c_str());
    trackDisplay->SetDisplayString(Format("%02d", sd.track + 1u).c_str());
    trackNameDisplay->SetDisplayString(tn[sd.track]);
    channelDisplay->SetDisplayString(Format("%02d", sd.channel + 1u).c_str());
    voiceDisplay->SetDisplayString(Voices[sd.channelProgram[sd.channel] & 0x7F]);
    velocityPot->SetPosition(sd.velocity);
    ShowLyricTrack();
    UpdateTime(3);
    staff->ClearMarkers();
    lyricBar->Refresh();
    staff->NewSong();
    player->UpdateBarChange();
    SetActive();
    UpdateLyricTotal();
    pageStart = sd.bar * sd.barTicks;
    barWidth = static_cast<float>(sd.tsNumerator) * 80.0f;
    Invalidate();
}

void tw32Window::UpdateStaff() {
    barWidth = static_cast<float>(sd.tsNumerator) * 80.0f;
    staff->Refresh();
    lyricBar->Refresh();
    UpdateLyricTotal();
    FindTotalTime();
    UpdateTime(3);
}

void tw32Window::UpdateLyricTotal() {
    sd.lyricSum = 0;
    for (uint32_t count : sd.lyricCount) {
        sd.lyricSum += count;
    }
    lyricTotalDisplay->SetDisplayString(Format("%04d", sd.lyricSum).c_str());
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
    UpdatePtr(dc);
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

// ---- Transport and song position -------------------------------------------

ui::MsgResult tw32Window::EvPlayer(ui::WParam code, ui::LParam value) {
    const auto v = static_cast<uint32_t>(value);
    switch (code) {
    case kPageChange:
        barDisplay->SetDisplayString(Format("%04d", sd.bar).c_str());
        staff->Refresh();
        lyricBar->Refresh();
        UpdateTime(0);
        pageStart = sd.bar * sd.barTicks;
        break;
    case kTimeTick:
        UpdateTime(0);
        break;
    case kCueSet:
        UpdateTime(1);
        break;
    case kMixerReset:
        ResetMixer();
        break;
    case kControllerPlayed:
        SetControl(v);
        break;
    case kTempoChange:
        if (v < sd.tempoTotal) {
            SetTempoControl(td[v].tempo);
        }
        break;
    case kProgramChange:
        // Program numbers are seven bits; a stray high bit names no voice.
        voiceDisplay->SetDisplayString(Voices[(v >> 8) & 0x7F]);
        break;
    case kNoteActivity:
        channelVU[v & 0x0F]->SetPosition(static_cast<int>((v >> 16) & 0xFF));
        break;
    case kStopped:
        for (VU* meter : channelVU) {
            meter->SetPosition(0);
        }
        break;
    default:
        break;
    }
    return 0;
}

std::string tw32Window::TimeToString(uint32_t t) {
    // A song without a bar length shows every time in bar 0.
    const uint32_t bar = sd.barTicks != 0 ? t / sd.barTicks : 0;
    char text[24];
    std::snprintf(text, sizeof text, "%04u:%04u", bar, t - bar * sd.barTicks);
    return text;
}

void tw32Window::UpdateTime(int which) {
    if (which == 0 || which == 3) {
        currentTimeDisplay->SetDisplayString(TimeToString(sd.now).c_str());
        InvalidateRect(pointerRect, true);
    }
    if (which == 1 || which == 3) {
        cueTimeDisplay->SetDisplayString(TimeToString(sd.markTime).c_str());
    }
    if (which >= 2) {
        totalTimeDisplay->SetDisplayString(TimeToString(sd.songEnd).c_str());
    }
}

int tw32Window::PointerX() const {
    if (sd.barTicks == 0) {
        return 55;
    }
    const float offset = static_cast<float>(Locked([] { return sd.now; }) - pageStart) /
                         static_cast<float>(sd.barTicks) * barWidth;
    // A position before the page start lies far to the right, off the panel.
    return 55 + static_cast<int>(std::min(offset, 100000.0f));
}

void tw32Window::UpdatePtr(ui::DC& dc) {
    const int x = PointerX();
    dc.SelectPen(ui::Pen(ui::Color(255, 0, 0), 3));
    Line(dc, x - 1, 247, x - 1, 252);
}

void tw32Window::FindTotalTime() {
    sd.songEnd = FindSongEnd();
    UpdateTime(2);
    if (sd.songEnd < sd.markTime) {
        sd.markTime = sd.songEnd;
        UpdateTime(1);
    }
    if (sd.songEnd < sd.now) {
        sd.now = sd.songEnd;
        UpdateTime(0);
    }
}

void tw32Window::SetTempoControl(float t) {
    const auto p = static_cast<unsigned>(std::clamp(t * 60.0f, 0.0f, 100000.0f));
    tempoFader->SetPosition(p);
    tempoDisplay->SetDisplayString(Format("%03d", p).c_str());
}

ui::MsgResult tw32Window::EvTempo(ui::WParam bpm, ui::LParam) {
    const auto value = static_cast<unsigned>(bpm);
    tempoDisplay->SetDisplayString(Format("%03d", value).c_str());
    const float t = static_cast<float>(value) / 60.0f;
    player->PushTempo(t);
    if (sd.storeEnable == 1) {
        const SongLock lock;
        const tempodata change{sd.bar * sd.barTicks, t};
        // A stored tempo is part of the song: it must be saved.
        if (UpdateTempoData(reporter, change) == kStored) {
            sd.changed = 1;
        }
    }
    return 0;
}

void tw32Window::UpdateTempoSetting() {
    tempoFader->SetPosition(static_cast<unsigned>(std::clamp(td[0].tempo * 60.0f, 0.0f, 1e5f)));
    const unsigned p = tempoFader->GetPosition();
    tempoDisplay->SetDisplayString(Format("%03d", p).c_str());
    td[0].tempo = static_cast<float>(p) / 60.0f;
}

// ---- Mixer ------------------------------------------------------------------

namespace {
constexpr uint8_t kVolumeController = 7;
constexpr uint8_t kPanController = 10;
constexpr uint8_t kReverbController = 91;
constexpr uint8_t kChorusController = 93;

bool IsChannel(ui::LParam c) { return c >= 0 && c < 16; }
}  // namespace

void tw32Window::StripController(uint8_t controller, ui::WParam value, ui::LParam c) {
    if (!IsChannel(c)) {
        return;
    }
    const SongLock lock;
    const uint32_t msg = PackMsg(static_cast<uint8_t>(0xB0 + c), controller,
                                 static_cast<uint8_t>(std::min<ui::WParam>(value, 127)));
    Port().Send(msg);
    const eventdata event{sd.bar * sd.barTicks, msg, sd.track};
    if (UpdateEventData(reporter, event) == kStored) {
        sd.changed = 1;
    }
}

ui::MsgResult tw32Window::EvCVolume(ui::WParam value, ui::LParam c) {
    StripController(kVolumeController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvPan(ui::WParam value, ui::LParam c) {
    StripController(kPanController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvReverb(ui::WParam value, ui::LParam c) {
    StripController(kReverbController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvChorus(ui::WParam value, ui::LParam c) {
    StripController(kChorusController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvMute(ui::WParam state, ui::LParam c) {
    if (!IsChannel(c)) {
        return 0;
    }
    const SongLock lock;
    const auto i = static_cast<size_t>(c);
    sd.channelMute[i] = state != 0 ? 1 : 0;
    if (sd.soloChannel == c) {
        soloButton[i]->SetPosition(0);
        sd.soloChannel = -1;
    }
    return 0;
}

ui::MsgResult tw32Window::EvSolo(ui::WParam state, ui::LParam c) {
    if (!IsChannel(c)) {
        return 0;
    }
    const SongLock lock;
    const auto i = static_cast<size_t>(c);
    if (state == 0) {
        sd.soloChannel = -1;
        return 0;
    }
    if (sd.soloChannel >= 0 && sd.soloChannel != c) {
        soloButton[static_cast<size_t>(sd.soloChannel & 0x0F)]->SetPosition(0);
    }
    sd.soloChannel = static_cast<int32_t>(c);
    if (sd.channelMute[i] == 1) {
        sd.channelMute[i] = 0;
        muteButton[i]->SetPosition(0);
    }
    return 0;
}

namespace {
// The port's output volume; a port without volume control counts as full.
uint32_t PortVolume() {
    uint32_t volume = 0;
    return Port().GetVolume(volume) ? volume : 0xFFFFFFFFu;
}

void SetPortVolume(unsigned left, unsigned right) {
    // A port without volume control keeps sounding at full scale.
    (void)Port().SetVolume((left << 8) | (right << 24));
}
}  // namespace

void tw32Window::SetMasterLevels() {
    const uint32_t volume = PortVolume();
    const unsigned left = (volume >> 8) & 0xFF;
    const unsigned right = sd.masterLock == 1 ? left : (volume >> 24) & 0xFF;
    masterFader[0]->SetPosition(left);
    masterFader[1]->SetPosition(right);
    SetPortVolume(left, right);
}

ui::MsgResult tw32Window::EvMFader(ui::WParam value, ui::LParam side) {
    const uint32_t volume = PortVolume();
    unsigned left = (volume >> 8) & 0xFF;
    unsigned right = (volume >> 24) & 0xFF;
    const auto v = static_cast<unsigned>(std::min<ui::WParam>(value, 255));
    if (side == 0) {
        left = v;
        if (sd.masterLock == 1) {
            masterFader[1]->SetPosition(v);
            right = v;
        }
    } else {
        right = v;
        if (sd.masterLock == 1) {
            masterFader[0]->SetPosition(v);
            left = v;
        }
    }
    SetPortVolume(left, right);
    return 0;
}

void tw32Window::SetControl(uint32_t msg) {
    const size_t c = msg & 0x0F;
    const unsigned value = (msg >> 16) & 0xFF;
    switch ((msg >> 8) & 0xFF) {
    case kVolumeController: channelFader[c]->SetPosition(value); break;
    case kPanController: panPot[c]->SetPosition(value); break;
    case kReverbController: reverbPot[c]->SetPosition(value); break;
    case kChorusController: chorusPot[c]->SetPosition(value); break;
    default: break;
    }
}

void tw32Window::ResetMixer() {
    for (size_t c = 0; c < 16; ++c) {
        channelFader[c]->SetPosition(kResetVolume);
        panPot[c]->SetPosition(kResetPan);
        chorusPot[c]->SetPosition(kResetChorus);
        reverbPot[c]->SetPosition(kResetReverb);
    }
    SetTempoControl(td[0].tempo);
    SetActive();
}

// ---- Track and channel settings ---------------------------------------------

void tw32Window::SetActive() {
    std::array<int, 16> used{};
    for (size_t t = 0; t < kTracks; ++t) {
        if (sd.noteCount[t] != 0) {
            used[sd.trackChannel[t] & 0x0F] = 1;
        }
    }
    for (size_t c = 0; c < 16; ++c) {
        if (channelLed[c]->GetPosition() != used[c]) {
            channelLed[c]->SetPosition(used[c]);
        }
    }
}

void tw32Window::ShowVoice() {
    voiceDisplay->SetDisplayString(sd.channel == 9 ? "Percussion"
                                                   : Voices[sd.channelProgram[sd.channel] & 0x7F]);
}

void tw32Window::ShowChannel() {
    channelDisplay->SetDisplayString(Format("%02d", sd.channel + 1u).c_str());
    ShowVoice();
}

void tw32Window::SetTrack(int t) {
    sd.track = static_cast<uint8_t>(std::clamp(t, 0, kTracks - 1));
    trackDisplay->SetDisplayString(Format("%02d", sd.track + 1u).c_str());
    trackNameDisplay->SetDisplayString(tn[sd.track]);
    sd.channel = sd.trackChannel[sd.track];
    ShowChannel();
    ShowNoteCount();
    staff->Refresh();
}

// Runs the number entry dialog in the given mode; the number entered, or -1
// when it was cancelled.
int tw32Window::EnterNumber(int mode) {
    transfernumber = mode;
    SetNr dialog(this);
    return dialog.Execute() == ui::IdOk ? transfernumber : -1;
}

ui::MsgResult tw32Window::EvBar(ui::WParam step, ui::LParam) {
    if (sd.playState != 0) {
        return 0;
    }
    if (step == 0 && sd.bar > 0) {
        --sd.bar;
    } else if (step == 1) {
        ++sd.bar;
    } else if (step == 2) {
        const int bar = EnterNumber(kSetNrBar);
        if (bar < 0) {
            return 0;
        }
        sd.bar = static_cast<uint32_t>(bar);
    } else if (step != 0) {
        return 0;
    }
    sd.now = sd.bar * sd.barTicks;
    player->UpdateBarChange();
    return 0;
}

ui::MsgResult tw32Window::EvTrack(ui::WParam step, ui::LParam) {
    if (sd.playState != 0) {
        return 0;
    }
    if (step == 0 && sd.track > 0) {
        SetTrack(sd.track - 1);
    } else if (step == 1 && sd.track < kTracks - 1) {
        SetTrack(sd.track + 1);
    } else if (step == 2) {
        const int track = EnterNumber(kSetNrTrack);
        if (track > 0) {
            SetTrack(track - 1);
        }
    }
    return 0;
}

ui::MsgResult tw32Window::EvTrackName(ui::WParam, ui::LParam) {
    if (sd.playState != 0) {
        return 0;
    }
    transfernumber = 0;
    if (TrkName::Run(this, tn[sd.track])) {
        trackNameDisplay->SetDisplayString(tn[sd.track]);
        // The name is written to the file: it must be saved.
        sd.changed = 1;
    }
    return 0;
}

ui::MsgResult tw32Window::EvChannel(ui::WParam step, ui::LParam) {
    if (sd.playState != 0) {
        return 0;
    }
    if (step == 0 && sd.channel > 0) {
        --sd.channel;
    } else if (step == 1 && sd.channel < 15) {
        ++sd.channel;
    } else if (step == 2) {
        const int channel = EnterNumber(kSetNrChannel);
        if (channel <= 0) {
            return 0;
        }
        sd.channel = static_cast<uint8_t>(channel - 1);
    } else {
        return 0;
    }
    MoveTrackToChannel();
    return 0;
}

ui::MsgResult tw32Window::EvVoiceName(ui::WParam, ui::LParam) {
    if (sd.playState != 0) {
        return 0;
    }
    if (sd.channel == 9) {
        MyMessageBox("Channel 10 can only be set to Percussion", "Warning: Voice Setting");
        return 0;
    }
    SetVoices dialog(this);
    if (dialog.Execute() != ui::IdOk) {
        return 0;
    }
    const uint8_t program = sd.channelProgram[sd.channel] & 0x7F;
    voiceDisplay->SetDisplayString(Voices[program]);
    const eventdata change{sd.bar * sd.barTicks,
                           PackMsg(static_cast<uint8_t>(0xC0 + sd.channel), program, 0), sd.track};
    if (UpdatePgmData(reporter, change) == kStored) {
        sd.changed = 1;
    }
    return 0;
}

void tw32Window::MoveTrackToChannel() {
    ShowChannel();
    sd.trackChannel[sd.track] = sd.channel;
    displaydata* notes = dd[sd.track];
    for (uint32_t i = 0; i < sd.noteCount[sd.track]; ++i) {
        notes[i].channel = sd.channel;
        notes[i].onMsg = PackMsg(static_cast<uint8_t>(0x90 + sd.channel), notes[i].note,
                                 notes[i].velocity);
        notes[i].offMsg = PackMsg(static_cast<uint8_t>(0x80 + sd.channel), notes[i].note, 0);
    }
    // Every note of the track was rewritten: the song must be saved.
    sd.changed = 1;
    SetActive();
}

ui::MsgResult tw32Window::EvVelocity(ui::WParam value, ui::LParam) {
    sd.velocity = static_cast<uint32_t>(std::min<ui::WParam>(value, 127));
    velocityDisplay->SetDisplayString(Format("%03d", sd.velocity).c_str());
    return 0;
}

ui::MsgResult tw32Window::EvStoreEnable(ui::WParam state, ui::LParam) {
    sd.storeEnable = state != 0 ? 1 : 0;
    return 0;
}

// ---- Note entry and the note clipboard --------------------------------------

void tw32Window::ShowNoteCount() {
    notesDisplay->SetDisplayString(Format("%04d", sd.noteCount[sd.track]).c_str());
}

ui::MsgResult tw32Window::EvStaff(ui::WParam code, ui::LParam time) {
    switch (code) {
        case Staff::kNoteEntered:
            if (transfernumber >= 0 && transfernumber < kTracks) {
                (void)AddNote(reporter, static_cast<uint32_t>(transfernumber), temp);
            }
            ShowNoteCount();
            SetActive();
            // The note may have moved the song's end.
            UpdateTime(2);
            break;
        case Staff::kNoteDeleted:
            ShowNoteCount();
            SetActive();
            FindTotalTime();
            break;
        case Staff::kPasteNotes:
            if (PasteNotes(reporter, static_cast<uint32_t>(time)) > 0) {
                sd.changed = 1;
            }
            SetActive();
            FindTotalTime();
            staff->Refresh();
            ShowNoteCount();
            noteEditButton[2]->SetPosition(0);
            sd.editFlag = 0;
            break;
        default:
            break;
    }
    return 0;
}

// Cut and copy need both markers; paste needs notes on the clipboard and
// only arms (or disarms) the next right click on the staff.
ui::MsgResult tw32Window::EvNoteEdit(ui::WParam state, ui::LParam i) {
    if (i == 0 || i == 1) {
        uint32_t start = 0;
        uint32_t end = 0;
        if (staff->GetEditStatus(&start, &end) == 0) {
            return 0;
        }
        CopyNotes(start, end);
        if (i == 0) {
            if (CutNotes() > 0) {
                sd.changed = 1;
            }
            ShowNoteCount();
            SetActive();
        }
        staff->ClearMarkers();
    } else if (i == 2 && sd.clipCount != 0) {
        const int armed = state == 1 ? 0 : 1;
        sd.editFlag = static_cast<uint32_t>(armed);
        noteEditButton[2]->SetPosition(armed);
    }
    return 0;
}

ui::MsgResult tw32Window::EvNoteMode(ui::WParam, ui::LParam i) {
    if (i < 0 || i >= static_cast<ui::LParam>(noteModeButton.size()) ||
        static_cast<uint32_t>(i) == sd.noteMode) {
        return 0;
    }
    if (sd.noteMode < noteModeButton.size()) {
        noteModeButton[sd.noteMode]->SetPosition(0);
    }
    sd.noteMode = static_cast<uint32_t>(i);
    noteModeButton[sd.noteMode]->SetPosition(1);
    return 0;
}

ui::MsgResult tw32Window::EvNoteType(ui::WParam, ui::LParam i) {
    if (i < 0 || i >= static_cast<ui::LParam>(noteTypeButton.size()) ||
        static_cast<uint32_t>(i) == sd.noteType) {
        return 0;
    }
    if (sd.noteType < noteTypeButton.size()) {
        noteTypeButton[sd.noteType]->SetPosition(0);
    }
    sd.noteType = static_cast<uint32_t>(i);
    noteTypeButton[sd.noteType]->SetPosition(1);
    return 0;
}

ui::MsgResult tw32Window::EvSymbolType(ui::WParam, ui::LParam i) {
    if (i < 0 || i >= static_cast<ui::LParam>(symbolButton.size())) {
        return 0;
    }
    const auto chosen = static_cast<int32_t>(i);
    if (chosen == sd.symbolType) {
        symbolButton[static_cast<size_t>(i)]->SetPosition(0);
        sd.symbolType = kNoAccidental;
        return 0;
    }
    if (sd.symbolType >= 0 && sd.symbolType < static_cast<int32_t>(symbolButton.size())) {
        symbolButton[static_cast<size_t>(sd.symbolType)]->SetPosition(0);
    }
    sd.symbolType = chosen;
    symbolButton[static_cast<size_t>(i)]->SetPosition(1);
    return 0;
}

ui::MsgResult tw32Window::EvDot(ui::WParam state, ui::LParam) {
    sd.dot = state != 0 ? 1 : 0;
    return 0;
}

// ---- Lyric entry -------------------------------------------------------------

ui::MsgResult tw32Window::EvLyric(ui::WParam code, ui::LParam) {
    const uint8_t t = sd.lyricTrack;
    if (code == 0) {
        // A full table is reported by the insertion; the lyric is then lost.
        (void)UpdateLyricData(reporter, templyric);
    } else if (code == 1 && sd.lyricCount[t] > 0) {
        --sd.lyricCount[t];
    }
    lyricCountDisplay->SetDisplayString(Format("%04d", sd.lyricCount[t]).c_str());
    UpdateLyricTotal();
    return 0;
}

ui::MsgResult tw32Window::EvLyricTrack(ui::WParam code, ui::LParam) {
    if (sd.playState != 0) {
        return 0;
    }
    if (code == 0 && sd.lyricTrack > 0) {
        --sd.lyricTrack;
    } else if (code == 1 && sd.lyricTrack < kTracks - 1) {
        ++sd.lyricTrack;
    } else if (code == 2) {
        transfernumber = kSetNrLyricTrack;
        SetNr dialog(this);
        if (dialog.Execute() != ui::IdOk) {
            return 0;
        }
        sd.lyricTrack = static_cast<uint8_t>(std::clamp(transfernumber, 1, kTracks) - 1);
    } else {
        return 0;
    }
    ShowLyricTrack();
    return 0;
}

void tw32Window::ShowLyricTrack() {
    lyricTrackDisplay->SetDisplayString(Format("%02d", sd.lyricTrack + 1u).c_str());
    lyricCountDisplay->SetDisplayString(Format("%04d", sd.lyricCount[sd.lyricTrack]).c_str());
    lyricBar->Refresh();
}

}  // namespace tw
