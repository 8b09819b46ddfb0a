// tunewell-cli ports: the entries of the "Midi Ports" dialog and the one
// that tw.cfg in the working directory selects. tw.cfg is read, never written.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/Operand.h"
#include "cli/SongText.h"
#include "platform/midi/Outputs.h"
#include "playback/Config.h"
#include "playback/PortList.h"

namespace tw::cli {
namespace {

// Where the choice comes from: tw.cfg, or the default that a start without
// a usable tw.cfg takes.
const char* Source(bool fromFile) {
    if (fromFile) {
        return "tw.cfg selects";
    }
    std::error_code error;
    const auto status = std::filesystem::status(ConfigFileName, error);
    if (!std::filesystem::exists(status)) {
        return "No tw.cfg here; the default selects";
    }
    return std::filesystem::is_regular_file(status)
               ? "tw.cfg is not a port record of 267 bytes; the default selects"
               : "tw.cfg is not a file; the default selects";
}

void PrintSelection(const PortList& list, const mididata& record, bool fromFile) {
    const char* source = Source(fromFile);
    const int index = list.SelectedIndex(record);
    if (index < 0) {
        std::printf("%s device %u, %s, which does not exist now: no port would be opened\n", source,
                    record.portDevice, Quoted(record.portName).c_str());
        return;
    }
    std::printf("%s %u: %s\n", source, list.DeviceNumber(index),
                list.Entries()[static_cast<std::size_t>(index)].c_str());
}

}  // namespace

int PortsCommand(Operands operands) {
    OperandReader args("ports", operands, {});
    while (args.Next()) {
        if (!args.Positional()) {
            return kExitUsage;
        }
    }
    const PortList list(midi::OutputDeviceNames());
    for (int i = 0; i < static_cast<int>(list.Entries().size()); ++i) {
        std::printf("%u: %s\n", list.DeviceNumber(i),
                    list.Entries()[static_cast<std::size_t>(i)].c_str());
    }
    SetWorkingPaths();
    SetPortDefaults();
    const bool fromFile = ReadConfig(ConfigFileName, md);
    PrintSelection(list, md, fromFile);
    return kExitOk;
}

}  // namespace tw::cli
