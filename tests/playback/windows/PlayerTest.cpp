#include "playback/Player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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
        SetPortOpener([this](uint32_t) { return std::make_unique<midi::RecordingOut>(record); });
        OpenMidiOut();
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
    Record& Sent() { return *record; }

    std::shared_ptr<Record> record = std::make_shared<Record>();
    std::unique_ptr<Panel> panel;
    Player* player = nullptr;
    std::atomic<uint32_t> clockMs{5000};
};

const uint32_t kOn60 = PackMsg(0x90, 60, 100);

// The engine's rules are tested on the engine; here its buttons, its timer
// with the injected clock, its port and its window are wired to it.
TEST_F(PlayerTest, ButtonsAndTimerDriveTheEngineAndClosingLeavesNothingSounding) {
    const ui::Image img = test::Snap(*player, "player");
    test::ExpectPixels(img, {50, 50, 100}, {{1, 1}, {45, 20}, {86, 78}, {5, 40}});
    EXPECT_EQ(Pressed(), std::set<int>{601});

    AddSongNote(0, 10000, 60);
    AddSongNote(0, 10000, 64);
    Click(607);
    EXPECT_EQ(Pressed(), std::set<int>{607});
    clockMs += 1000;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Locked([] { return sd.now; }) == 0 && std::chrono::steady_clock::now() < until) {
        ui::Application::PumpWaitingMessages();
    }
    EXPECT_EQ(sd.now, 384u);  // one second at 120 BPM
    EXPECT_EQ(Count(Sent(), kOn60), 1);
    Click(610);
    EXPECT_EQ(Pressed(), (std::set<int>{607, 610}));
    EXPECT_EQ(Sounding(Sent()), 0);
    Click(610);
    EXPECT_EQ(Sounding(Sent()), 0) << "held notes are not struck again on resuming";
    Click(601);
    EXPECT_EQ(Pressed(), std::set<int>{601});
    EXPECT_EQ(panel->codes.back(), kStopped);

    Click(607);
    StepAfter(100);
    EXPECT_EQ(Sounding(Sent()), 2);
    panel.reset();  // the window closes while the notes sound
    EXPECT_EQ(Sounding(Sent()), 0);
    EXPECT_EQ(sd.playState, 0u);
}

}  // namespace
}  // namespace tw
