#include "smf/Format0Split.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "smf/SmfCodes.h"
#include "smf/SmfWriter.h"
#include "song/Voices.h"

namespace tw {
namespace {

constexpr uint32_t kHeaderTag = 0x4D546864;  // "MThd"
constexpr uint32_t kTrackTag = 0x4D54726B;   // "MTrk"
constexpr std::size_t kSongPart = 0;

void AppendText(std::vector<uint8_t>& out, uint8_t type, const std::string& text) {
    out.insert(out.end(), {0x00, 0xFF, type});
    writevarlen(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

std::string ChannelTrackName(uint8_t channel, int firstProgram) {
    if (firstProgram >= 0) {
        return Voices[firstProgram];
    }
    return "Channel " + std::to_string(channel + 1);
}

}  // namespace

int SplitFormat0(std::span<const uint8_t> file, std::vector<uint8_t>& format1) {
    Format0Split split;
    return split.Split(file, format1);
}

int DeclaredFormat(std::span<const uint8_t> file) {
    ByteCursor header(file.data(), file.size());
    if (header.u32be() != kHeaderTag) {
        return -1;
    }
    (void)header.u32be();
    const uint16_t format = header.u16be();
    return header.ranOut() ? -1 : format;
}

// The header is checked in the reader's order: tag, format, division; the
// track is looked for at offset 14 whatever length the header declares.
int Format0Split::Split(std::span<const uint8_t> bytes, std::vector<uint8_t>& format1) {
    format1.clear();
    ByteCursor file(bytes.data(), bytes.size());
    if (file.u32be() != kHeaderTag) {
        return kLoadNoHeader;
    }
    (void)file.u32be();
    const uint16_t format = file.u16be();
    const uint16_t tracks = file.u16be();
    const uint16_t division = file.u16be();
    if (format != 0) {
        return kLoadNotFormat1;
    }
    if (division == 0) {
        return kLoadNoDivision;
    }
    // A format 0 file has one track; chunks after it are not read.
    if (tracks != 0) {
        if (file.u32be() != kTrackTag) {
            return kLoadNoTrack;
        }
        ReadTrack(file.window(file.u32be()));
    }
    Assemble(division, format1);
    return kLoadOk;
}

void Format0Split::ReadTrack(ByteCursor track) {
    while (ReadEvent(track)) {
    }
    // Every track ends where the song's one track ended, so the song keeps
    // its length.
    for (Part& part : parts_) {
        writevarlen(part.data, now_ - part.last);
        part.data.insert(part.data.end(), {0xFF, 0x2F, 0x00});
    }
}

// An event cut short by the end of the chunk or file is dropped and the
// track ends before it, its time not counted.
bool Format0Split::ReadEvent(ByteCursor& track) {
    const uint32_t before = now_;
    now_ += track.varLen();
    const uint8_t byte = track.u8();
    event_.clear();
    keep_ = false;
    const bool goOn = !track.ranOut() && Dispatch(track, byte);
    if (track.ranOut()) {
        now_ = before;
        return false;
    }
    if (keep_) {
        Part& part = parts_[target_];
        writevarlen(part.data, now_ - part.last);
        part.data.insert(part.data.end(), event_.begin(), event_.end());
        part.last = now_;
        part.used = true;
    }
    return goOn;
}

// Running status as the reader keeps it: a meta or system exclusive event
// cancels it, and a data byte without it ends the track.
bool Format0Split::Dispatch(ByteCursor& track, uint8_t byte) {
    if (byte == 0xFF) {
        runningStatus_ = byte;
        return TakeMeta(track);
    }
    if (byte == 0xF0 || byte == 0xF7) {
        runningStatus_ = byte;
        return TakeSysEx(track, byte);
    }
    const bool running = byte < 0x80;
    const uint8_t status = running ? runningStatus_ : byte;
    runningStatus_ = status;
    if (status >= 0x80 && status <= 0xEF) {
        return TakeChannel(track, status, byte, running);
    }
    return false;
}

// Written with its status byte and data bytes of 0..127, as the reader
// counts them.
bool Format0Split::TakeChannel(ByteCursor& track, uint8_t status, uint8_t first, bool running) {
    const uint8_t kind = status & 0xF0;
    const uint8_t channel = status & 0x0F;
    const bool oneDataByte = kind == 0xC0 || kind == 0xD0;
    const uint8_t data1 = running ? first : track.u8();
    const uint8_t data2 = oneDataByte ? 0 : track.u8();
    event_ = {status, static_cast<uint8_t>(data1 & 0x7F)};
    if (!oneDataByte) {
        event_.push_back(data2 & 0x7F);
    }
    target_ = 1 + channel;
    keep_ = true;
    if (kind == 0xC0 && parts_[target_].firstProgram < 0) {
        parts_[target_].firstProgram = data1 & 0x7F;
    }
    return true;
}

bool Format0Split::TakeMeta(ByteCursor& track) {
    const uint8_t type = track.u8();
    const uint32_t length = track.varLen();
    switch (type) {
        case 0x2F:
            return false;
        case 0x20:
        case 0x21:
            return TakeFixedMeta(track, type, 1);
        case 0x51:
            return TakeFixedMeta(track, type, 3);
        case 0x58:
            return TakeFixedMeta(track, type, 4);
        case 0x59:
            return TakeFixedMeta(track, type, 2);
        default: {
            const uint8_t* text = track.take(length);
            if (text != nullptr) {
                event_ = {0xFF, type};
                writevarlen(event_, length);
                event_.insert(event_.end(), text, text + length);
                target_ = kSongPart;
                keep_ = true;
            }
            return true;
        }
    }
}

// Tempo, time and key signature: their standard data lengths, whatever the
// file declares.
bool Format0Split::TakeFixedMeta(ByteCursor& track, uint8_t type, uint8_t length) {
    const uint8_t* data = track.take(length);
    if (data != nullptr) {
        event_ = {0xFF, type, length};
        event_.insert(event_.end(), data, data + length);
        target_ = kSongPart;
        keep_ = true;
    }
    return true;
}

bool Format0Split::TakeSysEx(ByteCursor& track, uint8_t status) {
    const uint32_t length = track.varLen();
    const uint8_t* data = track.take(length);
    if (data != nullptr) {
        event_ = {status};
        writevarlen(event_, length);
        event_.insert(event_.end(), data, data + length);
        target_ = kSongPart;
        keep_ = true;
    }
    return true;
}

void Format0Split::Assemble(uint16_t division, std::vector<uint8_t>& out) const {
    std::vector<const Part*> written{&parts_[kSongPart]};
    std::vector<std::string> names{""};
    for (std::size_t c = 1; c < kParts; ++c) {
        if (parts_[c].used) {
            written.push_back(&parts_[c]);
            names.push_back(ChannelTrackName(static_cast<uint8_t>(c - 1), parts_[c].firstProgram));
        }
    }
    const auto count = static_cast<uint16_t>(written.size());
    out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    out.insert(out.end(), {static_cast<uint8_t>(count >> 8), static_cast<uint8_t>(count),
                           static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division)});
    for (std::size_t i = 0; i < written.size(); ++i) {
        std::vector<uint8_t> chunk;
        if (!names[i].empty()) {
            AppendText(chunk, 0x03, names[i]);
        }
        chunk.insert(chunk.end(), written[i]->data.begin(), written[i]->data.end());
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        writelong(out, static_cast<uint32_t>(chunk.size()));
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
}

}  // namespace tw
