#pragma once
// The image holders of the game state. The image types belong to the
// graphics engine, which owns this block: the start-up pictures, the world
// palettes, the world image sets (filled by LoadWorldImages and
// LoadObjectImages, gfx/world_images.h) and the world view's drawing buffers.
// Every holder starts empty; ReleaseGameImages (called by
// CGameState::Destroy) empties them all.

#include <cstdint>

#include "gfx/palette_image.h"
#include "gfx/raw_image.h"
#include "gfx/wing_bitmap.h"
#include "platform/palette.h"
#include "state/game_records.h"

constexpr int32_t kVehicleSheetCount = 21;     // kind + frame group * 4; city cars 20
constexpr int32_t kTruckSheet = 0;             // "lk%d.jgd"
constexpr int32_t kTrainSheet = 4;             // "lo%d.jgd" (sheets 5..7 stay empty)
constexpr int32_t kWagonSheet = 16;            // "wa%d.jgd" (sheets 17..19 stay empty)
constexpr int32_t kCityCarSheet = 20;          // "ck.jgd"
constexpr int32_t kAnimationSetCount = 12;     // animation type t is "ani_<t+1>.jgd"
constexpr int32_t kBuildingPictureCount = 87;  // types 0..31, city buildings 34..86
constexpr int32_t kPlayerColourCount = 4;

struct GameImages {
    int32_t palette_word = 1;  // first palette word

    // Start-up pictures (LoadStartupImages).
    PaletteImage main_font;  // "font_1.jgd": 16 x 16 glyphs 26..122, then the icons
    RawImage small_font;     // "font_2.jgd": 8 x 8 glyphs 26..95
    WinGBitmap tile;         // "tile.jgd", the 100 x 100 background tile

    // The tree picture of the season folder (LoadTreeImages).
    PaletteImage tree_image;

    // The world palettes: A is selected into windows, B into the contexts
    // of the world view's buffers. Both carry the tile sheet's colours once
    // a world is loaded (the main font's before).
    plat::PaletteHandle palette_a;
    plat::PaletteHandle palette_b;

    // World image sets.
    PaletteImage tile_sheet;   // "tilesg.jgd" / "tiles.jgd" of the season folder
    WinGBitmap sign_sheet;     // "signs.jgd"
    WinGBitmap product_signs;  // "prosgn_<colour>.jgd"
    RawImage terrain_mask;     // "t_mask.jgd", the picking mask
    RawImage street_tiles;     // "streets.jgd"
    RawImage overview_sheet;   // "ueber.jgd"
    RawImage slope_tiles;      // "hang.jgd"
    RawImage bridge_tiles;     // "bridge.jgd"
    RawImage sf_sheet;         // "sf.jgd"
    // 1 when the tile sheet was read with the grid lines ("tilesg.jgd").
    int32_t tile_sheet_grid = 0;
    RawImage vehicle_sheets[kVehicleSheetCount];
    WinGBitmap animation_sets[kAnimationSetCount];
    // Index = building type 0..31 or city-building picture 34..86. A
    // player-coloured type holds the human player's colour here.
    RawImage building_pictures[kBuildingPictureCount];
    // Player-coloured types (depots 0..3, stations 6..9, stores 21..26) by
    // colour number 0..3.
    RawImage colour_pictures[kBuildingTypeCount][kPlayerColourCount];

    // The world view's drawing buffers (created by the view).
    WinGBitmap background_layer;
    WinGBitmap object_layer_a;
    WinGBitmap object_layer_b;
    // Changed by every writer of the three layers above: the view keeps
    // their composition from one frame to the next while it stays the same.
    uint64_t layer_revision = 0;
    WinGBitmap composite_buffer;
    WinGBitmap text_strip;  // scratch strip for one line of figures

    // The picture of a building type for an owner's colour number (0..3):
    // the colour's own picture for player-coloured types, else the type's.
    const RawImage& BuildingPicture(int32_t type, int32_t colour) const;
};

// The world's colours: selects palette A into the window's device context
// (when given) and palette B into the composite buffer's, and realizes both.
void RealizeWorldPalettes(GameImages& images, plat::DeviceContext* window_dc);

// Frees every holder of the block and leaves it empty.
void ReleaseGameImages(GameImages& images);
