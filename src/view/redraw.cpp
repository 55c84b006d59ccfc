// The redraw cycle of the world view: rebuild the dirty layers, compose,
// present; the forced full rebuild; presenting a rectangle; and the draw
// list's repair passes for moving pictures.

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "gfx/blit.h"
#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/world_view.h"
#include "world/tile_marker.h"

namespace {

GameImages& Images() {
    return g_pGameState->images;
}

// The palette bracket: palette A in the window, B in the composite; the
// default palette goes back at the end.
class PaletteBracket {
  public:
    explicit PaletteBracket(plat::Window& window) : dc_(plat::GetWindowDC(window)) {
        RealizeWorldPalettes(Images(), dc_.get());
    }
    ~PaletteBracket() {
        if (dc_) RestoreDefaultPalette(*dc_);
    }
    PaletteBracket(const PaletteBracket&) = delete;
    PaletteBracket& operator=(const PaletteBracket&) = delete;

    // Copies a block of the composite to the same place in the window.
    void Present(int32_t x, int32_t y, int32_t w, int32_t h) {
        WinGBitmap& composite = Images().composite_buffer;
        if (dc_ && composite.dc) BlitDC(*dc_, x, y, w, h, *composite.dc, x, y);
    }
    // Present for each block in order.
    void PresentEach(const std::vector<SamePlaceBlock>& blocks) {
        WinGBitmap& composite = Images().composite_buffer;
        if (dc_ && composite.dc) {
            BlitDCSamePlaces(*dc_, *composite.dc, blocks.data(), blocks.size());
        }
    }
    // The window's pixels a present writes, for copying blocks there
    // directly; empty where that cannot be done.
    PixelSurface Target() {
        WinGBitmap& composite = Images().composite_buffer;
        return dc_ && composite.dc ? SamePlaceTarget(*dc_, *composite.dc) : PixelSurface{};
    }
    // After the blocks were copied to Target() directly.
    void Presented(const std::vector<SamePlaceBlock>& blocks) {
        if (dc_) NoteSamePlaceCopies(*dc_, blocks.data(), blocks.size());
    }

  private:
    plat::DcHandle dc_;
};

// One pass over the fields at the end of a redraw: every change mark goes,
// and after an object pass the height tool's marks as well.
void ClearFieldMarks(bool height_marks) {
    for (MapField& f : g_pGameState->fields) {
        f.set_feldchange(false);
        if (height_marks) f.set_heben_senken(false);
    }
}

// A layer of the view's size keyed over the composite at the same place
// (colour 0 transparent), cut to both: the copy every draw pass makes many
// times a frame.
void LayerOver(const PixelSurface& dst, const ConstPixelSurface& layer, int32_t x, int32_t y,
               int32_t w, int32_t h) {
    if (dst.Empty() || layer.Empty()) return;
    const int32_t x0 = std::max(x, 0);
    const int32_t y0 = std::max(y, 0);
    const int32_t x1 = std::min({x + w, dst.width, layer.width});
    const int32_t y1 = std::min({y + h, dst.height, layer.height});
    for (int32_t row = y0; row < y1; ++row) {
        uint8_t* out = dst.pixels + static_cast<ptrdiff_t>(row) * dst.stride;
        const uint8_t* in = layer.pixels + static_cast<ptrdiff_t>(row) * layer.stride;
        int32_t i = x0;
        // The object layers are mostly transparent: eight clear pixels at a
        // time are passed over.
        for (; i + 8 <= x1; i += 8) {
            uint64_t block = 0;
            std::memcpy(&block, in + i, sizeof block);
            if (block == 0) continue;
            for (int32_t k = i; k < i + 8; ++k) out[k] = in[k] != 0 ? in[k] : out[k];
        }
        for (; i < x1; ++i) out[i] = in[i] != 0 ? in[i] : out[i];
    }
}

}  // namespace

void SPIEL_FELD::LayersChanged() {
    ++Images().layer_revision;
}

