#include "dialogs/EditPgm.h"

#include <cstdio>
#include <cstring>

#include "song/BarTick.h"
#include "song/Song.h"
#include "song/Voices.h"

namespace tw {

namespace {
constexpr uint8_t kPercussionChannel = 9;
}

EditPgm::EditPgm(ui::Window* parent, int resourceId)
    : TableList(parent, resourceId, SongTable::Programs, kPgmList, static_cast<int>(kPgmUsable)) {}

uint32_t EditPgm::Total() const {
    return sd.pgmTotal;
}

// A program byte above 127 names no instrument; it shows the 7-bit one.
std::string EditPgm::Line(uint32_t i) const {
    const eventdata& p = pgm[i];
    const uint8_t channel = MsgChannel(p.msg);
    const uint8_t program = MsgData1(p.msg);
    const char* voice =
        channel == kPercussionChannel ? "Percussion" : Voices[program % kVoiceCount];
    char text[96];
    std::snprintf(text, sizeof text, "      %2u      %2d      %3d    %s", p.track + 1u, channel + 1,
                  program, voice);
    return BarTick(p.time, sd.barTicks) + text;
}

}  // namespace tw
