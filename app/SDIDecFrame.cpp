#include "app/SDIDecFrame.h"

#include "mainwin/tw32Window.h"

namespace tw {

SDIDecFrame::SDIDecFrame(const std::string& title, ui::Window* client) : Frame(title) {
    SetClientWindow(client != nullptr ? client : new tw32Window(this));
}

}  // namespace tw
