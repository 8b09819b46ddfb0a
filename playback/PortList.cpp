#include "playback/PortList.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tw {

namespace {

// The list hands out at most 254 bytes, the NUL included.
constexpr std::size_t kListTextMax = 253;

}  // namespace

PortList::PortList(std::vector<std::string> deviceNames) : entries_(std::move(deviceNames)) {
    entries_.emplace_back(kMapperName);
}

uint32_t PortList::DeviceNumber(int index) const {
    return index == DeviceCount() ? midi::kMapper : static_cast<uint32_t>(index);
}

int PortList::SelectedIndex(const mididata& record) const {
    if (record.portDevice == midi::kMapper) {
        const auto found = std::find(entries_.begin(), entries_.end(), kMapperName);
        return static_cast<int>(found - entries_.begin());
    }
    // The mapper is only ever kMapper: the number of its place in the list
    // is a device that has gone.
    return record.portDevice < static_cast<uint32_t>(DeviceCount())
               ? static_cast<int>(record.portDevice)
               : -1;
}

void PortList::ShowSelection(mididata& record) const {
    const int index = SelectedIndex(record);
    if (index >= 0) {
        CopyName(index, record);
    }
}

void PortList::Choose(int index, mididata& record) const {
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        return;
    }
    record.portDevice = static_cast<uint32_t>(index);
    CopyName(index, record);
    if (std::strcmp(record.portName, kMapperName) == 0) {
        record.portDevice = midi::kMapper;
    }
}

void PortList::CopyName(int index, mididata& record) const {
    const std::string& text = entries_[static_cast<std::size_t>(index)];
    const std::size_t length = std::min(text.size(), kListTextMax);
    std::memcpy(record.portName, text.data(), length);
    record.portName[length] = '\0';
}

}  // namespace tw
