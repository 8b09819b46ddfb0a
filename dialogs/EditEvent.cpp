#include "dialogs/EditEvent.h"

#include <cstdio>
#include <cstring>

#include "song/BarTick.h"
#include "song/Song.h"

namespace tw {

namespace {

// The table holds controllers 7, 10, 91 and 93 only.
const char* ControllerName(uint8_t controller) {
    switch (controller) {
        case 7:
            return "Vol";
        case 10:
            return "Pan";
        case 93:
            return "Chr";
        default:
            return "Rev";
    }
}

}  // namespace

EditEvent::EditEvent(ui::Window* parent, int resourceId)
    : TableList(parent, resourceId, SongTable::Controllers, kEventList,
                static_cast<int>(kEventsUsable)) {}

uint32_t EditEvent::Total() const {
    return sd.eventTotal;
}

std::string EditEvent::Line(uint32_t i) const {
    const eventdata& e = ed[i];
    char text[64];
    std::snprintf(text, sizeof text, "      %2u      %2d     %s    %3d", e.track + 1u,
                  MsgChannel(e.msg) + 1, ControllerName(MsgData1(e.msg)), MsgData2(e.msg));
    return BarTick(e.time, sd.barTicks) + text;
}

}  // namespace tw
