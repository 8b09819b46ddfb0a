#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "playback/PortList.h"

namespace tw {

inline constexpr int kMidiPortsDialog = 5;
inline constexpr int kPortListBox = 624;

// The "Midi Ports" dialog: the output devices, then "Midi Mapper" (the
// built-in synthesizer). Each selection is stored in md at once; the user
// ends the dialog with its close box.
class MidiPorts : public ui::Dialog {
    TW_DECLARE_RESPONSE_TABLE()

public:
    explicit MidiPorts(ui::Window* parent, int resourceId = kMidiPortsDialog);

    // Where the dialog gets the devices' names; tests give a fixed list.
    // An empty lister restores the machine's devices.
    using DeviceLister = std::function<std::vector<std::string>()>;
    static void SetDeviceLister(DeviceLister lister);

    // After a failed open of the port, once: a message box with the cause
    // and what to do, so that a silent port does not go unexplained.
    static void TellUnopenedPort(ui::Window* owner);

protected:
    void SetupWindow() override;

private:
    void LoadData();
    void UpdatePortData();

    PortList ports{{}};
};

}  // namespace tw
