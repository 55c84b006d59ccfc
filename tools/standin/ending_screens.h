#pragma once
// Pictures of the board vote ("scr_24.jgd", 300 x 351, the bars' axis at
// y 270) and of the end-of-game screens: the score sheet when the goal was
// reached ("scr_37.jgd") and when the game is over without it
// ("scr_38.jgd"), the high-score list ("scr_49.jgd"), each with its OK
// sheet "scb_N.jgd" (src/screens/flow/game_end_layout.h).

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeScoreSheet(bool goal_reached);
Canvas MakeHighScoreList();
Canvas MakeBoardVote();

// Adds every picture to the data folder's file list.
void AddEndingScreenFiles(std::vector<FileRecipe>& files);

}  // namespace standin
