#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tw::test {

// Writes small format 1 Standard MIDI Files for the command tests: a tempo
// track, then one track per added track index, every event with its status.
class SmfBuilder {
public:
    explicit SmfBuilder(uint16_t division = 192, uint32_t usPerQuarter = 500000)
        : division_(division), usPerQuarter_(usPerQuarter) {}

    void Note(int track, uint8_t channel, uint8_t key, uint32_t start, uint32_t end,
              uint8_t velocity = 100) {
        Add(track, start, {static_cast<uint8_t>(0x90 | channel), key, velocity}, 1);
        Add(track, end, {static_cast<uint8_t>(0x80 | channel), key, 0}, 0);
    }
    void Program(int track, uint8_t channel, uint32_t time, uint8_t program) {
        Add(track, time, {static_cast<uint8_t>(0xC0 | channel), program}, 2);
    }
    void Controller(int track, uint8_t channel, uint32_t time, uint8_t number, uint8_t value) {
        Add(track, time, {static_cast<uint8_t>(0xB0 | channel), number, value}, 2);
    }

    void Write(const std::string& path) const {
        std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
        Put16(file, static_cast<uint16_t>(tracks_.size() + 1));
        Put16(file, division_);
        std::vector<uint8_t> tempo = {0x00, 0xFF, 0x58, 0x04, 4, 2, 24, 8, 0x00, 0xFF, 0x51, 0x03};
        tempo.push_back(static_cast<uint8_t>(usPerQuarter_ >> 16));
        tempo.push_back(static_cast<uint8_t>(usPerQuarter_ >> 8));
        tempo.push_back(static_cast<uint8_t>(usPerQuarter_));
        AppendTrack(file, tempo);
        for (std::vector<Event> events : tracks_) {
            std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
                return a.time != b.time ? a.time < b.time : a.order < b.order;
            });
            std::vector<uint8_t> data;
            uint32_t previous = 0;
            for (const Event& event : events) {
                PutVarLen(data, event.time - previous);
                previous = event.time;
                data.insert(data.end(), event.bytes.begin(), event.bytes.end());
            }
            AppendTrack(file, data);
        }
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
    }

private:
    // Within one tick: note-offs, then notes... programs and controllers
    // before the notes that follow them.
    struct Event {
        uint32_t time;
        int order;
        std::vector<uint8_t> bytes;
    };

    void Add(int track, uint32_t time, std::vector<uint8_t> bytes, int order) {
        if (tracks_.size() <= static_cast<std::size_t>(track)) {
            tracks_.resize(static_cast<std::size_t>(track) + 1);
        }
        tracks_[static_cast<std::size_t>(track)].push_back(
            {time, order == 2 ? 0 : order + 1, bytes});
    }
    static void Put16(std::vector<uint8_t>& out, uint16_t value) {
        out.push_back(static_cast<uint8_t>(value >> 8));
        out.push_back(static_cast<uint8_t>(value));
    }
    static void PutVarLen(std::vector<uint8_t>& out, uint32_t value) {
        uint8_t bytes[5];
        int n = 0;
        do {
            bytes[n++] = value & 0x7F;
            value >>= 7;
        } while (value != 0);
        while (n > 1) {
            out.push_back(bytes[--n] | 0x80);
        }
        out.push_back(bytes[0]);
    }
    static void AppendTrack(std::vector<uint8_t>& file, std::vector<uint8_t> data) {
        data.insert(data.end(), {0x00, 0xFF, 0x2F, 0x00});
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        const auto size = static_cast<uint32_t>(data.size());
        for (int shift = 24; shift >= 0; shift -= 8) {
            file.push_back(static_cast<uint8_t>(size >> shift));
        }
        file.insert(file.end(), data.begin(), data.end());
    }

    uint16_t division_;
    uint32_t usPerQuarter_;
    std::vector<std::vector<Event>> tracks_;
};

}  // namespace tw::test
