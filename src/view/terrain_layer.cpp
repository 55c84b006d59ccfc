// The terrain layer: ground tiles, ways and tunnel portals, platform plates
// and truck depots, painted over the background layer for changed fields.

#include "state/game_state.h"
#include "state/map_field.h"
#include "view/ground_painter.h"
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
        // A truck depot's picture hangs 25 / zoom rows above its field, a
        // part of a row too low at 1:2 and 1:4, where its lower edges reach a
        // pixel into the fields in front: they are painted over it again, as
        // a full redraw paints them.
        const bool depot = f.building_flag() && GetTerminalKindAt(sf.x, sf.y) == 1;
        for (const auto& d : kFront[r]) {
            MapField* front = FieldAt(sf.x + d[0], sf.y + d[1]);
            // Only a field with a building can hold a terminal.
            if (front != nullptr && (depot || (front->building_flag() &&
                                               GetTerminalKindAt(sf.x + d[0], sf.y + d[1]) > 0))) {
                front->set_feldchange(true);
            }
        }
        painter.Field(f, sf);
    });
    DrawAnimationStamps();
}
