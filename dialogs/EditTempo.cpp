#include "dialogs/EditTempo.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "song/BarTick.h"
#include "song/Song.h"

namespace tw {

EditTempo::EditTempo(ui::Window* parent, int resourceId)
    : TableList(parent, resourceId, SongTable::Tempo, kTempoList, static_cast<int>(kTempoUsable)) {}

uint32_t EditTempo::Total() const {
    return sd.tempoTotal;
}

// A tempo read from a file can be absurd; the column shows 0 for what has
// no whole number of beats per minute.
std::string EditTempo::Line(uint32_t i) const {
    const float bpm = td[i].tempo * 60.0f;
    const int shown = std::isfinite(bpm) && std::fabs(bpm) < 1e6f ? static_cast<int>(bpm) : 0;
    char text[24];
    std::snprintf(text, sizeof text, "  %3d", shown);
    return BarTick(td[i].time, sd.barTicks) + text;
}

}  // namespace tw
