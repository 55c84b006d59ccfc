// Keeping the graph in step with the map: following a way from a field across
// plain way fields, through tunnels and over bridges to the next node field,
// and creating, rewriting or clearing the link between the two nodes. The
// link cost is the number of field steps walked.

#include <bit>
#include <functional>

#include "economy/building_table.h"
#include "state/map_field.h"
#include "transport/vehicle_services.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

// No walk takes more steps than this; consistent maps never come near it.
constexpr int32_t kMaxWalkSteps = 65536;

enum class WalkMode {
    Link,    // LinkFromField
    Follow,  // RelinkField and UnlinkFromField
};

struct WalkResult {
    bool found = false;     // the walk reached a far end E
    bool cameBack = false;  // the walk returned to its start (Follow mode)
    int32_t x = 0;          // the far end E
    int32_t y = 0;
    int32_t back = 0;       // direction index at E back towards the start
    int32_t length = 0;     // field steps walked
    bool occupied = false;  // a track field passed outside tunnels and bridges is taken by a train
};

bool IsSingleDirection(int32_t bits) {
    return bits == kDirN || bits == kDirE || bits == kDirS || bits == kDirW;
}

uint8_t WayBits(const MapField& field, bool track) {
    return track ? field.gleisr() : field.richtung();
}

// The piece index of a field for the join test; on a track walk the level
// crossings count by their track part (16 as the E-W straight, 17 as N-S).
int32_t WalkPiece(const MapField& field, bool track) {
    const int32_t w = field.wegteil();
    if (track && w == kCrossingRoadNS) return 1;
    if (track && w == kCrossingRoadEW) return 0;
    return w - 1;
}

// `visit`, when given, is called for every field passed between the start and
// the far end, with true inside a tunnel or on a bridge.
using WalkVisit = std::function<void(int32_t, int32_t, bool)>;

WalkResult Walk(int32_t x, int32_t y, uint8_t d, bool track, WalkMode mode, bool testJoin,
                const WalkVisit* visit = nullptr) {
    WalkResult result;
    const MapField* start = FieldAt(x, y);
    int32_t stepIndex = DirIndexFromBit(d);
    if (start == nullptr || stepIndex < 0) return result;

    int32_t cx = x + DirDx(stepIndex);
    int32_t cy = y + DirDy(stepIndex);
    const MapField* c = FieldAt(cx, cy);
    if (c == nullptr) return result;
    bool inTunnel = start->tportal() && !c->tportal() && c->tunnel() &&
                    c->tunnel_hoehe() == start->tunnel_hoehe();
    bool onBridge = start->bridge_end() && !c->bridge_end() && c->bridge_flag();
    if (testJoin && PieceConnects(d, WalkPiece(*start, track), WalkPiece(*c, track)) == 0) {
        return result;
    }

    int32_t length = 1;
    for (int32_t steps = 0; steps < kMaxWalkSteps; ++steps) {
        if (mode == WalkMode::Follow && cx == x && cy == y) {
            result.cameBack = true;
            return result;
        }
        // Inside a tunnel or on a bridge the nodes of the ground above or
        // below are passed.
        if (c->knoten()) {
            const bool passes = mode == WalkMode::Link
                                    ? (inTunnel && !c->tportal()) || (onBridge && !c->bridge_end())
                                    : (inTunnel || onBridge) && !c->tportal() && !c->bridge_end();
            if (!passes) break;
        }
        const int32_t e = OppositeDirBits(DirBitFromIndex(stepIndex));
        const int32_t r = WayBits(*c, track);
        const int32_t rest = r - e;
        const bool free = !inTunnel && !onBridge;
        if (free) {
            const bool wayEnds = mode == WalkMode::Link ? (rest < 1 || (r & e) == 0) : rest < 1;
            if (wayEnds) break;
            if (track && c->belegt() == 3) result.occupied = true;
        }
        ++length;
        if (visit != nullptr) (*visit)(cx, cy, !free && !c->tportal() && !c->bridge_end());

        int32_t next = DirBitFromIndex(stepIndex);
        bool entered = false;
        if (c->tportal()) {
            inTunnel = !inTunnel;
            if (inTunnel) {
                next = SlopeDirection(c->teile_diff());
                entered = true;
            }
        }
        if (c->bridge_end() && !inTunnel) {
            onBridge = !onBridge;
            if (onBridge) {
                next = BridgeCodeDirection(c->bridge_piece());
                entered = true;
            }
        }
        if (!inTunnel && !onBridge && !entered) next = rest;
        // A plain field has exactly two directions; anything else ends here.
        if (!IsSingleDirection(next)) break;
        const int32_t nextIndex = DirIndexFromBit(static_cast<uint8_t>(next));
        const MapField* n = FieldAt(cx + DirDx(nextIndex), cy + DirDy(nextIndex));
        if (n == nullptr) break;
        cx += DirDx(nextIndex);
        cy += DirDy(nextIndex);
        c = n;
        stepIndex = nextIndex;
    }
    result.found = true;
    result.x = cx;
    result.y = cy;
    result.back = OppositeDirIndex(stepIndex);
    result.length = length;
    return result;
}

