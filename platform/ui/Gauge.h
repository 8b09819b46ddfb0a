#pragma once

#include <string>

#include "platform/ui/NativeControl.h"

class QProgressBar;

namespace tw::ui {

// A bar that fills with a value in a range and shows it as a label, by
// default the share of the range in percent ("%d%%").
class Gauge : public NativeControl {
public:
    Gauge(Window* parent, int id, int x, int y, int w, int h, bool horizontal = true);

    // An empty range (max <= min) holds only min.
    void SetRange(int min, int max);
    // Values outside the range are taken as its nearer end.
    void SetValue(int value);
    int GetValue() const { return value_; }
    // A printf format with one %d, which receives the percentage.
    void SetLabel(const std::string& format);
    std::string GetLabel() const;

private:
    void Refresh();

    int min_ = 0, max_ = 100, value_ = 0;
    std::string format_ = "%d%%";
    QProgressBar* bar_;
};

}  // namespace tw::ui
