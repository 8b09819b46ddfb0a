#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tw::ui {

// One control of a dialog template, at a position in the dialog's client
// area, in pixels.
struct DialogItem {
    enum class Kind { Static, ListBox, Edit, Button, Gauge, ScrollBar, Frame, Line };

    Kind kind = Kind::Static;
    int id = -1;
    int x = 0, y = 0, w = 0, h = 0;
    std::string text;
    bool multiple = false;   // list box: several entries selectable at once
    bool sort = false;       // list box: entries kept in alphabetical order
    bool notify = false;     // list box: tells its parent of the user's choices
    bool hidden = false;     // created but not shown
    bool isDefault = false;  // button: pressed by the Enter key
    bool horizontal = true;  // scroll bar, gauge
    bool framed = false;     // static: drawn in a sunken frame
    int limit = 0;           // edit: most characters that can be typed, 0 no limit
};

// A dialog's layout as written in resources/dialogs/<id>.dlg: one statement
// per line, '#' starts a comment line.
//   caption "Text"            the title (may be left out)
//   font "Face" points        the font of every control
//   size w h                  the client area
//   kind id x y w h [flag ...] ["text"]
// kinds: static listbox edit button gauge scrollbar frame line; flags:
// multiple sort notify hidden default vertical framed limit=N.
struct DialogTemplate {
    std::string caption;
    std::string fontFace = "MS Sans Serif";
    int fontPoints = 8;
    int width = 200, height = 100;
    std::vector<DialogItem> items;

    // The template of a dialog resource; nullopt, with the reason in error,
    // when there is none or it does not read.
    static std::optional<DialogTemplate> Load(int resourceId, std::string* error = nullptr);
    static std::optional<DialogTemplate> Parse(const std::string& text,
                                               std::string* error = nullptr);
};

}  // namespace tw::ui
