#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tw::test {

// One message as jack_midi_dump -a printed it: the JACK frame time, then the
// bytes.
struct Captured {
    uint64_t frame;
    std::vector<uint8_t> bytes;

    [[nodiscard]] uint8_t Kind() const { return bytes.empty() ? 0 : bytes[0] & 0xF0; }
    [[nodiscard]] bool NoteOn() const {
        return Kind() == 0x90 && bytes.size() == 3 && bytes[2] > 0;
    }
    [[nodiscard]] bool NoteOff() const {
        return bytes.size() == 3 && (Kind() == 0x80 || (Kind() == 0x90 && bytes[2] == 0));
    }
    [[nodiscard]] bool Is(std::vector<uint8_t> expected) const { return bytes == expected; }
};

inline bool HexByte(const std::string& token, uint8_t& value) {
    if (token.size() != 2 || !std::isxdigit(static_cast<unsigned char>(token[0])) ||
        !std::isxdigit(static_cast<unsigned char>(token[1]))) {
        return false;
    }
    value = static_cast<uint8_t>(std::stoul(token, nullptr, 16));
    return true;
}

// jack_midi_dump as a capture client: line-buffered, so that its file shows
// what it has printed so far.
inline std::vector<std::string> MidiDumpCommand(const std::string& client, bool absolute) {
    std::vector<std::string> command = {"stdbuf", "-oL", "jack_midi_dump"};
    if (absolute) {
        command.push_back("-a");
    }
    command.push_back(client);
    return command;
}

// Waits until a capture file has stopped growing for a second (at most
// eight seconds): the capture client prints from a queue of its own, which a
// loaded machine empties late, and stopping it earlier loses the rest.
inline void WaitUntilQuiet(const std::filesystem::path& file) {
    std::error_code error;
    auto size = std::filesystem::file_size(file, error);
    for (int quiet = 0, waited = 0; quiet < 10 && waited < 80; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto now = std::filesystem::file_size(file, error);
        quiet = now == size ? quiet + 1 : 0;
        size = now;
    }
}

inline std::vector<Captured> ParseMidiDump(const std::string& text) {
    std::vector<Captured> captured;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        unsigned long long frame = 0;
        int used = 0;
        if (std::sscanf(line.c_str(), " %llu:%n", &frame, &used) != 1) {
            continue;
        }
        std::istringstream tokens(line.substr(static_cast<std::size_t>(used)));
        Captured message{frame, {}};
        std::string token;
        uint8_t byte = 0;
        while (message.bytes.size() < 3 && tokens >> token && HexByte(token, byte)) {
            message.bytes.push_back(byte);
        }
        if (!message.bytes.empty()) {
            captured.push_back(message);
        }
    }
    return captured;
}

}  // namespace tw::test
