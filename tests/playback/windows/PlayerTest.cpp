#include "playback/Player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "controls/Button2.h"
#include "platform/midi/RecordingOut.h"
#include "platform/midi/SoundingKeys.h"
#include "platform/ui/Application.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"
#include "playback/MidiPort.h"
#include "song/SongLock.h"
#include "song/Tables.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using ui::MouseInput;

using Record = midi::RecordingOut::Record;

// The keys a port was given and has not released; a reset releases all.
int Sounding(const Record& record) {
    midi::SoundingKeys keys;
    for (const Record::value_type& entry : record) {
        if (entry.reset) {
            keys.ReleaseAll([](uint32_t) {});
        } else {
            keys.Track(entry.msg);
        }
    }
    return keys.Sounding();
}

long Count(const Record& record, uint32_t msg) {
    return std::count_if(record.begin(), record.end(),
                         [msg](const Record::value_type& e) { return !e.reset && e.msg == msg; });
}

// The main window's side: records the player's codes.
class Panel : public test::TestHost {
public:
    std::vector<uint32_t> codes;

protected:
    ui::MsgResult DefaultMessage(ui::MsgId msg, ui::WParam w, ui::LParam) override {
        if (msg == PlayerNotify) {
            codes.push_back(static_cast<uint32_t>(w));
        }
        return 0;
    }
};

class PlayerTest : public test::SongFixture {
protected:
    void SetUp() override {
        SongFixture::SetUp();
        SetPortOpener([this](uint32_t device) {
            records[device] = std::make_shared<Record>();
            return std::make_unique<midi::RecordingOut>(records[device]);
        });
        OpenPort(0);
        panel = std::make_unique<Panel>();
        player = new Player(panel.get(), PlayerNotify, 10, 10, 88, 80);
        player->SetTickSource([this] { return clockMs.load(); });
        panel->Open();
        StepAfter(0);  // the clock's first reading
    }
    void TearDown() override {
        panel.reset();
        CloseMidiOut();
        SetPortOpener({});
        SongFixture::TearDown();
    }

    void OpenPort(uint32_t device) {
        md.portDevice = device;
        OpenMidiOut();
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
    // Advances the clock, waits until the playback side has stepped at the
    // new moment, and delivers one timer message.
    void StepAfter(uint32_t ms) {
        const uint64_t steps = player->Side().Steps();
        clockMs += ms;
        if (ms > 0 && Playing()) {
            ASSERT_TRUE(test::Eventually([&] { return player->Side().Steps() > steps; }));
        }
        player->SendMessage(ui::msg::Timer, kPlayerTimer, 0);
    }
    bool Playing() {
        return Locked([this] { return player->Engine().Playing() && !player->Engine().Paused(); });
    }
    void StepUntilStopped() {
        for (int i = 0; i < 2000 && Playing(); ++i) {
            StepAfter(50);
        }
    }
    Record& Sent() { return *records[md.portDevice]; }

    std::map<uint32_t, std::shared_ptr<Record>> records;
    std::unique_ptr<Panel> panel;
    Player* player = nullptr;
    std::atomic<uint32_t> clockMs{5000};
};

const uint32_t kOn60 = PackMsg(0x90, 60, 100);
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
    while (Locked([] { return sd.now; }) == 0 && std::chrono::steady_clock::now() < until) {
        ui::Application::PumpWaitingMessages();
    }
    EXPECT_EQ(sd.now, 384u);  // one second at 120 BPM
    EXPECT_EQ(Count(Sent(), kOn60), 1);
}

TEST_F(PlayerTest, PlayPlaysThePageFromItsBarAndReturnsThereAndRepeatedClicksChangeNothing) {
    AddSongNote(2304, 2400, 60);
    AddSongNote(5000, 5100, 62);
    sd.bar = 3;
    sd.now = 2304;
    Click(601);  // Stop while stopped
    EXPECT_TRUE(panel->codes.empty());
    EXPECT_TRUE(Sent().empty());

    Click(604);
    EXPECT_EQ(player->Engine().StopTime(), 3840u);
    EXPECT_EQ(Pressed(), std::set<int>{604});
    StepAfter(50);
    const size_t codes = panel->codes.size();
    Click(604);  // Play while a Play run is on
    Click(607);
    EXPECT_EQ(panel->codes.size(), codes);

    StepUntilStopped();
    EXPECT_EQ(sd.bar, 3u);
    EXPECT_EQ(sd.now, 2304u);
    EXPECT_EQ(Pressed(), std::set<int>{601});
    EXPECT_EQ(Count(Sent(), kOn60), 1);
    EXPECT_EQ(Count(Sent(), PackMsg(0x90, 62, 100)), 0);
    EXPECT_EQ(std::vector<uint32_t>(panel->codes.end() - 2, panel->codes.end()),
              (std::vector<uint32_t>{kPageChange, kStopped}));
}

