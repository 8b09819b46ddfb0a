#include "platform/ui/Edit.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QValidator>

namespace tw::ui {

namespace {

// The toolkit's own ceiling, which stands for "no limit".
constexpr int kNoLimit = 32767;

// The program keeps text in fixed byte buffers: a limit counts the bytes of
// the text (UTF-8), so a character beyond plain ASCII takes more than one.
class ByteLimit : public QValidator {
public:
    ByteLimit(QObject* parent, const int& limit) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int&) const override {
        return limit_ == 0 || input.toUtf8().size() <= limit_ ? Acceptable : Invalid;
    }

private:
    const int& limit_;
};

QString CutToBytes(QString text, int limit) {
    while (limit > 0 && text.toUtf8().size() > limit) {
        text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
    }
    return text;
}

}  // namespace

Edit::Edit(Window* parent, int id, int x, int y, int w, int h, int limit)
    : NativeControl(parent, id, x, y, w, h), field_(new QLineEdit) {
    Adopt(field_);
    field_->setValidator(new ByteLimit(field_, limit_));
    LimitText(limit);
}

void Edit::LimitText(int maxChars) {
    limit_ = maxChars > 0 ? maxChars : 0;
    field_->setMaxLength(limit_ > 0 ? limit_ : kNoLimit);
    SetText(GetText());
}

void Edit::SetText(const std::string& text) {
    const QSignalBlocker quiet(field_);
    field_->setText(CutToBytes(QString::fromStdString(text), limit_));
}

std::string Edit::GetText() const {
    return field_->text().toStdString();
}

}  // namespace tw::ui
