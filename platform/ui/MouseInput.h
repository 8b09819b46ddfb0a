#pragma once

#include "platform/ui/Point.h"

namespace tw::ui {

class Window;

// Delivers mouse input as if the user did it: each event enters the toolkit
// at the top-level window, at the screen point under the given client point
// of w, and goes through the same hit testing and capture as a real one.
// Waiting messages (repaints above all) are handled first, as they would be
// between two actions of a person. The top-level window is shown if needed.
class MouseInput {
public:
    enum class Button { Left, Right };

    static void Press(Window& w, Point client, Button button = Button::Left);
    static void Release(Window& w, Point client, Button button = Button::Left);
    static void Move(Window& w, Point client);
    static void Click(Window& w, Point client, Button button = Button::Left);
    // Two left clicks in quick succession, which the toolkit takes as one
    // double click.
    static void DoubleClick(Window& w, Point client);
};

}  // namespace tw::ui
