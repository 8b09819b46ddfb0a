#include "platform/ui/MouseInput.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowWidget.h"

// The toolkit's own entry for window-system mouse events, delivered at once.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
QT_END_NAMESPACE

namespace tw::ui {

namespace {

Qt::MouseButtons heldButtons;
int timestamp = 1;

Qt::MouseButton ToQt(MouseInput::Button b) {
    return b == MouseInput::Button::Left ? Qt::LeftButton : Qt::RightButton;
}

void Deliver(QWidget* widget, Point client, Qt::MouseButton button, QEvent::Type type,
             bool separate = true) {
    if (widget == nullptr) {
        return;
    }
    QWidget* top = widget->window();
    if (!top->isVisible()) {
        top->show();
    }
    Application::PumpWaitingMessages();
    const QPoint local = widget->mapTo(top, QPoint(client.x, client.y));
    const QPoint global = top->mapToGlobal(local);
    timestamp += 20;
    qt_handleMouseEvent(top->windowHandle(), local, global, heldButtons, button, type,
                        Qt::NoModifier, timestamp);
    if (type == QEvent::MouseButtonRelease && separate) {
        // Two separate clicks, never a double click.
        timestamp += QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1;
    }
}

}  // namespace

void MouseInput::Press(Window& w, Point client, Button button) {
    heldButtons |= ToQt(button);
    Deliver(w.widget_, client, ToQt(button), QEvent::MouseButtonPress);
}

void MouseInput::Release(Window& w, Point client, Button button) {
    heldButtons &= ~ToQt(button);
    Deliver(w.widget_, client, ToQt(button), QEvent::MouseButtonRelease);
}

void MouseInput::Move(Window& w, Point client) {
    Deliver(w.widget_, client, Qt::NoButton, QEvent::MouseMove);
}

void MouseInput::Click(Window& w, Point client, Button button) {
    Press(w, client, button);
    Release(w, client, button);
}

void MouseInput::DoubleClick(Window& w, Point client) {
    heldButtons |= Qt::LeftButton;
    Deliver(w.widget_, client, Qt::LeftButton, QEvent::MouseButtonPress);
    heldButtons &= ~Qt::LeftButton;
    Deliver(w.widget_, client, Qt::LeftButton, QEvent::MouseButtonRelease, false);
    Click(w, client);
}

}  // namespace tw::ui
