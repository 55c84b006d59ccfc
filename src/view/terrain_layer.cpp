// The terrain layer: ground tiles, ways and tunnel portals, platform plates
// and truck depots, painted over the background layer for changed fields.

#include <algorithm>

#include "economy/building_table.h"
#include "gfx/blit.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "view/map_layers.h"
#include "view/world_view.h"
#include "world/way_queries.h"

ScanView ViewScan(const SPIEL_FELD& view, bool rotation0) {
    const CGameState& gs = *g_pGameState;
    return ScanView{rotation0 ? 0 : gs.rotation & 3,
                    view.zoom,
                    gs.screen_width,
                    view.half_extent_x,
                    view.half_extent_y,
                    view.CentreP(),
                    view.CentreQ()};
}

int32_t FieldBuildingType(const MapField& f) {
    if (f.no_building_mask() || !f.building_flag()) return -1;
    return f.geb_num() != 0 ? f.geb_typ() : -1;
}

namespace {

// Paints the ground of one field into the background layer: its tile, its
// way piece or tunnel portal, a station row's platform strip and a depot's
// plate; cut to `clip` when one is given.
class GroundPainter {
  public:
    GroundPainter(const SPIEL_FELD& view, const ClipRect* clip)
        : gs_(*g_pGameState),
          im_(gs_.images),
          t_(*g_pLookupTables),
          r_(gs_.rotation & 3),
          z_(view.zoom),
          s_(view.Shift()),
          clip_(clip) {}

    void Field(const MapField& f, const ScanField& sf) {
        int32_t cx = 0;
        int32_t cy = 0;
        TopCorner(r_, sf.x, sf.y, cx, cy);
        const MapField* corner = FieldAt(cx, cy);
        const int32_t h = corner != nullptr ? corner->hoehe() : 0;
        const int32_t x = sf.screen_x;
        const int32_t y = sf.y_base - ((8 * h) >> s_);
        const int32_t shape = t_.tile_shapes[r_][f.teile_diff() % kSlopeCodeCount];
        Image(im_.tile_sheet, x, y, shape * 64, f.teile_art() * 40, 64, 40);
        const int32_t way = f.wegtyp();
        if (way > 0) {
            if (f.tportal()) {
                Raw(im_.street_tiles, x, y, (16 + shape) * 64, (way - 1) * 40, 64, 40);
            } else if (!f.bridge_end()) {
                const int32_t piece = f.wegteil() < kWayPieceColumns ? f.wegteil() : 0;
                Raw(im_.street_tiles, x, y, t_.piece_columns[r_][piece] * 64, (way - 1) * 40, 64,
                    40);
            }
        }
        const int32_t type = FieldBuildingType(f);
        if (type >= 6 && type <= 9 && g_ppBuildings != nullptr) {
            const CBuilding* b = g_ppBuildings->At(f.geb_num());
            const bool along_y = type == 6 || type == 8;
            if (b != nullptr && (along_y ? b->anchor_y != sf.y : b->anchor_x != sf.x)) {
                const int32_t src_x = along_y ? (r_ % 2) * 96 : ((r_ + 1) % 2) * 96;
                Raw(im_.building_pictures[along_y ? 5 : 4], x, y - 2, src_x, 93, 64, 32);
            }
        }
        if (type >= 0 && type <= 3 && GetTerminalKindAt(sf.x, sf.y) == 1) {
            Raw(im_.BuildingPicture(type, gs_.player_colors[f.spieler()]), x, y - 25 / z_, 0, 0, 64,
                56);
        }
    }

  private:
    void Image(const PaletteImage& src, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w,
               int32_t h) {
        WinGBitmap& layer = im_.background_layer;
        if (clip_ == nullptr) return layer.BlitImageKeyed(src, x, y, sx, sy, w, h, 0, z_);
        layer.BlitImageKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_->left, clip_->right,
                                 clip_->top, clip_->bottom);
    }
    void Raw(const RawImage& src, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w,
             int32_t h) {
        WinGBitmap& layer = im_.background_layer;
        if (clip_ == nullptr) return layer.BlitRawKeyed(src, x, y, sx, sy, w, h, 0, z_);
        layer.BlitRawKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_->left, clip_->right,
                               clip_->top, clip_->bottom);
    }

    CGameState& gs_;
    GameImages& im_;
    const CLookupTables& t_;
    int32_t r_;
    int32_t z_;
    int32_t s_;
    const ClipRect* clip_;
};

}  // namespace

void SPIEL_FELD::DrawBackgroundLayer() {
    LayersChanged();
    CGameState& gs = *g_pGameState;
    const int32_t r = gs.rotation & 3;
    static constexpr int32_t kFront[4][3][2] = {
        {{1, 0}, {1, 1}, {0, 1}},
        {{1, 0}, {1, -1}, {0, -1}},
        {{0, -1}, {-1, -1}, {-1, 0}},
        {{-1, 0}, {-1, 1}, {0, 1}},
    };
    GroundPainter painter(*this, nullptr);
    ScanFields(ViewScan(*this), [&](const ScanField& sf) {
        MapField& f = gs.fields[FieldIndex(sf.x, sf.y)];
        if (!f.feldchange()) return;
        for (const auto& d : kFront[r]) {
            MapField* front = FieldAt(sf.x + d[0], sf.y + d[1]);
            // Only a field with a building can hold a terminal.
            if (front != nullptr && front->building_flag() &&
                GetTerminalKindAt(sf.x + d[0], sf.y + d[1]) > 0) {
                front->set_feldchange(true);
            }
        }
        painter.Field(f, sf);
    });
    DrawAnimationStamps();
}

void SPIEL_FELD::RedrawGroundIn(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    CGameState& gs = *g_pGameState;
    GameImages& im = gs.images;
    const ClipRect clip{std::max(left, 0), std::min(right, gs.view_width), std::max(top, 0),
                        std::min(bottom, gs.view_height)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    im.background_layer.FillRect(clip.left, clip.top, clip.right - clip.left,
                                 clip.bottom - clip.top, 0);
    GroundPainter painter(*this, &clip);
    const int32_t field_width = 64 / zoom;  // every ground picture of a field is as wide
    ScanFields(ViewScan(*this), [&](const ScanField& sf) {
        if (sf.screen_x >= clip.right || sf.screen_x + field_width <= clip.left) return;
        painter.Field(gs.fields[FieldIndex(sf.x, sf.y)], sf);
    });
    StampGroundAnimations(&clip);
    const LayerStack layers{im.background_layer.Surface(), im.object_layer_a.Surface(),
                            im.object_layer_b.Surface()};
    ground_sweep_.LayersChangedIn(layers, im.layer_revision,
                                  {clip.left, clip.top, clip.right, clip.bottom});
}
