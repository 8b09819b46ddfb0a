#pragma once

#include "controls/TableList.h"

namespace tw {

inline constexpr int kEditTempoDialog = 4;
inline constexpr int kTempoList = 630;

// The tempo changes, "bar:tick  BPM" a line. The table is never left
// empty: emptying it leaves the default entry, 120 BPM at time 0. After it
// closes the caller brings the tempo fader and the song length up to date.
class EditTempo : public TableList {
public:
    explicit EditTempo(ui::Window* parent, int resourceId = kEditTempoDialog);

protected:
    uint32_t Total() const override;
    std::string Line(uint32_t i) const override;
};

}  // namespace tw
