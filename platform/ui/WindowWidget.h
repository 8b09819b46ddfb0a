#pragma once

// Internal to the framework: the Qt widget that stands behind a Window and
// turns the toolkit's events into the window's paint and messages.

#include <QWidget>

namespace tw::ui {

class Window;

class WindowWidget : public QWidget {
public:
    WindowWidget(Window& owner, QWidget* parent);

    Window& Owner() const { return owner_; }

    // Set while a window paints itself into an image: the image starts
    // empty, so the whole background is laid whatever was invalidated.
    static inline bool paintingImage = false;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Deliver(unsigned msg, QMouseEvent* event);

    Window& owner_;
};

}  // namespace tw::ui
