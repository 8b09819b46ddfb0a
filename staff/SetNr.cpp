#include "staff/SetNr.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"
#include "song/Song.h"
#include "song/Transfer.h"

namespace tw {

namespace {

struct ModeText {
    const char* caption;
    const char* prompt;
    const char* format;
    int maxChars;
    long lowest;
    long highest;  // 0: only the field's width bounds it
};

constexpr ModeText kModes[] = {
    {"Set Current Bar", "Set Bar (0 - 9999) = ", "%04ld", 4, 0, 0},
    {"Set Current Track", "Set Track (1 - 32) = ", "%02ld", 2, 1, 32},
    {"Set Current Channel", "Set Channel (1 - 16) = ", "%02ld", 2, 1, 16},
    {"Set Current Lyric Track", "Set Lyric Track (1 - 32) = ", "%02ld", 2, 1, 32},
};

// The value shown when the dialog opens; track, channel and lyric track
// are shown counted from 1.
long InitialValue(int mode) {
    switch (mode) {
        case kSetNrTrack:
            return sd.track + 1L;
        case kSetNrChannel:
            return sd.channel + 1L;
        case kSetNrLyricTrack:
            return sd.lyricTrack + 1L;
        default:
            return sd.bar;
    }
}

}  // namespace

// A mode that no caller uses asks for a bar, the widest of the four.
SetNr::SetNr(ui::Window* parent, int resourceId)
    : Dialog(parent, resourceId),
      mode(transfernumber >= kSetNrBar && transfernumber <= kSetNrLyricTrack ? transfernumber
                                                                             : kSetNrBar) {}

void SetNr::SetupWindow() {
    Dialog::SetupWindow();
    const ModeText& m = kModes[mode];
    SetWindowText(m.caption);
    if (ui::Static* prompt = Item<ui::Static>(kSetNrPrompt)) {
        prompt->SetText(m.prompt);
    }
    if (ui::Edit* edit = Item<ui::Edit>(kSetNrEdit)) {
        char text[24];
        std::snprintf(text, sizeof text, m.format, InitialValue(mode));
        edit->LimitText(m.maxChars);
        edit->SetText(text);
    }
}

bool SetNr::CanClose() {
    const ModeText& m = kModes[mode];
    const ui::Edit* edit = Item<ui::Edit>(kSetNrEdit);
    long value = edit != nullptr ? std::atol(edit->GetText().substr(0, m.maxChars).c_str()) : 0;
    value = std::max(value, 0L);
    if (m.highest > 0) {
        value = std::clamp(value, m.lowest, m.highest);
    }
    transfernumber = static_cast<int>(value);
    return true;
}

}  // namespace tw
