#include "playback/Player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "controls/Button2.h"
#include "platform/midi/SoundingKeys.h"
#include "platform/ui/Application.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"
#include "playback/MidiPort.h"
#include "playback/MixerReset.h"
#include "song/Tables.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using ui::MouseInput;

constexpr uint32_t kReset = 0xFFFFFFFF;  // marks a port reset in a log

// What one port was given, kept after the port is closed; the keys it
// sounds and has not released, a reset releasing all of them.
struct PortLog {
    std::vector<uint32_t> sent;
    midi::SoundingKeys keys;

    long Count(uint32_t msg) const { return std::count(sent.begin(), sent.end(), msg); }
};

class LoggingPort final : public midi::MidiOut {
public:
    explicit LoggingPort(std::shared_ptr<PortLog> log) : log_(std::move(log)) {}
    void Send(uint32_t msg) override {
        log_->sent.push_back(msg);
        log_->keys.Track(msg);
    }
    void Reset() override {
        log_->sent.push_back(kReset);
        log_->keys.ReleaseAll([](uint32_t) {});
    }
    bool GetVolume(uint32_t&) override { return false; }
    bool SetVolume(uint32_t) override { return false; }

private:
    std::shared_ptr<PortLog> log_;
};

// The main window's side: records the player's notifications and answers
// the mixer reset and the controllers on the open port.
class Panel : public test::TestHost {
public:
    std::vector<std::pair<uint32_t, uint32_t>> codes;

protected:
    ui::MsgResult DefaultMessage(ui::MsgId msg, ui::WParam w, ui::LParam l) override {
        if (msg == PlayerNotify) {
            codes.emplace_back(static_cast<uint32_t>(w), static_cast<uint32_t>(l));
            if (w == kMixerReset) {
                SendMixerReset(Port());
            } else if (w == kControllerPlayed) {
                Port().Send(static_cast<uint32_t>(l));
            }
        }
        return TestHost::DefaultMessage(msg, w, l);
    }
};

class PlayerTest : public test::SongFixture {
protected:
    void SetUp() override {
        SongFixture::SetUp();
        SetPortOpener([this](uint32_t device) {
            logs[device] = std::make_shared<PortLog>();
            return std::make_unique<LoggingPort>(logs[device]);
        });
        md.portDevice = 0;
        OpenMidiOut();
        panel = std::make_unique<Panel>();
        player = new Player(panel.get(), PlayerNotify, 10, 10, 88, 80);
        player->SetTickSource([this] { return clockMs; });
        panel->Open();
        StepAfter(0);  // the clock's first reading
    }
    void TearDown() override {
        panel.reset();
        CloseMidiOut();
        SetPortOpener({});
        SongFixture::TearDown();
    }

    void AddSongNote(uint32_t start, uint32_t end, uint8_t pitch, uint32_t track = 0) {
        ASSERT_EQ(AddNote(reporter, track, test::MakeNote(start, end, pitch)), kStored);
    }
    Button2& ButtonWithId(int id) { return *static_cast<Button2*>(player->ChildWithId(id)); }
    void Click(int id) { MouseInput::Click(ButtonWithId(id), {15, 7}); }
    std::set<int> Pressed() {
        std::set<int> ids;
        for (int id : {601, 604, 607, 610, 613, 616}) {
            if (ButtonWithId(id).GetPosition() == 1) {
                ids.insert(id);
            }
        }
        return ids;
    }
    // Advances the clock and delivers one timer message.
    void StepAfter(uint32_t ms) {
        clockMs += ms;
        player->SendMessage(ui::msg::Timer, kPlayerTimer, 0);
    }
    void StepUntilStopped() {
        for (int i = 0; i < 2000 && player->Engine().Playing(); ++i) {
            StepAfter(50);
        }
    }
    bool Notified(uint32_t code) const {
        return std::count(panel->codes.begin(), panel->codes.end(), std::pair{code, 0u}) > 0;
    }
    PortLog& Log() { return *logs[md.portDevice]; }

