#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Dialog.h"
#include "song/Edits.h"

namespace tw {

inline constexpr int kDeleteButton = 631;
inline constexpr int kDeleteAllButton = 632;

// A modal list of one song table, one line per entry in table order, so
// that line i is entry i. Delete (631) removes the selected entries, Delete
// All (632) empties the table; both act at once and mark the song changed,
// however the dialog is then closed.
class TableList : public ui::Dialog {
    TW_DECLARE_RESPONSE_TABLE()

public:
    // maxSelected: how many selected lines one Delete reads at most.
    TableList(ui::Window* parent, int resourceId, SongTable table, int listId, int maxSelected);

    // Fills the list from the table.
    void LoadData();
    void DeleteItems();
    void DeleteAll();

protected:
    void SetupWindow() override;

    int ListId() const { return listId; }
    [[nodiscard]] virtual uint32_t Total() const = 0;
    [[nodiscard]] virtual std::string Line(uint32_t i) const = 0;

private:
    SongTable table;
    int listId;
    int maxSelected;
};

}  // namespace tw
