#pragma once

#include <string>

namespace tw::ui {

class Button;
class Edit;
class ListBox;
class ScrollBar;
class Window;

// A person's actions on the dialog controls, delivered as real mouse and
// key input through MouseInput and the toolkit, so the controls react and
// notify exactly as they do for the user. The top-level window is shown if
// needed.
class UserInput {
public:
    // Clicks the line (scrolled into view first): in a single-selection
    // list it becomes the selected line, in a multiple one it toggles.
    static void Click(ListBox& list, int index);
    static void DoubleClick(ListBox& list, int index);
    // Selects the field's whole text and types text over it, key by key.
    static void Type(Edit& edit, const std::string& text);
    static void Click(Button& button);

    enum class ScrollPart { LineUp, LineDown, PageUp, PageDown };
    // Clicks an arrow or the trough beside the thumb.
    static void Click(ScrollBar& bar, ScrollPart part);
    // Drags the thumb to where it shows position, and lets go.
    static void DragThumb(ScrollBar& bar, int position);

    // Presses the close box of w's top-level window.
    static void CloseBox(Window& w);
};

}  // namespace tw::ui
