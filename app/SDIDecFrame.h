#pragma once

#include <string>

#include "platform/ui/Frame.h"

namespace tw {

// The main frame. Without a client of its own it makes the main window,
// tw32Window, its client.
class SDIDecFrame : public ui::Frame {
public:
    SDIDecFrame(const std::string& title, ui::Window* client);
};

}  // namespace tw
