#include "platform/ui/Button.h"

#include <QPushButton>

namespace tw::ui {

Button::Button(Window* parent, int id, int x, int y, int w, int h, const std::string& text,
               bool isDefault)
    : NativeControl(parent, id, x, y, w, h), button_(new QPushButton) {
    Adopt(button_);
    button_->setText(QString::fromStdString(text));
    button_->setDefault(isDefault);
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_,
                     [this] { NotifyParent(msg::Command, static_cast<WParam>(Id()), 0); });
}

std::string Button::GetText() const {
    return button_->text().toStdString();
}

}  // namespace tw::ui
