#include "playback/PlaybackEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "playback/MixerReset.h"
#include "song/KeptEvents.h"
#include "song/Pitch.h"
#include "song/Tables.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

constexpr uint32_t kReset = 0xFFFFFFFF;  // marks a port reset in the record

class RecordingPort : public midi::MidiOut {
public:
    void Send(uint32_t msg) override { sent.push_back(msg); }
    void SendSysEx(std::span<const uint8_t> message) override { sent.push_back(message[0]); }
    void Reset() override { sent.push_back(kReset); }
    bool GetVolume(uint32_t&) override { return false; }
    bool SetVolume(uint32_t) override { return false; }

    std::vector<uint32_t> sent;
};

struct Notification {
    uint32_t code;
    uint32_t value;
    bool operator==(const Notification&) const = default;
};

class Engine : public test::SongFixture {
protected:
    Engine()
        : engine(
              port, reporter, [this](uint32_t code, uint32_t value) { OnNotify(code, value); },
              [this] { return clockMs; }) {}

    void OnNotify(uint32_t code, uint32_t value) {
        notes.push_back({code, value});
        if (code == kMixerReset) {
            offsAtReset = engine.PendingNoteOffs();
        }
    }

    void AddSongNote(uint32_t track, uint32_t start, uint32_t end, uint8_t pitch,
                     uint8_t channel = 0) {
        ASSERT_EQ(AddNote(reporter, track, test::MakeNote(start, end, pitch, channel)), kStored);
    }

    // Advances the clock by `ms` and runs one timer step.
    void StepAfter(uint32_t ms) {
        clockMs += ms;
        engine.Step();
    }

    // What reached the port since positioning, without the mixer reset.
    std::vector<uint32_t> SentAfterReset() const {
        auto mark = std::find(port.sent.rbegin(), port.sent.rend(), kReset);
        size_t from = port.sent.rend() - mark + 5 * kChannels;
        return {port.sent.begin() + static_cast<long>(std::min(from, port.sent.size())),
                port.sent.end()};
    }

    bool Notified(uint32_t code, uint32_t value) const {
        return std::find(notes.begin(), notes.end(), Notification{code, value}) != notes.end();
    }

    RecordingPort port;
    std::vector<Notification> notes;
    uint32_t clockMs = 1000;
    uint32_t offsAtReset = 0;
    PlaybackEngine engine;
};

TEST_F(Engine, SongClockCarriesTheFractionOfATickAndCountsOnlyPlayingTime) {
    AddSongNote(0, 100000, 100100, 60);
    engine.Step();    // the first reading of the clock
    clockMs += 5000;  // time while stopped is never counted
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));

    const uint32_t expected[] = {3, 3, 7};  // 3.84 at 120 BPM and 192 ticks per quarter
    const uint32_t stepMs[] = {10, 0, 10};
    for (int i = 0; i < 3; ++i) {
        StepAfter(stepMs[i]);
        EXPECT_EQ(sd.now, expected[i]);
    }
    for (int i = 0; i < 98; ++i) {
        StepAfter(10);
    }
    EXPECT_EQ(sd.now, 384u);  // one second is two quarter notes, exactly
    engine.Pause(true);
    StepAfter(5000);
    EXPECT_EQ(sd.now, 384u);
}

TEST_F(Engine, PositioningChasesControllersAndProgramsWhichTheStepsDoNotResend) {
    AddSongNote(0, 0, 96, 60);
    ASSERT_EQ(UpdateEventData(reporter, {0, PackMsg(0xB0, 7, 80), 0}), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, {0, PackMsg(0xC0, 24, 0), 0}), kStored);
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));

    EXPECT_TRUE(Notified(kControllerPlayed, PackMsg(0xB0, 7, 80)));
    EXPECT_TRUE(Notified(kProgramChange, PackMsg(0xC0, 24, 0)));
    EXPECT_EQ(sd.channelProgram[0], 24);
    const std::vector<uint32_t> chased = SentAfterReset();
    EXPECT_EQ(chased, (std::vector<uint32_t>{PackMsg(0xB0, 7, 80), PackMsg(0xC0, 24, 0)}));

    port.sent.clear();
    StepAfter(10);
    EXPECT_EQ(port.sent, std::vector<uint32_t>{PackMsg(0x90, 60, 100)});
}

