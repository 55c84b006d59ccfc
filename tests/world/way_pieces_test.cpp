// Piece shapes, piece joins, the way queries for vehicles and the re-fitting
// of direction masks.

#include <gtest/gtest.h>

#include "world/field_queries.h"
#include "world/slope_shape.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"
#include "world_fixture.h"

namespace {

class PiecesTest : public WorldTest {
  protected:
    // A road or track of `wayType` on the field and on the neighbours whose
    // direction bits are in `mask`; returns the chosen `wegteil`.
    int32_t ChooseFor(uint8_t mask, int32_t wayType) {
        const int32_t x = 50, y = 50;
        for (int32_t i = 0; i < 4; ++i) {
            MapField& n = F(x + DirDx(i), y + DirDy(i));
            const bool on = (mask & DirBitFromIndex(i)) != 0;
            n.set_wegtyp(on ? static_cast<uint32_t>(wayType) : 0);
            n.set_wegteil(on ? 1 : 0);
        }
        F(x, y).set_wegtyp(static_cast<uint32_t>(wayType));
        F(x, y).set_wegteil(1);
        const uint8_t piece = IsRoadWay(wayType) ? CWayNetwork::ChooseRoadPiece(x, y)
                                                 : CWayNetwork::ChooseTrackPiece(x, y);
        return piece + 1;
    }
    // Raises the corners of field (x, y) to make slope shape 1..4.
    void MakeRamp(int32_t x, int32_t y, int32_t slope) {
        // Corner heights: NW (x, y), NE (x+1, y), SW (x, y+1), SE (x+1, y+1).
        const bool high[4][4] = {{true, true, false, false},
                                 {false, true, false, true},
                                 {false, false, true, true},
                                 {true, false, true, false}};
        const int32_t cx[4] = {0, 1, 0, 1}, cy[4] = {0, 0, 1, 1};
        for (int32_t k = 0; k < 4; ++k) {
            F(x + cx[k], y + cy[k]).set_hoehe(high[slope - 1][k] ? 3 : 2);
        }
        ASSERT_EQ(GetSlopeShape(x, y), slope);
    }
};

TEST_F(PiecesTest, EveryConnectionMaskGivesItsPiece) {
    const int32_t expected[16] = {1, 1, 2, 7, 1, 1, 9, 4, 2, 10, 2, 6, 8, 5, 3, 11};
    for (uint8_t mask = 0; mask < 16; ++mask) {
        EXPECT_EQ(ChooseFor(mask, kWayGravelRoad), expected[mask]) << "road mask " << int(mask);
        EXPECT_EQ(ChooseFor(mask, kWayMonorail), expected[mask]) << "track mask " << int(mask);
    }
}

TEST_F(PiecesTest, RoadNeighboursCountWhateverTheirShape) {
    // All four neighbours are curves that point away: still a crossing.
    EXPECT_EQ(ChooseFor(15, kWayAsphaltRoad), 11);
    for (int32_t i = 0; i < 4; ++i) F(50 + DirDx(i), 50 + DirDy(i)).set_wegteil(9);
    EXPECT_EQ(CWayNetwork::ChooseRoadPiece(50, 50) + 1, 11);
    // A single neighbour to the E gives the E-W straight, not an end piece.
    EXPECT_EQ(ChooseFor(kDirE, kWayGravelRoad), 2);
}

TEST_F(PiecesTest, RampsPortalsAndBridgeEnds) {
    const int32_t ramp[4] = {12, 14, 15, 13};
    const int32_t portal[4] = {1, 2, 1, 2};
    for (int32_t slope = 1; slope <= 4; ++slope) {
        const int32_t x = 20 + 4 * slope, y = 20;
        MakeRamp(x, y, slope);
        F(x, y).set_wegtyp(kWayGravelRoad);
        EXPECT_EQ(CWayNetwork::ChooseRoadPiece(x, y) + 1, ramp[slope - 1]);
        EXPECT_EQ(CWayNetwork::ChooseTrackPiece(x, y) + 1, ramp[slope - 1]);
        F(x, y).set_tportal(true);
        EXPECT_EQ(CWayNetwork::ChooseRoadPiece(x, y) + 1, portal[slope - 1]);
    }
    const int32_t bridgeEnd[8] = {12, 15, 1, 1, 14, 13, 2, 2};
    for (int32_t code = 1; code <= 8; ++code) {
        MapField& f = F(80, 80);
        f.set_bridge_end(true);
        f.set_bridge_flag(true);
        f.set_bridge_piece(static_cast<uint32_t>(code));
        EXPECT_EQ(CWayNetwork::ChooseRoadPiece(80, 80) + 1, bridgeEnd[code - 1]);
        EXPECT_EQ(CWayNetwork::ChooseTrackPiece(80, 80) + 1, bridgeEnd[code - 1]);
    }
    // A bridge end without a bridge code keeps the piece of its neighbours.
    F(80, 80).set_bridge_piece(0);
    F(81, 80).set_wegtyp(kWayGravelRoad);
    F(81, 80).set_wegteil(2);
    EXPECT_EQ(CWayNetwork::ChooseRoadPiece(80, 80) + 1, 2);
}

TEST_F(PiecesTest, RailJoinsALevelCrossingInLineAndMonorailNever) {
    // The crossing to the N has its road E-W (17), so its track runs N-S.
    for (int32_t t : {kWayRail, kWayMonorail}) {
        F(60, 60).set_wegtyp(static_cast<uint32_t>(t));
        F(60, 60).set_wegteil(1);
        F(60, 59).set_wegtyp(kWayGravelRoad);
        F(60, 59).set_wegteil(kCrossingRoadEW);
        EXPECT_EQ(CWayNetwork::ChooseTrackPiece(60, 60) + 1, 1);
        F(61, 60).set_wegtyp(static_cast<uint32_t>(t));
        F(61, 60).set_wegteil(2);
        // N + E: a curve for rail; E alone (a straight) for monorail.
        EXPECT_EQ(CWayNetwork::ChooseTrackPiece(60, 60) + 1, t == kWayRail ? 7 : 2);
        F(60, 59).set_wegteil(kCrossingRoadNS);  // track E-W: not in line
        EXPECT_EQ(CWayNetwork::ChooseTrackPiece(60, 60) + 1, 2);
    }
    // A level crossing keeps its shape when re-fitted.
    UpdateTrackPieceShape(60, 59);
    UpdateRoadPieceShape(60, 59);
    EXPECT_EQ(F(60, 59).wegteil(), kCrossingRoadNS);
}

TEST_F(PiecesTest, ShapeUpdatesWriteOnlyChangesAndAskForARedrawInView) {
    LayLine(140, 140, 142, 140, kWayRail);
    F(141, 141).set_wegtyp(kWayRail);
    F(141, 141).set_wegteil(1);
    game_.state().redraw_terrain = 0;
    F(141, 140).set_feldchange(false);
    UpdateTrackPieceShape(141, 140);  // now a T: E, S, W
    EXPECT_EQ(F(141, 140).wegteil(), 3);
    EXPECT_TRUE(F(141, 140).feldchange());
    EXPECT_EQ(game_.state().redraw_terrain, 0);  // not in view
    services_.state().view.tile_in_view = 1;
    F(141, 141).set_wegteil(0);
    F(141, 141).set_wegtyp(0);
    UpdateTrackPieceShape(141, 140);
    EXPECT_EQ(F(141, 140).wegteil(), 2);
    EXPECT_EQ(game_.state().redraw_terrain, 1);
    F(141, 140).set_feldchange(false);
    UpdateTrackPieceShape(141, 140);  // unchanged: nothing written
    EXPECT_FALSE(F(141, 140).feldchange());
    // A road piece is re-chosen only on a road field that has a piece.
    F(150, 150).set_wegtyp(kWayGravelRoad);
    UpdateRoadPieceShape(150, 150);
    EXPECT_EQ(F(150, 150).wegteil(), 0);
}

TEST_F(PiecesTest, TrackIgnoresAPortalFacingAway) {
    F(70, 70).set_wegtyp(kWayRail);
    F(70, 70).set_wegteil(1);
    MapField& portal = F(71, 70);  // E neighbour: counts only with slope 2
    portal.set_wegtyp(kWayRail);
    portal.set_wegteil(2);
    portal.set_tportal(true);
    portal.set_teile_diff(4);
    EXPECT_EQ(CWayNetwork::ChooseTrackPiece(70, 70) + 1, 1);
    portal.set_teile_diff(2);
    EXPECT_EQ(CWayNetwork::ChooseTrackPiece(70, 70) + 1, 2);
}

TEST_F(PiecesTest, PieceJoins) {
    EXPECT_EQ(PieceConnects(kDirE, 1, 1), 1);
    EXPECT_EQ(PieceConnects(kDirN, 1, 1), 0);
    EXPECT_EQ(PieceConnects(kDirN, 0, 0), 1);
    EXPECT_EQ(PieceConnects(kDirS, 6, 0), 0);   // 7 (N, E) has no S exit
    EXPECT_EQ(PieceConnects(kDirE, 6, 7), 1);   // N-E curve into S-W curve
    EXPECT_EQ(PieceConnects(3, 10, 10), 0);     // not a direction bit
    EXPECT_EQ(PieceConnects(kDirE, -1, 1), 0);  // a field without a piece
    EXPECT_EQ(PieceConnects(kDirE, 1, 17), 0);
    EXPECT_EQ(PieceConnects(kDirE, 31, 1), 0);
}

TEST_F(PiecesTest, PieceConnectionsForVehicles) {
    MapField& f = F(90, 90);
    f.set_wegtyp(kWayMonorail);
    f.set_wegteil(2);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayRail), 0);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayMonorail), kDirsEW);
    f.set_wegtyp(kWayGravelRoad);
    f.set_wegteil(kCrossingRoadNS);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayMonorail), 0);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayRail), kDirsEW);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), kDirsNS);
    f.set_wegteil(11);
    f.set_richtung(kDirE);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), kDirsEW);
    f.set_richtung(7);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), kDirsAll);
    f.set_wegteil(3);
    f.set_richtung(4);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), kDirE | kDirS);
    f.set_richtung(1);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), 0);
    EXPECT_EQ(GetPieceConnections(90, 90, 0), 0);
    EXPECT_EQ(GetPieceConnections(-1, 90, kWayGravelRoad), 0);
}

