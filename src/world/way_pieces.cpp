// Choosing the piece shape of a road or track field from its neighbours, its
// slope, a tunnel portal and a bridge end.

#include "state/map_field.h"
#include "world/slope_shape.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

// The piece of a ramp field, or -1 for a field that is not one of the four
// plain ramps.
int32_t RampPiece(const MapField& field, int32_t slope) {
    if (slope < 1 || slope > 4) return -1;
    return (field.tportal() ? PortalWayPiece[slope - 1] : RampWayPiece[slope - 1]) - 1;
}

// A bridge end with a bridge code 1..8 takes its bridge-end piece; any other
// field keeps the piece chosen so far.
uint8_t ApplyBridgeEnd(const MapField& field, int32_t piece) {
    if (field.bridge_end() && field.bridge_flag()) {
        const int32_t code = field.bridge_piece();
        if (code >= 1 && code <= 8) return static_cast<uint8_t>(BridgeEndWayPiece[code - 1] - 1);
    }
    return static_cast<uint8_t>(piece);
}

bool IsTrackField(const MapField& field) {
    return IsTrackWay(field.wegtyp()) || IsLevelCrossing(field.wegteil());
}

}  // namespace

uint8_t CWayNetwork::ChooseRoadPiece(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return 0;
    // A level crossing keeps its piece: its road part is fixed by the track.
    if (IsLevelCrossing(field->wegteil())) return static_cast<uint8_t>(field->wegteil() - 1);
    const int32_t ramp = RampPiece(*field, GetSlopeShape(x, y));
    if (ramp >= 0) return ApplyBridgeEnd(*field, ramp);

    uint8_t mask = 0;
    for (int32_t i = 0; i < 4; ++i) {
        const MapField* n = FieldAt(x + DirDx(i), y + DirDy(i));
        if (n != nullptr && IsRoadWay(n->wegtyp()) && n->wegteil() != 0) {
            mask |= DirBitFromIndex(i);
        }
    }
    return ApplyBridgeEnd(*field, PieceFromConnections[mask]);
}

uint8_t CWayNetwork::ChooseTrackPiece(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return 0;
    // A level crossing keeps its piece: its track part is fixed by the road.
    if (IsLevelCrossing(field->wegteil())) return static_cast<uint8_t>(field->wegteil() - 1);
    const int32_t ramp = RampPiece(*field, GetSlopeShape(x, y));
    if (ramp >= 0) return ApplyBridgeEnd(*field, ramp);

    const int32_t t = field->wegtyp();
    uint8_t mask = 0;
    for (int32_t i = 0; i < 4; ++i) {
        const MapField* n = FieldAt(x + DirDx(i), y + DirDy(i));
        if (n == nullptr) continue;
        // A portal counts only when its ramp leads away from this field.
        if (n->tportal() && n->teile_diff() != i + 1) continue;
        const bool sameType = IsTrackField(*n) && n->wegtyp() == t;
        const uint8_t crossingInLine =
            (i == kDirIndexN || i == kDirIndexS) ? kCrossingRoadEW : kCrossingRoadNS;
        const bool joinsCrossing = t == kWayRail && n->wegteil() == crossingInLine;
        if (sameType || joinsCrossing) mask |= DirBitFromIndex(i);
    }
    return ApplyBridgeEnd(*field, PieceFromConnections[mask]);
}
