// Re-fitting way fields after a change: direction masks, node and end marks
// (CBuildHelper) and piece shapes.

#include <bit>

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/build_helper.h"
#include "world/field_queries.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

CBuildHelper* g_pBuildHelper = nullptr;

namespace {

// The truck depot type whose exit faces a field from its N, E, S, W side.
constexpr int32_t kDepotFacing[4] = {2, 3, 0, 1};

// Pieces that always carry a node: the T-junctions and the crossing.
bool IsJunctionPiece(int32_t p) {
    return (p >= 2 && p <= 5) || p == 10;
}

int32_t WayTypeOf(const MapField& field) {
    return field.bridge_end() ? field.bridge_wegtyp() : field.wegtyp();
}

// A tunnel portal joins a neighbour only along its ramp, leading away.
bool PortalFaces(const MapField& neighbour, int32_t i) {
    return !neighbour.tportal() || neighbour.teile_diff() == i + 1;
}

bool RoadNeighbourConnects(int32_t x, int32_t y, int32_t p, int32_t i) {
    const int32_t nx = x + DirDx(i);
    const int32_t ny = y + DirDy(i);
    const MapField* n = FieldAt(nx, ny);
    if (n == nullptr) return false;
    const int32_t building = GetBuildingTypeAt(nx, ny);
    if (building != kOffMap && building != kDepotFacing[i]) return false;
    if (!PortalFaces(*n, i)) return false;
    const int32_t tn = WayTypeOf(*n);
    const int32_t qn = n->wegteil() - 1;
    return IsRoadWay(tn) && qn >= 0 && PieceConnects(DirBitFromIndex(i), p, qn) == 1;
}

bool TrackNeighbourConnects(const MapField& field, int32_t x, int32_t y, int32_t ownType, int32_t p,
                            int32_t i) {
    const MapField* n = FieldAt(x + DirDx(i), y + DirDy(i));
    if (n == nullptr || n->spieler() != field.spieler() || !PortalFaces(*n, i)) return false;
    int32_t qn = n->wegteil() - 1;
    const uint8_t inLine = (i == kDirIndexN || i == kDirIndexS) ? kCrossingRoadEW : kCrossingRoadNS;
    if (IsRoadWay(n->wegtyp()) && n->wegteil() == inLine) {
        // Only rail joins a level crossing; the crossing is matched by its
        // track part, which runs like the other crossing's road part.
        if (ownType != kWayRail) return false;
        qn = (n->wegteil() == kCrossingRoadNS) ? kCrossingRoadEW - 1 : kCrossingRoadNS - 1;
    } else if (WayTypeOf(*n) != ownType) {
        return false;
    }
    return qn >= 0 && PieceConnects(DirBitFromIndex(i), p, qn) == 1;
}

// The direction mask of a field by the three cases: a tunnel portal or a
// bridge end always has its own direction and may add the opposite one; a
// plain field has every connecting neighbour (and is re-marked as a node).
template <typename Connects>
uint8_t ConnectedMask(MapField& field, int32_t p, Connects connects) {
    uint8_t own = 0;
    if (field.tportal()) {
        own = SlopeDirection(field.teile_diff());
    } else if (field.bridge_end()) {
        own = BridgeCodeDirection(field.bridge_piece());
    } else {
        field.set_knoten(false);
        uint8_t mask = 0;
        for (int32_t i = 0; i < 4; ++i) {
            if (connects(i)) mask |= DirBitFromIndex(i);
        }
        if (std::popcount(mask) >= 3 || IsJunctionPiece(p)) field.set_knoten(true);
        return mask;
    }
    uint8_t mask = own;
    if (own != 0) {
        const uint8_t opposite = OppositeDirBits(own);
        if (connects(DirIndexFromBit(opposite))) mask |= opposite;
    }
    return mask;
}

}  // namespace

void CBuildHelper::ConnectRoadPieces(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    const int32_t p = field->wegteil() - 1;
    uint8_t mask =
        ConnectedMask(*field, p, [&](int32_t i) { return RoadNeighbourConnects(x, y, p, i); });
    const int32_t building = GetBuildingTypeAt(x, y);
    if (building >= 0 && building <= 3) mask = DirBitFromIndex(building);  // depot exit
    field->set_richtung(mask);
    if (field->knotennummer() != 0) field->set_knoten(true);
    field->set_ende(std::popcount(mask) == 1);
}

void CBuildHelper::ConnectTrackPieces(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    int32_t ownType = WayTypeOf(*field);
    int32_t p = field->wegteil() - 1;
    if (IsLevelCrossing(field->wegteil())) {
        // The track part of a crossing: rail, straight E-W (16) or N-S (17).
        ownType = kWayRail;
        p = (field->wegteil() == kCrossingRoadNS) ? 1 : 0;
    }
    const uint8_t mask = ConnectedMask(
        *field, p, [&](int32_t i) { return TrackNeighbourConnects(*field, x, y, ownType, p, i); });
    field->set_gleisr(mask);
    if (field->knotennummer() != 0) field->set_knoten(true);
    field->set_ende(false);
}

void CBuildHelper::UpdateWayPiecesAround(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || field->wegtyp() == 0) return;
    const bool crossing = IsLevelCrossing(field->wegteil());
    if (IsRoadWay(field->wegtyp())) {
        ConnectRoadPieces(x, y);
        if (crossing) ConnectTrackPieces(x, y);
    } else if (IsTrackWay(field->wegtyp())) {
        ConnectTrackPieces(x, y);
        if (crossing) ConnectRoadPieces(x, y);
    }
}

void UpdateRoadPieceShape(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr || !IsRoadWay(field->wegtyp()) || field->wegteil() == 0) return;
    const uint8_t piece = CWayNetwork::ChooseRoadPiece(x, y);
    if (piece == field->wegteil() - 1) return;
    field->set_wegteil(piece + 1u);
    field->set_feldchange(true);
}

void UpdateTrackPieceShape(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    if (!IsTrackWay(field->wegtyp()) && !IsLevelCrossing(field->wegteil())) return;
    const uint8_t piece = CWayNetwork::ChooseTrackPiece(x, y);
    if (piece == field->wegteil() - 1) return;
    field->set_wegteil(piece + 1u);
    field->set_feldchange(true);
    const bool inView = Views().IsTileInView(x, y);
    if (inView && g_pGameState != nullptr) g_pGameState->redraw_terrain = 1;
}
