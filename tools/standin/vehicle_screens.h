#pragma once
// Pictures of the vehicle screens (src/screens/vehicles/vehicle_layout.h
// holds their places):
// - schedule: "scr_19.jgd" (trucks) and "scr_20.jgd" (trains) 640 x 480 with
//   the map frame at (20, 86) and the panel of six stop rows at (336, 7);
//   sheets "scb_19.jgd", "scb_20.jgd" 736 x 97: arrows 24 x 24 at x 0, 24,
//   48, 72; the wait box 16 x 16 at (96, 0) off and (96, 40) on; "Scrap",
//   "New vehicle", "Cancel", "OK" 104 x 29 at 112, 220, 328, 436; "Delete
//   stop" 160 x 20 at 544; the selection frame 32 x 32 at (704, 0) on colour
//   0; the selection bar 248 x 17 at (0, 80);
// - "uefs0.jgd".."uefs3.jgd" 832 x 48: 13 cells 64 x 48 (truck types 0..3,
//   rail models 10..18) in the player colour;
// - purchase: "scr_lkwk.jgd", "scr_lokk.jgd" 640 x 480, sheets
//   "scb_lkwk.jgd", "scb_lokk.jgd" 216 x 97 (OK and Cancel 108 x 40 at 0 and
//   108); "fks_<model><colour>.jgd" 320 x 240 for models 0..18 and colours
//   0..3: the vehicle with its model number;
// - overview: "scr_uefz.jgd" 640 x 480, "scb_uefz.jgd" 308 x 97 (back and
//   forward 40 x 37 at 0 and 40, OK 92 x 37 at 80, "Schedule" and "Go to"
//   68 x 20 at 172 and 240; pressed faces 37 below).

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeSchedulePage(int kind);
Canvas MakeScheduleSheet();
Canvas MakeVehicleCells(int colour);
Canvas MakeVehiclePurchasePage(bool rail);
Canvas MakeVehiclePurchaseSheet();
Canvas MakeModelPicture(int model, int colour);
Canvas MakeVehicleOverviewPage();
Canvas MakeVehicleOverviewSheet();

// Adds every picture above to the data folder's file list.
void AddVehicleScreenFiles(std::vector<FileRecipe>& files);

}  // namespace standin
