#pragma once

#include <cstdint>
#include <string>

namespace tw::cli {

// A text of the song in double quotes, on one line: printable ASCII as it
// is, the quote and the backslash escaped, every other byte as \xNN.
std::string Quoted(const char* text);

// "2 sharps, major", "1 flat, minor", "no sharps or flats, major".
std::string KeySignatureText(int8_t sharps, uint8_t minor);

// True when the track's name is one the song gave it, not the "Track N"
// that a new song starts with, nor empty.
bool HasOwnName(int track);

}  // namespace tw::cli
