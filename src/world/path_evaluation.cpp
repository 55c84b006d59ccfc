// Exit masks of the path planner. A step from field F in direction D to its
// neighbour G is allowed when both fields have a slope along D, carry ground
// or a bridge end, hold no building in the way, no way the planned way may not
// join or cross, and G is no portal or bridge facing elsewhere. Depots,
// tunnel portals and bridges then override the mask of F.

#include "world/path_evaluation.h"

#include "state/acting_player.h"
#include "state/map_field.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"

namespace {

// What a step in one direction (index N, E, S, W) allows.
struct StepRule {
    uint8_t slopes[3];        // slope shapes allowed on F and G
    int32_t depotType;        // the truck depot on G whose exit faces F
    int32_t portalSlope;      // the slope of a portal G
    uint8_t bridgeCodes[3];   // the bridge codes of a bridge field G
    uint8_t roadCrossesRail;  // a rail `wegteil` a road may cross at a right angle
    uint8_t crossingAlong;    // the level crossing whose road runs along the step
    uint8_t stationKind;      // station body kind a track may run through
};

constexpr StepRule kRules[4] = {
    {{0, 1, 3}, 2, 1, {1, 3, 11}, 2, kCrossingRoadNS, 4},  // N
    {{0, 2, 4}, 3, 2, {5, 7, 9}, 1, kCrossingRoadEW, 5},   // E
    {{0, 1, 3}, 0, 3, {2, 4, 11}, 2, kCrossingRoadNS, 4},  // S
    {{0, 2, 4}, 1, 4, {6, 8, 9}, 1, kCrossingRoadEW, 5},   // W
};

bool SlopeAllowed(const StepRule& rule, int32_t slope) {
    return slope == rule.slopes[0] || slope == rule.slopes[1] || slope == rule.slopes[2];
}

bool HasGround(const MapField& field) {
    return field.teile_art() != 0 || field.bridge_end();
}

bool HasCityBuilding(const MapField& field) {
    return field.stadtnum() > 0 && !field.no_building_mask() && !field.building_flag() &&
           field.stadtb() != 0;
}

bool BridgeCodeAllowed(const StepRule& rule, int32_t code) {
    return code == rule.bridgeCodes[0] || code == rule.bridgeCodes[1] ||
           code == rule.bridgeCodes[2];
}

// A road may run on no way, on a road (not a level crossing), across a
// straight rail at a right angle, or along the road part of a level crossing.
bool RoadMayUseWay(const StepRule& rule, const MapField& field) {
    const int32_t t = field.wegtyp();
    const int32_t w = field.wegteil();
    return t == 0 || (t < 4 && w < 16) || (t == kWayRail && w == rule.roadCrossesRail) ||
           w == rule.crossingAlong;
}

// A track may run on no way, on track of its own type, and rail also along the
// track part of a level crossing or across a straight road at a right angle.
bool TrackMayUseWay(const StepRule& rule, const MapField& field, int32_t wayType) {
    const int32_t t = field.wegtyp();
    const int32_t w = field.wegteil();
    if (t == 0 || (t == wayType && w < 16)) return true;
    if (wayType != kWayRail) return false;
    const uint8_t trackAlong =
        rule.crossingAlong == kCrossingRoadNS ? kCrossingRoadEW : kCrossingRoadNS;
    const uint8_t roadAcross = rule.roadCrossesRail;  // a straight road across the step
    return w == trackAlong || (IsRoadWay(t) && w == roadAcross);
}

// The planners step on ways of nobody or of the planning player; a computer
// opponent also keeps off every track but its own (a road across another
// player's rails would make a level crossing on it).
bool MayStepOn(const MapField& f) {
    const int32_t p = g_ActingPlayer;
    if (f.spieler() != 0 && f.spieler() != p) return false;
    return p == 0 || !IsTrackWay(f.wegtyp()) || f.spieler() == p;
}

// The shared tests of a step from F to G; the way and building rules differ.
template <typename FieldAllowed>
uint8_t StepMask(int32_t x, int32_t y, FieldAllowed allowed, bool roadBridgesOnly) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr) return 0;
    uint8_t mask = 0;
    for (int32_t i = 0; i < 4; ++i) {
        const StepRule& rule = kRules[i];
        const int32_t gx = x + DirDx(i);
        const int32_t gy = y + DirDy(i);
        const MapField* g = FieldAt(gx, gy);
        if (g == nullptr || !MayStepOn(*f) || !MayStepOn(*g)) continue;
        if (!SlopeAllowed(rule, f->teile_diff()) || !HasGround(*f)) continue;
        if (!SlopeAllowed(rule, g->teile_diff()) || !HasGround(*g)) continue;
        if (!allowed(rule, *f, x, y, false) || !allowed(rule, *g, gx, gy, true)) continue;
        if (g->tportal() && g->teile_diff() != rule.portalSlope) continue;
        if (g->bridge_flag()) {
            // A road keeps off track bridges altogether; a track checks only
            // the code, so it passes under the span of a bridge of any way.
            const bool typeFits = !roadBridgesOnly || g->bridge_wegtyp() < 4;
            if (!typeFits || !BridgeCodeAllowed(rule, g->bridge_piece())) continue;
        }
        mask |= DirBitFromIndex(i);
    }
    return mask;
}

