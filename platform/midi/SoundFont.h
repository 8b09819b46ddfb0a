#pragma once

#include <string>

namespace tw::midi {

// What a user without a SoundFont is told, naming the Debian packages that
// provide one.
inline constexpr const char* kNoSoundFontText =
    "No General MIDI SoundFont found under /usr/share/sounds. Install one, e.g. "
    "\"sudo apt-get install fluid-soundfont-gm\" (or timgm6mb-soundfont).";

// The system's General MIDI SoundFont under `root`: sf2/default-GM.sf2, then
// sf3/default-GM.sf3, then the first .sf2 or .sf3 file anywhere below `root`
// in path order. Empty when there is none.
[[nodiscard]] std::string FindSoundFont(const std::string& root = "/usr/share/sounds");

}  // namespace tw::midi
