#include "song/UndoHistory.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "song/KeptEvents.h"
#include "song/Song.h"

namespace tw {

namespace {

// Appends and reads back raw copies of table records, in one fixed order
// per part, so that a part's copy is exactly the bytes it stood in.
class Bytes {
public:
    explicit Bytes(std::vector<std::byte>& out) : out_(out) {}

    template <typename T>
    void Put(const T* from, std::size_t count) {
        const auto* first = reinterpret_cast<const std::byte*>(from);
        out_.insert(out_.end(), first, first + count * sizeof(T));
    }
    template <typename T>
    void Put(const T& value) {
        Put(&value, 1);
    }

private:
    std::vector<std::byte>& out_;
};

class Reader {
public:
    explicit Reader(const std::vector<std::byte>& in) : in_(in) {}

    template <typename T>
    void Get(T* to, std::size_t count) {
        if (count == 0) {
            return;  // an empty table may have no storage at all
        }
        std::memcpy(static_cast<void*>(to), in_.data() + at_, count * sizeof(T));
        at_ += count * sizeof(T);
    }
    template <typename T>
    void Get(T& value) {
        Get(&value, 1);
    }

private:
    const std::vector<std::byte>& in_;
    std::size_t at_ = 0;
};

// Counts first: Restore reads a count, then that many records.
template <typename Record>
void PutTable(Bytes& out, const Record* table, uint32_t count) {
    out.Put(count);
    out.Put(table, count);
}

template <typename Record>
void GetTable(Reader& in, Record* table, uint32_t& count) {
    in.Get(count);
    in.Get(table, count);
}

void PutSettings(Bytes& out) {
    out.Put(sd.trackChannel, kTracks);
    for (uint32_t value : {sd.barTicks, sd.staffBars, sd.tsNumerator, sd.tsDenominator, sd.ts32nds,
                           sd.division, sd.tsClocks}) {
        out.Put(value);
    }
    out.Put(sd.keySharps);
    out.Put(sd.keyMinor);
    out.Put(kept.SignatureAt(Signature::Time));
    out.Put(kept.SignatureAt(Signature::Key));
}

void GetSettings(Reader& in) {
    in.Get(sd.trackChannel, kTracks);
    for (uint32_t* value : {&sd.barTicks, &sd.staffBars, &sd.tsNumerator, &sd.tsDenominator,
                            &sd.ts32nds, &sd.division, &sd.tsClocks}) {
        in.Get(*value);
    }
    in.Get(sd.keySharps);
    in.Get(sd.keyMinor);
    for (Signature which : {Signature::Time, Signature::Key}) {
        SignaturePlace place;
        in.Get(place);
        kept.SetSignaturePlace(which, place);
    }
}

void PutKept(Bytes& out, uint32_t track) {
    const KeptTrack& events = kept.Track(track);
    PutTable(out, events.events.data(), static_cast<uint32_t>(events.events.size()));
    PutTable(out, events.bytes.data(), static_cast<uint32_t>(events.bytes.size()));
}

void GetKept(Reader& in, uint32_t track) {
    KeptTrack events;
    uint32_t count = 0;
    in.Get(count);
    events.events.resize(count);
    in.Get(events.events.data(), count);
    in.Get(count);
    events.bytes.resize(count);
    in.Get(events.bytes.data(), count);
    kept.Replace(track, std::move(events));
}

std::vector<std::byte> Capture(PartRef ref) {
    std::vector<std::byte> bytes;
    Bytes out(bytes);
    switch (ref.part) {
        case SongPart::Notes: PutTable(out, dd[ref.track], sd.noteCount[ref.track]); break;
        case SongPart::Tempo: PutTable(out, td, sd.tempoTotal); break;
        case SongPart::Events: PutTable(out, ed, sd.eventTotal); break;
        case SongPart::Programs:
            PutTable(out, pgm, sd.pgmTotal);
            out.Put(sd.channelProgram, kChannels);
            break;
        case SongPart::Lyrics:
            PutTable(out, lcd, sd.lyricTotal);
            out.Put(sd.lyricCount, kTracks);
            out.Put(sd.lyricSum);
            break;
        case SongPart::TrackNames: out.Put(tn, kTracks); break;
        case SongPart::Copyright: out.Put(cpyright, kCopyrightSize); break;
        case SongPart::Settings: PutSettings(out); break;
        case SongPart::Kept: PutKept(out, ref.track); break;
    }
    return bytes;
}

void Restore(PartRef ref, const std::vector<std::byte>& bytes) {
    Reader in(bytes);
    switch (ref.part) {
        case SongPart::Notes: GetTable(in, dd[ref.track], sd.noteCount[ref.track]); break;
        case SongPart::Tempo: GetTable(in, td, sd.tempoTotal); break;
        case SongPart::Events: GetTable(in, ed, sd.eventTotal); break;
        case SongPart::Programs:
            GetTable(in, pgm, sd.pgmTotal);
            in.Get(sd.channelProgram, kChannels);
            break;
        case SongPart::Lyrics:
            GetTable(in, lcd, sd.lyricTotal);
            in.Get(sd.lyricCount, kTracks);
            in.Get(sd.lyricSum);
            break;
        case SongPart::TrackNames: in.Get(tn, kTracks); break;
        case SongPart::Copyright: in.Get(cpyright, kCopyrightSize); break;
        case SongPart::Settings: GetSettings(in); break;
        case SongPart::Kept: GetKept(in, ref.track); break;
    }
}

const std::string kNoName;

}  // namespace

void UndoHistory::Begin(const char* name, const std::vector<PartRef>& parts) {
    if (open_++ == 0) {
        pending_ = Step{name, {}, sd.songEnd, 0};
        stepChanged_ = false;
    }
    for (PartRef ref : parts) {
        const bool copied =
            std::any_of(pending_.copies.begin(), pending_.copies.end(), [ref](const Copy& c) {
                return c.ref.part == ref.part && c.ref.track == ref.track;
            });
        if (!copied) {
            pending_.copies.push_back(Copy{ref, Capture(ref)});
            pending_.bytes += pending_.copies.back().bytes.size();
        }
    }
}

// A step joins the history only once it has changed the song, so that a
// refused edit leaves what could be redone as it was.
void UndoHistory::End() {
    if (open_ == 0 || --open_ > 0 || !stepChanged_) {
        if (open_ == 0) {
            pending_ = Step{};
        }
        return;
    }
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    // The saved state lay among the steps just discarded.
    if (saved_ != kNever && saved_ > done_) {
        saved_ = kNever;
    }
    bytes_ += pending_.bytes;
    steps_.push_back(std::move(pending_));
    pending_ = Step{};
    done_ = steps_.size();
    Trim();
}

void UndoHistory::Trim() {
    while (steps_.size() > 1 && (steps_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
        DropOldest();
    }
}

const std::string& UndoHistory::UndoName() const {
    return CanUndo() ? steps_[done_ - 1].name : kNoName;
}

const std::string& UndoHistory::RedoName() const {
    return CanRedo() ? steps_[done_].name : kNoName;
}

bool UndoHistory::Undo() {
    if (!CanUndo()) {
        return false;
    }
    --done_;
    Exchange(steps_[done_]);
    UpdateChanged();
    return true;
}

bool UndoHistory::Redo() {
    if (!CanRedo()) {
        return false;
    }
    Exchange(steps_[done_]);
    ++done_;
    UpdateChanged();
    return true;
}

void UndoHistory::Clear() {
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
    saved_ = 0;
}

void UndoHistory::MarkSaved() {
    saved_ = done_;
}

// Swaps the song's current parts with the step's copies: after an undo the
// step holds what Redo must put back, and after a redo what Undo must.
void UndoHistory::Exchange(Step& step) {
    bytes_ -= step.bytes;
    step.bytes = 0;
    for (Copy& copy : step.copies) {
        std::vector<std::byte> current = Capture(copy.ref);
        Restore(copy.ref, copy.bytes);
        copy.bytes = std::move(current);
        step.bytes += copy.bytes.size();
    }
    bytes_ += step.bytes;
    std::swap(step.songEnd, sd.songEnd);
}

void UndoHistory::DropOldest() {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --done_;
    saved_ = (saved_ == kNever || saved_ == 0) ? kNever : saved_ - 1;
}

void UndoHistory::UpdateChanged() {
    sd.changed = done_ == saved_ ? 0 : 1;
}

UndoHistory& History() {
    static UndoHistory history;
    return history;
}

}  // namespace tw
