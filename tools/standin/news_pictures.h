#pragma once
// Pictures of the news popups (src/screens/flow/news_layout.h): products
// "newp_9.jgd" .. "newp_44.jgd" (goods 8..43, each naming its product),
// buildings "newg_9.jgd" and "newg_11.jgd", vehicle models "newf_<model>.jgd"
// (a sketch of the model above a plain area the popup writes into), the 40
// business reports "wisz_0.jgd" .. "wisz_39.jgd", and the four close-button
// sheets "scb_newp.jgd", "scb_newg.jgd", "scb_newf.jgd", "scb_wisz.jgd".

#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

Canvas MakeProductNews(int good);
Canvas MakeVehicleNews(int model);

// Adds every picture to the data folder's file list.
void AddNewsPictureFiles(std::vector<FileRecipe>& files);

}  // namespace standin
