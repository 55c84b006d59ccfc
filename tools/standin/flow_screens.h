#pragma once
// Pictures of the game-flow screens: the new-game set-up ("scr_0a.jgd"),
// the opponent selection with its portraits ("scr_45.jgd", "gegner.jgd"),
// the career ("scr_25.jgd"), the mission and scenario lists ("scr_29.jgd",
// "scr_30.jgd"), the briefing and assignment texts ("scr_31.jgd",
// "scr_26.jgd"), saving and loading ("scr_27.jgd", "scr_28.jgd"), the city
// growth ("scr_63.jgd"), each with its sheet "scb_N.jgd", and the 73
// tutorial pictures (src/screens/flow/flow_screen_layout.h, tutorial_pages.h).

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeSetupScreen();
Canvas MakeOpponentPortraits();
Canvas MakeTutorialPicture(int index);  // 0..72, at the size of its page entry

// Adds every picture to the data folder's file list.
void AddFlowScreenFiles(std::vector<FileRecipe>& files);

}  // namespace standin
