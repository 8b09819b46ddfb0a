#include "staff/TimeSet.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "platform/ui/ListBox.h"
#include "song/Edits.h"
#include "song/Song.h"

namespace tw {

namespace {

constexpr const char* kNumerators[] = {"2", "3", "4", "5", "6"};
constexpr const char* kDenominators[] = {"4", "8"};
constexpr const char* kDivisions[] = {"48",  "72",  "96",  "120", "144",
                                      "168", "192", "240", "384", "480"};
// Index = grid or snap code: 0 none, 1 thirty-second .. 5 half.
constexpr const char* kNoteUnits[] = {"None", "32nd", "16th", "8th", "Qtr", "Half"};
constexpr int kMaxEntryChars = 8;

}  // namespace

TimeSet::TimeSet(ui::Window* parent, int resourceId) : Dialog(parent, resourceId) {}

const ui::ResponseTable& TimeSet::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnChildNotify<&TimeSet::UpdateNum>(kNumeratorList, ui::ListBox::SelChange),
        ui::OnChildNotify<&TimeSet::UpdateDen>(kDenominatorList, ui::ListBox::SelChange),
        ui::OnChildNotify<&TimeSet::UpdateDiv>(kDivisionList, ui::ListBox::SelChange),
        ui::OnChildNotify<&TimeSet::UpdateGridCode>(kGridList, ui::ListBox::SelChange),
        ui::OnChildNotify<&TimeSet::UpdateSnapCode>(kSnapList, ui::ListBox::SelChange),
    };
    static const ui::ResponseTable table{&Dialog::Table(), entries};
    return table;
}

void TimeSet::SetupWindow() {
    Dialog::SetupWindow();
    LoadData();
}

void TimeSet::LoadData() {
    FillNumbers(kNumeratorList, kNumerators, std::size(kNumerators), sd.tsNumerator);
    FillNumbers(kDenominatorList, kDenominators, std::size(kDenominators), sd.tsDenominator);
    FillNumbers(kDivisionList, kDivisions, std::size(kDivisions), sd.division);
    FillCodes(kGridList, sd.gridSetting);
    FillCodes(kSnapList, sd.snapSetting);
}

void TimeSet::FillNumbers(int listId, const char* const* entries, int count, uint32_t value) {
    ui::ListBox* list = Item<ui::ListBox>(listId);
    if (list == nullptr) {
        return;
    }
    list->ClearList();
    for (int i = 0; i < count; ++i) {
        list->AddString(entries[i]);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    const int index = list->FindExactString(text);
    list->SetSelIndex(index);
    if (index >= 0) {
        list->SetCaretIndex(index);
    }
}

// A code beyond the list selects nothing, as SetSelIndex ignores it.
void TimeSet::FillCodes(int listId, uint32_t code) {
    ui::ListBox* list = Item<ui::ListBox>(listId);
    if (list == nullptr) {
        return;
    }
    list->ClearList();
    for (const char* unit : kNoteUnits) {
        list->AddString(unit);
    }
    const int index = code < std::size(kNoteUnits) ? static_cast<int>(code) : -1;
    list->SetSelIndex(index);
    if (index >= 0) {
        list->SetCaretIndex(index);
    }
}

bool TimeSet::SelectedNumber(int listId, uint32_t& value) const {
    const ui::ListBox* list = Item<ui::ListBox>(listId);
    if (list == nullptr || list->GetSelIndex() < 0) {
        return false;
    }
    const std::string text = list->GetSelString().substr(0, kMaxEntryChars);
    value = static_cast<uint32_t>(std::atol(text.c_str()));
    return true;
}

void TimeSet::UpdateNum() {
    if (uint32_t n = 0; SelectedNumber(kNumeratorList, n)) {
        SetTimeSignature(n, sd.tsDenominator, sd.division);
    }
}

void TimeSet::UpdateDen() {
    if (uint32_t d = 0; SelectedNumber(kDenominatorList, d)) {
        SetTimeSignature(sd.tsNumerator, d, sd.division);
    }
}

void TimeSet::UpdateDiv() {
    if (uint32_t division = 0; SelectedNumber(kDivisionList, division)) {
        SetTimeSignature(sd.tsNumerator, sd.tsDenominator, division);
    }
}

// Grid and snap only change how the staff is drawn and where clicks land,
// so they leave changed alone.
void TimeSet::UpdateGridCode() {
    if (const ui::ListBox* list = Item<ui::ListBox>(kGridList); list && list->GetSelIndex() >= 0) {
        sd.gridSetting = static_cast<uint32_t>(list->GetSelIndex());
    }
}

void TimeSet::UpdateSnapCode() {
    if (const ui::ListBox* list = Item<ui::ListBox>(kSnapList); list && list->GetSelIndex() >= 0) {
        sd.snapSetting = static_cast<uint32_t>(list->GetSelIndex());
    }
}

}  // namespace tw
