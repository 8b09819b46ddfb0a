#include "mainwin/tw32Window.h"

#include "platform/ui/ModalRunner.h"
#include "song/Song.h"

namespace tw {

tw32Window::tw32Window(ui::Window* parent) : Window(parent, 0, 0, 0, 800, 557) {}

bool tw32Window::CanClose() {
    if (sd.changed == 0) {
        return true;
    }
    return ui::MessageBox(this, "Current song has changed.\n\nClose file anyway?", "Warning!",
                          ui::MbYesNo) == ui::IdYes;
}

void tw32Window::MyMessageBox(const std::string& text, const std::string& caption) {
    (void)ui::MessageBox(this, text, caption, ui::MbOk);
}

void tw32Window::SetSongStartUp() {
    Invalidate();
}

}  // namespace tw
