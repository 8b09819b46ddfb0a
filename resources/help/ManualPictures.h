#pragma once

// The pictures of the manual: which part of the front panel each shows and
// where its numbered markers sit. The manual explains every marker under
// the same number and name; the generator paints them, a test checks that
// the manual names each one.

#include <array>
#include <span>

namespace tw::manual {

struct Marker {
    int number;
    const char* name;  // as the manual names the region
    int x, y;          // the marker's centre, in panel pixels
};

struct Picture {
    const char* file;              // PNG under images/
    int left, top, right, bottom;  // the part of the panel shown
    std::span<const Marker> markers;
};

// Every picture has a white margin of this width around its part of the
// panel; markers may sit in it.
inline constexpr int kMargin = 16;

inline constexpr std::array kPanelMarkers{
    Marker{1, "Bar", 60, -8},
    Marker{2, "Track", 137, -8},
    Marker{3, "Track name", 280, -8},
    Marker{4, "Channel", 457, -8},
    Marker{5, "Instrument", 582, -8},
    Marker{6, "Notes", 770, -8},
    Marker{7, "Lyric box", 190, 74},
    Marker{8, "Note values", 198, 61},
    Marker{9, "Velocity", 467, 50},
    Marker{10, "Entry mode", 566, 71},
    Marker{11, "Note Edit", 711, 71},
    Marker{12, "Mixer switch", 788, 50},
    Marker{13, "Staff", -8, 168},
    Marker{14, "Position pointer", -8, 250},
    Marker{15, "Lyric strip", -8, 275},
    Marker{16, "Channel strips", -8, 430},
    Marker{17, "Time displays", 808, 326},
    Marker{18, "Transport", 656, 392},
    Marker{19, "Master faders", 698, 565},
    Marker{20, "Tempo", 808, 460},
};

inline constexpr std::array kToolbarMarkers{
    Marker{1, "Lyric Track", 65, 30},  Marker{2, "Lyric count", 108, 94},
    Marker{3, "Lyric total", 163, 94}, Marker{4, "Note values", 250, 30},
    Marker{5, "Flat", 306, 30},        Marker{6, "Sharp", 322, 30},
    Marker{7, "Dot", 342, 30},         Marker{8, "Velocity", 393, 94},
    Marker{9, "Enter", 500, 30},       Marker{10, "Replace", 545, 30},
    Marker{11, "Cut", 612, 30},        Marker{12, "Copy", 648, 30},
    Marker{13, "Paste", 690, 30},      Marker{14, "Mixer switch", 760, 30},
};

inline constexpr std::array kStripMarkers{
    Marker{1, "Solo", -2, 306},         Marker{2, "Mute", -2, 328},
    Marker{3, "Level meter", 136, 317}, Marker{4, "Chorus", -2, 360},
    Marker{5, "Reverb", -2, 400},       Marker{6, "Pan", -2, 437},
    Marker{7, "Volume fader", -2, 500}, Marker{8, "Channel number", -2, 547},
    Marker{9, "Channel LED", 136, 547},
};

inline constexpr std::array kTransportMarkers{
    Marker{1, "Current", 808, 310},  Marker{2, "Cue", 808, 327},
    Marker{3, "Total", 808, 344},    Marker{4, "Stop", 640, 377},
    Marker{5, "Pause", 744, 377},    Marker{6, "Play", 640, 400},
    Marker{7, "Play All", 744, 400}, Marker{8, "Cue", 640, 423},
    Marker{9, "Cue Set", 744, 423},  Marker{10, "Master faders", 698, 565},
    Marker{11, "Tempo", 808, 460},
};

inline constexpr std::array kPictures{
    Picture{"panel.png", 0, 0, 800, 557, kPanelMarkers},
    Picture{"toolbar.png", 0, 38, 800, 86, kToolbarMarkers},
    Picture{"strips.png", 6, 297, 128, 557, kStripMarkers},
    Picture{"transport.png", 648, 297, 800, 557, kTransportMarkers},
};

}  // namespace tw::manual
