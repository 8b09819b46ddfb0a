#include "platform/ui/UserInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/ScrollBar.h"

namespace tw::ui {

namespace {

void ShowTopLevel(QWidget* w) {
    if (!w->window()->isVisible()) {
        w->window()->show();
    }
    Application::PumpWaitingMessages();
}

// The point of a child widget's rectangle centre in the control's client
// coordinates (the control's own window holds the child at its origin).
Point CentreIn(const QWidget* child, const QRect& r, const QWidget* control) {
    const QPoint p = child->mapTo(control, r.center());
    return {p.x(), p.y()};
}

Point ItemCentre(ListBox& list, int index) {
    QListWidget* w = list.List();
    ShowTopLevel(w);
    w->scrollToItem(w->item(index));
    Application::PumpWaitingMessages();
    return CentreIn(w->viewport(), w->visualItemRect(w->item(index)), w->parentWidget());
}

void Key(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &release);
}

QRect PartRect(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

}  // namespace

void UserInput::Click(ListBox& list, int index) {
    if (index >= 0 && index < list.GetCount()) {
        MouseInput::Click(list, ItemCentre(list, index));
    }
}

void UserInput::DoubleClick(ListBox& list, int index) {
    if (index >= 0 && index < list.GetCount()) {
        MouseInput::DoubleClick(list, ItemCentre(list, index));
    }
}

void UserInput::Type(Edit& edit, const std::string& text) {
    QLineEdit* field = edit.Field();
    ShowTopLevel(field);
    field->setFocus();
    Key(field, Qt::Key_A, Qt::ControlModifier, QString());
    Key(field, Qt::Key_Delete, Qt::NoModifier, QString());
    for (const QChar c : QString::fromStdString(text)) {
        Key(field, 0, Qt::NoModifier, QString(c));
    }
    Application::PumpWaitingMessages();
}

void UserInput::Click(Button& button) {
    QPushButton* b = button.PushButton();
    ShowTopLevel(b);
    MouseInput::Click(button, CentreIn(b, b->rect(), b->parentWidget()));
}

void UserInput::Click(ScrollBar& bar, ScrollPart part) {
    static constexpr QStyle::SubControl parts[] = {
        QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubPage,
        QStyle::SC_ScrollBarAddPage};
    QScrollBar* b = bar.Bar();
    ShowTopLevel(b);
    const QRect r = PartRect(b, parts[static_cast<int>(part)]);
    MouseInput::Click(bar, CentreIn(b, r, b->parentWidget()));
}

void UserInput::DragThumb(ScrollBar& bar, int position) {
    QScrollBar* b = bar.Bar();
    ShowTopLevel(b);
    const QRect thumb = PartRect(b, QStyle::SC_ScrollBarSlider);
    const QRect groove = PartRect(b, QStyle::SC_ScrollBarGroove);
    const bool horizontal = b->orientation() == Qt::Horizontal;
    const int span =
        (horizontal ? groove.width() - thumb.width() : groove.height() - thumb.height());
    const int to = QStyle::sliderPositionFromValue(b->minimum(), b->maximum(), position, span);
    const int from = horizontal ? thumb.left() - groove.left() : thumb.top() - groove.top();
    const Point start = CentreIn(b, thumb, b->parentWidget());
    const Point end =
        horizontal ? Point{start.x + to - from, start.y} : Point{start.x, start.y + to - from};
    MouseInput::Press(bar, start);
    MouseInput::Move(bar, end);
    MouseInput::Release(bar, end);
}

void UserInput::CloseBox(Window& w) {
    w.CloseWindow();
    Application::PumpWaitingMessages();
}

}  // namespace tw::ui
