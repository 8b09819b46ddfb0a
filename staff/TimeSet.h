#pragma once

#include <cstdint>

#include "platform/ui/Dialog.h"

namespace tw {

inline constexpr int kTimeSetDialog = 6;
inline constexpr int kNumeratorList = 625;
inline constexpr int kDenominatorList = 626;
inline constexpr int kDivisionList = 627;
inline constexpr int kGridList = 628;
inline constexpr int kSnapList = 629;

// The "Song Time Settings" dialog: time signature, ticks per quarter note,
// and the staff's grid and snap. Each choice is stored in sd the moment it
// is made; there is no OK button, the close box ends it. The caller derives
// the bar length and the page from the new fields afterwards.
class TimeSet : public ui::Dialog {
    TW_DECLARE_RESPONSE_TABLE()

public:
    explicit TimeSet(ui::Window* parent, int resourceId = kTimeSetDialog);

protected:
    void SetupWindow() override;

private:
    void LoadData();
    // A field's value that no entry reads (7/8 from a file) leaves its list
    // without a selection.
    void FillNumbers(int listId, const char* const* entries, int count, uint32_t value);
    void FillCodes(int listId, uint32_t code);
    // The number the list's selected entry reads; false when none is selected.
    bool SelectedNumber(int listId, uint32_t& value) const;

    void UpdateNum();
    void UpdateDen();
    void UpdateDiv();
    void UpdateGridCode();
    void UpdateSnapCode();
};

}  // namespace tw
