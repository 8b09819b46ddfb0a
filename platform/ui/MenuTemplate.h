#pragma once

#include <string>
#include <vector>

namespace tw::ui {

// A menu bar as its template in resources/menus/ describes it. The template
// is text, one entry a line ('#' starts a comment):
//   popup "File"
//   item "Save" 24333 grayed
//   separator
// An item's id is the command it sends; "grayed" and "checked" give its
// state before its enabler first runs.
struct MenuItem {
    std::string text;
    unsigned id = 0;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
};

struct MenuPopup {
    std::string text;
    std::vector<MenuItem> items;
};

struct MenuTemplate {
    std::vector<MenuPopup> popups;

    // Reads a template's text; false, with a line number and reason in
    // error, on anything it does not understand.
    [[nodiscard]] static bool Parse(const std::string& text, MenuTemplate& out, std::string& error);
    // The template of menu resource id, compiled into the program.
    [[nodiscard]] static bool Load(int id, MenuTemplate& out, std::string& error);
};

// The menu and icon resources are compiled into the framework's static
// library; this registers them before the first look-up.
void RegisterShellResources();

}  // namespace tw::ui
