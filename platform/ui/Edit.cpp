#include "platform/ui/Edit.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace tw::ui {

namespace {
// The toolkit's own ceiling, which stands for "no limit".
constexpr int kNoLimit = 32767;
}  // namespace

Edit::Edit(Window* parent, int id, int x, int y, int w, int h, int limit)
    : NativeControl(parent, id, x, y, w, h), field_(new QLineEdit) {
    Adopt(field_);
    LimitText(limit);
}

void Edit::LimitText(int maxChars) {
    limit_ = maxChars > 0 ? maxChars : 0;
    field_->setMaxLength(limit_ > 0 ? limit_ : kNoLimit);
}

void Edit::SetText(const std::string& text) {
    const QSignalBlocker quiet(field_);
    field_->setText(QString::fromStdString(text));
}

std::string Edit::GetText() const {
    return field_->text().toStdString();
}

}  // namespace tw::ui
