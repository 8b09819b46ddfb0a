#pragma once

#include <string>
#include <vector>

#include "platform/ui/NativeControl.h"

class QListWidget;

namespace tw::ui {

// A list of text lines with one or several selected. When the user changes
// the selection it sends its parent msg::ChildNotify with wParam = its id
// and lParam = SelChange, and on a double click DoubleClick; changes made
// from code send nothing. Indexes out of range are ignored or answered
// with -1.
class ListBox : public NativeControl {
public:
    static constexpr LParam SelChange = 1;
    static constexpr LParam DoubleClick = 2;

    struct Style {
        bool multiple = false;  // a click toggles its line; several may be selected
        bool sort = false;      // lines kept in alphabetical order, case ignored
        bool notify = true;
    };

    ListBox(Window* parent, int id, int x, int y, int w, int h, Style style);
    ListBox(Window* parent, int id, int x, int y, int w, int h);

    void ClearList();
    // Appends the line (or inserts it in order when sorted); returns its index.
    int AddString(const std::string& text);
    // Inserts before index; -1 appends. Returns the index, -1 if out of range.
    int InsertString(const std::string& text, int index);
    // Returns the number of lines left, -1 if index is out of range.
    int DeleteString(int index);
    int GetCount() const;
    std::string GetString(int index) const;
    // The first line that reads exactly text, case included; -1 if none.
    int FindExactString(const std::string& text) const;

    // Single selection: selects the line (and makes it the caret line), -1
    // clears the selection.
    void SetSelIndex(int index);
    // The selected line (the first one in a multiple selection), -1 if none.
    int GetSelIndex() const;
    std::string GetSelString() const;
    // Selects the line that reads exactly text and returns its index; leaves
    // the selection as it is and returns -1 if there is none.
    int SetSelString(const std::string& text);

    // Multiple selection.
    void SetSel(int index, bool selected);
    int GetSelCount() const;
    // The selected lines in ascending order, at most maxCount of them.
    std::vector<int> GetSelIndexes(int maxCount = 1 << 30) const;

    // The line with the focus: the one last clicked or set; 0 when no line
    // has it (also for an empty list).
    int GetCaretIndex() const;
    // Makes the line the caret line and scrolls it into view.
    void SetCaretIndex(int index);

    bool IsMultiple() const { return style_.multiple; }
    QListWidget* List() const { return list_; }

private:
    bool Valid(int index) const { return index >= 0 && index < GetCount(); }

    Style style_;
    QListWidget* list_;
};

}  // namespace tw::ui
