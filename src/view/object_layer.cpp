// The object layers: buildings cut into per-field strips, stations, depot
// roofs, city buildings and their plots, slope foundations, trees, tunnel
// fronts and bridges, in the painter's order of the field scan.

#include <optional>

#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "view/ground_painter.h"
#include "view/map_layers.h"
#include "view/world_view.h"

namespace {

struct Strip {
    int32_t reference;  // T
    int32_t depth;      // d
    int32_t column;     // c
    bool back_edge;
};

// The strip of a W x D footprint that the field (u, v) of it draws.
Strip StripOf(int32_t r, int32_t w, int32_t d, int32_t u, int32_t v, int32_t h) {
    switch (r & 3) {
        case 0:
            return {h - 16 * (w + d), u + v, u - v + d - 1, u == 0 || v == 0};
        case 1:
            return {h - 16 * (w + 1), u - v, (w - 1 - u) + (d - 1 - v), u == 0 || v == d - 1};
        case 2:
            return {h - 32, -(u + v), (w - 1 - u) + v, u == w - 1 || v == d - 1};
        default:
            return {h - 16 * (d + 1), v - u, u + v, u == w - 1 || v == 0};
    }
}

}  // namespace

namespace {

// Draws one field's objects, cut to the view's clip rectangle; with a
// terrain pass (scrolling) its ground first, cut the same way except the
// platform plates, which are drawn whole.
//
// While scrolling, the building strips, trees, tunnel fronts and bridges are
// cut to the strip too, not only the city buildings: a mend, since drawn
// whole they made the picture differ from a full redraw (in 13 of 16 scroll
// cases). The layers outside the strip already hold what a full pass draws,
// and a picture drawn there again lies over the pictures of the fields in
// front of it that are cut to the strip (a city building, a way, the
// ground). Inside the strip, cleared before, the cut pictures are a full
// pass's.
class ObjectPainter {
  public:
    ObjectPainter(SPIEL_FELD& view, bool with_terrain)
        : view_(view),
          gs_(*g_pGameState),
          im_(gs_.images),
          t_(*g_pLookupTables),
          r_(view.zoom == kOverviewZoomLevel ? 0 : gs_.rotation & 3),
          z_(view.zoom),
          clip_{view.clip[0], view.clip[2], view.clip[1], view.clip[3]} {
        if (with_terrain) ground_.emplace(view, &clip_);
    }

    void Field(const ScanField& sf) {
        MapField& f = gs_.fields[FieldIndex(sf.x, sf.y)];
        const int32_t h = TopCornerHeight(r_, sf.x, sf.y);
        const int32_t x = sf.screen_x;
        const int32_t yo = sf.y_base - (8 / z_) * h - 1;
        const int32_t shape = t_.tile_shapes[r_][f.teile_diff() % kSlopeCodeCount];
        if (ground_) ground_->Field(f, sf);
        const int32_t type = FieldBuildingType(f);
        if (type >= 0) Building(f, sf, type, x, yo);
        const bool city_building =
            f.stadtnum() > 0 && !f.no_building_mask() && !f.building_flag() && f.stadtb() > 0;
        if (city_building) CityBuilding(f, x, yo, shape);
        if (!city_building && f.forest_flag()) Trees(f, x, yo, shape);
        if (f.tportal()) TunnelFront(x, yo, shape);
        if (f.bridge_flag()) Bridge(f, x, yo);
    }

  private:
    WinGBitmap& B() { return im_.object_layer_b; }