TEST_F(Engine, NotesThatBeganBeforeTheStartPositionAreNotSounded) {
    AddSongNote(0, 0, 2000, 48);
    AddSongNote(0, 768, 900, 60);
    AddSongNote(1, 768, 800, 64);
    sd.bar = 1;
    sd.now = 768;
    engine.Step();
    ASSERT_TRUE(engine.Play());
    EXPECT_EQ(sd.playIndex[0], 1u);
    EXPECT_EQ(sd.playIndex[1], 0u);
    port.sent.clear();
    StepAfter(10);
    EXPECT_EQ(port.sent, (std::vector<uint32_t>{PackMsg(0x90, 60, 100), PackMsg(0x90, 64, 100)}));
}

TEST_F(Engine, NoteOffIsSentBeforeTheNoteOnOfTheSameKeyInOneStep) {
    AddSongNote(0, 0, 4, 60);
    AddSongNote(0, 4, 100, 60);
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));
    StepAfter(10);
    port.sent.clear();
    StepAfter(10);
    ASSERT_GE(port.sent.size(), 2u);
    EXPECT_EQ(port.sent[0], PackMsg(0x80, 60, 0));
    EXPECT_EQ(port.sent[1], PackMsg(0x90, 60, 100));
}

TEST_F(Engine, MutedAndUnsoloedNotesAreNotifiedAndClosedButNotSounded) {
    AddSongNote(0, 0, 5, 60, 0);
    AddSongNote(1, 0, 5, 62, 1);
    AddSongNote(2, 0, 5, 64, 2);
    sd.channelMute[0] = 1;
    sd.soloChannel = 2;
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));
    port.sent.clear();
    StepAfter(10);
    StepAfter(10);

    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x90, 60, 100)), 0);
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x91, 62, 100)), 0);
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x92, 64, 100)), 1);
    for (uint32_t off : {PackMsg(0x80, 60, 0), PackMsg(0x81, 62, 0), PackMsg(0x82, 64, 0)}) {
        EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), off), 1);
    }
    EXPECT_TRUE(Notified(kNoteActivity, PackMsg(0x90, 60, 100)));
    EXPECT_TRUE(Notified(kNoteActivity, PackMsg(0x91, 62, 100)));
}

TEST_F(Engine, SoloOnChannel0SilencesEveryOtherChannel) {
    AddSongNote(0, 0, 5, 60, 0);
    AddSongNote(1, 0, 5, 62, 1);
    sd.soloChannel = 0;
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));
    port.sent.clear();
    StepAfter(10);
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x90, 60, 100)), 1);
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x91, 62, 100)), 0);
}

TEST_F(Engine, NoteOffsOfEqualTimeLeaveInTheOrderTheirNotesWerePlayed) {
    AddSongNote(3, 0, 10, 67);
    AddSongNote(1, 0, 10, 60);
    AddSongNote(2, 0, 6, 64);
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));
    StepAfter(10);
    port.sent.clear();
    StepAfter(20);
    port.sent.resize(std::min<std::size_t>(port.sent.size(), 3));
    EXPECT_EQ(port.sent, (std::vector<uint32_t>{PackMsg(0x80, 64, 0), PackMsg(0x80, 60, 0),
                                                PackMsg(0x80, 67, 0)}));
}