void SPIEL_FELD::BlackenBackBuffers() {
    LayersChanged();
    const CGameState& gs = *g_pGameState;
    for (WinGBitmap* b :
         {&Images().background_layer, &Images().object_layer_a, &Images().object_layer_b}) {
        b->FillRect(0, 0, gs.view_width, gs.view_height, 0);
    }
}

void SPIEL_FELD::ComposeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    GameImages& im = Images();
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    if (w <= 0 || h <= 0) return;
    const LayerStack layers{im.background_layer.Surface(), im.object_layer_a.Surface(),
                            im.object_layer_b.Surface()};
    if (ComposeLayers(im.composite_buffer.Surface(), layers, left, top, w, h)) return;
    CopyPixels(im.composite_buffer.Surface(), left, top, layers.base, left, top, w, h);
    const BlitRect rect{left, top, left, top, w, h};
    BlitKeyed(im.composite_buffer.Surface(), layers.middle, rect, 0, 1);
    BlitKeyed(im.composite_buffer.Surface(), layers.front, rect, 0, 1);
}

void SPIEL_FELD::RedrawView() {
    CGameState& gs = *g_pGameState;
    PaletteBracket bracket(*this);
    if (full_redraw == 1) {
        ClearAllFieldsChanged();
        DrawVehicles(0);
        bracket.Present(0, 0, gs.view_width, gs.view_height);
        full_redraw = 0;
        if (g_pTileMarker != nullptr && g_pTileMarker->marks_changed == 1) DrawMarkOverlay();
        return;
    }
    const bool objects = zoom != kOverviewZoomLevel && gs.redraw_objects == 1;
    if (zoom != kOverviewZoomLevel) {
        if (gs.redraw_terrain == 1) DrawBackgroundLayer();
        if (objects) DrawObjectLayer();
        if (gs.redraw_objects == 1 || gs.redraw_terrain == 1) {
            ComposeRect(0, 0, gs.view_width, gs.view_height);
            DrawVehicles(0);
        }
    }
    bracket.Present(0, 0, gs.view_width, gs.view_height);
    ClearFieldMarks(objects);
    gs.redraw_terrain = 0;
    gs.redraw_objects = 0;
    if (g_pTileMarker != nullptr && g_pTileMarker->marks_changed == 1) DrawMarkOverlay();
}

void SPIEL_FELD::ForceFullRedraw() {
    CGameState& gs = *g_pGameState;
    ClearTransientFieldBits();
    LayersChanged();
    {
        PaletteBracket bracket(*this);
        Images().background_layer.FillRect(0, 0, gs.view_width, gs.view_height, 0);
        Images().object_layer_b.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    }
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    MarkAllFieldsChanged();
    RedrawView();
    PaletteBracket bracket(*this);
    bracket.Present(0, 0, gs.view_width, gs.view_height);
}

void SPIEL_FELD::FlushPendingRedraw() {
    if (redraw_pending != 1) return;
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
    ClearOverlay();
    g_pGameState->redraw_terrain = 0;
    g_pGameState->redraw_objects = 0;
    RedrawView();
    redraw_pending = 0;
}

void SPIEL_FELD::PresentRect(plat::Rect& rect) {
    const CGameState& gs = *g_pGameState;
    PaletteBracket bracket(*this);
    if (rect.left < 1) rect.left = 1;
    if (rect.top < 1) rect.top = 1;
    if (rect.right - rect.left + 2 > gs.view_width) rect.right = gs.view_width - 2;
    if (rect.bottom - rect.top + 2 > gs.view_height) rect.bottom = gs.view_height - 2;
    bracket.Present(rect.left - 1, rect.top - 1, rect.right - rect.left + 3,
                    rect.bottom - rect.top + 3);
}

void SPIEL_FELD::OnPaletteChanged(const plat::Window* window) {
    // Another window changed the system palette: the view's palettes are
    // realized again, so that its next present shows its own colours.
    // Nothing is redrawn.
    if (window == this) return;
    PaletteBracket bracket(*this);
}

