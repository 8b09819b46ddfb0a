#pragma once

#include <string>

#include "platform/ui/Window.h"

namespace tw {

// The client window of the main frame: the fixed 800-pixel front panel that
// owns every control on it and receives their notifications.
class tw32Window : public ui::Window {
public:
    explicit tw32Window(ui::Window* parent);

    // Whether the current song may be dropped; asks the user when it has
    // unsaved changes.
    bool CanClose() override;
    // A message box owned by the main window, with an OK button.
    void MyMessageBox(const std::string& text, const std::string& caption);
    // Brings the panel's views to the start of the song in sd.
    void SetSongStartUp();
};

}  // namespace tw
