// The construction check of the placement tool: map bounds, money, bridges
// around the footprint, free ground and the rules of each construction kind.
// It only reads the map (the store and attraction checks record the site's
// city, see attraction_sites.cpp).

#include "economy/building_table.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/field_queries.h"
#include "world/way_queries.h"

namespace {

// Ground a building may take: level land without a company building or a
// bridge (forest and city buildings give way), no vehicle, no field of a
// computer player.
bool IsFreeField(const MapField& f) {
    if (f.teile_diff() != 0 || f.teile_art() == 0) return false;
    const bool cityBuilding =
        f.stadtnum() != 0 && !f.no_building_mask() && !f.building_flag() && f.stadtb() >= 1;
    if (f.data_word() != 0 && !f.forest_flag() && !cityBuilding) return false;
    if (f.bridge_flag()) return false;
    return f.belegt() == 0 && f.spieler() == 0;
}

// A raw-material site also refuses city buildings and ways other than a
// plain north-south piece.
bool IsRawMaterialField(const MapField& f) {
    if (!IsFreeField(f)) return false;
    if (f.data_word() != 0 && !f.forest_flag()) return false;
    return f.wegteil() <= 1;
}

template <typename Test>
bool EveryFootprintField(int32_t x, int32_t y, int32_t w, int32_t h, Test test) {
    bool all = true;
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) all = test(*FieldAt(fx, fy)) && all;
    }
    return all;
}

bool RingHasBridge(int32_t x, int32_t y, int32_t w, int32_t h) {
    auto bridge = [](int32_t fx, int32_t fy) {
        const MapField* f = FieldAt(fx, fy);
        return f != nullptr && f->bridge_flag();
    };
    for (int32_t fx = x - 1; fx <= x + w; ++fx) {
        if (bridge(fx, y - 1) || bridge(fx, y + h)) return true;
    }
    for (int32_t fy = y; fy < y + h; ++fy) {
        if (bridge(x - 1, fy) || bridge(x + w, fy)) return true;
    }
    return false;
}

}  // namespace

int32_t CBuildHelper::CanBuildHere(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (g_pGameState == nullptr || w < 1 || h < 1) return 0;
    const int32_t kind = g_pGameState->selected_building_type + g_pGameState->build_orientation;
    if (kind < 0 || kind >= kBuildingTypeSlots) return 0;
    if (x < 1 || y < 1 || x + w >= 255 || y + h >= 255) return 0;
    const int64_t price = g_pGameState->building_types[kind].build_price;
    if (g_pGameState->cash[g_ActingPlayer] - price < 0) return 0;
    if (RingHasBridge(x, y, w, h)) return 0;

    if (kind <= 3) {
        const bool free = EveryFootprintField(x, y, w, h, IsFreeField);
        return CheckDepotSite(x, y) == 1 && free ? 1 : 0;
    }
    if (kind <= 5) return 1;
    if (kind <= 9) {
        if (!EveryFootprintField(x, y, w, h, IsFreeField)) return 0;
        switch (kind) {
            case 6:
                return CheckStationSite6(x, y);
            case 7:
                return CheckStationSite7(x, y);
            case 8:
                return CheckStationSite8(x, y);
            default:
                return CheckStationSite9(x, y);
        }
    }
    if (kind <= 13) return EveryFootprintField(x, y, w, h, IsRawMaterialField) ? 1 : 0;
    if (kind <= 20) return EveryFootprintField(x, y, w, h, IsFreeField) ? 1 : 0;
    return CheckAttractionSite(x, y);
}

int32_t CBuildHelper::CheckDepotSite(int32_t x, int32_t y) {
    for (int32_t dx = -4; dx <= 4; ++dx) {
        for (int32_t dy = -4; dy <= 4; ++dy) {
            const int32_t fx = x + dx;
            const int32_t fy = y + dy;
            if (GetTerminalKindAt(fx, fy) != 1) continue;
            const CBuilding* depot =
                g_ppBuildings != nullptr ? g_ppBuildings->At(FieldAt(fx, fy)->geb_num()) : nullptr;
            const int32_t depotX = depot != nullptr ? depot->anchor_x : fx;
            const int32_t depotY = depot != nullptr ? depot->anchor_y : fy;
            const int32_t adx = x > depotX ? x - depotX : depotX - x;
            const int32_t ady = y > depotY ? y - depotY : depotY - y;
            if (adx < 5 || ady < 5) return 0;
        }
    }
    for (int32_t dx = -1; dx <= 1; ++dx) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            if (GetTerminalKindAt(x + dx, y + dy) == 4) return 0;
        }
    }
    return 1;
}
