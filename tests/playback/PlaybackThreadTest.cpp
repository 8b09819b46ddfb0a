#include "playback/PlaybackThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "platform/midi/RecordingOut.h"
#include "platform/midi/SoundingKeys.h"
#include "playback/NotificationQueue.h"
#include "song/SongLock.h"
#include "song/Tables.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using Record = midi::RecordingOut::Record;

class PlaybackSide : public test::SongFixture {
protected:
    // The window's side: everything it has taken from the queue so far.
    std::vector<NotificationQueue::Entry> Take() {
        for (NotificationQueue::Entry& entry : queue.Take()) {
            taken.push_back(std::move(entry));
        }
        return taken;
    }
    // Moves the injected clock and waits until the playback side has
    // stepped at the new moment.
    void Advance(uint32_t ms) {
        const uint64_t steps = side.Steps();
        clockMs += ms;
        ASSERT_TRUE(test::Eventually([&] { return side.Steps() > steps; }));
    }
    long Count(uint32_t msg) {
        const SongLock lock;
        long n = 0;
        for (const Record::value_type& entry : *record) {
            n += !entry.reset && entry.msg == msg ? 1 : 0;
        }
        return n;
    }
    int Sounding() {
        const SongLock lock;
        midi::SoundingKeys keys;
        for (const Record::value_type& entry : *record) {
            if (entry.reset) {
                keys.ReleaseAll([](uint32_t) {});
            } else {
                keys.Track(entry.msg);
            }
        }
        return keys.Sounding();
    }

    std::shared_ptr<Record> record = std::make_shared<Record>();
    midi::RecordingOut port{record};
    NotificationQueue queue;
    std::atomic<uint32_t> clockMs{1000};
    PlaybackEngine engine{port, queue,
                          [this](uint32_t code, uint32_t value) { queue.Push(code, value); },
                          [this] { return clockMs.load(); }};
    PlaybackThread side{engine, [this] { return clockMs.load(); }};
    std::vector<NotificationQueue::Entry> taken;
};

TEST_F(PlaybackSide, NotificationsArriveInOrderAMuteTakesTheNextNoteAndStopLeavesNothingSounding) {
    const uint32_t on60 = PackMsg(0x90, 60, 100);
    const uint32_t on62 = PackMsg(0x90, 62, 100);
    ASSERT_EQ(AddNote(reporter, 0, test::MakeNote(0, 1000, 60)), kStored);
    ASSERT_EQ(AddNote(reporter, 1, test::MakeNote(192, 1000, 62)), kStored);
    {
        const SongLock lock;
        engine.GetCtTime();
        ASSERT_TRUE(engine.PlayAll(false));
    }
    side.Wake();
    Advance(10);  // past the first note
    ASSERT_TRUE(test::Eventually([&] { return Count(on60) == 1; }));

    {
        const SongLock lock;  // as the mixer's mute button does while playing
        sd.channelMute[0] = 1;
    }
    Advance(500);  // past the second note, on the muted channel
    EXPECT_EQ(Count(on62), 0);
    EXPECT_EQ(Sounding(), 1);

    {
        const SongLock lock;  // the window's Stop button
        engine.SetStopMode();
    }
    EXPECT_EQ(Sounding(), 0);
    EXPECT_FALSE(Locked([&] { return engine.Playing(); }));

    std::vector<uint32_t> codes;
    std::vector<uint32_t> activity;
    for (const NotificationQueue::Entry& entry : Take()) {
        if (entry.kind == NotificationQueue::Kind::Notification) {
            codes.push_back(entry.code);
            if (entry.code == kNoteActivity) {
                activity.push_back(entry.value);
            }
        }
    }
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(std::vector<uint32_t>(codes.begin(), codes.begin() + 3),
              (std::vector<uint32_t>{kPageChange, kMixerReset, kTempoChange}));
    EXPECT_EQ(activity, (std::vector<uint32_t>{on60, on62}));  // the muted note is still shown
    EXPECT_EQ(std::vector<uint32_t>(codes.end() - 2, codes.end()),
              (std::vector<uint32_t>{kPageChange, kStopped}));
}

}  // namespace
}  // namespace tw
