#include "platform/ui/InputHold.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <utility>
#include <vector>

#include "platform/ui/Application.h"

namespace tw::ui {

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

// Whether target lies in the modal box that is open, which must get its
// input or nobody could close it.
bool InOpenModal(QObject* target) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return false;
    }
    if (auto* widget = qobject_cast<QWidget*>(target)) {
        return widget->window() == modal;
    }
    return target == modal->windowHandle();
}

}  // namespace

class InputHold::Filter final : public QObject {
public:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (!IsUserInput(event->type()) || InOpenModal(target) ||
            !(target->isWidgetType() || target->isWindowType())) {
            return false;
        }
        held.emplace_back(target, event->clone());
        return true;
    }

    std::vector<std::pair<QPointer<QObject>, QEvent*>> held;
};

InputHold::InputHold() : filter_(std::make_unique<Filter>()) {
    Application::EnsureStarted();
    QCoreApplication::instance()->installEventFilter(filter_.get());
}

// Posted, so that they arrive after what the operation's end still shows.
InputHold::~InputHold() {
    QCoreApplication::instance()->removeEventFilter(filter_.get());
    for (auto& [target, event] : filter_->held) {
        if (target != nullptr) {
            QCoreApplication::postEvent(target, event);
        } else {
            delete event;
        }
    }
}

}  // namespace tw::ui
