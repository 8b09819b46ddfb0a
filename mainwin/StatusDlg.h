#pragma once

#include <string>

#include "platform/ui/Dialog.h"

namespace tw {

namespace ui {
class Gauge;
}

inline constexpr int kStatusDialog = 10;
inline constexpr int kStatusPlaceholder = 801;
inline constexpr int kStatusGauge = 802;

// The progress dialog shown while a song file is read or written: a gauge
// in percent where the template's hidden placeholder stands. Modeless.
class StatusDlg : public ui::Dialog {
public:
    explicit StatusDlg(ui::Window* parent, int resourceId = kStatusDialog);

    // Clamped to 0..100.
    void UpdateGauge(int value);
    void UpdateCaption(const std::string& text);
    ui::Gauge* GetGauge() const { return gauge; }

protected:
    void SetupWindow() override;

private:
    ui::Gauge* gauge = nullptr;
};

}  // namespace tw
