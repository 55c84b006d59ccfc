#pragma once
// The image holders of the game state. The image types belong to the
// graphics engine, which owns this block: it declares the holders it needs
// here and releases them in ReleaseGameImages (called by CGameState::Destroy).

#include <cstdint>

class WinGBitmap;
class RawImage;
class PaletteImage;
class BitmapFont;

struct GameImages {
    int32_t palette_word = 1;            // first palette word
    PaletteImage* main_font = nullptr;   // "font_1.jgd"
    RawImage* small_font = nullptr;      // "font_2.jgd"
    WinGBitmap* tile = nullptr;          // "tile.jgd", the 100 x 100 background tile
    PaletteImage* tile_sheet = nullptr;  // "tilesg.jgd" of the season folder
    PaletteImage* tree_image = nullptr;  // trees or stumps of the season folder
};

// Frees every holder of the block and leaves it empty.
void ReleaseGameImages(GameImages& images);
