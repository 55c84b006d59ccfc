#pragma once
// Pictures of the editor's new-world screen ("scr_neuw.jgd" with its sheet
// "scb_neuw.jgd") and of the editor-start screen ("scr_edst.jgd",
// "scb_edst.jgd"): 640 x 480 pictures with the options printed where the
// screens look for clicks (src/screens/world/world_screen_layout.h), and 232 x 80
// sheets with the marker and the two button faces.

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeNewWorldScreen();
Canvas MakeNewWorldSheet();
Canvas MakeEditorStartScreen();
Canvas MakeEditorStartSheet();

// Adds the four pictures to the data folder's file list.
void AddWorldScreenFiles(std::vector<FileRecipe>& files);

}  // namespace standin
