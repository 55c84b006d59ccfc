#include "state/game_images.h"

namespace {

const RawImage& EmptyPicture() {
    static const RawImage empty;
    return empty;
}

}  // namespace

const RawImage& GameImages::BuildingPicture(int32_t type, int32_t colour) const {
    if (type < 0 || type >= kBuildingPictureCount) return EmptyPicture();
    if (type < kBuildingTypeCount && colour >= 0 && colour < kPlayerColourCount &&
        colour_pictures[type][colour].Loaded()) {
        return colour_pictures[type][colour];
    }
    return building_pictures[type];
}

void ReleaseGameImages(GameImages& images) {
    images.main_font.Free();
    images.small_font.Free();
    images.tile.Free();
    images.tree_image.Free();
    images.tile_sheet.Free();
    images.sign_sheet.Free();
    images.product_signs.Free();
    for (RawImage* r : {&images.terrain_mask, &images.street_tiles, &images.overview_sheet,
                        &images.slope_tiles, &images.bridge_tiles, &images.sf_sheet}) {
        r->Free();
    }
    for (RawImage& r : images.vehicle_sheets) r.Free();
    for (WinGBitmap& b : images.animation_sets) b.Free();
    for (RawImage& r : images.building_pictures) r.Free();
    for (auto& row : images.colour_pictures)
        for (RawImage& r : row) r.Free();
    for (WinGBitmap* b : {&images.background_layer, &images.object_layer_a, &images.object_layer_b,
                          &images.composite_buffer, &images.text_strip}) {
        b->Free();
    }
    images.palette_a = nullptr;
    images.palette_b = nullptr;
    images.palette_word = 1;
}

void RealizeWorldPalettes(GameImages& images, plat::DeviceContext* window_dc) {
    if (window_dc != nullptr && images.palette_a) {
        plat::SelectPalette(*window_dc, images.palette_a, false);
        plat::RealizePalette(*window_dc);
    }
    if (images.composite_buffer.dc && images.palette_b) {
        plat::SelectPalette(*images.composite_buffer.dc, images.palette_b, false);
        plat::RealizePalette(*images.composite_buffer.dc);
    }
}
