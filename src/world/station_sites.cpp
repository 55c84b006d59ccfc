// Train station sites: the track must line up with the network's owner, and
// the station must keep its distance from other stations and truck depots.
// The rules along x (types 6 and 8) and along y (types 7 and 9) are not a
// rotation of each other; each is written out as it stands.

#include <initializer_list>

#include "economy/building_table.h"
#include "state/acting_player.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/field_queries.h"
#include "world/way_queries.h"

namespace {

// The raw building type of a field's word, read only where a building of the
// table stands (building flag, no forest or bridge); -2 elsewhere.
int32_t RawBuildingType(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr || !f->building_flag() || f->no_building_mask()) return kOffMap;
    return f->geb_typ();
}

bool IsStationField(int32_t x, int32_t y) {
    const int32_t type = RawBuildingType(x, y);
    return type >= 6 && type <= 9;
}

bool IsDepotField(int32_t x, int32_t y) {
    const int32_t type = RawBuildingType(x, y);
    return type >= 0 && type <= 3;
}

CBuilding* BuildingOn(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr || g_ppBuildings == nullptr) return nullptr;
    return g_ppBuildings->At(f->geb_num());
}

// A field of the track line that carries a way of another player than the
// one building.
bool ForeignWayOn(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f != nullptr && f->wegtyp() != kWayNone && f->spieler() != g_ActingPlayer;
}

// Distance limits of another station, by its head type.
struct StationLimits {
    bool valid = false;
    int32_t n = 0, s = 0, w = 0, e = 0;
};

StationLimits LimitsOfStationAt(int32_t x, int32_t y) {
    StationLimits limits;
    if (GetTerminalKindAt(x, y) < 4) return limits;
    CBuilding* station = BuildingOn(x, y);
    if (station == nullptr) return limits;
    const int32_t sx = station->anchor_x;
    const int32_t sy = station->anchor_y;
    const int32_t length = station->GetLength();
    switch (GetBuildingTypeAt(sx, sy)) {
        case 6:
            limits = {true, sy - length + 4, sy - length - 4, sx + 4, sx - 4};
            break;
        case 7:
            limits = {true, sy + 4, sy - 4, sx + 5, sx - 3};
            break;
        case 8:
            limits = {true, sy + 5, sy - 3, sx + 4, sx - 4};
            break;
        case 9:
            limits = {true, sy + 4, sy - 4, sx - length + 4, sx - length - 4};
            break;
        default:
            break;
    }
    return limits;
}

// Runs `refuses` on the limits of every station field of the rectangle
// x0..x1, y0..y1 (either order); true when one refuses.
template <typename Refuses>
bool AnyStationRefuses(int32_t x0, int32_t x1, int32_t y0, int32_t y1, Refuses refuses) {
    const int32_t xa = x0 < x1 ? x0 : x1, xb = x0 < x1 ? x1 : x0;
    const int32_t ya = y0 < y1 ? y0 : y1, yb = y0 < y1 ? y1 : y0;
    for (int32_t fx = xa; fx <= xb; ++fx) {
        for (int32_t fy = ya; fy <= yb; ++fy) {
            const StationLimits limits = LimitsOfStationAt(fx, fy);
            if (limits.valid && refuses(limits)) return true;
        }
    }
    return false;
}

