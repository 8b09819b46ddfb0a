#pragma once

#include <string>

#include "playback/MidiPort.h"

namespace tw {

inline constexpr std::size_t kConfigSize = sizeof(mididata);

// The working directory at start and the files that live in it. Any length.
extern std::string currentdir;
extern std::string ConfigFileName;  // currentdir + "/tw.cfg"
extern std::string HelpFileName;    // currentdir + "/twhelp.hlp"

// Takes the working directory and forms the file names from it.
void SetWorkingPaths();

// Reads ConfigFileName into md. A missing or unreadable file, or one whose
// length is not exactly 267 bytes, leaves md as it is and is replaced by a
// file of the current record. Something other than a regular file (a
// directory, a named pipe) counts as missing, but is never replaced.
// Nothing is shown.
void LoadConfig();

// Replaces ConfigFileName with the 267 bytes of md, readable and writable by
// the owner. A file that cannot be written is not reported.
void SaveConfig();

// Reads the record of a tw.cfg without ever writing or waiting: false, with
// `record` untouched, when there is no regular file of exactly 267 bytes.
[[nodiscard]] bool ReadConfig(const std::string& path, mididata& record);

// The record as stored: fields in order, integers little-endian.
void ConfigBytes(const mididata& record, unsigned char (&bytes)[kConfigSize]);

}  // namespace tw
