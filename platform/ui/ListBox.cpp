#include "platform/ui/ListBox.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

namespace tw::ui {

ListBox::ListBox(Window* parent, int id, int x, int y, int w, int h)
    : ListBox(parent, id, x, y, w, h, Style{}) {}

ListBox::ListBox(Window* parent, int id, int x, int y, int w, int h, Style style)
    : NativeControl(parent, id, x, y, w, h), style_(style), list_(new QListWidget) {
    Adopt(list_);
    list_->setSelectionMode(style.multiple ? QAbstractItemView::MultiSelection
                                           : QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QObject::connect(list_, &QListWidget::itemSelectionChanged, list_, [this] {
        if (style_.notify) {
            NotifyParent(msg::ChildNotify, static_cast<WParam>(Id()), SelChange);
        }
    });
    QObject::connect(list_, &QListWidget::itemDoubleClicked, list_, [this] {
        if (style_.notify) {
            NotifyParent(msg::ChildNotify, static_cast<WParam>(Id()), DoubleClick);
        }
    });
}

void ListBox::ClearList() {
    const QSignalBlocker quiet(list_);
    list_->clear();
}

int ListBox::AddString(const std::string& text) {
    int index = GetCount();
    if (style_.sort) {
        const QString t = QString::fromStdString(text);
        index = 0;
        while (index < GetCount() &&
               list_->item(index)->text().compare(t, Qt::CaseInsensitive) <= 0) {
            ++index;
        }
    }
    return InsertString(text, index);
}

int ListBox::InsertString(const std::string& text, int index) {
    if (index == -1) {
        index = GetCount();
    }
    if (index < 0 || index > GetCount()) {
        return -1;
    }
    const QSignalBlocker quiet(list_);
    list_->insertItem(index, QString::fromStdString(text));
    return index;
}

int ListBox::DeleteString(int index) {
    if (!Valid(index)) {
        return -1;
    }
    const QSignalBlocker quiet(list_);
    delete list_->takeItem(index);
    return GetCount();
}

int ListBox::GetCount() const {
    return list_->count();
}

std::string ListBox::GetString(int index) const {
    return Valid(index) ? list_->item(index)->text().toStdString() : std::string();
}

int ListBox::FindExactString(const std::string& text) const {
    const QString t = QString::fromStdString(text);
    for (int i = 0; i < GetCount(); ++i) {
        if (list_->item(i)->text() == t) {
            return i;
        }
    }
    return -1;
}

void ListBox::SetSelIndex(int index) {
    const QSignalBlocker quiet(list_);
    if (!Valid(index)) {
        list_->clearSelection();
        return;
    }
    list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

int ListBox::GetSelIndex() const {
    const std::vector<int> selected = GetSelIndexes(1);
    return selected.empty() ? -1 : selected.front();
}

std::string ListBox::GetSelString() const {
    return GetString(GetSelIndex());
}

int ListBox::SetSelString(const std::string& text) {
    const int index = FindExactString(text);
    if (index >= 0) {
        style_.multiple ? SetSel(index, true) : SetSelIndex(index);
    }
    return index;
}

void ListBox::SetSel(int index, bool selected) {
    if (Valid(index)) {
        const QSignalBlocker quiet(list_);
        list_->item(index)->setSelected(selected);
    }
}

int ListBox::GetSelCount() const {
    return static_cast<int>(list_->selectedItems().size());
}

std::vector<int> ListBox::GetSelIndexes(int maxCount) const {
    std::vector<int> indexes;
    for (int i = 0; i < GetCount() && static_cast<int>(indexes.size()) < maxCount; ++i) {
        if (list_->item(i)->isSelected()) {
            indexes.push_back(i);
        }
    }
    return indexes;
}

int ListBox::GetCaretIndex() const {
    return std::max(0, list_->currentRow());
}

void ListBox::SetCaretIndex(int index) {
    if (Valid(index)) {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(index, QItemSelectionModel::NoUpdate);
        list_->scrollToItem(list_->item(index));
    }
}

}  // namespace tw::ui