    void ClippedRaw(WinGBitmap& layer, const RawImage& src, int32_t x, int32_t y, int32_t sx,
                    int32_t sy, int32_t w, int32_t h) {
        layer.BlitRawKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_.left, clip_.right, clip_.top,
                               clip_.bottom);
    }
    void ClippedImage(WinGBitmap& layer, const PaletteImage& src, int32_t x, int32_t y, int32_t sx,
                      int32_t sy, int32_t w, int32_t h) {
        layer.BlitImageKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_.left, clip_.right, clip_.top,
                                 clip_.bottom);
    }

    void Building(const MapField& f, const ScanField& sf, int32_t type, int32_t x, int32_t yo) {
        const CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(f.geb_num()) : nullptr;
        if (b == nullptr) return;
        view_.AddLabelItems(type, sf.x, sf.y, x, yo);
        int32_t bx = b->anchor_x;
        int32_t by = b->anchor_y;
        const MapField* anchor = FieldAt(bx, by);
        const int32_t colour = gs_.player_colors[anchor != nullptr ? anchor->spieler() : 0];
        if (type <= 3) {
            ClippedRaw(B(), im_.BuildingPicture(type, colour), x, yo - 14 / z_ - 11 / z_ + 1, 0, 56,
                       64, 56);
            return;
        }
        const RawImage* picture = &im_.BuildingPicture(type, colour);
        int32_t w = gs_.building_types[type].floor_width;
        int32_t d = gs_.building_types[type].floor_depth;
        int32_t height = picture->Rows();
        bool row_of_station = false;
        if (type >= 6 && type <= 9) {
            // Every row (column) of a station is a 4 x 1 (1 x 4) building.
            const bool along_y = type == 6 || type == 8;
            if (along_y) {
                w = 4;
                d = 1;
                by = sf.y;
            } else {
                w = 1;
                d = 4;
                bx = sf.x;
            }
            const bool head = along_y ? sf.y == b->anchor_y : sf.x == b->anchor_x;
            if (!head) {
                picture = &im_.building_pictures[along_y ? 5 : 4];
                height = picture->Rows() / 2;
            }
            row_of_station = true;
        }
        const Strip strip = StripOf(r_, w, d, sf.x - bx, sf.y - by, height);
        const int32_t src_x = 32 * strip.column;
        if (strip.back_edge || row_of_station) {
            const int32_t rows = strip.reference + 16 * strip.depth + 32;
            ClippedRaw(B(), *picture, x, yo - strip.reference / z_ - 16 * strip.depth / z_, src_x,
                       0, 64, rows);
        } else {
            ClippedRaw(B(), *picture, x, yo, src_x, strip.reference + 16 * strip.depth, 64, 32);
        }
    }

    void CityBuilding(const MapField& f, int32_t x, int32_t yo, int32_t shape) {
        const int32_t lift = shape == 2 || shape == 3 ? 8 / z_ : 0;
        if (shape >= 1 && shape <= 4) {
            ClippedRaw(B(), im_.slope_tiles, x, yo - lift + 1, 64 * (shape - 1), 0, 64, 40);
        }
        if (gs_.show_city_buildings != 0) {
            const int32_t index = 33 + f.stadtb();
            if (index >= kBuildingPictureCount) return;
            const RawImage& picture = im_.building_pictures[index];
            const int32_t h = picture.Rows();
            ClippedRaw(B(), picture, x, yo - (h - 32) / z_ - lift, 0, 0, 64, h);
        } else {
            ClippedRaw(B(), im_.slope_tiles, x, yo - lift + 1, 256, 0, 64, 40);
        }
    }

    void Trees(const MapField& f, int32_t x, int32_t yo, int32_t shape) {
        const uint16_t word = f.data_word();
        const int32_t tree_b = word & 0x7F;
        const int32_t tree_a = (word >> 7) & 0x7F;
        const int32_t variant = (word >> 14) & 3;
        const int32_t entry = 2 * shape + variant;
        static constexpr int32_t kNone[4] = {};
        const int32_t* o = entry < kTreeOffsetEntries ? t_.tree_offsets[entry] : kNone;
        const int32_t row = gs_.show_trees != 0 && gs_.opt_seasons != 0 ? 72 * gs_.month : 0;
        const PaletteImage& trees = im_.tree_image;
        if (tree_a > 0) {
            ClippedImage(B(), trees, x + o[0] / z_, yo + o[1] / z_ - 72 / z_, (tree_a - 1) * 44,
                         row, 44, 72);
        }
        if (tree_b > 0) {
            ClippedImage(B(), trees, x + o[2] / z_, yo + o[3] / z_ - 72 / z_, (tree_b - 1) * 44,
                         row, 44, 72);
        }
    }

    void TunnelFront(int32_t x, int32_t yo, int32_t shape) {
        const RawImage& slopes = im_.slope_tiles;
        switch (shape) {
            case 1:
                ClippedRaw(B(), slopes, x, yo, 320, 0, 64, 40);
                break;
            case 2:
                ClippedRaw(B(), slopes, x + 2 / z_, yo - 4 / z_, 384, 0, 64, 40);
                break;
            case 3:
                ClippedRaw(B(), slopes, x, yo + 2 / z_ - 8 / z_, 448, 0, 64, 40);
                break;
            case 4:
                ClippedRaw(B(), slopes, x, yo - z_, 512, 0, 64, 40);
                break;
            default:
                break;
        }
    }

    void Bridge(const MapField& f, int32_t x, int32_t yo) {
        const int32_t code = f.bridge_piece();
        if (code < 1 || code > 12) return;
        const int32_t row = (f.bridge_wegtyp() - 2) * 64;
        const int32_t* columns = view_.bridge_columns[r_];
        if (code < 9) {
            ClippedRaw(im_.object_layer_a, im_.bridge_tiles, x, yo - 16 / z_, columns[code - 1],
                       row, 64, 64);
            return;
        }
        // A piece in two halves: the back half from the next column, the
        // front half from its own. Code 12 has no next column: front only.
        if (code < 12) {
            ClippedRaw(im_.object_layer_a, im_.bridge_tiles, x, yo - 32 / z_, columns[code], row,
                       64, 64);
        }
        ClippedRaw(B(), im_.bridge_tiles, x, yo - 32 / z_, columns[code - 1], row, 64, 64);
    }

    SPIEL_FELD& view_;
    CGameState& gs_;
    GameImages& im_;
    const CLookupTables& t_;
    int32_t r_;
    int32_t z_;
    ClipRect clip_;
    std::optional<GroundPainter> ground_;
};

}  // namespace

void SPIEL_FELD::DrawObjectLayer() {
    LayersChanged();
    CGameState& gs = *g_pGameState;
    clip[0] = 0;
    clip[1] = 0;
    clip[2] = gs.view_width;
    clip[3] = gs.view_height;
    draw_list.Clear();
    gs.images.object_layer_b.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    gs.images.object_layer_a.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    ObjectPainter painter(*this, false);
    ScanFields(ViewScan(*this, zoom == kOverviewZoomLevel),
               [&](const ScanField& sf) { painter.Field(sf); });
    DrawPlatesAndSigns();
    DrawAnimationStamps();
}

void SPIEL_FELD::DrawObjectLayerScrolled() {
    LayersChanged();
    ClearOverlay();
    draw_list.Clear();
    for (int32_t i = 0; i < 4; ++i) clip[i] = scroll_strip[i];
    ObjectPainter painter(*this, true);
    ScanFields(ViewScan(*this, zoom == kOverviewZoomLevel),
               [&](const ScanField& sf) { painter.Field(sf); });
    DrawPlatesAndSigns();
    DrawAnimationStamps();
}
