// The first two draw passes done as one sweep down the composite: the
// changed rectangles composed, then the ground-level pictures drawn beneath
// both object layers, from the top down. At zoom 1 a picture's rows lie
// within its own rectangle, so the covering of pass 2 only takes back the
// picture's bytes where a layer pixel shows; drawing them beneath the layers
// in the first place gives the same pixels in one pass over each row.

#include "gfx/blit.h"
#include "state/game_state.h"
#include "view/world_view.h"

bool SPIEL_FELD::RestoreAndDrawGroundTopDown(const std::vector<DrawItem>& items,
                                             const PixelSurface* present_to) {
    GameImages& im = g_pGameState->images;
    if (zoom != 1) return false;
    const PixelSurface composite = im.composite_buffer.Surface();
    const LayerStack layers{im.background_layer.Surface(), im.object_layer_a.Surface(),
                            im.object_layer_b.Surface()};
    const int32_t width = composite.width;
    const int32_t height = composite.height;
    ground_sweep_.Clear();
    for (const DrawItem& item : items) {
        // A ground animation's cell goes into the background first: not swept.
        if (item.kind == 11 && AnimationSetOf(item) != nullptr) return false;
        const PixelRect rect{std::max(item.left, 0), std::max(item.top, 0),
                             std::min(item.right, width), std::min(item.bottom, height)};
        ground_sweep_.AddRestore(rect);
        if (item.kind >= 10 || item.has_sprite != 1 || item.on_top != 0) continue;
        // The covered rectangle must have been restored.
        const int32_t x0 = std::max(item.dest_x, 0);
        const int32_t y0 = std::max(item.dest_y, 0);
        const int32_t x1 = std::min(item.dest_x + item.width, width);
        const int32_t y1 = std::min(item.dest_y + item.height, height);
        if (x0 < x1 && y0 < y1 &&
            (x0 < rect.left || x1 > rect.right || y0 < rect.top || y1 > rect.bottom)) {
            return false;
        }
        const int32_t index = item.kind + item.group * 4;
        const RawImage& sheet =
            im.vehicle_sheets[index >= 0 && index < kVehicleSheetCount ? index : 0];
        const BlitRect r{item.dest_x, item.dest_y, item.src_x, item.src_y, item.width, item.height};
        if (!ground_sweep_.AddPicture(composite, sheet.Surface(), r)) return false;
    }
    return ground_sweep_.Draw(composite, layers, im.layer_revision, present_to);
}
