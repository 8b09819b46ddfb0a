#include "smf/KeptOrder.h"

#include <algorithm>
#include <ranges>

#include "song/KeptEvents.h"

namespace tw {

KeptOrder::KeptOrder() {
    for (uint32_t t = 0; t < kTracks; ++t) {
        orders_[t].assign(kept.Track(t).events.size(), 0);
    }
}

// Files come in time order, so the append is the common path.
uint32_t KeptOrder::Place(uint32_t track, uint32_t time, uint32_t order) const {
    const std::vector<KeptEvent>& events = kept.Track(track).events;
    const std::vector<uint32_t>& orders = orders_[track];
    const auto before = [&](std::size_t i) {
        return events[i].time < time || (events[i].time == time && orders[i] <= order);
    };
    const std::size_t count = orders.size();
    if (count == 0 || before(count - 1)) {
        return static_cast<uint32_t>(count);
    }
    return static_cast<uint32_t>(
        *std::ranges::partition_point(std::views::iota(std::size_t{0}, count), before));
}

uint32_t KeptOrder::Placed(uint32_t result, uint32_t track, uint32_t at, uint32_t order) {
    if (result == 0) {
        orders_[track].insert(orders_[track].begin() + at, order);
    }
    return result;
}

void KeptOrder::NoteStored(uint32_t track, uint32_t time, uint8_t line) {
    if (line < lines_.size()) {
        lines_[line] = LineNote{track, time, read_};
    }
}

uint32_t KeptOrder::NoteOrder(uint32_t track, uint32_t time, uint8_t line) const {
    if (line < lines_.size() && lines_[line].track == track && lines_[line].time == time) {
        return lines_[line].order;
    }
    return read_;
}

uint32_t KeptOrder::AddShort(Reporter& reporter, uint32_t track, uint32_t time, uint32_t msg,
                             uint32_t order) {
    if (track >= kTracks) {
        return kept.AddShort(reporter, track, time, msg);
    }
    const uint32_t at = Place(track, time, order);
    return Placed(kept.AddShort(reporter, track, time, msg, at), track, at, order);
}

uint32_t KeptOrder::AddLong(Reporter& reporter, uint32_t track, uint32_t time, uint8_t status,
                            uint8_t type, std::span<const uint8_t> data, uint32_t order) {
    if (track >= kTracks) {
        return kept.AddLong(reporter, track, time, status, type, data);
    }
    const uint32_t at = Place(track, time, order);
    return Placed(kept.AddLong(reporter, track, time, status, type, data, at), track, at, order);
}

}  // namespace tw