// Notes that find the queue full are not started, so none is left sounding,
// and a dense song says so once a run instead of once a note.
TEST_F(Engine, AFullNoteOffQueueSaysSoOnceARunAndTheNotesThatDidNotFitAreNotStarted) {
    constexpr uint8_t kNaturals[] = {48, 50, 52, 53, 55, 57, 59};  // one staff line each
    for (uint32_t i = 0; i < kNoteOffQueueSize + 2; ++i) {
        AddSongNote(i % kTracks, 0, 100, kNaturals[i / kTracks]);
    }
    const auto noteOns = [this] {
        return static_cast<uint32_t>(
            std::count_if(port.sent.begin(), port.sent.end(),
                          [](uint32_t m) { return m != kReset && (m & 0xF0) == 0x90; }));
    };
    for (int run = 0; run < 2; ++run) {
        engine.Step();
        ASSERT_TRUE(engine.PlayAll(false));
        port.sent.clear();
        StepAfter(10);
        EXPECT_EQ(noteOns(), kNoteOffQueueSize);
        EXPECT_EQ(engine.PendingNoteOffs(), kNoteOffQueueSize);
        engine.SetStopMode();
    }
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].text, "Out of Note Off Memory");
    EXPECT_EQ(reporter.messages[1].caption, "Add Note Off");
}

TEST_F(Engine, RunEndsPastItsStopTimeSilencesThePortAndReturnsToItsStartBar) {
    AddSongNote(0, 2304, 2400, 60);
    AddSongNote(0, 5000, 5100, 62);
    sd.bar = 3;
    sd.now = 2304;
    engine.Step();
    ASSERT_TRUE(engine.Play());
    EXPECT_EQ(engine.StopTime(), 3840u);
    EXPECT_FALSE(engine.Play());  // Play while a Play run is on changes nothing
    notes.clear();
    for (int i = 0; i < 1000 && engine.Playing(); ++i) {
        StepAfter(10);
    }
    EXPECT_FALSE(engine.Playing());
    EXPECT_EQ(sd.playState, 0u);
    EXPECT_EQ(sd.bar, 3u);
    EXPECT_EQ(sd.now, 2304u);
    EXPECT_EQ(port.sent.back(), kReset);
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x90, 62, 100)), 0);
    ASSERT_GE(notes.size(), 2u);
    EXPECT_EQ(notes[notes.size() - 2], (Notification{kPageChange, 0}));
    EXPECT_EQ(notes.back(), (Notification{kStopped, 0}));
}

TEST_F(Engine, APlayRunLongerThanTheSongStopsOnlyOncePastTheSongEnd) {
    AddSongNote(0, 0, 48, 60);
    engine.Step();
    ASSERT_TRUE(engine.Play());
    EXPECT_EQ(engine.StopTime(), 48u);
    StepAfter(125);  // 48 ticks at 120 BPM
    EXPECT_TRUE(engine.Playing());
    StepAfter(10);
    EXPECT_FALSE(engine.Playing());
}

TEST_F(Engine, PlayAllStartsAtTheCuePointOnlyWhenCueIsOn) {
    AddSongNote(0, 0, 4000, 60);
    sd.markTime = 1000;
    sd.bar = 2;
    sd.now = 1536;
    ASSERT_TRUE(engine.PlayAll(false));
    EXPECT_EQ(engine.StartTime(), 0u);
    engine.SetStopMode();
    EXPECT_EQ(sd.bar, 2u);
    ASSERT_TRUE(engine.PlayAll(true));
    EXPECT_EQ(engine.StartTime(), 1000u);
    EXPECT_EQ(sd.now, 1000u);
    EXPECT_EQ(sd.bar, 1u);
}

TEST_F(Engine, ResumingChasesFromThePausePointWithoutRestartingHeldNotes) {
    AddSongNote(0, 0, 3000, 60);
    AddSongNote(0, 1000, 1100, 64);
    ASSERT_EQ(UpdateEventData(reporter, {10, PackMsg(0xB0, 10, 20), 0}), kStored);
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));
    StepAfter(100);
    engine.Pause(true);
    EXPECT_EQ(port.sent.back(), kReset);
    EXPECT_FALSE(engine.Play());  // refused while paused
    port.sent.clear();
    engine.Pause(false);
    const std::vector<uint32_t> chased = SentAfterReset();
    EXPECT_EQ(chased, std::vector<uint32_t>{PackMsg(0xB0, 10, 20)});
    for (int i = 0; i < 300; ++i) {
        StepAfter(10);
    }
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x90, 60, 100)), 0);
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0x90, 64, 100)), 1);
}

