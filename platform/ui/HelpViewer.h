#pragma once

#include <string>

namespace tw::ui {

// One window that shows a help page of HTML, with its links followed
// inside it. Closing it does not end the program.
class HelpViewer {
public:
    // Shows the file; false, leaving the viewer as it was, when it is not
    // a readable regular file.
    [[nodiscard]] static bool ShowFile(const std::string& path);
    // Shows a page given as HTML text.
    static void ShowPage(const std::string& title, const std::string& html);

    // What the viewer shows: the file's path (empty for a page given as
    // text) and the page as plain text.
    static std::string ShownPath();
    static std::string ShownText();
    static bool IsVisible();
    // Closes and destroys the viewer window.
    static void Close();
};

}  // namespace tw::ui
