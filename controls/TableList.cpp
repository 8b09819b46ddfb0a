#include "controls/TableList.h"

#include <vector>

#include "platform/ui/ListBox.h"
#include "song/Edits.h"
#include "song/Song.h"

namespace tw {

TableList::TableList(ui::Window* parent, int resourceId, SongTable table, int listId,
                     int maxSelected)
    : Dialog(parent, resourceId), table(table), listId(listId), maxSelected(maxSelected) {}

const ui::ResponseTable& TableList::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnCommand<&TableList::DeleteItems>(kDeleteButton),
        ui::OnCommand<&TableList::DeleteAll>(kDeleteAllButton),
    };
    static const ui::ResponseTable table{&Dialog::Table(), entries};
    return table;
}

void TableList::SetupWindow() {
    Dialog::SetupWindow();
    LoadData();
}

void TableList::LoadData() {
    ui::ListBox* list = Item<ui::ListBox>(listId);
    if (list == nullptr) {
        return;
    }
    list->ClearList();
    for (uint32_t i = 0; i < Total(); ++i) {
        list->AddString(Line(i));
    }
}

// Each removal moves the later entries down one place, so the k-th selected
// index (ascending) stands k places lower by the time it is removed.
void TableList::DeleteItems() {
    const ui::ListBox* list = Item<ui::ListBox>(listId);
    const int n = list != nullptr ? list->GetSelCount() : 0;
    if (n == 0) {
        return;
    }
    if (static_cast<uint32_t>(n) == Total()) {
        DeleteAll();
        return;
    }
    const EditGroup group("Delete");
    const std::vector<int> selected = list->GetSelIndexes(maxSelected);
    for (size_t k = 0; k < selected.size(); ++k) {
        const int i = selected[k] - static_cast<int>(k);
        if (i >= 0 && static_cast<uint32_t>(i) < Total()) {
            RemoveTableEntry(table, static_cast<uint32_t>(i));
        }
    }
    if (Total() == 0) {
        ClearTable(table);
    }
    LoadData();
}

void TableList::DeleteAll() {
    ClearTable(table);
    LoadData();
}

}  // namespace tw
