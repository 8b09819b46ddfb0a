#pragma once

#include "controls/TableList.h"

namespace tw {

inline constexpr int kEditPgmDialog = 8;
inline constexpr int kPgmList = 622;

// The program changes: bar, tick, track, channel, program and instrument
// name a line ("Percussion" on MIDI channel 10). After it closes the caller
// recomputes the song length.
class EditPgm : public TableList {
public:
    explicit EditPgm(ui::Window* parent, int resourceId = kEditPgmDialog);

protected:
    uint32_t Total() const override;
    std::string Line(uint32_t i) const override;
};

}  // namespace tw
