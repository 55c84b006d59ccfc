#pragma once
// Pictures of the statistics screen and the annual accounts window
// (src/screens/economy/statistics_layout.h holds their places):
// - statistics: "scr_stat.jgd" 640 x 480 with the two list areas and the
//   chart frame (its axes through (123, 10)-(343, 210) of the chart), and
//   "scb_stat.jgd" 216 x 97 (OK at x 0);
// - annual accounts: "jahr.jgd" 360 x 316 with the row captions left of
//   x 124, the column bands and the credit band, and "scb_jahr.jgd" 300 x 80
//   (OK 108 x 40 at (0, 0) / (0, 40), "Take up credit" 192 x 20 at (108, 0) /
//   (108, 20), "Pay back credit" at (108, 40) / (108, 60)).
// - sales statistics: "scr_56".."scr_61" 640 x 480 by store type 21..26
//   (the chart frame at (176, 44) 280 x 240) with "scb_56".."scb_61" 324 x 97
//   (OK, Close, Back 108 x 40 at x 0, 108, 216).
// - overviews: "scr_uefa.jgd" / "scr_uevk.jgd" 640 x 480; "scb_uefa.jgd"
//   316 x 97 (up, down 36 x 24 at x 0, 36; OK at 72; "Production",
//   "Location" 68 x 20 at 180, 248) and "scb_uevk.jgd" 460 x 97 (OK, back,
//   on at 0, 108, 216; "Sales", "Go to" 68 x 20 at 324, 392).
// Sheets with lists carry the selection bar in rows 80..96.

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeStatisticsPage();
Canvas MakeStatisticsSheet();
Canvas MakeAccountsPicture();
Canvas MakeAccountsSheet();
Canvas MakeSalesStatisticsPage(int store_type);
Canvas MakeSalesStatisticsSheet();
Canvas MakeFactoryOverviewPage();
Canvas MakeFactoryOverviewSheet();
Canvas MakeStoreOverviewPage();
Canvas MakeStoreOverviewSheet();

// Adds every picture above to the data folder's file list.
void AddStatisticsScreenFiles(std::vector<FileRecipe>& files);

}  // namespace standin
