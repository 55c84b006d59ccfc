#include "view/ground_painter.h"

#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "view/field_scan.h"
#include "view/map_layers.h"
#include "view/world_view.h"
#include "world/way_queries.h"

GroundPainter::GroundPainter(const SPIEL_FELD& view, const ClipRect* clip)
    : gs_(*g_pGameState),
      im_(gs_.images),
      t_(*g_pLookupTables),
      r_(gs_.rotation & 3),
      z_(view.zoom),
      s_(view.Shift()),
      clip_(clip) {}

void GroundPainter::Field(const MapField& f, const ScanField& sf) {
    const int32_t h = TopCornerHeight(r_, sf.x, sf.y);
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
            Raw(im_.street_tiles, x, y, t_.piece_columns[r_][piece] * 64, (way - 1) * 40, 64, 40);
        }
    }
    const int32_t type = FieldBuildingType(f);
    if (type >= 6 && type <= 9 && g_ppBuildings != nullptr) {
        const CBuilding* b = g_ppBuildings->At(f.geb_num());
        const bool along_y = type == 6 || type == 8;
        if (b != nullptr && (along_y ? b->anchor_y != sf.y : b->anchor_x != sf.x)) {
            const int32_t src_x = along_y ? (r_ % 2) * 96 : ((r_ + 1) % 2) * 96;
            Raw(im_.building_pictures[along_y ? 5 : 4], x, y - 2, src_x, 93, 64, 32, false);
        }
    }
    if (type >= 0 && type <= 3 && GetTerminalKindAt(sf.x, sf.y) == 1) {
        Raw(im_.BuildingPicture(type, gs_.player_colors[f.spieler()]), x, y - 25 / z_, 0, 0, 64,
            56);
    }
}

void GroundPainter::Image(const PaletteImage& src, int32_t x, int32_t y, int32_t sx, int32_t sy,
                          int32_t w, int32_t h) {
    WinGBitmap& layer = im_.background_layer;
    if (clip_ == nullptr) return layer.BlitImageKeyed(src, x, y, sx, sy, w, h, 0, z_);
    layer.BlitImageKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_->left, clip_->right, clip_->top,
                             clip_->bottom);
}

void GroundPainter::Raw(const RawImage& src, int32_t x, int32_t y, int32_t sx, int32_t sy,
                        int32_t w, int32_t h, bool cut) {
    WinGBitmap& layer = im_.background_layer;
    if (clip_ == nullptr || !cut) return layer.BlitRawKeyed(src, x, y, sx, sy, w, h, 0, z_);
    layer.BlitRawKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_->left, clip_->right, clip_->top,
                           clip_->bottom);
}
