// Writing a placed building into the field grid: the fields take the
// building's number and type, lose forest, ways and city buildings (paid
// for), and depots and stations are joined to the way network.

#include <bit>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/acting_player.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/slope_shape.h"
#include "world/terrain.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

constexpr int32_t kCityBuildingPriceClasses = 7;  // geb_einw entries 0..6

template <typename Visit>
void ForFootprint(int32_t x, int32_t y, int32_t w, int32_t h, Visit visit) {
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) {
            if (InMap(fx, fy)) visit(fx, fy);
        }
    }
}

void ClearWay(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f != nullptr && f->wegteil() > 0 && g_pWayNetwork != nullptr) {
        g_pWayNetwork->DemolishWayField(x, y, g_ActingPlayer);
    }
}

// The price of the city building on the field (its residents x 1000), -1
// when the field carries none.
int32_t CityBuildingPrice(const MapField* f) {
    if (f == nullptr || f->forest_flag() || f->bridge_flag() || f->building_flag()) return -1;
    if (f->stadtnum() == 0 || f->stadtb() == 0) return -1;
    int32_t q = GetCityBuildingClass(f->stadtb());
    if (q == 7) q = f->stadtb() - 48;
    if (q < 0 || q >= kCityBuildingPriceClasses) return -1;
    return g_pGameState->geb_einw[q] * 1000;
}

// A city building on the field is paid for by the acting player and removed.
void DisplaceCityBuilding(int32_t x, int32_t y) {
    MapField* f = FieldAt(x, y);
    const int32_t price = CityBuildingPrice(f);
    if (price < 0) return;
    f->set_data_word(0);
    ChargeCost(g_ActingPlayer, price, StatPair::E);
}

void WriteBuilding(int32_t x, int32_t y, int32_t type, int32_t id) {
    MapField& f = *FieldAt(x, y);
    f.set_data_word(static_cast<uint32_t>((type << 10) | (id & 0x3FF)));
    f.set_building_flag(true);
    f.set_forest_flag(false);
    f.set_spieler(static_cast<uint32_t>(g_ActingPlayer));
}

// Stations: the track line keeps straight track of one way type along it,
// the platform line is cleared.
void PlaceStation(int32_t x, int32_t y, int32_t id, int32_t t) {
    const bool alongX = t == 6 || t == 8;
    const int32_t expected = alongX ? 2 : 1;
    // Track line and platform line as (x, y) of their first field.
    int32_t trackX = x, trackY = y, platformX = x, platformY = y;
    if (t == 6) platformY = y + 1;
    if (t == 7) trackX = x + 1;
    if (t == 8) trackY = y + 1;
    if (t == 9) platformX = x + 1;
    const int32_t ax = alongX ? 1 : 0;
    const int32_t ay = alongX ? 0 : 1;

    bool trackKept = true;
    int32_t lineType = kWayNone;
    for (int32_t k = 0; k < 4; ++k) {
        const MapField* f = FieldAt(trackX + ax * k, trackY + ay * k);
        if (f == nullptr || f->wegtyp() == kWayNone) continue;
        if (f->wegteil() != expected || f->wegtyp() < kWayRail) trackKept = false;
        if (lineType != kWayNone && f->wegtyp() != lineType) trackKept = false;
        lineType = f->wegtyp();
    }
    for (int32_t k = 0; k < 4; ++k) {
        ClearWay(platformX + ax * k, platformY + ay * k);
        if (!trackKept) ClearWay(trackX + ax * k, trackY + ay * k);
    }
    const int32_t w = alongX ? 4 : 2;
    const int32_t h = alongX ? 2 : 4;
    ForFootprint(x, y, w, h, DisplaceCityBuilding);
    ForFootprint(x, y, w, h, [&](int32_t fx, int32_t fy) { WriteBuilding(fx, fy, t, id); });
    for (int32_t k = 0; k < 4; ++k) {
        if (MapField* f = FieldAt(trackX + ax * k, trackY + ay * k)) f->set_feldchange(true);
    }
    if (g_pWayNetwork != nullptr) g_pWayNetwork->LayStationTrack(trackX, trackY, g_ActingPlayer);
}

