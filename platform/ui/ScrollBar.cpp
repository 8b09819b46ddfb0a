#include "platform/ui/ScrollBar.h"

#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <functional>
#include <utility>

namespace tw::ui {

namespace {

LParam CodeFor(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return ScrollBar::LineUp;
        case QAbstractSlider::SliderSingleStepAdd:
            return ScrollBar::LineDown;
        case QAbstractSlider::SliderPageStepSub:
            return ScrollBar::PageUp;
        case QAbstractSlider::SliderPageStepAdd:
            return ScrollBar::PageDown;
        case QAbstractSlider::SliderMove:
            return ScrollBar::ThumbTrack;
        default:
            return -1;
    }
}

// Sees the end of every scroll action: the release of the mouse button,
// before the bar itself lets go of its thumb.
class ReleaseWatcher : public QObject {
public:
    ReleaseWatcher(QScrollBar* bar, std::function<void(bool)> released)
        : QObject(bar), released_(std::move(released)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            released_(static_cast<QScrollBar*>(watched)->isSliderDown());
        }
        return false;
    }

private:
    std::function<void(bool)> released_;
};

}  // namespace

ScrollBar::ScrollBar(Window* parent, int id, int x, int y, int w, int h, bool horizontal)
    : NativeControl(parent, id, x, y, w, h),
      bar_(new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical)) {
    Adopt(bar_);
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->setRange(0, 100);
    QObject::connect(bar_, &QAbstractSlider::actionTriggered, bar_, [this](int action) {
        if (const LParam code = CodeFor(action); code >= 0) {
            Notify(code);
        }
    });
    bar_->installEventFilter(new ReleaseWatcher(bar_, [this](bool thumbHeld) {
        if (thumbHeld) {
            Notify(ThumbPosition);
        }
        Notify(EndScroll);
    }));
}

void ScrollBar::Notify(LParam code) {
    NotifyParent(msg::ChildNotify, static_cast<WParam>(Id()), code);
}

void ScrollBar::SetRange(int min, int max) {
    const QSignalBlocker quiet(bar_);
    bar_->setRange(min, std::max(min, max));
}

void ScrollBar::GetRange(int& min, int& max) const {
    min = bar_->minimum();
    max = bar_->maximum();
}

void ScrollBar::SetPosition(int position) {
    const QSignalBlocker quiet(bar_);
    bar_->setValue(position);
}

int ScrollBar::GetPosition() const {
    return bar_->value();
}

void ScrollBar::SetLineMagnitude(int step) {
    bar_->setSingleStep(std::max(1, step));
}

void ScrollBar::SetPageMagnitude(int step) {
    bar_->setPageStep(std::max(1, step));
}

}  // namespace tw::ui
