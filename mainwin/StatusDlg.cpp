#include "mainwin/StatusDlg.h"

#include <algorithm>

#include "platform/ui/Gauge.h"

namespace tw {

StatusDlg::StatusDlg(ui::Window* parent, int resourceId) : Dialog(parent, resourceId) {}

// The gauge covers the placeholder and one pixel more each way, so that
// its frame meets the placeholder's right and bottom edges.
void StatusDlg::SetupWindow() {
    if (const ui::Window* place = ChildWithId(kStatusPlaceholder); place != nullptr) {
        const ui::Rect r = place->GetClientRect();
        gauge = new ui::Gauge(this, kStatusGauge, place->Position().x, place->Position().y,
                              r.Width() + 1, r.Height() + 1);
        gauge->SetRange(0, 100);
        gauge->SetLabel("%d%%");
    }
    Dialog::SetupWindow();
}

void StatusDlg::UpdateGauge(int value) {
    if (gauge != nullptr) {
        gauge->SetValue(std::clamp(value, 0, 100));
    }
}

void StatusDlg::UpdateCaption(const std::string& text) {
    SetWindowText(text);
}

}  // namespace tw