// Sites along x: type 6 has its track on row y, type 8 on row y + 1.
int32_t CheckStationSiteAlongX(int32_t x, int32_t y, int32_t r) {
    int32_t result = 1;
    for (int32_t k = 0; k < 4; ++k) {
        if (ForeignWayOn(x + k, r)) result = 0;
    }
    for (int32_t d = 1; d <= 4; ++d) {
        const int32_t type = RawBuildingType(x - d, r);
        const CBuilding* station = type == 7 || type == 9 ? BuildingOn(x - d, r) : nullptr;
        if (station == nullptr) continue;
        const int32_t gap = x - station->anchor_x;
        if (type == 7 && gap < 6) result = 0;
        if (type == 9 && station->GetLength() + gap < 6) result = 0;
    }
    for (int32_t fy = y - 1; fy <= y + 2; ++fy) {
        for (const int32_t fx : {x - 1, x + 4}) {
            if (IsStationField(fx, fy) || IsDepotField(fx, fy)) result = 0;
        }
    }
    for (int32_t fx = x; fx <= x + 3; ++fx) {
        if (IsStationField(fx, y - 1) || IsStationField(fx, y + 2)) result = 0;
    }
    if (result == 0) return 0;

    for (int32_t k = 0; k < 4; ++k) {
        const int32_t fx = x + k;
        if (AnyStationRefuses(fx, fx, y - 1, r - 4,
                              [&](const StationLimits& l) { return r <= l.n; }) ||
            GetTerminalKindAt(fx, y - 1) == 1) {
            return 0;
        }
    }
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t fx = x + k;
        if (AnyStationRefuses(fx, fx, y + 2, r + 4,
                              [&](const StationLimits& l) { return l.s <= r; }) ||
            GetTerminalKindAt(fx, y + 2) == 1) {
            return 0;
        }
    }
    if (AnyStationRefuses(x - 4, x - 1, r - 1, r - 4,
                          [&](const StationLimits& l) { return x <= l.w && r <= l.n; }) ||
        AnyStationRefuses(x - 4, x - 1, r + 1, r + 4,
                          [&](const StationLimits& l) { return x <= l.w; }) ||
        AnyStationRefuses(x + 4, x + 4, r, r + 4,
                          [&](const StationLimits& l) { return l.e <= x; }) ||
        AnyStationRefuses(x + 4, x + 4, r - 1, r - 4,
                          [&](const StationLimits& l) { return r <= l.n; })) {
        return 0;
    }
    return 1;
}

// Sites along y: type 7 has its track on column x + 1 (spacing 6 to a
// station ahead on it), type 9 on column x (spacing 5).
int32_t CheckStationSiteAlongY(int32_t x, int32_t y, int32_t t, int32_t spacing) {
    int32_t result = 1;
    for (int32_t k = 0; k < 4; ++k) {
        if (ForeignWayOn(t, y + k)) result = 0;
    }
    for (int32_t d = 1; d <= 4; ++d) {
        const int32_t type = RawBuildingType(t, y - d);
        const CBuilding* station = type == 6 || type == 8 ? BuildingOn(t, y - d) : nullptr;
        if (station == nullptr) continue;
        const int32_t gap = y - station->anchor_y;
        if (type == 6 && station->GetLength() + gap < spacing) result = 0;
        if (type == 8 && gap < spacing) result = 0;
    }
    for (int32_t fx = x - 1; fx <= x + 2; ++fx) {
        for (const int32_t fy : {y - 1, y + 4}) {
            if (IsStationField(fx, fy) || IsDepotField(fx, fy)) result = 0;
        }
    }
    for (int32_t fy = y; fy <= y + 3; ++fy) {
        if (IsStationField(x - 1, fy) || IsStationField(x + 2, fy)) result = 0;
    }
    if (result == 0) return 0;

    for (int32_t k = 0; k < 4; ++k) {
        const int32_t fy = y + k;
        if (AnyStationRefuses(x - 1, t - 4, fy, fy,
                              [&](const StationLimits& l) { return t <= l.w; }) ||
            GetTerminalKindAt(x - 1, fy) == 1) {
            return 0;
        }
    }
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t fy = y + k;
        if (AnyStationRefuses(x + 2, t + 4, fy, fy,
                              [&](const StationLimits& l) { return l.e <= t; }) ||
            GetTerminalKindAt(x + 2, fy) == 1) {
            return 0;
        }
    }
    if (AnyStationRefuses(t - 1, t - 4, y - 1, y - 4,
                          [&](const StationLimits& l) { return t <= l.w && y <= l.n; }) ||
        AnyStationRefuses(t + 1, t + 4, y - 1, y - 4,
                          [&](const StationLimits& l) { return y <= l.n; }) ||
        AnyStationRefuses(t + 1, t + 4, y + 4, y + 4,
                          [&](const StationLimits& l) { return l.s <= y; }) ||
        AnyStationRefuses(t - 4, t, y + 4, y + 4,
                          [&](const StationLimits& l) { return t <= l.w; })) {
        return 0;
    }
    return 1;
}

}  // namespace

int32_t CBuildHelper::CheckStationSite6(int32_t x, int32_t y) {
    return CheckStationSiteAlongX(x, y, y);
}

int32_t CBuildHelper::CheckStationSite7(int32_t x, int32_t y) {
    return CheckStationSiteAlongY(x, y, x + 1, 6);
}

int32_t CBuildHelper::CheckStationSite8(int32_t x, int32_t y) {
    return CheckStationSiteAlongX(x, y, y + 1);
}

int32_t CBuildHelper::CheckStationSite9(int32_t x, int32_t y) {
    return CheckStationSiteAlongY(x, y, x, 5);
}
