#pragma once
// Pictures of the control panel's dialog screens (src/screens/panel/
// dialog_layout.h holds their positions):
// - the structure information windows "scr_1".."scr_6" (420 x 151, the
//   steel mill's 420 x 356) with a label left of each figure, and their
//   close-button sheets "scb_1".."scb_6" (108 x 80);
// - the yes/no questions "scr_14", "_18", "_21", "_22", "_32", "_48"
//   (272 x 200, the question in x 0..140) with sheets of 216 x 80 (No at
//   x 0, Yes at x 108);
// - the name, find, city-growth and options screens "scr_39", "_40", "_41",
//   "_44", "_62", "_64" with one sheet layout (320 x 97): the chosen and the
//   other mark, OK, Cancel, page up and down, and the list's selection bar.

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeStructureInfoPicture(int picture);  // 1..6
Canvas MakeStructureInfoSheet();
Canvas MakeConfirmPicture(int picture);  // 14, 18, 21, 22, 32, 48
Canvas MakeConfirmSheet();
Canvas MakeDialogPicture(int picture);  // 39, 40, 41, 44, 62, 64
Canvas MakeDialogSheet();

// Adds all of them to the data folder's file list.
void AddPanelDialogFiles(std::vector<FileRecipe>& files);

}  // namespace standin
