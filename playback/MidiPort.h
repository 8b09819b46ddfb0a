#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/midi/MidiOut.h"

namespace tw {

inline constexpr int kPortNameSize = 255;
inline constexpr const char* kMapperName = "Midi Mapper";

#pragma pack(push, 1)

// The one MIDI output port of the program, and the content of tw.cfg.
struct mididata {
    uint32_t portOpen;             // 1 while the port is open
    uint32_t portHandle;           // run-time tag of the open port, 0 while closed
    uint32_t portDevice;           // 0..n-1 an output device, midi::kMapper the "Midi Mapper" entry
    char portName[kPortNameSize];  // the chosen entry's text, NUL-terminated
};

#pragma pack(pop)

static_assert(sizeof(mididata) == 267);

extern mididata md;

// The record before tw.cfg is read: the mapper chosen, the port closed.
void SetPortDefaults();

// Opens md.portDevice, closing the open port first. A port that cannot be
// opened leaves md.portOpen 0 and sends are dropped; the windows tell the
// user (TakeUntoldOpenFailure), this layer shows nothing.
void OpenMidiOut();

// Resets (nothing left sounding) and closes the open port; nothing when none
// is open.
void CloseMidiOut();

// True once after each OpenMidiOut that failed: the failure is then told to
// the user, and not again until another open fails.
[[nodiscard]] bool TakeUntoldOpenFailure();

// Why the last OpenMidiOut failed and what the user can do, for a message
// box; deviceCount is the number of output devices there are now.
[[nodiscard]] std::string UnopenedPortText(std::size_t deviceCount);

// The port open at the moment of each call, or an output that drops every
// message while none is open. Safe to use from the playback side.
[[nodiscard]] midi::MidiOut& Port();

// How OpenMidiOut reaches a device; tests put a recorder behind it. An
// empty opener restores the machine's devices and synthesizer.
using PortOpener = std::function<std::unique_ptr<midi::MidiOut>(uint32_t device)>;
void SetPortOpener(PortOpener opener);

}  // namespace tw
