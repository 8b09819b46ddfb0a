#pragma once

#include "platform/ui/Dialog.h"

namespace tw {

inline constexpr int kSetVoicesDialog = 3;
inline constexpr int kVoiceList = 633;

// The instrument of the current channel: the 128 names of Voices, in
// program order, with the channel's program selected. Execute returns IdOk
// once the chosen program is in sd.channelProgram[sd.channel]; the caller
// then shows it and files the program change. The close box changes nothing.
class SetVoices : public ui::Dialog {
public:
    explicit SetVoices(ui::Window* parent, int resourceId = kSetVoicesDialog);

    bool CanClose() override;

protected:
    void SetupWindow() override;
};

}  // namespace tw
