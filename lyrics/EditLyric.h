#pragma once

#include "controls/TableList.h"

namespace tw {

inline constexpr int kEditLyricDialog = 12;
inline constexpr int kLyricList = 803;

// The "Edit Lyrics" list: time, track and text of every lyric a line.
// Delete and Delete All act as in the other table lists and keep the
// per-track counts; a double click opens the entry dialog on the line's
// lyric and OK there changes its text only. After it closes the caller
// updates the staff, the strip and the lyric totals.
class EditLyric : public TableList {
    TW_DECLARE_RESPONSE_TABLE()

public:
    explicit EditLyric(ui::Window* parent, int resourceId = kEditLyricDialog);

    void EditLyricItem();

protected:
    uint32_t Total() const override;
    std::string Line(uint32_t i) const override;
};

}  // namespace tw
