#pragma once
// Pictures of the economy screens and of the popup list
// (src/screens/economy/economy_layout.h holds their places):
// - building purchase: "scr_gebk.jgd" 640 x 480, "scb_gebk.jgd" 216 x 97
//   (Buy at x 0, Cancel at x 108), "gks_N.jgd" 320 x 240 (the building with
//   its name);
// - store sales: "scr_50.jgd".."scr_55.jgd", sheets "scb_50".."scb_55"
//   396 x 97 (up and down 36 x 24 at x 0 and 36; OK, Cancel, Statistics
//   108 x 40 at 72, 180, 288);
// - production: "scr_7.jgd".."scr_12.jgd", sheets 288 x 97 (up, down, OK,
//   Cancel), "fps_9.jgd".."fps_44.jgd" 200 x 200 (the product, its name);
// - product help "scr_43.jgd" with "scb_43.jgd" 180 x 80 (previous, next,
//   OK); depot stock "scr_13.jgd" with "scb_13.jgd" 108 x 80 (OK);
// - the popup list's backgrounds "scp_1".."scp_3" 304 x 350 and the goods
//   pictures "ps.jgd" 2816 x 90 (goods g in the 64 x 90 cell at x 64 g: its
//   picture in the top 64 rows, its name below).
// Every sheet has its normal faces at y 0, the pressed ones at y 40 and the
// lists' selection bar in rows 80..96; every page prints its captions and
// shows its list areas.

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakePurchasePage();
Canvas MakePurchaseSheet();
Canvas MakeTypePicture(int picture);
Canvas MakeSalesPage(int store_type);
Canvas MakeSalesSheet();
Canvas MakeProductionPage(int factory_type);
Canvas MakeProductionSheet();
Canvas MakeProductPicture(int good);
Canvas MakeProductHelpPage();
Canvas MakeProductHelpSheet();
Canvas MakeDepotPage();
Canvas MakeDepotSheet();
Canvas MakePopupPicture(int picture);
Canvas MakeGoodsPictures();

// The name the pictures give goods index 0..43 ("" outside).
const char* GoodsPictureName(int good);

// Adds every picture above to the data folder's file list.
void AddEconomyScreenFiles(std::vector<FileRecipe>& files);

}  // namespace standin