// A bridge field leaves only along its bridge: an end towards its span (when
// the bridge carries the planned kind of way), a span field along its axis.
uint8_t BridgeMask(const MapField& field, bool endFits) {
    const int32_t code = field.bridge_piece();
    if (code == 9) return kDirsEW;
    if (code == 11) return kDirsNS;
    if (!endFits) return 0;
    return OppositeDirBits(BridgeCodeDirection(code));
}

}  // namespace

uint8_t EvaluateRoadPathField(int32_t x, int32_t y) {
    auto allowed = [](const StepRule& rule, const MapField& field, int32_t fx, int32_t fy,
                      bool isNeighbour) {
        if (!RoadMayUseWay(rule, field) || HasCityBuilding(field)) return false;
        if (!isNeighbour) return field.BuildingNumber() == 0;
        const int32_t building = GetBuildingTypeAt(fx, fy);
        return building == kOffMap || building == rule.depotType;
    };
    uint8_t mask = StepMask(x, y, allowed, true);

    const MapField* f = FieldAt(x, y);
    if (f == nullptr) return 0;
    const int32_t building = GetBuildingTypeAt(x, y);
    if (building >= 0 && building <= 3 && IsRoadWay(f->wegtyp())) {
        mask = DirBitFromIndex(building);  // a depot is left only through its exit
    }
    if (f->tportal() && IsRoadWay(f->wegtyp())) {
        mask = OppositeDirBits(SlopeDirection(f->teile_diff()));
    }
    if (f->bridge_flag()) mask = BridgeMask(*f, f->bridge_wegtyp() < 4);
    return mask;
}

uint8_t EvaluateTrackPathField(int32_t x, int32_t y, int32_t wayType) {
    auto allowed = [wayType](const StepRule& rule, const MapField& field, int32_t fx, int32_t fy,
                             bool) {
        if (!TrackMayUseWay(rule, field, wayType)) return false;
        if (field.BuildingNumber() == 0) return true;
        return field.building_flag() && GetBuildingTypeAt(fx, fy) == rule.stationKind;
    };
    uint8_t mask = StepMask(x, y, allowed, false);

    const MapField* f = FieldAt(x, y);
    if (f == nullptr) return 0;
    if (f->tportal() && f->wegtyp() == wayType) {
        mask = OppositeDirBits(SlopeDirection(f->teile_diff()));
    }
    if (f->bridge_flag()) mask = BridgeMask(*f, f->bridge_wegtyp() == wayType);
    return mask;
}
