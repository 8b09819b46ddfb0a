#pragma once

// A song file with every kept kind of event, a format 0 karaoke song, a
// fixture that loads and saves songs in memory, a copy of the song tables for
// comparing two loads, and a disk that fails.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "smf/AtomicFile.h"
#include "smf/Progress.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "song/Song.h"
#include "song/Tables.h"
#include "support/MidiFile.h"
#include "support/SongFixture.h"
#include "support/TempDir.h"

namespace tw::test {

// Every kind of event the reader keeps, and a system exclusive event that it
// drops; each track is on one channel and ends at its last event, so that the
// tables come back whole when saved and loaded again.
inline Bytes RichSong() {
    const Track conductor = Track()
                                .Meta(0, 0x03, "Conductor")
                                .Meta(0, 0x02, "(c) 2026 Tunewell")
                                .Raw({0, 0xFF, 0x58, 4, 3, 2, 24, 8, 0, 0xFF, 0x59, 2, 0xFE, 1})
                                .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                                .Event(384, {0xFF, 0x51, 3, 0x09, 0x27, 0xC0})
                                .End(384);
    const Track melody = Track()
                             .Meta(0, 0x03, "Melody")
                             .Raw({0, 0xC1, 40, 0, 0xB1, 7, 100, 0, 10, 20, 0, 91, 30, 0, 93, 40})
                             .Meta(0, 0x05, "Hel")
                             .Raw({0, 0x91, 60, 90, 0, 0x91, 64, 91})
                             .Meta(96, 0x01, "lo")
                             .Raw({96, 0x81, 60, 0, 96, 0x91, 67, 92, 0, 0x91, 64, 0})
                             .Raw({0x81, 0x40, 0xC1, 41, 48, 0x81, 67, 0, 0, 0xF0, 2, 1, 0xF7})
                             .End();
    const Track bass = Track()
                           .Raw({0, 0xC2, 33, 0, 0x92, 36, 70, 0, 43, 71, 100, 36, 0, 0, 43, 0})
                           .Meta(0, 0x05, "")
                           .Raw({0x83, 0x74, 0x92, 36, 72, 0x81, 0x28, 0x82, 36, 0})
                           .End();
    return File(96, {conductor, melody, bass});
}

// A karaoke file of format 0, one track for three channels: a song name and
// copyright, a tempo change, lyrics (one in Windows-1252), a program only on
// channel 1, running status that carries on across a change of channel, and
// events the tables do not keep (a pitch bend, a system exclusive message, a
// marker).
inline Bytes Format0Song() {
    const Track track = Track()
                            .Meta(0, 0x03, "Karaoke Song")
                            .Meta(0, 0x02, "(c) Singer")
                            .Raw({0, 0xFF, 0x58, 4, 3, 2, 24, 8})
                            .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                            .Raw({0, 0xC1, 8})
                            .Raw({0, 0x90, 60, 100, 0, 64, 101})  // running status
                            .Raw({0, 0x91, 48, 90, 0, 0x99, 36, 127})
                            .Meta(0, 0x05, "Caf\xE9")  // Windows-1252
                            .Raw({96, 0x80, 60, 0, 0, 64, 0, 0, 0xE1, 0, 0x40})
                            .Meta(0, 0x06, "marker")
                            .Raw({0, 0xF0, 2, 1, 0xF7})
                            .Meta(0, 0x01, "lo")
                            .Raw({0, 0x99, 36, 0, 0, 0x90, 62, 80})
                            .Event(96, {0xFF, 0x51, 3, 0x0F, 0x42, 0x40})
                            .Raw({96, 0x81, 48, 0, 0, 0x80, 62, 0})
                            .End(96);
    Bytes file = Header(0, 1, 96);
    Append(file, Chunk(track));
    return file;
}

struct RecordingProgress : Progress {
    void Open(const char* caption) override { captions.emplace_back(caption); }
    void Update(int percent) override { gauge.push_back(percent); }
    void Close() override { ++closed; }

