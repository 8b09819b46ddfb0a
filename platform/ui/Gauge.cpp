#include "platform/ui/Gauge.h"

#include <QProgressBar>
#include <algorithm>
#include <cstdio>

namespace tw::ui {

Gauge::Gauge(Window* parent, int id, int x, int y, int w, int h, bool horizontal)
    : NativeControl(parent, id, x, y, w, h), bar_(new QProgressBar) {
    Adopt(bar_);
    bar_->setOrientation(horizontal ? Qt::Horizontal : Qt::Vertical);
    bar_->setAlignment(Qt::AlignCenter);
    bar_->setTextVisible(true);
    Refresh();
}

void Gauge::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    value_ = std::clamp(value_, min_, max_);
    Refresh();
}

void Gauge::SetValue(int value) {
    value_ = std::clamp(value, min_, max_);
    Refresh();
}

void Gauge::SetLabel(const std::string& format) {
    format_ = format;
    Refresh();
}

std::string Gauge::GetLabel() const {
    const long long span = static_cast<long long>(max_) - min_;
    const int percent = span > 0 ? static_cast<int>((value_ - min_) * 100LL / span) : 0;
    // Only the one %d of the format is filled; any other conversion would
    // read an argument that is not there.
    std::string label;
    for (size_t i = 0; i < format_.size(); ++i) {
        if (format_[i] == '%' && i + 1 < format_.size()) {
            const char c = format_[++i];
            label += c == 'd' ? std::to_string(percent) : std::string(1, c);
        } else {
            label += format_[i];
        }
    }
    return label;
}

void Gauge::Refresh() {
    bar_->setRange(min_, max_ > min_ ? max_ : min_ + 1);
    bar_->setValue(value_);
    bar_->setFormat(QString::fromStdString(GetLabel()));
}

}  // namespace tw::ui
