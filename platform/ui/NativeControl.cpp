#include "platform/ui/NativeControl.h"

#include <QWidget>

#include "platform/ui/Application.h"
#include "platform/ui/WindowWidget.h"

namespace tw::ui {

NativeControl::NativeControl(Window* parent, int id, int x, int y, int w, int h)
    : Control(parent, id, x, y, w, h) {
    Application::EnsureStarted();
    if (parent != nullptr) {
        SetBkgndColor(parent->BkgndColor());
    }
}

NativeControl::~NativeControl() {
    delete native_;
}

void NativeControl::Adopt(QWidget* native) {
    native_ = native;
}

void NativeControl::SetupWindow() {
    Control::SetupWindow();
    if (native_ != nullptr) {
        native_->setParent(Widget());
        const Rect r = GetClientRect();
        native_->setGeometry(0, 0, r.Width(), r.Height());
        native_->show();
    }
    if (!visible_) {
        Hide();
    }
}

void NativeControl::SetVisible(bool visible) {
    visible_ = visible;
    visible ? Show() : Hide();
}

}  // namespace tw::ui