    std::vector<std::string> captions;
    std::vector<int> gauge;
    int closed = 0;
};

// Loads and saves songs in memory, starting from the key of a fresh program
// (the key signature outlives a reset).
class SmfFixture : public SongFixture {
protected:
    void SetUp() override {
        SongFixture::SetUp();
        sd.keySharps = 0;
        sd.keyMinor = 0;
    }
    int Load(const Bytes& file, ScanMode mode = ScanMode::Indexed, LeftOut* leftOut = nullptr) {
        SetDefaults();
        return LoadBytes(file, reporter, progress, mode, leftOut);
    }
    Bytes Save(int expected = kSaveOk, ScanMode mode = ScanMode::Indexed) {
        Bytes out;
        EXPECT_EQ(SaveBytes(out, reporter, progress, mode), expected);
        return out;
    }
    // Fills track 0 with 7000 notes (14 000 events) and the given number of
    // controllers; with the 3 conductor events a track holds at most 14 999.
    [[nodiscard]] bool Crowd(uint32_t controllers) {
        bool stored = true;
        for (uint32_t i = 0; i < kNotesPerTrack; ++i) {
            stored = stored && AddNote(reporter, 0, MakeNote(i, i + 1, 60)) == kStored;
        }
        for (uint32_t i = 0; i < controllers; ++i) {
            stored = stored && UpdateEventData(reporter, {i, PackMsg(0xB0, 7, 1), 0}) == kStored;
        }
        return stored;
    }

    RecordingProgress progress;
};

// One event of a track chunk: its time from the track start and its bytes
// with the status always written out; a meta event without its length.
struct TimedEvent {
    uint32_t time;
    Bytes bytes;
    auto operator<=>(const TimedEvent&) const = default;
};

// The events of each track chunk of a file, End of Track left out.
inline std::vector<std::vector<TimedEvent>> Events(const Bytes& file) {
    std::vector<std::vector<TimedEvent>> tracks;
    std::size_t at = 14;
    const auto varLen = [&] {
        uint32_t value = 0;
        while (at < file.size() && (file[at] & 0x80) != 0) {
            value = (value << 7) | (file[at++] & 0x7F);
        }
        return at < file.size() ? (value << 7) | file[at++] : value;
    };
    while (at + 8 <= file.size()) {
        const std::size_t end =
            at + 8 +
            ((file[at + 4] << 24) | (file[at + 5] << 16) | (file[at + 6] << 8) | file[at + 7]);
        at += 8;
        auto& events = tracks.emplace_back();
        uint32_t time = 0;
        uint8_t running = 0;
        while (at < std::min(end, file.size())) {
            time += varLen();
            const uint8_t status = file[at] >= 0x80 ? file[at++] : running;
            Bytes bytes{status};
            if (status == 0xFF) {
                bytes.push_back(file[at++]);
            }
            std::size_t length = 2 - ((status & 0xE0) == 0xC0 ? 1 : 0);
            if (status >= 0xF0) {
                length = varLen();
            } else {
                running = status;
            }
            bytes.insert(bytes.end(), file.begin() + static_cast<long>(at),
                         file.begin() + static_cast<long>(at + length));
            at += length;
            if (bytes != Bytes{0xFF, 0x2F}) {
                events.push_back({time, bytes});
            }
        }
        at = end;
    }
    return tracks;
}

// Makes every AtomicFile write, or every flush, fail with EIO while it lives.
class FailingDisk {
public:
    enum class Call { Write, Flush };
    explicit FailingDisk(Call call) : saved_(AtomicFile::Calls()) {
        if (call == Call::Write) {
            AtomicFile::Calls().write = [](int, const void*, std::size_t) -> ssize_t {
                errno = EIO;
                return -1;
            };
        } else {
            AtomicFile::Calls().fsync = [](int) {
                errno = EIO;
                return -1;
            };
        }
    }
    ~FailingDisk() { AtomicFile::Calls() = saved_; }
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;

private:
    AtomicFile::DiskCalls saved_;
};

}  // namespace tw::test
