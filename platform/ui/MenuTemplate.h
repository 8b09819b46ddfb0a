#pragma once

#include <string>
#include <vector>

namespace tw::ui {

// A menu bar as its template in resources/menus/ describes it. The template
// is text, one entry a line ('#' starts a comment):
//   key "Space" 24360
//   popup "&File"
//   item "&Save" 24333 grayed key "Ctrl+S"
//   separator
// An item's id is the command it sends; "grayed" and "checked" give its
// state before its enabler first runs; each "key" is a shortcut that sends
// the command as the item does, the first one shown beside the item. A key
// line outside the popups is a shortcut with no menu item. '&' marks the
// letter that opens a popup or chooses an item with the keyboard.
struct MenuItem {
    std::string text;
    unsigned id = 0;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    std::vector<std::string> keys;
};

struct MenuKey {
    std::string key;
    unsigned id = 0;
};

struct MenuPopup {
    std::string text;
    std::vector<MenuItem> items;
};

struct MenuTemplate {
    std::vector<MenuPopup> popups;
    std::vector<MenuKey> keys;

    // Reads a template's text; false, with a line number and reason in
    // error, on anything it does not understand.
    [[nodiscard]] static bool Parse(const std::string& text, MenuTemplate& out, std::string& error);
    // The template of menu resource id, compiled into the program.
    [[nodiscard]] static bool Load(int id, MenuTemplate& out, std::string& error);
};

// A menu text as it reads: without its '&' marks ("&&" is a plain '&').
std::string PlainMenuText(const std::string& text);

// The menu and icon resources are compiled into the framework's static
// library; this registers them before the first look-up.
void RegisterShellResources();

}  // namespace tw::ui
