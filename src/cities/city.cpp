// The city record: construction, the zone rings, the area effect of company
// buildings, the overlap test and the removal of a city's traces.

#include "cities/city.h"

#include <algorithm>
#include <cstdio>

#include "cities/city_area.h"
#include "cities/city_manager.h"
#include "cities/city_network.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

// Ring level of one area coordinate: 0 at the border, 1..5 towards the centre.
int32_t RingLevel(int32_t c) {
    const int32_t fromEdge = std::min(c, kCityAreaSize - 1 - c);
    if (fromEdge >= 10) return 5;
    return std::max(0, fromEdge / 2);
}

}  // namespace

int32_t GetCityBuildingClass(int32_t b) {
    if (b <= 10) return 0;
    if (b <= 20) return 1;
    if (b <= 28) return 2;
    if (b <= 34) return 3;
    if (b <= 38) return 4;
    if (b <= 41) return 5;
    if (b <= 47) return 6;
    return 7;
}

CCity::CCity(int32_t number, int32_t x, int32_t y) : number(number), origin_x(x), origin_y(y) {
    std::snprintf(name, sizeof name, "Stadt: %d-%d", x, y);
    FillZoneRings();
}

void CCity::FillZoneRings() {
    for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
        for (int32_t dy = 0; dy < kCityAreaSize; ++dy) {
            zone_grid[dx][dy] = std::min(RingLevel(dx), RingLevel(dy));
        }
    }
}

void CCity::ClearBuildingList() {
    store_list.clear();
}

void CCity::AddToGrid(int32_t x, int32_t y, int32_t amount) {
    const int64_t dx = static_cast<int64_t>(x) - origin_x;
    const int64_t dy = static_cast<int64_t>(y) - origin_y;
    if (dx < 0 || dx >= kCityAreaSize || dy < 0 || dy >= kCityAreaSize) return;
    int32_t& cell = zone_grid[dx][dy];
    const int64_t sum = static_cast<int64_t>(cell) + amount;
    cell = sum < 0 ? -1 : static_cast<int32_t>(std::min<int64_t>(sum, INT32_MAX));
}

bool CCity::OverlapsRect(int32_t x, int32_t y, int32_t w, int32_t h) const {
    const int64_t left = std::max<int64_t>(x, origin_x);
    const int64_t right = std::min<int64_t>(static_cast<int64_t>(x) + w,
                                            static_cast<int64_t>(origin_x) + kCityAreaSize - 1);
    const int64_t top = std::max<int64_t>(y, origin_y);
    const int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y) + h,
                                             static_cast<int64_t>(origin_y) + kCityAreaSize - 1);
    return w > 0 && h > 0 && left < right && top < bottom;
}

void CCity::ClearFields() {
    if (g_pCityManager != nullptr && name_index >= 0 && name_index < kCityNameCount) {
        g_pCityManager->name_used[name_index] = 0;
    }
    CWayNetwork* network = g_pWayNetwork;

    // While the map is whole: the links that run over plain street fields of
    // the city are cleared at the nodes at both ends of their stretch.
    // Deleting the city's own nodes clears only the links that end there;
    // without this, two player junctions joined over a city street would
    // stay linked after the street is gone, and routes would send trucks
    // over fields without a way.
    if (network != nullptr) {
        ForEachAreaField(*this, [&](int32_t, int32_t, int32_t x, int32_t y, MapField& f) {
            if (f.stadtnum() != number || f.wegtyp() != kWayCityStreet || f.wegteil() == 0) return;
            if (IsLevelCrossing(f.wegteil())) return;
            if (f.knoten() && f.knotennummer() != 0) return;  // its node goes below
            for (int32_t i = 0; i < 4; ++i) {
                const uint8_t bit = DirBitFromIndex(i);
                if (f.richtung() & bit) network->UnlinkFromField(x, y, bit);
            }
        });
    }

    std::vector<std::pair<int32_t, int32_t>> removed;
    ForEachAreaField(*this, [&](int32_t, int32_t, int32_t x, int32_t y, MapField& f) {
        if (f.stadtnum() != number) return;
        if (CityBuildingOf(f) > 0) f.set_data_word(0);
        f.set_stadtnum(0);
        if (f.wegtyp() != kWayCityStreet || f.wegteil() == 0) return;
        if (IsLevelCrossing(f.wegteil())) {
            // The road part of a level crossing stays as a player road.
            // Clearing it like a street would take the track's piece and
            // directions with it and cut the railway in two.
            f.set_wegtyp(kWayGravelRoad);
            return;
        }
        if (f.knoten() && f.knotennummer() != 0 && network != nullptr) {
            network->DeleteNode(f.knotennummer());
        }
        f.set_wegteil(0);
        f.set_wegtyp(0);
        f.set_richtung(0);
        f.set_gleisr(0);
        f.set_knoten(false);
        f.set_knotennummer(0);
        f.set_belegt(0);
        f.set_ende(false);
        f.set_feldchange(true);
        removed.emplace_back(x, y);
    });

    // Ways that joined the removed streets lose those directions. Without
    // this, a player road beside a removed street would still be drawn and
    // linked as leading into a field without a way.
    FieldList neighbours;
    for (auto [x, y] : removed) {
        for (int32_t i = 0; i < 4; ++i) {
            const MapField* n = FieldAt(x + DirDx(i), y + DirDy(i));
            if (n != nullptr && n->wegtyp() != 0)
                neighbours.emplace_back(x + DirDx(i), y + DirDy(i));
        }
    }
    RefitAndRelinkFields(neighbours);
}