// Truck depots: a gravel stub facing direction index t, joined to the road
// in front of it.
void PlaceDepot(int32_t x, int32_t y, int32_t id, int32_t t) {
    ClearWay(x, y);
    DisplaceCityBuilding(x, y);
    MapField& depot = *FieldAt(x, y);
    const uint8_t d = DirBitFromIndex(t);
    const uint8_t back = OppositeDirBits(d);
    const bool alongY = d == kDirN || d == kDirS;
    depot.set_richtung(d);
    depot.set_wegtyp(kWayGravelRoad);
    depot.set_wegteil(alongY ? 1 : 2);

    const int32_t fx = x + DirDx(t);
    const int32_t fy = y + DirDy(t);
    MapField* front = FieldAt(fx, fy);
    // A level crossing, a bridge end or a tunnel portal keeps its piece.
    const bool plainRoad = front != nullptr && IsRoadWay(front->wegtyp()) &&
                           !IsLevelCrossing(front->wegteil()) && !front->bridge_end() &&
                           !front->tportal();
    if (plainRoad && GetSlopeShape(fx, fy) == 0) {
        uint8_t mask = back;
        for (int32_t i = 0; i < 4; ++i) {
            const MapField* n = FieldAt(fx + DirDx(i), fy + DirDy(i));
            if (DirBitFromIndex(i) != back && n != nullptr && IsRoadWay(n->wegtyp()) &&
                n->wegteil() > 0) {
                mask |= DirBitFromIndex(i);
            }
        }
        front->set_wegteil(PieceFromConnections[mask] + 1u);
        front->set_richtung(front->richtung() | back);
        front->set_feldchange(true);
    } else if (plainRoad && front->wegteil() > 0) {
        const int32_t shape = GetSlopeShape(fx, fy);
        const bool alongAxis = alongY ? (shape == 1 || shape == 3) : (shape == 2 || shape == 4);
        if (alongAxis) {
            front->set_richtung(front->richtung() | back);
            front->set_feldchange(true);
        }
    }
    // The front field may have a new piece: its neighbours' masks follow it.
    if (g_pBuildHelper != nullptr) {
        g_pBuildHelper->UpdateWayPiecesAround(fx, fy);
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t nx = fx + DirDx(i);
            const int32_t ny = fy + DirDy(i);
            if (nx != x || ny != y) g_pBuildHelper->UpdateWayPiecesAround(nx, ny);
        }
    }
    if (g_pWayNetwork != nullptr) {
        g_pWayNetwork->LinkFromField(x, y, d);
        // A junction in front is re-linked in all four directions; so is a
        // front field that became a node through its new junction piece
        // while only two of its directions connect (its far link was
        // cleared with the way under the depot).
        if (front != nullptr && (std::popcount(front->richtung()) >= 3 || front->knoten())) {
            for (const uint8_t dir : {kDirN, kDirS, kDirE, kDirW}) {
                g_pWayNetwork->LinkFromField(fx, fy, dir);
            }
        }
    }
    WriteBuilding(x, y, t, id);
    depot.set_feldchange(true);
}

}  // namespace

void CTerrain::PlaceStructure(int32_t x, int32_t y, int32_t id, int32_t w, int32_t h) {
    if (g_pGameState == nullptr || !InMap(x, y)) return;
    const int32_t k = g_pGameState->selected_building_type;
    const int32_t t = k + g_pGameState->build_orientation;

    if (k >= 21 && k <= 31) {
        ForFootprint(x, y, w, h, [](int32_t fx, int32_t fy) {
            ClearWay(fx, fy);
            DisplaceCityBuilding(fx, fy);
        });
        const int32_t city = g_pGameState->placement_city;
        ForFootprint(x, y, w, h, [&](int32_t fx, int32_t fy) {
            WriteBuilding(fx, fy, k, id);
            if (city >= 1 && city <= kCitySlots) {
                FieldAt(fx, fy)->set_stadtnum(static_cast<uint32_t>(city));
            }
        });
    } else if (t >= 6 && t <= 9) {
        PlaceStation(x, y, id, t);
    } else if (t == 4 || t == 5) {
        // Terminal platforms have no fields of their own.
    } else if (t >= 10) {
        if (t > 13) {
            ForFootprint(x, y, w, h, [](int32_t fx, int32_t fy) {
                ClearWay(fx, fy);
                DisplaceCityBuilding(fx, fy);
            });
        }
        ForFootprint(x, y, w, h, [&](int32_t fx, int32_t fy) { WriteBuilding(fx, fy, k, id); });
    } else if (t >= 0) {
        PlaceDepot(x, y, id, t);
    }

    CBuilding* building = g_ppBuildings != nullptr ? g_ppBuildings->At(id) : nullptr;
    if (building == nullptr) return;
    if (k >= 10 && k <= 20) {
        for (int32_t slot = 0; slot < kCitySlots; ++slot) {
            const CCity* city = g_pCityManager != nullptr ? g_pCityManager->cities[slot] : nullptr;
            if (city != nullptr && city->OverlapsRect(x, y, w, h) != 0) {
                building->ApplyAttraction(slot, 1);
            }
        }
    } else if (k >= 21 && k <= 31 && g_pGameState->placement_city >= 1 &&
               g_pGameState->placement_city <= kCitySlots) {
        building->ApplyAttraction(g_pGameState->placement_city - 1, 1);
    }
}

int64_t CTerrain::PreviewStructureCost(int32_t x, int32_t y, int32_t w, int32_t h) const {
    if (g_pGameState == nullptr || !InMap(x, y)) return 0;
    const int32_t k = g_pGameState->selected_building_type;
    const int32_t t = k + g_pGameState->build_orientation;
    // Stations, platforms and raw-material sites keep the ways under them.
    const bool clears = (k >= 21 && k <= 31) || (t > 13 && t <= 20) || (t >= 0 && t <= 3);
    if (!clears) return 0;
    if (t >= 0 && t <= 3) w = h = 1;
    int64_t cost = 0;
    ForFootprint(x, y, w, h, [&](int32_t fx, int32_t fy) {
        const MapField* f = FieldAt(fx, fy);
        if (f->wegteil() > 0 && g_pWayNetwork != nullptr) cost += WayRemovalPrice(f->wegtyp());
        const int32_t price = CityBuildingPrice(f);
        if (price > 0) cost += price;
    });
    return cost;
}
