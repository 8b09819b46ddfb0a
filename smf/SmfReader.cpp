#include "smf/SmfReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "song/KeptEvents.h"
#include "song/Pitch.h"
#include "song/SongEnd.h"
#include "song/Tables.h"

namespace tw {
namespace {

// Results of one event inside the track loop; anything from 2 up is a full
// table's code and ends the load.
constexpr uint32_t kGoOn = 0;
constexpr uint32_t kTrackEnds = 1;

constexpr uint32_t kHeaderTag = 0x4D546864;  // "MThd"
constexpr uint32_t kTrackTag = 0x4D54726B;   // "MTrk"
constexpr uint32_t kMaxTracks = 32;

// Copies a text of the file into a fixed field as a C string: at most
// size - 1 bytes, ending early at a NUL byte, the rest of the field cleared.
// True when the field holds less than the text.
bool CopyText(char* field, std::size_t size, const uint8_t* text, uint32_t length) {
    const std::size_t limit = std::min<std::size_t>(length, size - 1);
    const auto* end = std::find(text, text + limit, uint8_t{0});
    const std::size_t n = static_cast<std::size_t>(end - text);
    std::memcpy(field, text, n);
    std::memset(field + n, 0, size - n);
    return n < length;
}

bool InNoteRange(uint8_t note) {
    return note >= kLowestNote && note <= kHighestNote;
}

// The entry of a time-ordered table at `time` that `same` picks, or nullptr.
template <typename Record, typename Same>
const Record* SameAt(const Record* table, uint32_t count, uint32_t time, Same same) {
    const Record* end = table + count;
    auto it = std::partition_point(table, end, [&](const Record& r) { return r.time < time; });
    for (; it != end && it->time == time; ++it) {
        if (same(*it)) {
            return it;
        }
    }
    return nullptr;
}

// The note that AddNote would replace with `note`: one at its start on its
// staff line, where appending compares the last note only.
const displaydata* SameLineNote(uint32_t track, const displaydata& note) {
    const displaydata* notes = dd[track];
    const uint32_t n = sd.noteCount[track];
    if (n == 0 || notes[n - 1].start < note.start) {
        return nullptr;
    }
    if (notes[n - 1].start == note.start) {
        return notes[n - 1].line == note.line ? &notes[n - 1] : nullptr;
    }
    const displaydata* it = std::partition_point(
        notes, notes + n, [&](const displaydata& d) { return d.start < note.start; });
    for (; it != notes + n && it->start == note.start; ++it) {
        if (it->line == note.line) {
            return it;
        }
    }
    return nullptr;
}

}  // namespace

int LoadBytes(std::span<const uint8_t> file, Reporter& reporter, Progress& progress, ScanMode mode,
              LeftOut* leftOut) {
    SmfReader reader(reporter, progress, mode);
    const int result = reader.LoadFile(file);
    if (leftOut != nullptr) {
        *leftOut = reader.leftOut();
    }
    return result;
}

// A file that ends inside the header reads the missing bytes as 0, so it
// fails on the tag, the format or the division like any other bad header.
int SmfReader::LoadFile(std::span<const uint8_t> bytes) {
    ByteCursor file(bytes.data(), bytes.size());
    if (file.u32be() != kHeaderTag) {
        return kLoadNoHeader;
    }
    (void)file.u32be();  // the header length: the first track is looked for at offset 14
    const uint16_t format = file.u16be();
    const uint32_t declared = file.u16be();
    const uint32_t tracks = std::min(declared, kMaxTracks);
    leftOut_.tracksBeyond32 = declared - tracks;
    sd.division = file.u16be();
    if (format != 1) {
        return kLoadNotFormat1;
    }
    if (sd.division == 0) {
        return kLoadNoDivision;
    }
    progress_.Open("Loading File");
    sd.songEnd = 0;
    const int result = ReadTracks(file, tracks);
    progress_.Close();
    if (result == kLoadOk) {
        sd.track = 0;
        sd.now = 0;
        // Each note moved songEnd to the provisional end it was stored with
        // before its note-off closed it; the song ends where its tracks end or
        // its last event does, not up to six quarter notes after.
        sd.songEnd = std::max(lastTrackEnd_, FindSongEnd());
    }
    return result;
}

int SmfReader::ReadTracks(ByteCursor& file, uint32_t tracks) {
    for (uint32_t i = 0; i < tracks; ++i) {
        sd.track = static_cast<uint8_t>(i);
        if (file.u32be() != kTrackTag) {
            return kLoadNoTrack;
        }
        const uint32_t length = file.u32be();
        const uint64_t start = file.position();
        progress_.Update(static_cast<int>(100.0 * static_cast<double>(start) /
                                          static_cast<double>(file.size())));
        if (length != 0) {
            const uint32_t code = ReadTrack(file.window(length));
            if (code != kGoOn) {
                char text[48];
                std::snprintf(text, sizeof text, "ntrk = %d er=%d", static_cast<int>(i),
                              static_cast<int>(code));
                reporter_.ShowMessage(text, "twApper");
                return static_cast<int>(code);
            }
        }
        // The next chunk is found from the declared length, whatever the
        // track's events used.
        file.seek(start + length);
    }
    return kLoadOk;
}

uint32_t SmfReader::ReadTrack(ByteCursor track) {
    sd.now = 0;
    runningStatus_ = 0;
    openNotes_.Begin();
    lastText_ = {};
    lastName_ = {};
    uint32_t result = kGoOn;
    while (result == kGoOn) {
        result = ReadEvent(track);
    }
    if (sd.now > sd.songEnd) {
        sd.songEnd = sd.now;
    }
    lastTrackEnd_ = std::max(lastTrackEnd_, sd.now);
    return result == kTrackEnds ? kGoOn : result;
}

// An event cut short by the end of the chunk or file changes nothing, not
// even the running time: the track ends before it.
uint32_t SmfReader::ReadEvent(ByteCursor& track) {
    const uint32_t before = sd.now;
    order_.Read();
    sd.now += track.varLen();
    const uint8_t byte = track.u8();
    const uint32_t result = track.ranOut() ? kTrackEnds : Dispatch(track, byte);
    if (track.ranOut()) {
        sd.now = before;
        return kTrackEnds;
    }
    return result;
}

// Running status remembers the status byte this event dispatched on, so a
// meta or system exclusive event cancels it: a data byte after one, or at
// the start of a track, ends the track.
uint32_t SmfReader::Dispatch(ByteCursor& track, uint8_t byte) {
    if (byte == 0xFF) {
        runningStatus_ = byte;
        return GetMeta(track);
    }
    if (byte == 0xF0 || byte == 0xF7) {
        runningStatus_ = byte;
        return GetSysEx(track, byte);
    }
    const bool running = byte < 0x80;
    const uint8_t status = running ? runningStatus_ : byte;
    runningStatus_ = status;
    if (status >= 0x80 && status <= 0xEF) {
        return GetMidi(track, status, byte, running);
    }
    return kTrackEnds;
}

// Every channel message, kept or not, makes its channel the track's.
// Data bytes of 0x80 and above (a malformed file) count by their low seven
// bits, so no stored value is ever out of 0..127.
uint32_t SmfReader::GetMidi(ByteCursor& track, uint8_t status, uint8_t first, bool running) {
    const uint8_t kind = status & 0xF0;
    const uint8_t channel = status & 0x0F;
    const bool oneDataByte = kind == 0xC0 || kind == 0xD0;
    uint8_t data1 = running ? first : track.u8();
    uint8_t data2 = oneDataByte ? 0 : track.u8();
    if (track.ranOut()) {
        return kTrackEnds;
    }
    data1 &= 0x7F;
    data2 &= 0x7F;
    sd.trackChannel[sd.track] = channel;

    switch (kind) {
        case 0xB0:
            return StoreController(channel, data1, data2);
        case 0xC0:
            return StoreProgram(channel, data1);
        case 0x90:
            if (data2 >= 2) {
                return InNoteRange(data1) ? StoreNote(channel, data1, data2)
                                          : Keep(PackMsg(status, data1, data2));
            }
            [[fallthrough]];  // velocity 0 or 1 is a note-off
        case 0x80:
            return CloseNote(status, data1, data2);
        default:
            return Keep(PackMsg(status, data1, data2));
    }
}

// A note-off that closes no note of the tables (out of the staff's range,
// or its note was replaced) is kept as it came.
uint32_t SmfReader::CloseNote(uint8_t status, uint8_t note, uint8_t velocity) {
    if (!openNotes_.FindNoteOn(PackMsg(0x80 + (status & 0x0F), note, 0))) {
        return Keep(PackMsg(status, note, velocity));
    }
    leftOut_.velocityOneNoteOns += (status & 0xF0) == 0x90 && velocity == 1 ? 1 : 0;
    leftOut_.noteOffVelocities += (status & 0xF0) == 0x80 && velocity != 0 ? 1 : 0;
    return kGoOn;
}

uint32_t SmfReader::Keep(uint32_t msg) {
    return order_.AddShort(reporter_, sd.track, sd.now, msg, order_.Current());
}

uint32_t SmfReader::KeepLong(uint8_t status, uint8_t type, std::span<const uint8_t> data) {
    return order_.AddLong(reporter_, sd.track, sd.now, status, type, data, order_.Current());
}

// A controller or program change of the tables that a later one of the same
// time replaces is kept where it was read.
uint32_t SmfReader::KeepStored(const eventdata& replaced, uint32_t key) {
    const auto order = tableOrders_.find((uint64_t{replaced.time} << 32) | key);
    return order_.AddShort(reporter_, replaced.track, replaced.time, replaced.msg,
                           order != tableOrders_.end() ? order->second : order_.Current());
}

void SmfReader::RememberOrder(uint32_t key) {
    tableOrders_[(uint64_t{sd.now} << 32) | key] = order_.Current();
}

// A note is stored at once, lasting six quarter notes until its note-off
// comes.
uint32_t SmfReader::StoreNote(uint8_t channel, uint8_t note, uint8_t velocity) {
    displaydata n{};
    n.start = sd.now;
    n.end = sd.now + 6 * sd.division;
    n.note = note;
    n.type = 3;
    n.dotted = 0;
    n.line = NoteLine(note);
    n.channel = channel;
    n.velocity = velocity;
    n.accidental = NoteAccidental(note);
    n.onMsg = PackMsg(0x90 + channel, note, velocity);
    n.offMsg = PackMsg(0x80 + channel, note, 0);
    n.closed = 0;
    const displaydata* same = SameLineNote(sd.track, n);
    const displaydata replaced = same != nullptr ? *same : displaydata{};
    const uint32_t replacedOrder = order_.NoteOrder(sd.track, sd.now, n.line);
    const uint32_t result = openNotes_.AddNote(reporter_, n);
    order_.NoteStored(sd.track, sd.now, n.line);
    if (same == nullptr || result != kStored) {
        return result;
    }
    // A chord holds one note per staff line: the replaced note is kept.
    const uint32_t now = sd.now;
    uint32_t keptCode = order_.AddShort(reporter_, sd.track, now, replaced.onMsg, replacedOrder);
    if (keptCode == kGoOn && replaced.closed != 0) {
        sd.now = replaced.end;
        keptCode = Keep(replaced.offMsg);
        sd.now = now;
    }
    return keptCode;
}

// Only volume, pan, reverb depth and chorus depth are kept.
uint32_t SmfReader::StoreController(uint8_t channel, uint8_t controller, uint8_t value) {
    const uint32_t msg = PackMsg(0xB0 + channel, controller, value);
    if (controller != 7 && controller != 10 && controller != 91 && controller != 93) {
        return Keep(msg);
    }
    const eventdata* same = SameAt(ed, sd.eventTotal, sd.now, [&](const eventdata& e) {
        return MsgChannel(e.msg) == channel && MsgData1(e.msg) == controller;
    });
    if (same != nullptr) {
        if (const uint32_t r = KeepStored(*same, msg & 0xFFFF); r != kGoOn) {
            return r;
        }
    }
    RememberOrder(msg & 0xFFFF);
    return UpdateEventData(reporter_, eventdata{sd.now, msg, sd.track});
}

uint32_t SmfReader::StoreProgram(uint8_t channel, uint8_t program) {
    const eventdata* same = SameAt(
        pgm, sd.pgmTotal, sd.now, [&](const eventdata& p) { return MsgChannel(p.msg) == channel; });
    if (same != nullptr) {
        if (const uint32_t r = KeepStored(*same, 0xC0u + channel); r != kGoOn) {
            return r;
        }
    }
    RememberOrder(0xC0u + channel);
    const eventdata event{sd.now, PackMsg(0xC0 + channel, program, 0), sd.track};
    const uint32_t result = UpdatePgmData(reporter_, event);
    sd.channelProgram[channel] = program;
    return result;
}

// Channel prefix, port, tempo, time and key signature are read with their
// standard data lengths whatever length the file gives; End of Track reads
// nothing more.
uint32_t SmfReader::GetMeta(ByteCursor& track) {
    const uint8_t type = track.u8();
    const uint32_t length = track.varLen();
    if (track.ranOut()) {
        return kTrackEnds;
    }
    switch (type) {
        case 0x2F:
            return kTrackEnds;
        case 0x20:
        case 0x21:
            return KeepMeta(track, type, 1);
        case 0x51:
            return GetTempo(track);
        case 0x58:
            return GetTimeSignature(track);
        case 0x59:
            return GetKeySignature(track);
        case 0x01:
        case 0x02:
        case 0x03:
        case 0x05:
            return GetText(track, type, length);
        default:
            return KeepMeta(track, type, length);
    }
}

uint32_t SmfReader::KeepMeta(ByteCursor& track, uint8_t type, uint32_t length) {
    const uint8_t* data = track.take(length);
    return data == nullptr ? kTrackEnds : KeepLong(0xFF, type, {data, length});
}

// A tempo of 0 microseconds per quarter note has no tempo: it is kept as
// it came, as is a tempo that a later one of the same time replaces.
uint32_t SmfReader::GetTempo(ByteCursor& track) {
    const uint8_t* data = track.take(3);
    if (data == nullptr) {
        return kTrackEnds;
    }
    const uint32_t us = (uint32_t{data[0]} << 16) | (uint32_t{data[1]} << 8) | data[2];
    if (us == 0) {
        return KeepLong(0xFF, 0x51, {data, 3});
    }
    const float tempo = 1.0f / (static_cast<float>(us) * 0.000001f);
    const uint32_t result = UpdateTempoData(reporter_, tempodata{sd.now, tempo});
    return result != kStored ? result : KeepReplaced(tempos_[sd.now], Raw(0x51, data, 3));
}

// A time signature whose bar would be shorter than one tick (numerator 0,
// a huge denominator) is kept as it came and the earlier one stays, so a
// bar is always at least one tick long. The song has one time and one key
// signature, the last read, remembered with their place; those they replace
// are kept.
uint32_t SmfReader::GetTimeSignature(ByteCursor& track) {
    const uint8_t* data = track.take(4);
    if (data == nullptr) {
        return kTrackEnds;
    }
    if (data[0] == 0 || data[1] > 31 || BarLength(data[0], 1u << data[1], sd.division) < 1.0f) {
        return KeepLong(0xFF, 0x58, {data, 4});
    }
    sd.tsNumerator = data[0];
    sd.tsDenominator = 1u << data[1];
    sd.tsClocks = data[2];
    sd.ts32nds = data[3];
    kept.SetSignaturePlace(Signature::Time, {sd.now, sd.track});
    return KeepReplaced(lastTimeSignature_, Raw(0x58, data, 4));
}

uint32_t SmfReader::GetKeySignature(ByteCursor& track) {
    const uint8_t* data = track.take(2);
    if (data == nullptr) {
        return kTrackEnds;
    }
    sd.keySharps = static_cast<int8_t>(data[0]);
    sd.keyMinor = data[1];
    kept.SetSignaturePlace(Signature::Key, {sd.now, sd.track});
    return KeepReplaced(lastKeySignature_, Raw(0x59, data, 2));
}

SmfReader::RawMeta SmfReader::Raw(uint8_t type, const uint8_t* data, uint32_t length) const {
    RawMeta raw{sd.now, sd.track, type, std::vector<uint8_t>(data, data + length)};
    raw.order = order_.Current();
    return raw;
}

// Text and lyric events become lyrics of the track (that is what a karaoke
// file carries); the copyright notice and the track name replace earlier
// ones. Each keeps what fits its field; what a later one replaces is kept
// as it came.
uint32_t SmfReader::GetText(ByteCursor& track, uint8_t type, uint32_t length) {
    const uint8_t* text = track.take(length);
    if (text == nullptr) {
        return kTrackEnds;
    }
    RawMeta raw = Raw(type, text, length);
    if (type == 0x02) {
        raw.cut = CopyText(cpyright, kCopyrightMaxChars + 1, text, length);
        copyrightSet() = 1;
        return KeepReplaced(lastCopyright_, raw);
    }
    if (type == 0x03) {
        raw.cut = CopyText(tn[sd.track], kTrackNameSize, text, length);
        return KeepReplaced(lastName_, raw);
    }
    lyric entry{};
    entry.time = sd.now;
    raw.cut = CopyText(entry.text, kLyricTextSize, text, length);
    entry.track = sd.track;
    const uint32_t before = sd.lyricTotal;
    const uint32_t result = UpdateLyricData(reporter_, entry);
    if (result != kStored) {
        return result;
    }
    kept.SetLyricEvent(sd.track, sd.now, type == 0x05);
    if (sd.lyricTotal != before) {
        lastText_ = {};  // the text before it stays a lyric of its own
    }
    return KeepReplaced(lastText_, raw);
}

// `last` is the text that `next` has just replaced when it was read before
// it; it is kept, and `next` takes its place. A text cut to fit its field is
// lost only while it stays there: once replaced it is kept whole.
uint32_t SmfReader::KeepReplaced(RawMeta& last, const RawMeta& next) {
    uint32_t result = kGoOn;
    if (last.type != 0) {
        Cuts(last.type) -= last.cut ? 1 : 0;
        result = order_.AddLong(reporter_, last.track, last.time, 0xFF, last.type, last.bytes,
                                last.order);
    }
    Cuts(next.type) += next.cut ? 1 : 0;
    last = next;
    return result;
}

uint32_t& SmfReader::Cuts(uint8_t type) {
    switch (type) {
        case 0x02:
            return leftOut_.copyrightsCut;
        case 0x03:
            return leftOut_.namesCut;
        default:
            return leftOut_.textsCut;
    }
}

uint32_t SmfReader::GetSysEx(ByteCursor& track, uint8_t status) {
    const uint32_t length = track.varLen();
    const uint8_t* data = track.take(length);
    return data == nullptr ? kTrackEnds : KeepLong(status, 0, {data, length});
}

}  // namespace tw
