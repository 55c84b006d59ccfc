#pragma once
// Pictures of the two opponent screens (src/screens/flow/opponent_layout.h):
// the news of an opponent's new production "scr_46.jgd" (316 x 260, the
// portrait's recess and a plain text column) with its sheet "scb_46.jgd"
// (Show, OK), and the opponents' overview "scr_47.jgd" (360 x 320, three
// portrait places and the labelled figure lines) with "scb_47.jgd" (Take
// over, OK). The portraits themselves are the selection's "gegner.jgd".

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeOpponentNews();
Canvas MakeOpponentOverview();

// Adds the four pictures to the data folder's file list.
void AddOpponentPictureFiles(std::vector<FileRecipe>& files);

}  // namespace standin
