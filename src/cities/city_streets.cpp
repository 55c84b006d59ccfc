// City streets: the street plan drawn when a city is founded, and the street
// step of growth, which takes over player roads joining the city's net or
// lays a planned street cell next to it and links it into the way network.

#include <algorithm>

#include "cities/city.h"
#include "cities/city_area.h"
#include "cities/city_growth_rules.h"
#include "cities/city_network.h"
#include "platform/random.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

constexpr int32_t kPlanLines[10] = {1, 4, 7, 10, 12, 14, 16, 19, 22, 25};
constexpr int32_t kLast = kCityAreaSize - 1;
// Far more empty segments at a line's end than a working generator draws.
constexpr int32_t kMaxEmptySegments = 1000;

// The piece whose connections are those of p and q together.
int32_t MergePieces(int32_t p, int32_t q) {
    const auto connections = [](int32_t piece) {
        return piece >= 0 && piece < kWayPieceCount ? PieceConnectionMask[piece] : 0;
    };
    return PieceFromConnections[(connections(p) | connections(q)) & 15];
}

bool IsPlayerRoad(const MapField& f) {
    return f.wegtyp() == kWayGravelRoad || f.wegtyp() == kWayAsphaltRoad;
}

// Bridge fields, their ends and tunnel portals: a city neither lays a
// street on them nor takes one over. Span fields count as well, not only the
// ends: a planned street there, or a road under the span merged with its
// planned piece, could run along the bridge under it up to the bridge's
// ends and join them from below (the road builder refuses a way along a
// span for that reason), and the network, which reads a span field by its
// bridge, would never link along such a street.
bool IsBridgeOrPortal(const MapField& f) {
    return f.bridge_flag() || f.bridge_end() || f.tportal();
}

// Fields the plan never lays a street on: those above, and any field
// carrying a track, a player road's level crossing too.
bool IsSpecialWayField(const MapField& f) {
    return IsBridgeOrPortal(f) || IsLevelCrossing(f.wegteil()) || f.gleisr() != 0;
}

// A street of the city that a new street may join: no vehicle on it, no
// bridge end, no tunnel portal.
bool IsJoinableStreet(const MapField* n, int32_t number) {
    return IsCityStreetOf(n, number) && n->belegt() == 0 && !n->bridge_end() && !n->tportal();
}

}  // namespace

int32_t CCity::PieceFromPlan(int32_t dx, int32_t dy) const {
    int32_t mask = 0;
    if (dy > 0 && street_grid[dx][dy - 1] > 0) mask |= kDirN;
    if (dx < kLast && street_grid[dx + 1][dy] > 0) mask |= kDirE;
    if (dy < kLast && street_grid[dx][dy + 1] > 0) mask |= kDirS;
    if (dx > 0 && street_grid[dx - 1][dy] > 0) mask |= kDirW;
    return PieceFromConnections[mask];
}

void CCity::RefitPlanPiece(int32_t dx, int32_t dy) {
    if (street_grid[dx][dy] > 0) street_grid[dx][dy] = PieceFromPlan(dx, dy) + 1;
}

void CCity::PrepareStreetGrid() {
    for (auto& column : street_grid) std::fill(std::begin(column), std::end(column), 0);

    // Lines along dy: segments of two or three steps sharing their end
    // cells, with gaps between them; a gap is always followed by a segment.
    // At the last cell the segments have no length, and the line ends with
    // the next gap.
    for (const int32_t dx : kPlanLines) {
        int32_t dy = 0;
        bool afterGap = false;
        int32_t emptySegments = 0;
        while (dy < kCityAreaSize) {
            int32_t r = plat::Rand() % 2;
            if (afterGap) r = 0;
            if (r == 0) {
                const int32_t length = std::min(plat::Rand() % 2 + 2, kLast - dy);
                for (int32_t k = dy; k <= dy + length; ++k) street_grid[dx][k] = 1;
                afterGap = false;
                // Without a cap, a random source that never gives an odd
                // number would keep drawing empty segments for ever.
                if (length == 0 && ++emptySegments == kMaxEmptySegments) break;
                dy += length;
            } else {
                dy += plat::Rand() % 7 + 1;
                afterGap = true;
            }
        }
    }

    // Connecting runs along dx from a line cell to the next line.
    const auto isLineValue = [](int32_t v) { return v >= 1 && v <= 3; };
    const auto runAt = [&](int32_t lineDx, int32_t dy, int32_t& first, int32_t& last) {
        int32_t start = -1;
        for (const int32_t sx : {lineDx, lineDx - 1, lineDx + 1}) {
            if (sx >= 0 && sx <= kLast && isLineValue(street_grid[sx][dy])) {
                start = sx;
                break;
            }
        }
        if (start < 0) return false;
        first = start + 1;
        last = start;
        while (last + 1 <= kLast) {
            const int32_t v = street_grid[last + 1][dy];
            if (isLineValue(v)) break;
            ++last;
        }
        return last >= first;
    };
    for (const int32_t lineDx : kPlanLines) {
        int32_t dy = 0;
        while (true) {
            dy += plat::Rand() % 2 + 2;
            if (dy >= 23) break;
            int32_t first = 0;
            int32_t last = 0;
            if (!runAt(lineDx, dy, first, last)) continue;
            // Keep off a parallel run right beside this one.
            bool above = false;
            bool below = false;
            bool belowFree = true;
            bool aboveFree = true;
            for (int32_t x = first; x <= last; ++x) {
                above = above || (dy >= 1 && street_grid[x][dy - 1] == 2);
                below = below || street_grid[x][dy + 1] == 2;
                belowFree = belowFree && street_grid[x][dy + 1] == 0 && street_grid[x][dy + 2] == 0;
                aboveFree = aboveFree && dy >= 1 && street_grid[x][dy - 1] == 0;
            }
            if (above && below) continue;
            int32_t row = dy;
            if (above && belowFree) row = dy + 1;
            if (below && aboveFree) row = dy - 1;
            if (row != dy && !runAt(lineDx, row, first, last)) continue;
            for (int32_t x = first; x <= last; ++x) street_grid[x][row] = 2;
            for (int32_t x = first; x <= last; ++x) RefitPlanPiece(x, row);
        }
    }

    for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
        for (int32_t dy = 0; dy < kCityAreaSize; ++dy) RefitPlanPiece(dx, dy);
    }
}