TEST_F(PiecesTest, WayDirectionsLanesAndFlags) {
    MapField& f = F(91, 91);
    f.set_wegtyp(kWayRail);
    f.set_gleisr(kDirN | kDirE);
    f.set_richtung(kDirW);
    EXPECT_EQ(GetWayDirections(91, 91, kWayRail), kDirN | kDirE);
    EXPECT_EQ(GetWayDirections(91, 91, kWayGravelRoad), kDirW);
    f.set_tportal(true);
    f.set_teile_diff(2);
    EXPECT_EQ(GetWayDirections(91, 91, kWayRail), kDirsEW);
    f.set_tportal(false);
    f.set_wegteil(kCrossingRoadEW);
    EXPECT_EQ(GetWayDirections(91, 91, kWayRail), kDirsNS);
    EXPECT_EQ(GetWayDirections(91, 91, kWayGravelRoad), kDirsEW);

    EXPECT_EQ(GetRoadLane(91, 91, kDirN), 0);  // a track field
    f.set_wegtyp(kWayGravelRoad);
    f.set_wegteil(1);
    EXPECT_EQ(GetRoadLane(91, 91, kDirN), 2);
    EXPECT_EQ(GetRoadLane(91, 91, kDirS), 1);
    f.set_wegteil(11);
    f.set_richtung(6);
    EXPECT_EQ(GetRoadLane(91, 91, kDirS), 2);
    f.set_richtung(15);
    EXPECT_EQ(GetRoadLane(91, 91, kDirS), 0);

    f.set_geb_change(true);
    EXPECT_EQ(TestFieldFlag(91, 91, 1), 1);
    EXPECT_EQ(TestFieldFlag(91, 91, 2), 0);
    EXPECT_EQ(TestFieldFlag(91, 91, 3), 0);
    EXPECT_EQ(TestFieldFlag(256, 91, 1), 0);
}