// Dropping the pending note-offs is safe only once the port is silent; and
// an owner going away halts the run without being told anything.
TEST_F(Engine, RepositioningSilencesThePortBeforeDroppingPendingNoteOffsAndHaltSilencesAlone) {
    AddSongNote(0, 0, 3000, 60);
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));
    StepAfter(10);
    engine.SetStopMode();
    ASSERT_EQ(engine.PendingNoteOffs(), 1u);
    engine.UpdateBarChange();
    EXPECT_EQ(offsAtReset, 1u);
    EXPECT_EQ(engine.PendingNoteOffs(), 0u);

    ASSERT_TRUE(engine.PlayAll(false));
    StepAfter(10);
    notes.clear();
    port.sent.clear();
    engine.Halt();
    EXPECT_EQ(port.sent, std::vector<uint32_t>{kReset});
    EXPECT_TRUE(notes.empty());
    EXPECT_FALSE(engine.Playing());
    EXPECT_EQ(sd.playState, 0u);
    EXPECT_EQ(engine.PendingNoteOffs(), 0u);
}

TEST_F(Engine, EveryNewStaffPageIsAnnouncedOnce) {
    AddSongNote(0, 0, 10000, 60);
    engine.Step();
    ASSERT_TRUE(engine.PlayAll(false));
    notes.clear();
    for (int i = 0; i < 399; ++i) {  // 3.99 s: just short of bar 2, the second page
        StepAfter(10);
    }
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Notification{kPageChange, 0}), 0);
    StepAfter(10);
    EXPECT_EQ(sd.now, 1536u);
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Notification{kPageChange, 0}), 1);
    for (int i = 0; i < 399; ++i) {
        StepAfter(10);
    }
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Notification{kPageChange, 0}), 1);
    StepAfter(10);
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Notification{kPageChange, 0}), 2);
    // A time tick once more than 100 ms have passed: every 110 ms at 10 ms steps.
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Notification{kTimeTick, 0}), 800 / 11);
}

// Sustain, pitch bend and bank select kept from a file, the bank's program
// in the table: a run from bar 1 first sets what they left, then plays on.
TEST_F(Engine, KeptEventsAreChasedBeforeTheNotesAndStopReleasesBendAndSustain) {
    const uint8_t sysex[] = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    ASSERT_EQ(kept.AddLong(reporter, 0, 0, 0xF0, 0, sysex), 0u);
    for (const auto& [time, msg] :
         std::vector<std::pair<uint32_t, uint32_t>>{{0, PackMsg(0xB2, 0, 1)},
                                                    {10, PackMsg(0xB2, 64, 127)},
                                                    {20, PackMsg(0xE2, 0, 80)},
                                                    {30, PackMsg(0xE2, 0, 90)},
                                                    {800, PackMsg(0xB2, 64, 0)}}) {
        ASSERT_EQ(kept.AddShort(reporter, 1, time, msg), 0u);
    }
    ASSERT_EQ(UpdatePgmData(reporter, {0, PackMsg(0xC2, 5, 0), 1}), kStored);
    AddSongNote(1, 768, 900, 60, 2);
    sd.bar = 1;
    sd.now = 768;
    engine.Step();
    ASSERT_TRUE(engine.Play());
    EXPECT_EQ(SentAfterReset(),
              (std::vector<uint32_t>{0xF0, PackMsg(0xB2, 0, 1), PackMsg(0xB2, 64, 127),
                                     PackMsg(0xE2, 0, 90), PackMsg(0xC2, 5, 0)}));
    port.sent.clear();
    StepAfter(20);
    StepAfter(100);  // 38 ticks on
    EXPECT_EQ(port.sent, (std::vector<uint32_t>{PackMsg(0x92, 60, 100), PackMsg(0xB2, 64, 0)}));
    port.sent.clear();
    engine.SetStopMode();
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0xE2, 0, 0x40)), 1);
    EXPECT_EQ(std::count(port.sent.begin(), port.sent.end(), PackMsg(0xB2, 64, 0)), 1);
    EXPECT_EQ(port.sent.back(), kReset);
}

}  // namespace
}  // namespace tw