void CCity::ExtendStreets() {
    new_street_last = -1;
    const auto append = [&](int32_t dx, int32_t dy) {
        if (new_street_last + 1 < kCandidateListCap)
            street_candidates[++new_street_last] = {dx, dy};
    };

    // Player roads that join a street of the city become city streets, a
    // level crossing too: its track keeps its piece and directions.
    ForEachAreaField(*this, [&](int32_t dx, int32_t dy, int32_t x, int32_t y, MapField& f) {
        if (!IsPlayerRoad(f) || f.wegteil() == 0 || IsBridgeOrPortal(f)) return;
        if (x > 254 || y > 254 || HasTableBuilding(f) || CityBuildingOf(f) != 0) return;
        for (int32_t i = 0; i < 4; ++i) {
            const MapField* n = AreaField(x + DirDx(i), y + DirDy(i));
            if (!IsCityStreetOf(n, number) || n->belegt() != 0) continue;
            if (PieceConnects(DirBitFromIndex(i), f.wegteil() - 1, n->wegteil() - 1) == 1) {
                append(dx, dy);
                return;
            }
        }
    });
    if (new_street_last >= 0) return;

    // Planned cells beside the net.
    ForEachAreaField(*this, [&](int32_t dx, int32_t dy, int32_t x, int32_t y, MapField& f) {
        const int32_t plan = street_grid[dx][dy];
        if (plan <= 0 || plan > kWayPieceCount) return;
        if (f.wegtyp() != 0 && !IsPlayerRoad(f)) return;
        if (IsSpecialWayField(f) || f.teile_art() == 0 || HasTableBuilding(f)) return;
        if (CityBuildingOf(f) != 0 || x > 254 || y > 254 || f.teile_diff() > 4) return;
        if (f.stadtnum() != 0 && f.stadtnum() != number) return;
        const int32_t slope = f.teile_diff();
        const int32_t piece = slope == 0 ? plan - 1 : RampWayPiece[slope - 1] - 1;
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t ndx = dx + DirDx(i);
            const int32_t ndy = dy + DirDy(i);
            if (ndx < 0 || ndx > kLast || ndy < 0 || ndy > kLast) continue;
            const MapField* n = AreaField(x + DirDx(i), y + DirDy(i));
            if (!IsJoinableStreet(n, number)) continue;
            if (PieceConnects(DirBitFromIndex(i), piece, n->wegteil() - 1) == 1) {
                append(dx, dy);
                return;
            }
        }
    });
}

void CCity::UpdateStreets() {
    if (new_street_last < 0) return;
    const CityCell cell = street_candidates[plat::Rand() % (new_street_last + 1)];
    const int32_t x = origin_x + cell.dx;
    const int32_t y = origin_y + cell.dy;
    MapField* f = AreaField(x, y);
    if (f == nullptr) return;
    MarkTerrainChanged(x, y);

    const int32_t plan = street_grid[cell.dx][cell.dy];
    const int32_t slope = f->teile_diff();
    const bool ramp = slope >= 1 && slope <= 4;
    if (f->wegtyp() == 0) {
        if (!ramp && (plan <= 0 || plan > kWayPieceCount)) return;
        f->set_feldchange(true);
        f->set_wegteil(static_cast<uint32_t>(ramp ? RampWayPiece[slope - 1] : plan));
    } else if (IsPlayerRoad(*f)) {
        if (plan > 0 && plan <= kWayPieceCount && f->wegteil() - 1 < 15) {
            const int32_t merged = MergePieces(plan - 1, f->wegteil() - 1) + 1;
            f->set_wegteil(static_cast<uint32_t>(ramp ? RampWayPiece[slope - 1] : merged));
        }
        f->set_feldchange(true);
    } else {
        return;
    }
    if (ClearForest(*f)) MarkObjectsChanged(x, y);
    f->set_wegtyp(kWayCityStreet);
    f->set_stadtnum(static_cast<uint32_t>(number));
    LinkStreetField(x, y);
}

void CCity::LinkStreetField(int32_t x, int32_t y) {
    LinkLaidStreetField(x, y);
}
