#include "platform/ui/WindowWidget.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>

#include "platform/ui/DC.h"
#include "platform/ui/Window.h"

namespace tw::ui {

namespace {

WParam KeyState(const QMouseEvent& e) {
    WParam k = 0;
    if (e.buttons() & Qt::LeftButton) {
        k |= keys::LButton;
    }
    if (e.buttons() & Qt::RightButton) {
        k |= keys::RButton;
    }
    if (e.modifiers() & Qt::ShiftModifier) {
        k |= keys::Shift;
    }
    if (e.modifiers() & Qt::ControlModifier) {
        k |= keys::Control;
    }
    return k;
}

}  // namespace

WindowWidget::WindowWidget(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    // The window lays its own background, so Qt need not paint under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    DC dc(painter);
    const QRect r = event->rect();
    owner_.HandlePaint(dc, {r.left(), r.top(), r.right() + 1, r.bottom() + 1}, paintingImage);
}

void WindowWidget::Deliver(unsigned msg, QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    owner_.HandleMouse(msg, KeyState(*event), {p.x(), p.y()});
    event->accept();
}

// A second press soon after the first is still a press: the controls count
// clicks, they do not know double clicks.
void WindowWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Deliver(msg::LButtonDown, event);
    } else if (event->button() == Qt::RightButton) {
        Deliver(msg::RButtonDown, event);
    }
}

void WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Deliver(msg::LButtonUp, event);
    } else if (event->button() == Qt::RightButton) {
        Deliver(msg::RButtonUp, event);
    }
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    Deliver(msg::MouseMove, event);
}

void WindowWidget::timerEvent(QTimerEvent* event) {
    owner_.HandleTimer(event->timerId());
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (owner_.HandleClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tw::ui
