#include <filesystem>
#include <fstream>

#include "city_names.h"
#include "dib_writer.h"
#include "economy_screens.h"
#include "ending_screens.h"
#include "flow_screens.h"
#include "fonts.h"
#include "news_pictures.h"
#include "opponent_pictures.h"
#include "panel_dialogs.h"
#include "sound_effects.h"
#include "standin.h"
#include "statistics_screens.h"
#include "terrain_tiles.h"
#include "vehicle_screens.h"
#include "world_files.h"
#include "world_screens.h"

namespace standin {
const char* SeasonFolder(int season) {
    switch (season) {
        case 1:
            return "spring";
        case 2:
            return "summer";
        default:
            return "autumn";
    }
}

std::vector<FileRecipe> DataFileRecipes() {
    std::vector<FileRecipe> files;
    files.push_back(PictureRecipe("font_1.jgd", MakeFont1));
    files.push_back(PictureRecipe("font_2.jgd", MakeFont2));
    files.push_back(PictureRecipe("tile.jgd", MakeBackgroundTile));
    AddScreenFiles(files);
    AddWorldFiles(files);
    AddCityNameFiles(files);
    AddWorldScreenFiles(files);
    AddEconomyScreenFiles(files);
    AddPanelDialogFiles(files);
    AddFlowScreenFiles(files);
    AddEndingScreenFiles(files);
    AddNewsPictureFiles(files);
    AddOpponentPictureFiles(files);
    AddStatisticsScreenFiles(files);
    AddVehicleScreenFiles(files);
    AddSoundEffectFiles(files);
    return files;
}

bool WriteDataFolder(const std::string& folder, std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        if (error) *error = "cannot create folder " + folder + ": " + ec.message();
        return false;
    }
    for (const FileRecipe& recipe : DataFileRecipes()) {
        const fs::path path = fs::path(folder) / recipe.path;
        fs::create_directories(path.parent_path(), ec);
        if (ec) {
            if (error) *error = "cannot create folder " + path.parent_path().string();
            return false;
        }
        const std::vector<uint8_t> bytes = recipe.make();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            if (error) *error = "cannot write " + path.string();
            return false;
        }
    }
    std::ofstream done(fs::path(folder) / ".complete", std::ios::trunc);
    done.close();
    if (!done) {
        if (error) *error = "cannot write the completion marker in " + folder;
        return false;
    }
    return true;
}

}  // namespace standin
