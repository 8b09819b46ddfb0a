#include "controls/Pot2.h"

namespace tw {

Pot2::Pot2(ui::Window* parent, int id, int x, int y, int w, int h, int knobColour,
           int pointerColour, int index)
    : Pot(parent, id, x, y, w, h, knobColour, pointerColour, index, ui::Color(150, 150, 150),
          ui::Color::Black()) {}

}  // namespace tw