TEST_F(PiecesTest, TerminalKinds) {
    auto place = [&](int32_t x, int32_t y, int32_t type, int32_t number) {
        F(x, y).set_building_flag(true);
        F(x, y).set_geb_num(static_cast<uint32_t>(number));
        F(x, y).set_geb_typ(static_cast<uint32_t>(type));
    };
    place(10, 10, 2, 1);
    services_.AddBuilding(1, 10, 10);
    EXPECT_EQ(GetTerminalKindAt(10, 10), 1);
    // A type 6 station anchored at (20, 21): row 21 is its head line.
    services_.AddBuilding(2, 20, 21);
    place(20, 21, 6, 2);
    place(21, 20, 6, 2);
    EXPECT_EQ(GetTerminalKindAt(20, 21), 5);
    EXPECT_EQ(GetTerminalKindAt(21, 20), 4);
    EXPECT_EQ(GetBuildingTypeAt(21, 20), 5);
    EXPECT_EQ(GetBuildingTypeAt(20, 21), 6);
    // A city house and a forest field hold no building of the table.
    F(30, 30).set_stadtnum(3);
    F(30, 30).set_stadtb(5);
    EXPECT_EQ(GetTerminalKindAt(30, 30), 0);
    EXPECT_EQ(GetBuildingTypeAt(30, 30), -2);
    place(31, 31, 14, 3);
    F(31, 31).set_forest_flag(true);
    EXPECT_EQ(GetBuildingTypeAt(31, 31), -2);
    EXPECT_EQ(GetBuildingTypeAt(-1, 0), -2);
}

