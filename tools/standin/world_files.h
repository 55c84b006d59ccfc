#pragma once
// The lists of files each part of the generator contributes.

#include <functional>
#include <vector>

#include "canvas.h"
#include "standin.h"

namespace standin {

FileRecipe PictureRecipe(std::string path, std::function<Canvas()> make);

// logo0/logo1, the title screen and its button sheet.
void AddScreenFiles(std::vector<FileRecipe>& files);
// Every world picture set, per season, rotation and player colour.
void AddWorldFiles(std::vector<FileRecipe>& files);

}  // namespace standin