    std::map<uint32_t, std::shared_ptr<PortLog>> logs;
    std::unique_ptr<Panel> panel;
    Player* player = nullptr;
    uint32_t clockMs = 5000;
};

const uint32_t kOn60 = PackMsg(0x90, 60, 100);
const uint32_t kOn62 = PackMsg(0x90, 62, 100);
const uint32_t kOn64 = PackMsg(0x90, 64, 100);

// The control's own timer steps the engine with the injected clock.
TEST_F(PlayerTest, PaintsItsPanelStartsStoppedAndItsTimerStepsTheSong) {
    const ui::Image img = test::Snap(*player, "player");
    test::ExpectPixels(img, {200, 200, 200}, {{0, 0}, {87, 0}, {87, 79}, {0, 79}, {44, 0}});
    test::ExpectPixels(img, {50, 50, 100}, {{1, 1}, {45, 20}, {86, 78}, {5, 40}});
    EXPECT_EQ(Pressed(), std::set<int>{601});

    AddSongNote(0, 10000, 60);
    Click(607);
    clockMs += 1000;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (sd.now == 0 && std::chrono::steady_clock::now() < until) {
        ui::Application::PumpWaitingMessages();
    }
    EXPECT_EQ(sd.now, 384u);  // one second at 120 BPM
    EXPECT_EQ(Log().Count(kOn60), 1);
}

TEST_F(PlayerTest, PlayPlaysThePageFromItsBarAndReturnsThereAndRepeatedClicksChangeNothing) {
    AddSongNote(2304, 2400, 60);
    AddSongNote(5000, 5100, 62);
    sd.bar = 3;
    sd.now = 2304;
    Click(601);  // Stop while stopped
    EXPECT_TRUE(panel->codes.empty());
    EXPECT_TRUE(Log().sent.empty());

    Click(604);
    EXPECT_EQ(player->Engine().StopTime(), 3840u);
    EXPECT_EQ(sd.playState, 1u);
    EXPECT_EQ(Pressed(), std::set<int>{604});
    StepAfter(50);
    const size_t codes = panel->codes.size();
    Click(604);  // Play while a Play run is on
    Click(607);
    EXPECT_EQ(panel->codes.size(), codes);
    EXPECT_EQ(Pressed(), std::set<int>{604});

    StepUntilStopped();
    EXPECT_EQ(sd.playState, 0u);
    EXPECT_EQ(sd.bar, 3u);
    EXPECT_EQ(sd.now, 2304u);
    EXPECT_EQ(Pressed(), std::set<int>{601});
    EXPECT_EQ(Log().Count(kOn60), 1);
    EXPECT_EQ(Log().Count(kOn62), 0);
    EXPECT_EQ(Log().sent.back(), kReset);
    ASSERT_GE(panel->codes.size(), 2u);
    EXPECT_EQ(panel->codes[panel->codes.size() - 2], std::pair(0u, 0u));
    EXPECT_EQ(panel->codes.back(), std::pair(9u, 0u));
}

TEST_F(PlayerTest, PlayAllStartsAtTheSongStartOrAtTheCueAndCueSetStoresNowAndReleasesCue) {
    AddSongNote(0, 4000, 60);
    AddSongNote(500, 4000, 62);
    AddSongNote(1200, 1300, 64);
    sd.markTime = 1000;
    sd.bar = 2;
    sd.now = 1536;
    Click(607);
    EXPECT_EQ(player->Engine().StartTime(), 0u);
    EXPECT_EQ(Pressed(), std::set<int>{607});
    Click(601);
    EXPECT_EQ(sd.bar, 2u);
    EXPECT_EQ(Pressed(), std::set<int>{601});

    Click(613);
    Click(607);
    EXPECT_EQ(player->Engine().StartTime(), 1000u);
    EXPECT_EQ(Pressed(), (std::set<int>{607, 613}));
    Log().sent.clear();
    StepAfter(1000);  // to 1384: the notes begun before the cue stay silent
    EXPECT_EQ(Log().sent, std::vector<uint32_t>{kOn64});

    panel->codes.clear();
    Click(616);
    EXPECT_EQ(sd.markTime, 1384u);
    EXPECT_EQ(panel->codes, (std::vector<std::pair<uint32_t, uint32_t>>{{2, 0}}));
    EXPECT_EQ(Pressed(), std::set<int>{607});
    EXPECT_TRUE(player->Engine().Playing());
    StepUntilStopped();
    EXPECT_EQ(Log().keys.Sounding(), 0);
}

