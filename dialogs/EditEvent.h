#pragma once

#include "controls/TableList.h"

namespace tw {

inline constexpr int kEditEventDialog = 7;
inline constexpr int kEventList = 623;

// The controller events (volume, pan, chorus, reverb): bar, tick, track,
// channel, controller and level a line. After it closes the caller
// recomputes the song length.
class EditEvent : public TableList {
public:
    explicit EditEvent(ui::Window* parent, int resourceId = kEditEventDialog);

protected:
    uint32_t Total() const override;
    std::string Line(uint32_t i) const override;
};

}  // namespace tw
