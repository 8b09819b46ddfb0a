#pragma once

namespace tw {

// Results of LoadFile; a full table ends a load with the table's own code
// (100 notes, 1000 tempo, 2000 controllers or lyrics, 3000 programs).
inline constexpr int kLoadOk = 0;
inline constexpr int kLoadCannotOpen = 1;
inline constexpr int kLoadNoHeader = 2;
inline constexpr int kLoadNotFormat1 = 3;
inline constexpr int kLoadNoTrack = 4;
inline constexpr int kLoadNoDivision = 5;

// Results of SaveFile.
inline constexpr int kSaveOk = 0;
inline constexpr int kSaveCannotCreate = 1;
inline constexpr int kSaveTrackFailed = 2;
inline constexpr int kSaveAppendFailed = 3;

// How the reader pairs note-offs with open notes and how the writer orders
// a track's events. Both give the same tables and bytes; Plain is the
// straightforward scan that Indexed must match, kept as its reference.
enum class ScanMode { Indexed, Plain };

}  // namespace tw