bool HasTrackPart(const MapField& field) {
    return field.wegtyp() >= 4 || IsLevelCrossing(field.wegteil());
}

// A train standing on a station body field reserves its link.
void ReserveStationLink(CWayNetwork& network, int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || GetTerminalKindAt(x, y) != 4 || field->belegt() != 3) return;
    const CVehicle* vehicle = FindVehicleAtField(x, y);
    if (vehicle != nullptr) network.SetLinkFlag(field->knotennummer(), vehicle->direction >> 4);
}

// Follows the way leaving (x, y) in direction d to its far end, first the
// road part of the field, then its track part, and lets `atFarEnd` act
// there. The result is that of the last part walked (0 when the part has no
// way in direction d or its walk finds no far end).
template <typename AtFarEnd>
int32_t FollowEachPart(int32_t x, int32_t y, int32_t d, bool testJoin, AtFarEnd atFarEnd) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || !IsSingleDirection(d)) return 0;
    const uint8_t bit = static_cast<uint8_t>(d);
    int32_t result = 0;
    for (const bool track : {false, true}) {
        if (track ? !HasTrackPart(*field) : field->wegtyp() >= 4) continue;
        result = 0;
        if ((WayBits(*field, track) & bit) == 0) continue;
        const WalkResult walk = Walk(x, y, bit, track, WalkMode::Follow, testJoin);
        if (walk.found) result = atFarEnd(track, walk);
    }
    return result;
}

}  // namespace

void CWayNetwork::LinkFromField(int32_t x, int32_t y, int32_t d) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || !IsSingleDirection(d)) return;
    const uint8_t bit = static_cast<uint8_t>(d);
    const bool roadPart = field->wegtyp() < 4 && (field->richtung() & bit) != 0;
    const bool trackPart = HasTrackPart(*field) && (field->gleisr() & bit) != 0;

    for (const bool track : {false, true}) {
        if (track ? !trackPart : !roadPart) continue;
        if (field->knotennummer() == 0) CreateNode(x, y);
        const int32_t from = field->knotennummer();
        if (from == 0) return;  // the node table is full
        const WalkResult walk = Walk(x, y, bit, track, WalkMode::Link, true);
        if (!walk.found) continue;
        const MapField* end = FieldAt(walk.x, walk.y);
        const uint8_t endBits = WayBits(*end, track);
        if ((endBits == 0 || IsSingleDirection(endBits)) && !end->knoten()) {
            // The way ends without a node: no link in this direction.
            if (WayNode* node = Node(from)) {
                node->ziel[DirIndexFromBit(bit)] = 0;
                node->cost[DirIndexFromBit(bit)] = 0;
            }
            continue;
        }
        if (end->knotennummer() == 0) CreateNode(walk.x, walk.y);
        const int32_t to = end->knotennummer();
        if (to == 0) continue;
        LinkNodes(from, DirIndexFromBit(bit), to, walk.back, walk.length, walk.occupied ? 1 : 0);
        if (track) {
            ReserveStationLink(*this, x, y);
            ReserveStationLink(*this, walk.x, walk.y);
        }
    }
}

