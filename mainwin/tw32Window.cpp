#include "mainwin/tw32Window.h"

#include <algorithm>

#include "controls/Display.h"
#include "controls/Fader.h"
#include "lyrics/LyricBar.h"
#include "mainwin/PanelText.h"
#include "platform/ui/DC.h"
#include "platform/ui/ModalRunner.h"
#include "playback/Player.h"
#include "song/BarTick.h"
#include "song/Edits.h"
#include "song/Song.h"
#include "song/SongEnd.h"
#include "song/SongStart.h"
#include "song/SongLock.h"
#include "song/Transfer.h"
#include "staff/Staff.h"

namespace tw {

// Construction order is the order in which the framework creates the
// children, so each area makes its controls where they stand in that order.
tw32Window::tw32Window(ui::Window* parent) : Window(parent, 0, 0, 0, 800, 557) {
    SetBkgndColor(PanelArt::kBackground);
    header.Create();
    for (int c = 0; c < 16; ++c) {
        mixer.CreateStrip(c);
    }
    player = new Player(this, PlayerNotify, 652, 360, 88, 80);
    mixer.CreateMasters();
    CreateTempoAndTime();
    toolbar.Create();
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

void tw32Window::CreateTempoAndTime() {
    tempoFader = new Fader(this, 452, 752, 400, 40, 140, 1, 2);
    tempoDisplay = new Display(this, -1, 757, 372, 30, 20, 0, 0);
    currentTimeDisplay = new Display(this, -1, 727, 303, 60, 15, 0, 1);
    cueTimeDisplay = new Display(this, -1, 727, 320, 60, 15, 0, 1);
    totalTimeDisplay = new Display(this, -1, 727, 337, 60, 15, 0, 1);
}

void tw32Window::SetupWindow() {
    Window::SetupWindow();
    SetFirstTexts();
    toolbar.SetFirstPositions();
    mixer.SetFirstPositions();
    tempoFader->SetRange(10, 240);
    tempoFader->SetPosition(120);
    tempoDisplay->SetDisplayString(PanelText("%03d", tempoFader->GetPosition()).c_str());
    mixer.SetMasterLevels();
    pageStart = sd.bar * sd.barTicks;
    barWidth = static_cast<float>(sd.tsNumerator) * 80.0f;
    pointerRect = {40, 246, 796, 254};
}

void tw32Window::SetFirstTexts() {
    header.SetFirstTexts();
    for (Display* time : {currentTimeDisplay, cueTimeDisplay, totalTimeDisplay}) {
        time->SetDisplayString("0000:0000");
    }
    toolbar.SetFirstTexts();
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
    sd.track = FirstTrackWithNotes();
    sd.now = 0;
    sd.channel = sd.trackChannel[sd.track];
    sd.lyricTrack = TrackWithMostLyrics();
    sd.bar = 0;
    toolbar.ShowStartUp();
    mixer.ShowMuteAndSolo();
    header.ShowStartUp();
    toolbar.ShowLyricTrack(*lyricBar);
    UpdateTime(3);
    staff->ClearMarkers();
    lyricBar->Refresh();
    staff->NewSong();
    player->UpdateBarChange();
    mixer.ShowActiveChannels();
    toolbar.UpdateLyricTotal();
    pageStart = sd.bar * sd.barTicks;
    barWidth = static_cast<float>(sd.tsNumerator) * 80.0f;
    Invalidate();
}

void tw32Window::UpdateStaff() {
    barWidth = static_cast<float>(sd.tsNumerator) * 80.0f;
    staff->Refresh();
    lyricBar->Refresh();
    toolbar.UpdateLyricTotal();
    FindTotalTime();
    UpdateTime(3);
}

// The engine's repositioning comes first: it chases the programs, which the
// instrument read-out shows.
void tw32Window::ShowRestoredSong() {
    player->UpdateBarChange();
    header.SetTrack(sd.track);
    mixer.ShowActiveChannels();
    SetTempoControl(td[0].tempo);
    toolbar.ShowLyricTrack(*lyricBar);
    UpdateStaff();
}

void tw32Window::GoToBar(uint32_t bar) {
    header.GoToBar(bar, *player);
}

void tw32Window::SetTrack(int t) {
    header.SetTrack(t);
    staff->Refresh();
}

void tw32Window::ResetMixer() {
    mixer.Reset();
    SetTempoControl(td[0].tempo);
    mixer.ShowActiveChannels();
}

// The panel is drawn whole on every paint; the platform clips it to what
// needs repainting and the controls paint themselves on top.
void tw32Window::Paint(ui::DC& dc, bool, ui::Rect&) {
    art.Paint(dc, GetClientRect());
    UpdatePtr(dc);
}

// ---- Transport and song position -------------------------------------------

ui::MsgResult tw32Window::EvPlayer(ui::WParam code, ui::LParam value) {
    const auto v = static_cast<uint32_t>(value);
    switch (code) {
        case kPageChange:
            header.ShowBar();
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
            mixer.SetControl(v);
            break;
        case kTempoChange:
            if (v < sd.tempoTotal) {
                SetTempoControl(td[v].tempo);
            }
            break;
        case kProgramChange:
            // Program numbers are seven bits; a stray high bit names no voice.
            header.ShowProgram(static_cast<uint8_t>((v >> 8) & 0x7F));
            break;
        case kNoteActivity:
            mixer.ShowNoteLevel(v);
            break;
        case kStopped:
            mixer.ClearMeters();
            break;
        default:
            break;
    }
    return 0;
}

void tw32Window::UpdateTime(int which) {
    if (which == 0 || which == 3) {
        currentTimeDisplay->SetDisplayString(BarTick(sd.now, sd.barTicks).c_str());
        InvalidateRect(pointerRect, true);
    }
    if (which == 1 || which == 3) {
        cueTimeDisplay->SetDisplayString(BarTick(sd.markTime, sd.barTicks).c_str());
    }
    if (which >= 2) {
        totalTimeDisplay->SetDisplayString(BarTick(sd.songEnd, sd.barTicks).c_str());
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
    dc.MoveTo(x - 1, 247);
    dc.LineTo(x - 1, 252);
}

void tw32Window::FindTotalTime() {
    const EndClamp moved = ClampToSongEnd();
    UpdateTime(2);
    if (moved.cue) {
        UpdateTime(1);
    }
    if (moved.now) {
        UpdateTime(0);
    }
}

void tw32Window::SetTempoControl(float t) {
    const auto p = static_cast<unsigned>(std::clamp(t * 60.0f, 0.0f, 100000.0f));
    tempoFader->SetPosition(p);
    tempoDisplay->SetDisplayString(PanelText("%03d", p).c_str());
}

ui::MsgResult tw32Window::EvTempo(ui::WParam bpm, ui::LParam) {
    const auto value = static_cast<unsigned>(bpm);
    tempoDisplay->SetDisplayString(PanelText("%03d", value).c_str());
    const float t = static_cast<float>(value) / 60.0f;
    player->PushTempo(t);
    if (sd.storeEnable == 1) {
        const SongLock lock;
        const tempodata change{sd.bar * sd.barTicks, t};
        // A stored tempo is part of the song: it must be saved.
        (void)StoreTempo(reporter, change);
    }
    return 0;
}

void tw32Window::UpdateTempoSetting() {
    tempoFader->SetPosition(static_cast<unsigned>(std::clamp(td[0].tempo * 60.0f, 0.0f, 1e5f)));
    const unsigned p = tempoFader->GetPosition();
    tempoDisplay->SetDisplayString(PanelText("%03d", p).c_str());
    SetFirstTempo(p);
}

// ---- The areas' notifications ------------------------------------------------

ui::MsgResult tw32Window::EvCVolume(ui::WParam value, ui::LParam c) {
    mixer.StripController(MixerSection::kVolumeController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvPan(ui::WParam value, ui::LParam c) {
    mixer.StripController(MixerSection::kPanController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvReverb(ui::WParam value, ui::LParam c) {
    mixer.StripController(MixerSection::kReverbController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvChorus(ui::WParam value, ui::LParam c) {
    mixer.StripController(MixerSection::kChorusController, value, c);
    return 0;
}

ui::MsgResult tw32Window::EvMute(ui::WParam state, ui::LParam c) {
    mixer.Mute(state, c);
    return 0;
}

ui::MsgResult tw32Window::EvSolo(ui::WParam state, ui::LParam c) {
    mixer.Solo(state, c);
    return 0;
}

ui::MsgResult tw32Window::EvMFader(ui::WParam value, ui::LParam side) {
    mixer.MasterFader(value, side);
    return 0;
}

ui::MsgResult tw32Window::EvBar(ui::WParam step, ui::LParam) {
    header.StepBar(step, *player);
    return 0;
}

ui::MsgResult tw32Window::EvTrack(ui::WParam step, ui::LParam) {
    if (header.StepTrack(step)) {
        staff->Refresh();
    }
    return 0;
}

ui::MsgResult tw32Window::EvTrackName(ui::WParam, ui::LParam) {
    header.EditTrackName();
    return 0;
}

ui::MsgResult tw32Window::EvChannel(ui::WParam step, ui::LParam) {
    if (header.StepChannel(step)) {
        mixer.ShowActiveChannels();
    }
    return 0;
}

ui::MsgResult tw32Window::EvVoiceName(ui::WParam, ui::LParam) {
    header.ChooseVoice();
    return 0;
}

ui::MsgResult tw32Window::EvVelocity(ui::WParam value, ui::LParam) {
    toolbar.SetVelocity(value);
    return 0;
}

ui::MsgResult tw32Window::EvStoreEnable(ui::WParam state, ui::LParam) {
    toolbar.SetStoreEnable(state);
    return 0;
}

ui::MsgResult tw32Window::EvStaff(ui::WParam code, ui::LParam time) {
    switch (code) {
        case Staff::kNoteEntered:
            if (transfernumber >= 0 && transfernumber < kTracks) {
                (void)EnterNote(reporter, static_cast<uint32_t>(transfernumber), temp);
            }
            header.ShowNoteCount();
            mixer.ShowActiveChannels();
            // The note may have moved the song's end.
            UpdateTime(2);
            break;
        case Staff::kNoteDeleted:
            header.ShowNoteCount();
            mixer.ShowActiveChannels();
            FindTotalTime();
            break;
        case Staff::kPasteNotes:
            (void)PasteMarkedNotes(reporter, static_cast<uint32_t>(time));
            mixer.ShowActiveChannels();
            FindTotalTime();
            staff->Refresh();
            header.ShowNoteCount();
            toolbar.PasteDone();
            break;
        default:
            break;
    }
    return 0;
}

ui::MsgResult tw32Window::EvNoteEdit(ui::WParam state, ui::LParam i) {
    if (toolbar.NoteEdit(state, i, *staff)) {
        header.ShowNoteCount();
        mixer.ShowActiveChannels();
    }
    return 0;
}

ui::MsgResult tw32Window::EvNoteMode(ui::WParam, ui::LParam i) {
    toolbar.ChooseMode(i);
    return 0;
}

ui::MsgResult tw32Window::EvNoteType(ui::WParam, ui::LParam i) {
    toolbar.ChooseType(i);
    return 0;
}

ui::MsgResult tw32Window::EvSymbolType(ui::WParam, ui::LParam i) {
    toolbar.ChooseSymbol(i);
    return 0;
}

ui::MsgResult tw32Window::EvDot(ui::WParam state, ui::LParam) {
    toolbar.SetDot(state);
    return 0;
}

ui::MsgResult tw32Window::EvLyric(ui::WParam code, ui::LParam) {
    toolbar.LyricEdited(code);
    return 0;
}

ui::MsgResult tw32Window::EvLyricTrack(ui::WParam code, ui::LParam) {
    toolbar.StepLyricTrack(code, *lyricBar);
    return 0;
}

}  // namespace tw