void SPIEL_FELD::AddDrawItem(const DrawItem& item) {
    draw_list.Add(item, g_pGameState->view_width, g_pGameState->view_height);
}

const WinGBitmap* SPIEL_FELD::AnimationSetOf(const DrawItem& item) const {
    const GameImages& im = g_pGameState->images;
    const bool known = item.group >= 0 && item.group < kAnimationSetCount;
    return known && im.animation_sets[item.group].Loaded() ? &im.animation_sets[item.group]
                                                           : nullptr;
}

const std::vector<SamePlaceBlock>& SPIEL_FELD::ItemBlocks(const std::vector<DrawItem>& items) {
    present_blocks_.clear();
    for (const DrawItem& item : items) {
        present_blocks_.push_back(
            {item.left, item.top, item.right - item.left, item.bottom - item.top});
    }
    return present_blocks_;
}

void SPIEL_FELD::RunDrawPasses(int32_t present) {
    GameImages& im = Images();
    const PixelSurface composite = im.composite_buffer.Surface();
    const int32_t z = zoom;
    auto layer_over = [&](const WinGBitmap& layer, int32_t x, int32_t y, int32_t w, int32_t h) {
        LayerOver(composite, layer.Surface(), x, y, w, h);
    };
    auto sheet = [&](const DrawItem& item) -> const RawImage& {
        const int32_t index = item.kind + item.group * 4;
        return im.vehicle_sheets[index >= 0 && index < kVehicleSheetCount ? index : 0];
    };
    const auto& items = draw_list.Items();
    const LayerStack layers{im.background_layer.Surface(), im.object_layer_a.Surface(),
                            im.object_layer_b.Surface()};
    auto draw_sprite = [&](const DrawItem& item) {
        const BlitRect r{item.dest_x, item.dest_y, item.src_x, item.src_y, item.width, item.height};
        BlitKeyed(composite, sheet(item).Surface(), r, 0, z);
    };
    // One look at the items: the box around them all and the area they
    // cover, and whether anything is drawn after the first two passes (a
    // picture at bridge level or an animation on top). Without such items
    // the sweep copies each rectangle to the window as soon as its rows are
    // finished.
    SamePlaceBlock present_box;
    int64_t area = 0;
    bool later_passes = false;
    if (!items.empty()) {
        int32_t box[4] = {items[0].left, items[0].top, items[0].right, items[0].bottom};
        for (const DrawItem& item : items) {
            area += static_cast<int64_t>(item.right - item.left) * (item.bottom - item.top);
            box[0] = std::min(box[0], item.left);
            box[1] = std::min(box[1], item.top);
            box[2] = std::max(box[2], item.right);
            box[3] = std::max(box[3], item.bottom);
            later_passes = later_passes ||
                           (item.kind < 10 ? item.has_sprite == 1 && item.on_top == 1
                                           : item.kind == 10 && AnimationSetOf(item) != nullptr);
        }
        present_box = {box[0], box[1], box[2] - box[0], box[3] - box[1]};
    }
    const bool presenting = present == 1 && !items.empty();
    // The rectangles go to the window one by one, rather than the box around
    // them all in one copy, when they cover less than half that box.
    const bool one_by_one =
        presenting && 2 * area < static_cast<int64_t>(present_box.w) * present_box.h;
    bool presented = false;
    if (one_by_one && !later_passes) {
        PaletteBracket bracket(*this);
        const PixelSurface target = bracket.Target();
        presented = !target.Empty() && RestoreAndDrawGroundTopDown(items, &target);
        if (presented) bracket.Presented(ItemBlocks(items));
    }
    if (!presented && !RestoreAndDrawGroundTopDown(items, nullptr)) {
        // 1: restore the rectangles: the ground, then both object layers
        // keyed.
        for (const DrawItem& item : items) {
            const int32_t w = item.right - item.left;
            const int32_t h = item.bottom - item.top;
            if (const WinGBitmap* set = item.kind == 11 ? AnimationSetOf(item) : nullptr) {
                // A ground animation's cell goes into the background, where it
                // stays, and then over the composite as it is: the ground is
                // not restored first, since every cell of a type covers the
                // ink of the others. The object layers go over the picture's
                // full size, which is larger than the rectangle below zoom 1;
                // keyed over a composed picture they change nothing there.
                const BlitRect r{item.left,  item.top,   item.src_x,
                                 item.src_y, item.width, item.height};
                BlitKeyed(im.background_layer.Surface(), set->Surface(), r, 0, z);
                ground_sweep_.LayersChangedIn(layers, im.layer_revision,
                                              {item.left, item.top, item.right, item.bottom});
                BlitKeyed(composite, set->Surface(), r, 0, z);
                layer_over(im.object_layer_a, item.left, item.top, item.width, item.height);
                layer_over(im.object_layer_b, item.left, item.top, item.width, item.height);
                continue;
            }
            if (ComposeLayers(composite, layers, item.left, item.top, w, h)) continue;
            CopyPixels(composite, item.left, item.top, im.background_layer.Surface(), item.left,
                       item.top, w, h);
            layer_over(im.object_layer_a, item.left, item.top, w, h);
            layer_over(im.object_layer_b, item.left, item.top, w, h);
        }
        // 2: ground-level vehicles, covered by the first object layer and (what
        // the front-layer pass would do for them, done while their rows are at
        // hand) the second.
        for (const DrawItem& item : items) {
            if (item.kind >= 10 || item.has_sprite != 1 || item.on_top != 0) continue;
            draw_sprite(item);
            if (CoverWithLayers(composite, layers.middle, layers.front, item.dest_x, item.dest_y,
                                item.width, item.height)) {
                continue;
            }
            layer_over(im.object_layer_a, item.dest_x, item.dest_y, item.width, item.height);
            layer_over(im.object_layer_b, item.dest_x, item.dest_y, item.width, item.height);
        }
    }
    // Passes 3 to 6 find nothing to draw without such items.
    if (later_passes) {
        // 3 and 4: bridge level, above the first object layer.
        for (const DrawItem& item : items) {
            if (item.kind >= 10 || item.has_sprite != 1 || item.on_top != 1) continue;
            layer_over(im.object_layer_a, item.dest_x, item.dest_y, item.width, item.height);
        }
        for (const DrawItem& item : items) {
            if (item.kind < 10 && item.has_sprite == 1 && item.on_top == 1) draw_sprite(item);
        }
        // 5: the front layer over every vehicle. The restore put it over the
        // rectangles already; since then only the vehicle pictures were drawn,
        // so it goes over them (the ground-level ones got it in pass 2).
        for (const DrawItem& item : items) {
            if (item.kind < 10 && item.has_sprite == 1 && item.on_top == 1) {
                layer_over(im.object_layer_b, item.dest_x, item.dest_y, item.width, item.height);
            }
        }
        // 6: top animations.
        for (const DrawItem& item : items) {
            const WinGBitmap* set = item.kind == 10 ? AnimationSetOf(item) : nullptr;
            if (set == nullptr) continue;
            const BlitRect r{item.left, item.top, item.src_x, item.src_y, item.width, item.height};
            BlitKeyed(composite, set->Surface(), r, 0, z);
        }
    }
    // 7: present and free. When the rectangles cover at least half of the
    // box around them all, that box goes to the window in one copy (the
    // window shows the composite elsewhere, and the overlay follows).
    if (presenting && !presented) {
        PaletteBracket bracket(*this);
        if (!one_by_one) {
            bracket.Present(present_box.x, present_box.y, present_box.w, present_box.h);
        } else {
            bracket.PresentEach(ItemBlocks(items));
        }
    }
    // 8: the overlay over the presented frame.
    if (present == 1) DrawOverlayItems();
    draw_list.Clear();
}
