#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "playback/MidiPort.h"

namespace tw {

// What the "Midi Ports" dialog lists and how a choice in it becomes the port
// record: the output devices by number, then "Midi Mapper". The dialog and
// `tunewell-cli ports` both show these entries.
class PortList {
public:
    explicit PortList(std::vector<std::string> deviceNames);

    // The entries in list order; entry i < DeviceCount() is device i.
    [[nodiscard]] const std::vector<std::string>& Entries() const { return entries_; }
    [[nodiscard]] int DeviceCount() const { return static_cast<int>(entries_.size()) - 1; }

    // The number that the record stores for entry `index`: the device
    // number, or midi::kMapper for the mapper entry.
    [[nodiscard]] uint32_t DeviceNumber(int index) const;

    // The entry that a record selects: index portDevice for a device, the
    // first entry reading exactly "Midi Mapper" for the mapper; -1 when the
    // stored device no longer exists.
    [[nodiscard]] int SelectedIndex(const mididata& record) const;

    // On showing the list: the selected entry's text becomes portName; the
    // stored portDevice keeps its value. Nothing changes when none is
    // selected.
    void ShowSelection(mididata& record) const;

    // The user picked entry `index`: portDevice becomes the index and
    // portName its text, and an entry reading exactly "Midi Mapper" stands
    // for the mapper. An index outside the list changes nothing.
    void Choose(int index, mididata& record) const;

private:
    void CopyName(int index, mididata& record) const;

    std::vector<std::string> entries_;
};

}  // namespace tw
