#include "song/KeptEvents.h"

#include <algorithm>

namespace tw {

KeptEvents kept;

namespace {

uint64_t LyricKey(uint32_t track, uint32_t time) {
    return (uint64_t{track} << 32) | time;
}

bool IsSignature(const KeptEvent& event) {
    return event.msg == PackMsg(0xFF, MetaType(Signature::Time), 0) ||
           event.msg == PackMsg(0xFF, MetaType(Signature::Key), 0);
}

// Events mostly arrive in time order, so the append is the common path.
void Place(std::vector<KeptEvent>& events, const KeptEvent& event,
           uint32_t at = KeptEvents::kAfterAll) {
    if (at >= events.size() && (events.empty() || events.back().time <= event.time)) {
        events.push_back(event);
        return;
    }
    const auto later =
        std::upper_bound(events.begin(), events.end(), event.time,
                         [](uint32_t time, const KeptEvent& e) { return time < e.time; });
    auto place = later;
    if (at < events.size()) {
        const auto first =
            std::lower_bound(events.begin(), later, event.time,
                             [](const KeptEvent& e, uint32_t time) { return e.time < time; });
        place = std::clamp(events.begin() + at, first, later);
    }
    events.insert(place, event);
}

// An event of from, with its data, put in time order into into.
void CopyEvent(KeptTrack& into, const KeptTrack& from, KeptEvent event) {
    const auto data = from.bytes.begin() + event.offset;
    event.offset = static_cast<uint32_t>(into.bytes.size());
    into.bytes.insert(into.bytes.end(), data, data + event.size);
    Place(into.events, event);
}

// The events of a track that pick takes, in their order, with a byte pool
// of their own.
template <typename Pick>
KeptTrack Picked(const KeptTrack& from, Pick pick) {
    KeptTrack picked;
    for (const KeptEvent& event : from.events) {
        if (pick(event)) {
            CopyEvent(picked, from, event);
        }
    }
    return picked;
}

}  // namespace

bool KeptEvents::Room(Reporter& reporter, uint32_t bytes) const {
    if (total_ < kKeptUsable && bytes <= kKeptBytesUsable - bytes_) {
        return true;
    }
    reporter.ShowMessage("Out of Kept Event Memory", "twWindow::UpdateKept");
    return false;
}

void KeptEvents::Insert(KeptTrack& into, const KeptEvent& event, uint32_t at) {
    Place(into.events, event, at);
    ++total_;
}

uint32_t KeptEvents::AddShort(Reporter& reporter, uint32_t track, uint32_t time, uint32_t msg,
                              uint32_t at) {
    if (track >= kTracks || !Room(reporter, 0)) {
        return kKeptFull;
    }
    Insert(tracks_[track], KeptEvent{time, msg, 0, 0}, at);
    return 0;
}

uint32_t KeptEvents::AddLong(Reporter& reporter, uint32_t track, uint32_t time, uint8_t status,
                             uint8_t type, std::span<const uint8_t> data, uint32_t at) {
    const auto size = static_cast<uint32_t>(std::min<std::size_t>(data.size(), UINT32_MAX));
    if (track >= kTracks || !Room(reporter, size)) {
        return kKeptFull;
    }
    KeptTrack& into = tracks_[track];
    const auto offset = static_cast<uint32_t>(into.bytes.size());
    into.bytes.insert(into.bytes.end(), data.begin(), data.begin() + size);
    bytes_ += size;
    Insert(into, KeptEvent{time, PackMsg(status, type, 0), offset, size}, at);
    return 0;
}

std::span<const uint8_t> KeptEvents::Data(uint32_t track, const KeptEvent& event) const {
    return std::span<const uint8_t>(tracks_[track].bytes).subspan(event.offset, event.size);
}

void KeptEvents::Clear() {
    for (KeptTrack& track : tracks_) {
        track = {};
    }
    lyricEvents_.clear();
    places_[0] = places_[1] = {};
    total_ = 0;
    bytes_ = 0;
}

void KeptEvents::Replace(uint32_t track, KeptTrack events) {
    if (track >= kTracks) {
        return;
    }
    total_ -= static_cast<uint32_t>(tracks_[track].events.size());
    bytes_ -= static_cast<uint32_t>(tracks_[track].bytes.size());
    total_ += static_cast<uint32_t>(events.events.size());
    bytes_ += static_cast<uint32_t>(events.bytes.size());
    tracks_[track] = std::move(events);
}

void KeptEvents::CopyTrack(uint32_t track) {
    if (track < kTracks) {
        clipboard_ = Picked(tracks_[track], [](const KeptEvent& e) { return !IsSignature(e); });
    }
}

void KeptEvents::CutTrack(uint32_t track) {
    if (track < kTracks) {
        CopyTrack(track);
        Replace(track, Picked(tracks_[track], IsSignature));
    }
}

void KeptEvents::PasteTrack(uint32_t track) {
    if (track >= kTracks) {
        return;
    }
    KeptTrack pasted = clipboard_;
    for (const KeptEvent& event : tracks_[track].events) {
        if (IsSignature(event)) {
            CopyEvent(pasted, tracks_[track], event);
        }
    }
    Replace(track, std::move(pasted));
}

void KeptEvents::MoveChannel(uint32_t track, uint8_t channel) {
    if (track >= kTracks) {
        return;
    }
    for (KeptEvent& event : tracks_[track].events) {
        if (IsChannelMessage(event.msg)) {
            event.msg = (event.msg & ~0x0Fu) | (channel & 0x0Fu);
        }
    }
}

void KeptEvents::SetLyricEvent(uint32_t track, uint32_t time, bool lyricEvent) {
    const uint64_t key = LyricKey(track, time);
    const auto at = std::lower_bound(lyricEvents_.begin(), lyricEvents_.end(), key);
    const bool marked = at != lyricEvents_.end() && *at == key;
    if (lyricEvent && !marked) {
        lyricEvents_.insert(at, key);
    } else if (!lyricEvent && marked) {
        lyricEvents_.erase(at);
    }
}

void KeptEvents::SetSignaturePlace(Signature which, SignaturePlace place) {
    places_[static_cast<int>(which)] = place;
}

void KeptEvents::MoveEditedSignature(Signature which) {
    const uint32_t msg = PackMsg(0xFF, MetaType(which), 0);
    for (uint32_t t = 0; t < kTracks; ++t) {
        const auto& events = tracks_[t].events;
        if (std::any_of(events.begin(), events.end(), [&](const KeptEvent& e) {
                return e.msg == msg && (t > 0 || e.time > 0);
            })) {
            return;
        }
    }
    places_[static_cast<int>(which)] = {};
}

bool KeptEvents::IsLyricEvent(uint32_t track, uint32_t time) const {
    return std::binary_search(lyricEvents_.begin(), lyricEvents_.end(), LyricKey(track, time));
}

}  // namespace tw