TEST_F(PlayerTest, PlayAllStartsAtTheSongStartOrAtTheCueAndCueSetStoresNowAndReleasesCue) {
    AddSongNote(0, 4000, 60);
    AddSongNote(1200, 1300, 64);
    sd.markTime = 1000;
    sd.bar = 2;
    sd.now = 1536;
    Click(607);
    EXPECT_EQ(player->Engine().StartTime(), 0u);
    EXPECT_EQ(Pressed(), std::set<int>{607});
    Click(601);
    EXPECT_EQ(sd.bar, 2u);

    Click(613);
    Click(607);
    EXPECT_EQ(player->Engine().StartTime(), 1000u);
    EXPECT_EQ(Pressed(), (std::set<int>{607, 613}));
    StepAfter(1000);  // to 1384: the note begun before the cue stays silent
    EXPECT_EQ(Count(Sent(), kOn60), 0);
    EXPECT_EQ(Count(Sent(), kOn64), 1);

    panel->codes.clear();
    Click(616);
    EXPECT_EQ(sd.markTime, 1384u);
    EXPECT_EQ(panel->codes, std::vector<uint32_t>{kCueSet});
    EXPECT_EQ(Pressed(), std::set<int>{607});
}

TEST_F(PlayerTest, PauseSilencesAndResumingChasesControllersAndProgramsButNotHeldNotes) {
    AddSongNote(0, 3000, 60);
    AddSongNote(1000, 1100, 64);
    const uint32_t pan = PackMsg(0xB0, 10, 20);
    const uint32_t program = PackMsg(0xC0, 24, 0);
    ASSERT_EQ(UpdateEventData(reporter, {10, pan, 0}), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, {20, program, 0}), kStored);
    Click(607);
    StepAfter(200);
    EXPECT_EQ(Sounding(Sent()), 1);

    Click(610);
    EXPECT_EQ(Pressed(), (std::set<int>{607, 610}));
    EXPECT_EQ(Sounding(Sent()), 0);
    const uint32_t pausedAt = sd.now;
    Click(604);  // refused while paused
    StepAfter(5000);
    EXPECT_EQ(sd.now, pausedAt);

    Sent().clear();
    Click(610);
    EXPECT_EQ(Pressed(), std::set<int>{607});
    EXPECT_EQ(Count(Sent(), pan), 1);
    EXPECT_EQ(Count(Sent(), program), 1);
    StepUntilStopped();
    EXPECT_EQ(Count(Sent(), kOn60), 0);
    EXPECT_EQ(Count(Sent(), kOn64), 1);

    Click(610);  // while stopped the pause is only remembered
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
    EXPECT_EQ(Sounding(Sent()), 2);
    Click(601);
    EXPECT_EQ(Sounding(Sent()), 0);

    sd.bar = 1;
    sd.now = 768;
    player->UpdateBarChange();
    EXPECT_EQ(player->Engine().PendingNoteOffs(), 0u);
    EXPECT_EQ(Sounding(Sent()), 0);

    Click(607);
    StepAfter(100);
    const Record& first = Sent();
    OpenPort(1);
    EXPECT_EQ(Sounding(first), 0);
    StepAfter(3000);  // past 1000: the next note goes to the new port
    EXPECT_EQ(Count(first, kOn64), 0);
    EXPECT_EQ(Sounding(Sent()), 1);

    panel.reset();  // the window closes while the note sounds
    EXPECT_EQ(Sounding(Sent()), 0);
    EXPECT_EQ(sd.playState, 0u);
}

}  // namespace
}  // namespace tw
