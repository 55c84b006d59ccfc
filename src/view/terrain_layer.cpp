// The terrain layer: ground tiles, ways and tunnel portals, platform plates
// and truck depots, painted over the background layer for changed fields.

#include "economy/building_table.h"
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

void SPIEL_FELD::DrawBackgroundLayer() {
    LayersChanged();
    CGameState& gs = *g_pGameState;
    GameImages& im = gs.images;
    const CLookupTables& t = *g_pLookupTables;
    const int32_t r = gs.rotation & 3;
    const int32_t z = zoom;
    const int32_t s = Shift();
    WinGBitmap& layer = im.background_layer;
    static constexpr int32_t kFront[4][3][2] = {
        {{1, 0}, {1, 1}, {0, 1}},
        {{1, 0}, {1, -1}, {0, -1}},
        {{0, -1}, {-1, -1}, {-1, 0}},
        {{-1, 0}, {-1, 1}, {0, 1}},
    };
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
        int32_t cx = 0;
        int32_t cy = 0;
        TopCorner(r, sf.x, sf.y, cx, cy);
        const MapField* corner = FieldAt(cx, cy);
        const int32_t h = corner != nullptr ? corner->hoehe() : 0;
        const int32_t x = sf.screen_x;
        const int32_t y = sf.y_base - ((8 * h) >> s);
        const int32_t shape = t.tile_shapes[r][f.teile_diff() % kSlopeCodeCount];
        layer.BlitImageKeyed(im.tile_sheet, x, y, shape * 64, f.teile_art() * 40, 64, 40, 0, z);
        const int32_t way = f.wegtyp();
        if (way > 0) {
            if (f.tportal()) {
                layer.BlitRawKeyed(im.street_tiles, x, y, (16 + shape) * 64, (way - 1) * 40, 64, 40,
                                   0, z);
            } else if (!f.bridge_end()) {
                const int32_t piece = f.wegteil() < kWayPieceColumns ? f.wegteil() : 0;
                layer.BlitRawKeyed(im.street_tiles, x, y, t.piece_columns[r][piece] * 64,
                                   (way - 1) * 40, 64, 40, 0, z);
            }
        }
        const int32_t type = FieldBuildingType(f);
        if (type >= 6 && type <= 9 && g_ppBuildings != nullptr) {
            const CBuilding* b = g_ppBuildings->At(f.geb_num());
            const bool along_y = type == 6 || type == 8;
            if (b != nullptr && (along_y ? b->anchor_y != sf.y : b->anchor_x != sf.x)) {
                const int32_t src_x = along_y ? (r % 2) * 96 : ((r + 1) % 2) * 96;
                layer.BlitRawKeyed(im.building_pictures[along_y ? 5 : 4], x, y - 2, src_x, 93, 64,
                                   32, 0, z);
            }
        }
        if (type >= 0 && type <= 3 && GetTerminalKindAt(sf.x, sf.y) == 1) {
            layer.BlitRawKeyed(im.BuildingPicture(type, gs.player_colors[f.spieler()]), x,
                               y - 25 / z, 0, 0, 64, 56, 0, z);
        }
    });
    DrawAnimationStamps();
}
