#include "platform/ui/Static.h"

#include <QLabel>

namespace tw::ui {

Static::Static(Window* parent, int id, int x, int y, int w, int h, const std::string& text,
               bool framed)
    : NativeControl(parent, id, x, y, w, h), label_(new QLabel) {
    Adopt(label_);
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (framed) {
        label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    SetText(text);
}

void Static::SetText(const std::string& text) {
    label_->setText(QString::fromStdString(text));
}

std::string Static::GetText() const {
    return label_->text().toStdString();
}

}  // namespace tw::ui
