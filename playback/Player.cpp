#include "playback/Player.h"

#include <chrono>
#include <utility>

#include "controls/Button2.h"
#include "platform/ui/DC.h"
#include "playback/MidiPort.h"
#include "playback/MidiPorts.h"
#include "song/SongLock.h"

namespace tw {

namespace {

uint32_t MachineTicks() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

constexpr int kButtonW = 30;
constexpr int kButtonH = 15;

}  // namespace

Player::Player(ui::Window* parent, int id, int x, int y, int w, int h)
    : Control(parent, id, x, y, w, h),
      notifyId_(id),
      ticks_(MachineTicks),
      reporter_(this),
      engine_(
          Port(), queue_, [this](uint32_t code, uint32_t value) { queue_.Push(code, value); },
          [this] { return ticks_(); }),
      side_(engine_, [this] { return ticks_(); }),
      stopButton_(new Button2(this, 601, 10, 10, kButtonW, kButtonH, 602, 603, 0, 0)),
      pauseButton_(new Button2(this, 610, 50, 10, kButtonW, kButtonH, 611, 612, 1, 0)),
      playButton_(new Button2(this, 604, 10, 33, kButtonW, kButtonH, 605, 606, 0, 0)),
      playAllButton_(new Button2(this, 607, 50, 33, kButtonW, kButtonH, 608, 609, 0, 0)),
      cueButton_(new Button2(this, 613, 10, 56, kButtonW, kButtonH, 614, 615, 1, 0)),
      cueSetButton_(new Button2(this, 616, 50, 56, kButtonW, kButtonH, 617, 618, 1, 0)) {
    SetBkgndColor(ui::Color(50, 50, 100));
    engine_.SetButtonState(
        [this](TransportButton button, int pressed) { queue_.PushButton(button, pressed); });
}

// The buttons go with the control; the notes must not outlive it.
Player::~Player() {
    KillTimer(kPlayerTimer);
    const SongLock lock;
    engine_.Halt();
}

const ui::ResponseTable& Player::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnTimer<&Player::EvTimer>(),       ui::OnMessage<&Player::EvStop>(601),
        ui::OnMessage<&Player::EvPlay>(604),   ui::OnMessage<&Player::EvPlayAll>(607),
        ui::OnMessage<&Player::EvPause>(610),  ui::OnMessage<&Player::EvCue>(613),
        ui::OnMessage<&Player::EvCueSet>(616),
    };
    static const ui::ResponseTable table{&Control::Table(), entries};
    return table;
}

void Player::SetupWindow() {
    Control::SetupWindow();
    stopButton_->SetPosition(1);
    (void)SetTimer(kPlayerTimer, kPlayerTimerMs);
}

void Player::ShowButton(TransportButton button, int pressed) {
    switch (button) {
        case TransportButton::Stop:
            stopButton_->SetPosition(pressed);
            break;
        case TransportButton::Play:
            playButton_->SetPosition(pressed);
            break;
        case TransportButton::PlayAll:
            playAllButton_->SetPosition(pressed);
            break;
    }
}

// Nothing reads the clock while the playback side sleeps: a run that starts
// or resumes first takes the time that passed as not played. What the
// command sends is stamped with the moment the song clock counts from.
template <class Command>
void Player::Transport(Command command) {
    {
        const SongLock lock;
        if (!engine_.Playing() || engine_.Paused()) {
            engine_.GetCtTime();
        }
        engine_.Output().SetSendTime(MillisecondStartNs());
        command();
        engine_.Output().SetSendTime(0);
    }
    side_.Wake();
    Deliver();
}

// The parent's handlers of the first four codes read the song position,
// which the playback side moves: each of them runs under the song lock, and
// each is short. A message box waits for the user, so it opens with the lock
// released.
void Player::Deliver() {
    for (const NotificationQueue::Entry& entry : queue_.Take()) {
        switch (entry.kind) {
            case NotificationQueue::Kind::Notification: {
                std::unique_lock lock(SongMutex(), std::defer_lock);
                if (entry.code <= kMixerReset) {
                    lock.lock();
                }
                NotifyParent(static_cast<ui::MsgId>(notifyId_), entry.code,
                             static_cast<ui::LParam>(entry.value));
                break;
            }
            case NotificationQueue::Kind::Button:
                ShowButton(static_cast<TransportButton>(entry.code), static_cast<int>(entry.value));
                break;
            case NotificationQueue::Kind::Message:
                reporter_.ShowMessage(entry.text.c_str(), entry.caption.c_str());
                break;
        }
    }
}

void Player::EvTimer(unsigned id) {
    if (id == kPlayerTimer) {
        Deliver();
    }
}

void Player::UpdateBarChange() {
    Transport([this] { engine_.UpdateBarChange(); });
}

void Player::PushTempo(float t) {
    const SongLock lock;
    engine_.PushTempo(t);
}

void Player::SetStopMode() {
    Transport([this] { engine_.SetStopMode(); });
}

void Player::SetTickSource(std::function<uint32_t()> ticks) {
    const SongLock lock;
    ticks_ = std::move(ticks);
}

// Stop, Play and Play All do not toggle: a state of 1 says the button was
// already pressed.
int Player::EvStop(ui::WParam state, ui::LParam) {
    if (state != 1) {
        SetStopMode();
    }
    return 0;
}

// A run on a port that did not open is silent: the first one says why.
int Player::EvPlay(ui::WParam state, ui::LParam) {
    if (state != 1) {
        MidiPorts::TellUnopenedPort(this);
        Transport([this] { (void)engine_.Play(); });
    }
    return 0;
}

int Player::EvPlayAll(ui::WParam state, ui::LParam) {
    if (state != 1) {
        MidiPorts::TellUnopenedPort(this);
        const bool fromCue = cueButton_->GetPosition() == 1;
        Transport([this, fromCue] { (void)engine_.PlayAll(fromCue); });
    }
    return 0;
}

void Player::PlayAllOrStop() {
    if (!SongPlaying()) {
        (void)EvPlayAll(0, 0);
    } else {
        (void)EvStop(0, 0);
    }
}

int Player::EvPause(ui::WParam state, ui::LParam) {
    Transport([this, state] { engine_.Pause(state == 1); });
    return 0;
}

// Cue is only read when Play All starts.
int Player::EvCue(ui::WParam, ui::LParam) {
    return 0;
}

// Setting a cue point switches its use off until Cue is pressed again.
int Player::EvCueSet(ui::WParam, ui::LParam) {
    cueSetButton_->SetPosition(0);
    Transport([this] { engine_.CueSet(); });
    cueButton_->SetPosition(0);
    return 0;
}

void Player::Paint(ui::DC& dc, bool, ui::Rect&) {
    const ui::Rect c = GetClientRect();
    dc.FillRect(c, ui::Color(50, 50, 100));
    dc.SelectPen(ui::Pen(ui::Color(200, 200, 200)));
    dc.MoveTo(c.left, c.top);
    dc.LineTo(c.right - 1, c.top);
    dc.LineTo(c.right - 1, c.bottom - 1);
    dc.LineTo(c.left, c.bottom - 1);
    dc.LineTo(c.left, c.top);
}

}  // namespace tw