TEST_F(PiecesTest, RoadMasksNodesAndEnds) {
    LayWay({{100, 100}, {101, 100}}, kWayGravelRoad);
    EXPECT_EQ(F(100, 100).richtung(), kDirE);
    EXPECT_TRUE(F(100, 100).ende());
    LayWay({{101, 99}, {101, 101}, {102, 100}}, kWayGravelRoad);
    EXPECT_TRUE(F(101, 100).knoten());
    EXPECT_EQ(F(101, 100).richtung(), kDirsAll);
    EXPECT_FALSE(F(101, 100).ende());
}

TEST_F(PiecesTest, RoadEndsAtADepotOnlyThroughItsExit) {
    LayWay({{110, 110}, {111, 110}}, kWayGravelRoad);
    MapField& depot = F(112, 110);  // E of the road: must be type 3 to join
    depot.set_building_flag(true);
    depot.set_geb_num(4);
    services_.AddBuilding(4, 112, 110);
    depot.set_wegtyp(kWayCityStreet);
    depot.set_wegteil(2);
    for (int32_t type : {1, 3}) {
        depot.set_geb_typ(static_cast<uint32_t>(type));
        helper_.UpdateWayPiecesAround(111, 110);
        helper_.UpdateWayPiecesAround(112, 110);
        EXPECT_EQ((F(111, 110).richtung() & kDirE) != 0, type == 3) << "depot type " << type;
        EXPECT_EQ(depot.richtung(), DirBitFromIndex(type));  // the depot's exit
    }
}

TEST_F(PiecesTest, CrossingRefitsBothParts) {
    LayLine(120, 118, 120, 122, kWayGravelRoad);
    LayLine(118, 120, 122, 120, kWayRail);
    F(120, 120).set_wegtyp(kWayGravelRoad);
    F(120, 120).set_wegteil(kCrossingRoadNS);
    F(120, 120).set_richtung(0);
    F(120, 120).set_gleisr(0);
    helper_.UpdateWayPiecesAround(120, 120);
    EXPECT_EQ(F(120, 120).richtung(), kDirsNS);
    EXPECT_EQ(F(120, 120).gleisr(), kDirsEW);
}

TEST_F(PiecesTest, TunnelPortalAlwaysHasItsOwnDirection) {
    MapField& portal = F(130, 130);
    portal.set_wegtyp(kWayGravelRoad);
    portal.set_wegteil(2);
    portal.set_tportal(true);
    portal.set_teile_diff(2);
    helper_.ConnectRoadPieces(130, 130);
    EXPECT_EQ(portal.richtung(), kDirE);
    EXPECT_TRUE(portal.ende());
    F(129, 130).set_wegtyp(kWayGravelRoad);
    F(129, 130).set_wegteil(2);
    helper_.ConnectRoadPieces(130, 130);
    EXPECT_EQ(portal.richtung(), kDirsEW);
    EXPECT_FALSE(portal.ende());
}

TEST_F(PiecesTest, SlopeShapes) {
    EXPECT_EQ(GetSlopeShape(10, 10), 0);
    F(11, 10).set_hoehe(3);
    EXPECT_EQ(GetSlopeShape(10, 10), 5);  // NE corner up
    F(11, 11).set_hoehe(3);
    EXPECT_EQ(GetSlopeShape(10, 10), 2);
    EXPECT_EQ(GetSlopeShape(256, 0), -2);
    F(255, 255).set_hoehe(9);
    EXPECT_EQ(GetSlopeShape(254, 254), 0);  // the last corners are not taken
    EXPECT_EQ(GetSlopeShape(255, 255), 0);
}

}  // namespace
