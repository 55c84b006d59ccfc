#pragma once
// Loading the pictures the game state holds (state/game_images.h): the three
// start-up pictures and the world image sets, chosen by the data paths, the
// season, the map rotation, the player colours and the animation option of
// g_pGameState. Every file goes through the picture loaders, so a missing
// one raises the retry/cancel box; only the pictures not every data folder
// carries (city cars, some factories, stores and colours, one animation
// sheet) are skipped when missing and left empty, which no drawer draws.

#include <cstdint>
#include <string>

// "font_1.jgd", "tile.jgd" and "font_2.jgd" from the base data folder; the
// world palettes take the main font's colours until a world is loaded.
void LoadStartupImages();

// The season's ground tiles, with the grid ("tilesg.jgd") or without
// ("tiles.jgd") as `show_grid` says; their colours become the world palette.
void LoadTileSheet();
// Fills every world set for the current game state and sets the view's
// drawing-area size from the screen height. Called when a game or level
// starts.
void LoadWorldImages();
// Reloads the rotation-, season- and colour-dependent sets (vehicle sheets,
// building pictures, product signs, missing animation sheets). Called after a
// rotation, after a saved game or level is read and after the company name
// entry. Hands the CD music back at its end.
void LoadObjectImages();
// Frees every loaded member of the world sets.
void FreeWorldImages();
// FreeWorldImages, then clears the season-folder strings (at shutdown).
void FreeWorldGraphics();

// What the loaders call of other subsystems; null hooks do nothing.
struct WorldImageHooks {
    // The sound manager's resume of the CD music, for the hand-back at the
    // end of LoadObjectImages.
    void (*resume_music)() = nullptr;
    // The game state's reload of the season's tree picture, run by
    // LoadWorldImages between the overview sheet and the slope tiles.
    void (*load_tree_images)() = nullptr;
};
WorldImageHooks& GetWorldImageHooks();

// File names as the loaders build them (Windows paths), for tools and tests.
std::string BuildingPicturePath(int32_t type, int32_t rotation, int32_t colour, bool animated);
std::string CityBuildingPicturePath(int32_t number, int32_t rotation);
