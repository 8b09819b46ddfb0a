#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "playback/Config.h"
#include "tests/support/TempDir.h"

namespace tw::test {

// Writes a tw.cfg at path that selects output device `device` named `name`.
inline void WriteConfig(const std::string& path, uint32_t device, const std::string& name) {
    mididata record{};
    record.portDevice = device;
    std::strncpy(record.portName, name.c_str(), sizeof record.portName - 1);
    unsigned char bytes[kConfigSize];
    ConfigBytes(record, bytes);
    WriteFile(path, Bytes(bytes, bytes + kConfigSize));
}

}  // namespace tw::test
