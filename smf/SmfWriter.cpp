#include "smf/SmfWriter.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <optional>

#include "song/KeptEvents.h"
#include "song/Song.h"

namespace tw {
namespace {

constexpr uint32_t kRecordsAllocated = 15000;

savedata Meta(uint32_t time, uint8_t type, uint8_t d0 = 0, uint8_t d1 = 0, uint8_t d2 = 0,
              uint8_t d3 = 0) {
    return savedata{time, 0xFF, type, {d0, d1, d2, d3}, 0};
}

savedata Channel(uint32_t time, uint8_t status, uint8_t d0, uint8_t d1 = 0) {
    return savedata{time, status, 0, {d0, d1, 0, 0}, 0};
}

// Tracks up to the last one with notes, lyrics, kept events or one of the
// song's signatures.
uint32_t TracksToWrite() {
    const uint32_t signatures =
        std::max(kept.SignatureAt(Signature::Time).track, kept.SignatureAt(Signature::Key).track);
    for (int t = kTracks - 1; t >= 0; --t) {
        if (sd.noteCount[t] != 0 || sd.lyricCount[t] != 0 || !kept.Track(t).events.empty() ||
            signatures == static_cast<uint32_t>(t)) {
            return static_cast<uint32_t>(t) + 1;
        }
    }
    return 1;
}

// The time of the track's last kept meta event of the type, if it has one.
std::optional<uint32_t> LastKept(uint32_t track, uint8_t type) {
    const std::vector<KeptEvent>& events = kept.Track(track).events;
    const auto last = std::find_if(events.rbegin(), events.rend(), [type](const KeptEvent& e) {
        return e.msg == PackMsg(0xFF, type, 0);
    });
    return last != events.rend() ? std::optional(last->time) : std::nullopt;
}

// The place of the last kept copyright notice, in the last track that has one.
std::optional<SignaturePlace> LastKeptCopyright() {
    for (uint32_t t = kTracks; t-- > 0;) {
        if (const auto time = LastKept(t, 0x02)) {
            return SignaturePlace{*time, t};
        }
    }
    return std::nullopt;
}

// The power of two that a time signature's second byte gives; a
// denominator that is none (never read from a file) is written as eighths.
uint8_t DenominatorPower(uint32_t denominator) {
    return std::has_single_bit(denominator) ? static_cast<uint8_t>(std::countr_zero(denominator))
                                            : 3;
}

}  // namespace

int SaveBytes(std::vector<uint8_t>& out, Reporter& reporter, Progress& progress, ScanMode mode) {
    SmfWriter writer(reporter, progress, mode);
    return writer.SaveFile(out);
}

void writevarlen(std::vector<uint8_t>& out, uint32_t value) {
    int groups = 1;
    while (groups < 5 && (value >> (7 * groups)) != 0) {
        ++groups;
    }
    for (int g = groups - 1; g > 0; --g) {
        out.push_back(static_cast<uint8_t>(0x80 | ((value >> (7 * g)) & 0x7F)));
    }
    out.push_back(static_cast<uint8_t>(value & 0x7F));
}

void writelong(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

uint32_t TempoMicroseconds(float tempo) {
    const float us = (1.0f / tempo) * 1000000.0f;
    constexpr uint32_t kLargest = 0xFFFFFF;
    if (!(us >= 1.0f)) {
        return 1;  // also NaN, for a tempo of infinity or below zero
    }
    if (us >= static_cast<float>(kLargest)) {
        return kLargest;
    }
    return static_cast<uint32_t>(us);
}

int SmfWriter::SaveFile(std::vector<uint8_t>& out) {
    ttracks_ = TracksToWrite();
    copyrightAfterKept_ = LastKeptCopyright();
    out.clear();
    writehead(out);
    ssd_.reserve(kRecordsAllocated);
    progress_.Open("Saving File");
    for (uint32_t t = 0; t < ttracks_; ++t) {
        cctrack_ = t;
        if (createtrack() != 0) {
            return Failed(out, kSaveTrackFailed, "Create Track");
        }
        if (WriteTrackData() != 0) {
            return Failed(out, kSaveTrackFailed, "Write Track");
        }
        if (mergefile(out) != 0) {
            return Failed(out, kSaveAppendFailed, nullptr);
        }
        progress_.Update(static_cast<int>(100.0 * (t + 1) / ttracks_));
    }
    ssd_ = {};
    progress_.Close();
    return kSaveOk;
}

void SmfWriter::writehead(std::vector<uint8_t>& out) const {
    const uint8_t head[] = {'M',
                            'T',
                            'h',
                            'd',
                            0,
                            0,
                            0,
                            6,
                            0,
                            1,
                            0,
                            static_cast<uint8_t>(ttracks_),
                            static_cast<uint8_t>(sd.division >> 8),
                            static_cast<uint8_t>(sd.division)};
    out.insert(out.end(), std::begin(head), std::end(head));
}

// Discards the incomplete file; a failed track shows how many events it
// had gathered.
int SmfWriter::Failed(std::vector<uint8_t>& out, int code, const char* caption) {
    out.clear();
    ssd_ = {};
    progress_.Close();
    if (caption != nullptr) {
        char text[32];
        std::snprintf(text, sizeof text, "evtot=%u", eventtotal_);
        reporter_.ShowMessage(text, caption);
    }
    return code;
}

// At equal times the events stay in the order added: conductor events,
// program changes, controllers, lyrics, then the notes, a note's note-off
// before the note-on of a later note.
uint32_t SmfWriter::createtrack() {
    eventtotal_ = 0;
    ssd_.clear();
    inOrder_ = true;
    if (uint32_t r = AddReplacingTexts(); r != 0) {
        return r;
    }
    if (uint32_t r = AddConductorEvents(); r != 0) {
        return r;
    }
    if (uint32_t r = AddChannelEvents(); r != 0) {
        return r;
    }
    if (uint32_t r = AddLyrics(); r != 0) {
        return r;
    }
    return AddNotes();
}

// A track name or copyright notice that replaced others of the file goes
// after the last of them, so that reading the file again gives it and not
// one of them; otherwise it opens its track.
uint32_t SmfWriter::AddReplacingTexts() {
    nameAfterKept_ = LastKept(cctrack_, 0x03);
    uint32_t r = 0;
    if (nameAfterKept_) {
        r = AddTrackEvent(Meta(*nameAfterKept_, 0x03));
    }
    if (r == 0 && copyrightAfterKept_ && copyrightAfterKept_->track == cctrack_) {
        r = AddTrackEvent(Meta(copyrightAfterKept_->time, 0x02));
    }
    return r;
}

// The song has one key and one time signature, each written where the file
// had it (time 0 of track 0 for a song made here); the tempo changes go to
// track 0.
uint32_t SmfWriter::AddConductorEvents() {
    const SignaturePlace key = kept.SignatureAt(Signature::Key);
    const SignaturePlace time = kept.SignatureAt(Signature::Time);
    uint32_t r = 0;
    if (key.track == cctrack_) {
        r = AddTrackEvent(Meta(key.time, 0x59, static_cast<uint8_t>(sd.keySharps), sd.keyMinor));
    }
    if (r == 0 && time.track == cctrack_) {
        r = AddTrackEvent(Meta(time.time, 0x58, static_cast<uint8_t>(sd.tsNumerator),
                               DenominatorPower(sd.tsDenominator),
                               static_cast<uint8_t>(sd.tsClocks),
                               static_cast<uint8_t>(sd.ts32nds)));
    }
    for (uint32_t i = 0; r == 0 && cctrack_ == 0 && i < sd.tempoTotal; ++i) {
        const uint32_t us = TempoMicroseconds(td[i].tempo);
        r = AddTrackEvent(Meta(td[i].time, 0x51, static_cast<uint8_t>(us >> 16),
                               static_cast<uint8_t>(us >> 8), static_cast<uint8_t>(us)));
    }
    return r;
}

uint32_t SmfWriter::AddChannelEvents() {
    uint32_t r = 0;
    for (uint32_t i = 0; r == 0 && i < sd.pgmTotal; ++i) {
        if (pgm[i].track == cctrack_) {
            r = AddTrackEvent(Channel(pgm[i].time, MsgStatus(pgm[i].msg), MsgData1(pgm[i].msg)));
        }
    }
    for (uint32_t i = 0; r == 0 && i < sd.eventTotal; ++i) {
        if (ed[i].track == cctrack_) {
            r = AddTrackEvent(Channel(ed[i].time, MsgStatus(ed[i].msg), MsgData1(ed[i].msg),
                                      MsgData2(ed[i].msg)));
        }
    }
    return r;
}

uint32_t SmfWriter::AddLyrics() {
    uint32_t r = 0;
    for (uint32_t i = 0; r == 0 && i < sd.lyricTotal; ++i) {
        if (lcd[i].track == cctrack_) {
            savedata record = Meta(lcd[i].time, 0x01);
            record.lyricIndex = i;
            r = AddTrackEvent(record);
        }
    }
    return r;
}

uint32_t SmfWriter::AddNotes() {
    const displaydata* notes = dd[cctrack_];
    uint32_t r = 0;
    for (uint32_t i = 0; r == 0 && i < sd.noteCount[cctrack_]; ++i) {
        const uint8_t channel = notes[i].channel & 0x0F;
        r = AddTrackEvent(
            Channel(notes[i].start, 0x90 | channel, notes[i].note, notes[i].velocity));
        if (r == 0) {
            r = AddTrackEvent(Channel(notes[i].end, 0x80 | channel, notes[i].note, 0));
        }
    }
    return r;
}

// Each record goes after every record of an equal or earlier time. Indexed
// mode appends and, when a record came out of order, sorts the track once
// with a stable sort before it is written, which gives the same order.
uint32_t SmfWriter::AddTrackEvent(const savedata& record) {
    if (eventtotal_ >= kSaveRecordsUsable) {
        return 1;
    }
    if (!ssd_.empty() && record.time < ssd_.back().time) {
        if (mode_ == ScanMode::Plain) {
            auto later = std::find_if(ssd_.begin(), ssd_.end(),
                                      [&](const savedata& r) { return r.time > record.time; });
            ssd_.insert(later, record);
            ++eventtotal_;
            return 0;
        }
        inOrder_ = false;
    }
    ssd_.push_back(record);
    ++eventtotal_;
    return 0;
}

int SmfWriter::WriteTrackData() {
    if (!inOrder_) {
        std::stable_sort(ssd_.begin(), ssd_.end(),
                         [](const savedata& a, const savedata& b) { return a.time < b.time; });
        inOrder_ = true;
    }
    trackData_.clear();
    if (!nameAfterKept_) {
        writetrackname();
    }
    if (!copyrightAfterKept_) {
        writecopyright();
    }
    // Kept events go before the records of their time: they came first in
    // the file (a text that a later one replaced, a bank select before its
    // program change).
    const std::vector<KeptEvent>& keptEvents = kept.Track(cctrack_).events;
    auto next = keptEvents.begin();
    uint32_t previous = 0;
    for (const savedata& record : ssd_) {
        for (; next != keptEvents.end() && next->time <= record.time; ++next) {
            WriteKept(*next, previous);
        }
        writevarlen(trackData_, record.time - previous);
        previous = record.time;
        WriteEvent(record);
    }
    for (; next != keptEvents.end(); ++next) {
        WriteKept(*next, previous);
    }
    const uint8_t endOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};
    trackData_.insert(trackData_.end(), std::begin(endOfTrack), std::end(endOfTrack));
    return 0;
}

// Every channel event carries its status byte; data bytes keep to 0..127
// so that no value can be taken for a status byte.
void SmfWriter::WriteEvent(const savedata& r) {
    if (r.status == 0xFF) {
        WriteMeta(r);
        return;
    }
    trackData_.push_back(r.status);
    trackData_.push_back(r.data[0] & 0x7F);
    if ((r.status & 0xF0) != 0xC0 && (r.status & 0xF0) != 0xD0) {
        trackData_.push_back(r.data[1] & 0x7F);
    }
}

// A name or notice that goes after kept ones is written even when empty, so
// that none of them takes its place.
void SmfWriter::WriteMeta(const savedata& r) {
    switch (r.metaType) {
        case 0x01:
            WriteLyric(r);
            return;
        case 0x02:
            WriteText(0x02, cpyright,
                      copyrightSet() != 0 ? strnlen(cpyright, kCopyrightSize - 1) : 0);
            return;
        case 0x03:
            WriteText(0x03, tn[cctrack_], strnlen(tn[cctrack_], kTrackNameSize - 1));
            return;
        default:
            break;
    }
    const uint8_t length = r.metaType == 0x51 ? 3 : r.metaType == 0x58 ? 4 : 2;
    trackData_.insert(trackData_.end(), {0xFF, r.metaType, length});
    trackData_.insert(trackData_.end(), r.data, r.data + length);
}

void SmfWriter::WriteKept(const KeptEvent& event, uint32_t& previous) {
    writevarlen(trackData_, event.time - previous);
    previous = event.time;
    const uint8_t status = MsgStatus(event.msg);
    if (IsChannelMessage(event.msg)) {
        trackData_.push_back(status);
        trackData_.push_back(MsgData1(event.msg) & 0x7F);
        if ((status & 0xF0) != 0xC0 && (status & 0xF0) != 0xD0) {
            trackData_.push_back(MsgData2(event.msg) & 0x7F);
        }
        return;
    }
    trackData_.push_back(status);
    if (status == 0xFF) {
        trackData_.push_back(MsgData1(event.msg));
    }
    const std::span<const uint8_t> data = kept.Data(cctrack_, event);
    writevarlen(trackData_, static_cast<uint32_t>(data.size()));
    trackData_.insert(trackData_.end(), data.begin(), data.end());
}

// An empty lyric is written as a text event of length 0, so the track
// stays readable.
void SmfWriter::WriteLyric(const savedata& r) {
    const lyric& l = lcd[r.lyricIndex];
    const uint8_t type = kept.IsLyricEvent(l.track, l.time) ? 0x05 : 0x01;
    WriteText(type, l.text, strnlen(l.text, kLyricTextSize - 1));
}

void SmfWriter::writetrackname() {
    const std::size_t length = strnlen(tn[cctrack_], kTrackNameSize - 1);
    if (length != 0) {
        trackData_.push_back(0x00);
        WriteText(0x03, tn[cctrack_], length);
    }
}

void SmfWriter::writecopyright() {
    const std::size_t length = strnlen(cpyright, kCopyrightSize - 1);
    if (cctrack_ == 0 && copyrightSet() != 0 && length != 0) {
        trackData_.push_back(0x00);
        WriteText(0x02, cpyright, length);
    }
}

void SmfWriter::WriteText(uint8_t type, const char* text, std::size_t length) {
    trackData_.insert(trackData_.end(), {0xFF, type});
    writevarlen(trackData_, static_cast<uint32_t>(length));
    trackData_.insert(trackData_.end(), text, text + length);
}

int SmfWriter::mergefile(std::vector<uint8_t>& out) const {
    const uint8_t tag[] = {'M', 'T', 'r', 'k'};
    out.insert(out.end(), std::begin(tag), std::end(tag));
    writelong(out, static_cast<uint32_t>(trackData_.size()));
    out.insert(out.end(), trackData_.begin(), trackData_.end());
    return 0;
}

}  // namespace tw