TEST_F(PlayerTest, PauseSilencesAndResumingChasesControllersAndProgramsButNotHeldNotes) {
    AddSongNote(0, 3000, 60);
    AddSongNote(1000, 1100, 64);
    ASSERT_EQ(UpdateEventData(reporter, {10, PackMsg(0xB0, 10, 20), 0}), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, {20, PackMsg(0xC0, 24, 0), 0}), kStored);
    Click(607);
    StepAfter(100);
    StepAfter(100);
    EXPECT_EQ(Log().keys.Sounding(), 1);

    Click(610);
    EXPECT_EQ(Pressed(), (std::set<int>{607, 610}));
    EXPECT_EQ(Log().keys.Sounding(), 0);
    const uint32_t pausedAt = sd.now;
    Click(604);  // refused while paused
    StepAfter(5000);
    EXPECT_EQ(sd.now, pausedAt);
    EXPECT_EQ(Pressed(), (std::set<int>{607, 610}));

    Log().sent.clear();
    Click(610);
    EXPECT_EQ(Pressed(), std::set<int>{607});
    EXPECT_EQ(sd.now, pausedAt);
    const std::vector<uint32_t>& sent = Log().sent;
    ASSERT_EQ(sent.size(), 1 + 5 * kChannels + 2u);
    EXPECT_EQ(sent[0], kReset);
    EXPECT_EQ(sent[sent.size() - 2], PackMsg(0xB0, 10, 20));
    EXPECT_EQ(sent.back(), PackMsg(0xC0, 24, 0));
    StepUntilStopped();
    EXPECT_EQ(Log().Count(kOn60), 0);
    EXPECT_EQ(Log().Count(kOn64), 1);

    Click(610);  // Pause while stopped is only remembered
    EXPECT_EQ(Pressed(), (std::set<int>{601, 610}));
    Click(607);
    EXPECT_FALSE(player->Engine().Playing());
    Click(610);
    EXPECT_EQ(Pressed(), std::set<int>{601});
}

// Sounding notes end on the port that played them, whichever way the run
// ends or the position moves, and notes follow the port the user reopens.
TEST_F(PlayerTest, NothingIsLeftSoundingAfterStopBarChangePortChangeOrClosing) {
    AddSongNote(0, 3000, 60);
    AddSongNote(0, 3000, 62, 1);
    AddSongNote(1000, 3000, 64);
    Click(607);
    StepAfter(100);
    EXPECT_EQ(Log().keys.Sounding(), 2);
    Click(601);
    EXPECT_EQ(Log().keys.Sounding(), 0);
    EXPECT_GT(player->Engine().PendingNoteOffs(), 0u);

    Log().sent.clear();
    sd.bar = 1;
    sd.now = 768;
    player->UpdateBarChange();
    EXPECT_EQ(player->Engine().PendingNoteOffs(), 0u);
    ASSERT_FALSE(Log().sent.empty());
    EXPECT_EQ(Log().sent[0], kReset);
    EXPECT_TRUE(Notified(kMixerReset));

    Click(607);
    StepAfter(100);
    PortLog& first = Log();
    md.portDevice = 1;
    OpenMidiOut();
    EXPECT_EQ(first.keys.Sounding(), 0);
    StepAfter(3000);  // past 1000: the next note goes to the new port
    EXPECT_EQ(first.Count(kOn64), 0);
    EXPECT_EQ(Log().Count(kOn64), 1);
    EXPECT_EQ(Log().keys.Sounding(), 1);

    panel.reset();  // the window closes while the note sounds
    EXPECT_EQ(Log().keys.Sounding(), 0);
    EXPECT_EQ(sd.playState, 0u);
}

}  // namespace
}  // namespace tw
