#pragma once
// The city names files "Names1.txt" .. "Names5.txt": one file per names list
// of the new-game screen, 128 invented names each, one name per line ended by
// CR LF, in Windows-1252 (some lists use its accented letters). Every name is
// 1..19 bytes long and unique within its file.

#include <cstdint>
#include <string>
#include <vector>

#include "standin.h"

namespace standin {

constexpr int kCityNameLists = 5;
constexpr int kCityNamesPerList = 128;

// The names of list 1..5 in file order.
std::vector<std::string> MakeCityNames(int list);
// The bytes of the names file of list 1..5.
std::vector<uint8_t> MakeCityNamesFile(int list);
// Adds the five names files ("names1.txt" .. "names5.txt") to the recipes.
void AddCityNameFiles(std::vector<FileRecipe>& files);

}  // namespace standin
