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

template <typename Visit>
void ForFootprint(int32_t x, int32_t y, int32_t w, int32_t h, Visit visit) {
    for (int32_t fx = x; fx < x + w; ++fx) {
        for (int32_t fy = y; fy < y + h; ++fy) {
            if (InMap(fx, fy)) visit(fx, fy);
        }
    }
}

// The price of the city building on the field, -1 when the field carries
// none (or one that has no price).
int32_t CityBuildingPriceOn(const MapField* f) {
    if (f == nullptr || f->forest_flag() || f->bridge_flag() || f->building_flag()) return -1;
    if (f->stadtnum() == 0 || f->stadtb() == 0) return -1;
    return CityBuildingPrice(f->stadtb());
}

// What a new building does to its site before it is written: the ways under
// it and the city buildings on it go, paid for by the acting player. The
// same walk also runs as a count that changes nothing, so the price the
// sidebar shows for a site is what placing charges.
class SiteClearing {
  public:
    explicit SiteClearing(bool charge) : charge_(charge) {}

    void Way(int32_t x, int32_t y) {
        const MapField* f = FieldAt(x, y);
        if (f == nullptr || f->wegteil() == 0 || g_pWayNetwork == nullptr) return;
        if (charge_) {
            g_pWayNetwork->DemolishWayField(x, y, g_ActingPlayer);
        } else {
            cost += WayRemovalPrice(f->wegtyp());
        }
    }
    void CityBuilding(int32_t x, int32_t y) {
        MapField* f = FieldAt(x, y);
        const int32_t price = CityBuildingPriceOn(f);
        if (price < 0) return;
        if (charge_) {
            f->set_data_word(0);
            ChargeCost(g_ActingPlayer, price, StatPair::E);
        } else {
            cost += price;
        }
    }
    void Field(int32_t x, int32_t y) {
        Way(x, y);
        CityBuilding(x, y);
    }

    int64_t cost = 0;  // counted: what charging would take

  private:
    bool charge_;
};

// A station of type t (6..9) at (x, y): its track line keeps straight track
// of one way type along it, its platform line is cleared.
struct StationLines {
    StationLines(int32_t x, int32_t y, int32_t t) {
        along_x = t == 6 || t == 8;
        track_x = platform_x = x;
        track_y = platform_y = y;
        if (t == 6) platform_y = y + 1;
        if (t == 7) track_x = x + 1;
        if (t == 8) track_y = y + 1;
        if (t == 9) platform_x = x + 1;
        const uint32_t expected = along_x ? 2 : 1;
        int32_t line_type = kWayNone;
        for (int32_t k = 0; k < 4; ++k) {
            const MapField* f = FieldAt(TrackX(k), TrackY(k));
            if (f == nullptr || f->wegtyp() == kWayNone) continue;
            if (f->wegteil() != expected || f->wegtyp() < kWayRail) track_kept = false;
            if (line_type != kWayNone && f->wegtyp() != line_type) track_kept = false;
            line_type = f->wegtyp();
        }
    }
    int32_t TrackX(int32_t k) const { return track_x + (along_x ? k : 0); }
    int32_t TrackY(int32_t k) const { return track_y + (along_x ? 0 : k); }
    int32_t PlatformX(int32_t k) const { return platform_x + (along_x ? k : 0); }
    int32_t PlatformY(int32_t k) const { return platform_y + (along_x ? 0 : k); }
    int32_t Width() const { return along_x ? 4 : 2; }
    int32_t Depth() const { return along_x ? 2 : 4; }

    bool along_x = false;
    bool track_kept = true;
    int32_t track_x, track_y, platform_x, platform_y;
};

// The clearing of the site of the current construction kind (stores and
// attractions k 21..31, stations, platforms, raw-material sites and other
// buildings t = k + orientation, truck depots).
void ClearSite(SiteClearing& clearing, int32_t x, int32_t y, int32_t w, int32_t h) {
    const int32_t k = g_pGameState->selected_building_type;
    const int32_t t = k + g_pGameState->build_orientation;
    const auto field = [&](int32_t fx, int32_t fy) { clearing.Field(fx, fy); };
    if (k >= 21 && k <= 31) {
        ForFootprint(x, y, w, h, field);
    } else if (t >= 6 && t <= 9) {
        const StationLines lines(x, y, t);
        for (int32_t i = 0; i < 4; ++i) clearing.Way(lines.PlatformX(i), lines.PlatformY(i));
        if (!lines.track_kept) {
            for (int32_t i = 0; i < 4; ++i) clearing.Way(lines.TrackX(i), lines.TrackY(i));
        }
        ForFootprint(x, y, lines.Width(), lines.Depth(),
                     [&](int32_t fx, int32_t fy) { clearing.CityBuilding(fx, fy); });
    } else if (t == 4 || t == 5) {
        // Terminal platforms have no fields of their own.
    } else if (t >= 10) {
        // Raw-material sites keep what lies under them.
        if (t > 13) ForFootprint(x, y, w, h, field);
    } else if (t >= 0) {
        clearing.Field(x, y);
    }
}

void WriteBuilding(int32_t x, int32_t y, int32_t type, int32_t id) {
    MapField& f = *FieldAt(x, y);
    f.set_data_word(static_cast<uint32_t>((type << 10) | (id & 0x3FF)));
    f.set_building_flag(true);
    f.set_forest_flag(false);
    f.set_spieler(static_cast<uint32_t>(g_ActingPlayer));
}

// Stations: the building over both lines (cleared before), the track line
// laid or joined.
void PlaceStation(int32_t x, int32_t y, int32_t id, int32_t t) {
    const StationLines lines(x, y, t);
    ForFootprint(x, y, lines.Width(), lines.Depth(),
                 [&](int32_t fx, int32_t fy) { WriteBuilding(fx, fy, t, id); });
    for (int32_t k = 0; k < 4; ++k) {
        if (MapField* f = FieldAt(lines.TrackX(k), lines.TrackY(k))) f->set_feldchange(true);
    }
    if (g_pWayNetwork != nullptr) {
        g_pWayNetwork->LayStationTrack(lines.track_x, lines.track_y, g_ActingPlayer);
    }
}

// Truck depots: a gravel stub facing direction index t, joined to the road
// in front of it (the field cleared before).
void PlaceDepot(int32_t x, int32_t y, int32_t id, int32_t t) {
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
    // Given a road junction piece, a level crossing would lose its track
    // part and cut the rail running through it.
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
    // The front field may have a new junction piece opening towards a road
    // beside it whose direction mask still lacks the way back. Left so, the
    // front field would link into that road while the road does not lead
    // back (and stays marked as a dead end), so the network graph would no
    // longer match the map: vehicles would be routed over a link they
    // cannot drive back along. Every neighbour but the depot is refitted.
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

    SiteClearing clearing(true);
    ClearSite(clearing, x, y, w, h);
    if (k >= 21 && k <= 31) {
        // Only a site city 1..63 is written: the -1 of a site without a city
        // would put the store into city 63 through the six bits of the
        // field's city number.
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
        // Stores and attractions only, with a site city: another kind's
        // placement_city is a left-over, and -1 would name no city slot.
        building->ApplyAttraction(g_pGameState->placement_city - 1, 1);
    }
}

int64_t CTerrain::PreviewStructureCost(int32_t x, int32_t y, int32_t w, int32_t h) const {
    if (g_pGameState == nullptr || !InMap(x, y)) return 0;
    SiteClearing count(false);
    ClearSite(count, x, y, w, h);
    return count.cost;
}
