// The 1:16 overview: one 4 x 2 cell per field straight into the composite,
// ways and buildings in their owner's colour as the panel's legend filters
// allow, terrain elsewhere.

#include "panel/control_panel.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "view/map_layers.h"
#include "view/world_view.h"

namespace {

constexpr int32_t kStoresFilter = 15;

// The legend element of a building type 10..20, -1 for none.
int32_t TypeFilter(int32_t type) {
    static constexpr int32_t kTypes[11] = {13, 12, 11, 10, 18, 17, 15, 19, 16, 14, 20};
    for (int32_t i = 0; i < 11; ++i) {
        if (kTypes[i] == type) return 4 + i;
    }
    return -1;
}

}  // namespace

void SPIEL_FELD::DrawOverviewMap() {
    CGameState& gs = *g_pGameState;
    GameImages& im = gs.images;
    WinGBitmap& out = im.composite_buffer;
    out.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    const CLookupTables& t = *g_pLookupTables;
    const int32_t r = gs.rotation & 3;
    // Without a panel every filter counts as on.
    auto shown = [](int32_t element) {
        return g_pHauptDialog == nullptr || g_pHauptDialog->legend_flags[element] != 0;
    };
    ScanFields(ViewScan(*this), [&](const ScanField& sf) {
        const MapField& f = gs.fields[FieldIndex(sf.x, sf.y)];
        const int32_t h = TopCornerHeight(r, sf.x, sf.y);
        const int32_t x = sf.screen_x;
        const int32_t y = sf.y_base - ((h * 8) >> 4);
        const int32_t shape = t.tile_shapes[r][f.teile_diff() % kSlopeCodeCount];
        const int32_t owner = f.spieler();
        const int32_t colour_row = gs.player_colors[owner] * 40;
        bool drawn = false;
        auto cell = [&](int32_t src_x, int32_t src_y) {
            out.BlitRawKeyed(im.overview_sheet, x, y, src_x, src_y, 64, 40, 0, 16);
            drawn = true;
        };
        auto grey = [&] { cell(0, 160); };
        // A city building needs the building flag clear as well. A company
        // building standing in a city keeps its number in the same word, and
        // its low six bits would read as a city building: a factory or store
        // whose filters are off would still show, grey, as a city building.
        if (f.stadtnum() > 0 && !f.no_building_mask() && f.stadtb() > 0 && !f.building_flag()) {
            grey();
        }
        const int32_t way = f.wegtyp();
        if (way == kWayCityStreet || way == kWayGravelRoad) grey();
        if (way == kWayAsphaltRoad && shown(0) && shown(16)) cell(shape * 64, colour_row);
        if (way >= kWayRail && way <= kWaySuperconductor && shown(owner) && shown(13 + way)) {
            cell(shape * 64, colour_row);
        }
        const int32_t type = FieldBuildingType(f);
        if (type >= 0 && type <= 9) {
            if (shown(owner)) cell(0, colour_row);
        } else if (type >= 10 && type <= 13) {
            if (shown(TypeFilter(type))) cell(64 * (type - 9), 160);
        } else if (type >= 14 && type <= 20) {
            if (shown(owner) && shown(TypeFilter(type))) cell(0, colour_row);
        } else if (type >= 21 && type <= 26) {
            if (shown(owner) && shown(kStoresFilter)) cell(0, colour_row);
        } else if (type >= 27) {
            grey();
        }
        if (!drawn) {
            out.BlitImageKeyed(im.tile_sheet, x, y, shape * 64, f.teile_art() * 40, 64, 40, 0, 16);
        }
    });
}
