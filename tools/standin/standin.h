#pragma once
// The stand-in data generator: writes a complete data folder for the game —
// fonts, screens, every world picture for each season, rotation and player
// colour — made by our own code, so the game runs and can be tested without
// any original data. The output is the same, byte for byte, on every run.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace standin {

// One file of the data folder: its path relative to the folder (forward
// slashes, lower case) and how to make its bytes.
struct FileRecipe {
    std::string path;
    std::function<std::vector<uint8_t>()> make;
};

// Every file of the data folder, in writing order (without ".complete").
std::vector<FileRecipe> DataFileRecipes();

// Writes every file below `folder` (created when missing) and finally the
// empty marker file ".complete". False with a message in *error on failure.
bool WriteDataFolder(const std::string& folder, std::string* error);

// Season folder names of season 1..3: "spring", "summer", "autumn".
const char* SeasonFolder(int season);

}  // namespace standin
