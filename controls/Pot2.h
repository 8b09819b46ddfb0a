#pragma once

#include "controls/Pot.h"

namespace tw {

// The toolbar's knob: a Pot with a grey face and black ticks.
class Pot2 : public Pot {
public:
    Pot2(ui::Window* parent, int id, int x, int y, int w, int h, int knobColour, int pointerColour,
         int index);
};

}  // namespace tw
