#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "song/Pitch.h"
#include "song/Reporter.h"
#include "song/Song.h"

namespace tw::test {

// Records what core code would have shown the user.
class RecordingReporter : public Reporter {
public:
    struct Message {
        std::string text;
        std::string caption;
    };

    void ShowMessage(const char* text, const char* caption) override {
        messages.push_back({text, caption});
    }
    void SongEndChanged() override { ++songEndChanges; }

    std::vector<Message> messages;
    int songEndChanges = 0;
};

// A note as the file reader stores it, closed at `end`.
inline displaydata MakeNote(uint32_t start, uint32_t end, uint8_t pitch, uint8_t channel = 0,
                            uint8_t velocity = 100) {
    displaydata n{};
    n.start = start;
    n.end = end;
    n.note = pitch;
    n.type = 3;
    n.line = NoteLine(pitch);
    n.accidental = NoteAccidental(pitch);
    n.channel = channel;
    n.velocity = velocity;
    n.onMsg = PackMsg(0x90 + channel, pitch, velocity);
    n.offMsg = PackMsg(0x80 + channel, pitch, 0);
    n.closed = 1;
    return n;
}

// A lyric put straight into the table, as the file reader stores it.
inline void AddLyric(uint32_t time, const char* text, uint32_t track = 0) {
    lyric& l = lcd[sd.lyricTotal++];
    l = {};
    l.time = time;
    std::strncpy(l.text, text, sizeof l.text - 1);
    l.track = track;
    ++sd.lyricCount[track];
}

// Waits until `done` holds, polling, for at most a generous ten seconds;
// whether it came true.
template <class Done>
bool Eventually(Done done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// Every table in use and the song fields a load sets, as bytes.
inline std::vector<uint8_t> Snapshot() {
    std::vector<uint8_t> s;
    const auto add = [&s](const void* data, std::size_t size) {
        const auto* first = static_cast<const uint8_t*>(data);
        s.insert(s.end(), first, first + size);
    };
    for (int t = 0; t < kTracks; ++t) {
        add(dd[t], sd.noteCount[t] * sizeof(displaydata));
    }
    add(td, sd.tempoTotal * sizeof(tempodata));
    add(ed, sd.eventTotal * sizeof(eventdata));
    add(pgm, sd.pgmTotal * sizeof(eventdata));
    add(lcd, sd.lyricTotal * sizeof(lyric));
    add(tn, sizeof tn);
    add(cpyright, sizeof cpyright);
    const uint32_t fields[] = {sd.division, sd.tsNumerator, sd.tsDenominator, sd.tsClocks,
                               sd.ts32nds,  sd.songEnd,     sd.noteCount[0],  sd.lyricCount[0]};
    add(fields, sizeof fields);
    add(sd.trackChannel, sizeof sd.trackChannel);
    add(sd.channelProgram, sizeof sd.channelProgram);
    add(&sd.keySharps, 1);
    add(&sd.keyMinor, 1);
    return s;
}

// Every test starts from freshly allocated, reset tables.
class SongFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Startup()); }
    void TearDown() override { Shutdown(); }

    RecordingReporter reporter;
};

}  // namespace tw::test