int32_t CWayNetwork::WalkTrackLink(int32_t x, int32_t y, int32_t d,
                                   const std::function<void(int32_t, int32_t, bool)>& each) const {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || !IsSingleDirection(d) || !HasTrackPart(*field)) return 0;
    if ((field->gleisr() & d) == 0) return 0;
    const WalkResult walk = Walk(x, y, static_cast<uint8_t>(d), true, WalkMode::Link, true, &each);
    const MapField* end = walk.found ? FieldAt(walk.x, walk.y) : nullptr;
    return end != nullptr && end->knoten() ? static_cast<int32_t>(end->knotennummer()) : 0;
}

int32_t CWayNetwork::TrackLinkThrough(int32_t x, int32_t y, bool passing, int32_t& dir) const {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return 0;
    // Under or over the ground the link is the tunnel's or the bridge's: it
    // is named from the node beyond the portal or bridge end the line of
    // bore or span fields leads to.
    const auto within = [field](const MapField& f) {
        return field->tunnel() ? f.tunnel() && !f.tportal() : f.bridge_flag() && !f.bridge_end();
    };
    const bool under = field->tunnel() && !field->tportal();
    const bool over = field->bridge_flag() && !field->bridge_end();
    for (int32_t i = 0; i < 4; ++i) {
        const uint8_t bit = DirBitFromIndex(i);
        int32_t sx = x;
        int32_t sy = y;
        if (passing) {
            if (!under && !over) return 0;
            const MapField* f = field;
            for (int32_t k = 0; k < kMapSize && f != nullptr && within(*f); ++k) {
                sx += DirDx(i);
                sy += DirDy(i);
                f = FieldAt(sx, sy);
            }
            if (f == nullptr || !(under ? f->tportal() : f->bridge_end())) continue;
        } else if (field->knoten() || !HasTrackPart(*field) || (field->gleisr() & bit) == 0) {
            continue;
        }
        const WalkResult walk = Walk(sx, sy, bit, true, WalkMode::Link, !passing);
        const MapField* end = walk.found ? FieldAt(walk.x, walk.y) : nullptr;
        if (end == nullptr || !end->knoten()) continue;
        const WayNode* node = Node(static_cast<int32_t>(end->knotennummer()));
        if (node == nullptr || node->ziel[walk.back] <= 0) continue;
        dir = walk.back;
        return static_cast<int32_t>(end->knotennummer());
    }
    return 0;
}

int32_t CWayNetwork::RelinkField(int32_t x, int32_t y, int32_t d) {
    return FollowEachPart(x, y, d, true, [&](bool track, const WalkResult& walk) {
        const MapField* end = FieldAt(walk.x, walk.y);
        const uint8_t endBits = WayBits(*end, track);
        if (std::popcount(endBits) <= 1 && !end->knoten()) return 0;
        for (int32_t i = 0; i < 4; ++i) {
            if (endBits & DirBitFromIndex(i)) LinkFromField(walk.x, walk.y, DirBitFromIndex(i));
        }
        return 1;
    });
}

int32_t CWayNetwork::UnlinkFromField(int32_t x, int32_t y, int32_t d) {
    return FollowEachPart(x, y, d, false, [&](bool track, const WalkResult& walk) {
        const MapField* end = FieldAt(walk.x, walk.y);
        if (track && end->ende()) return 0;  // a track end keeps its link
        ClearLink(end->knotennummer(), walk.back);
        return end->ende() ? 0 : 1;
    });
}
