#pragma once

// Small Standard MIDI Files made byte by byte in the tests, and a private
// temporary directory for the tests that touch the disk.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "smf/Progress.h"

namespace tw::test {

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

inline Bytes VarLen(uint32_t value) {
    Bytes bytes{static_cast<uint8_t>(value & 0x7F)};
    for (value >>= 7; value != 0; value >>= 7) {
        bytes.insert(bytes.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
    }
    return bytes;
}

inline Bytes Be32(uint32_t value) {
    return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
            static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

// The events of one track chunk.
class Track {
public:
    Track& Event(uint32_t delta, std::initializer_list<uint8_t> bytes) {
        Append(data, VarLen(delta));
        data.insert(data.end(), bytes);
        return *this;
    }
    Track& Meta(uint32_t delta, uint8_t type, std::string_view text) {
        Append(data, VarLen(delta));
        data.push_back(0xFF);
        data.push_back(type);
        Append(data, VarLen(static_cast<uint32_t>(text.size())));
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
    Track& Raw(std::initializer_list<uint8_t> bytes) {
        data.insert(data.end(), bytes);
        return *this;
    }
    Track& End(uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }

    Bytes data;
};

inline Bytes Header(uint16_t format, uint16_t tracks, uint16_t division, uint32_t length = 6) {
    Bytes bytes{'M', 'T', 'h', 'd'};
    Append(bytes, Be32(length));
    for (uint16_t value : {format, tracks, division}) {
        bytes.push_back(static_cast<uint8_t>(value >> 8));
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

// A track chunk; its length as declared, the real one unless given.
inline Bytes Chunk(const Track& track, int64_t declared = -1) {
    Bytes bytes{'M', 'T', 'r', 'k'};
    Append(bytes, Be32(declared < 0 ? static_cast<uint32_t>(track.data.size())
                                    : static_cast<uint32_t>(declared)));
    Append(bytes, track.data);
    return bytes;
}

inline Bytes File(uint16_t division, std::initializer_list<Track> tracks) {
    Bytes bytes = Header(1, static_cast<uint16_t>(tracks.size()), division);
    for (const Track& track : tracks) {
        Append(bytes, Chunk(track));
    }
    return bytes;
}

// Records what a progress dialog would have shown.
class RecordingProgress : public Progress {
public:
    void Open(const char* caption) override {
        captions.emplace_back(caption);
        ++opened;
    }
    void Update(int percent) override { gauge.push_back(percent); }
    void Close() override { ++closed; }

    std::vector<std::string> captions;
    std::vector<int> gauge;
    int opened = 0;
    int closed = 0;
};

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tunewell-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] std::string operator/(std::string_view name) const {
        return (path_ / name).string();
    }
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

    // The names in the directory, sorted.
    [[nodiscard]] std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tw::test
