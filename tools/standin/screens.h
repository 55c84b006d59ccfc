#pragma once
// Full-screen pictures: the two logos, the title screen "scr_0.jgd" and its
// button sheet "scb_0.jgd" (ten 160 x 32 faces, the pressed face 32 below).

#include <string>

#include "canvas.h"

namespace standin {

Canvas MakeLogo(int index);  // 0: 350 x 141, 1: 320 x 98
Canvas MakeTitleScreen();    // 640 x 480
Canvas MakeTitleButtons();   // 1600 x 64

// The world-generation progress screen "scr_42.jgd" (320 x 200: caption
// area at (56, 52), bar at (52, 77) 200 x 17, lamps at (44, 111), (44, 135),
// (164, 111), (164, 135)) and its lamp sheet "scb_42.jgd" (lit lamp at x 0,
// unlit at x 16, 16 x 16 each).
Canvas MakeProgressScreen();
Canvas MakeProgressLamps();

// Label of the title button whose faces start at sheet column x (0..1440).
std::string TitleButtonLabel(int column);

// A 3-D button face with a centred label, normal or pressed.
void DrawButtonFace(Canvas& c, int x, int y, int w, int h, const std::string& label, bool pressed);

}  // namespace standin
