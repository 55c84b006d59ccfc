// Piece shapes, the way queries for vehicles and the re-fitting of direction
// masks.

#include <gtest/gtest.h>

#include "construction_fixture.h"
#include "world/field_queries.h"
#include "world/slope_shape.h"
#include "world/way_piece_tables.h"
#include "world/way_queries.h"

namespace {

class PiecesTest : public ConstructionTest {
  protected:
    // A way of `wayType` on (50, 50) and on the neighbours in `mask`; the
    // chosen `wegteil`.
    int32_t ChooseFor(uint8_t mask, int32_t wayType) {
        for (int32_t i = 0; i < 4; ++i) {
            const bool on = (mask & DirBitFromIndex(i)) != 0;
            F(50 + DirDx(i), 50 + DirDy(i)).set_wegtyp(on ? static_cast<uint32_t>(wayType) : 0);
            F(50 + DirDx(i), 50 + DirDy(i)).set_wegteil(on ? 1 : 0);
        }
        F(50, 50).set_wegtyp(static_cast<uint32_t>(wayType));
        F(50, 50).set_wegteil(1);
        return (IsRoadWay(wayType) ? CWayNetwork::ChooseRoadPiece(50, 50)
                                   : CWayNetwork::ChooseTrackPiece(50, 50)) +
               1;
    }
    int32_t Road(int32_t x, int32_t y) { return CWayNetwork::ChooseRoadPiece(x, y) + 1; }
    int32_t Track(int32_t x, int32_t y) { return CWayNetwork::ChooseTrackPiece(x, y) + 1; }
};

TEST_F(PiecesTest, PiecesFollowNeighboursSlopesPortalsAndBridgeEnds) {
    for (const int32_t t : {kWayGravelRoad, kWayMonorail}) {
        EXPECT_EQ(ChooseFor(kDirE, t), 2);  // a straight, not an end piece
        EXPECT_EQ(ChooseFor(kDirN | kDirE, t), 7);
        EXPECT_EQ(ChooseFor(kDirsAll, t), 11);
    }
    // Road neighbours count whatever their shape: curves pointing away.
    ChooseFor(kDirsAll, kWayAsphaltRoad);
    for (int32_t i = 0; i < 4; ++i) F(50 + DirDx(i), 50 + DirDy(i)).set_wegteil(9);
    EXPECT_EQ(Road(50, 50), 11);

    // Ramps rising N, E, S, W take 12, 14, 15, 13; a portal its straight.
    const int32_t ramp[4] = {12, 14, 15, 13};
    const int32_t high[4][4] = {{1, 1, 0, 0}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 0, 1, 0}};
    for (int32_t slope = 1; slope <= 4; ++slope) {
        const int32_t x = 20 + 4 * slope, y = 20;
        for (int32_t k = 0; k < 4; ++k) F(x + k % 2, y + k / 2).set_hoehe(2 + high[slope - 1][k]);
        ASSERT_EQ(GetSlopeShape(x, y), slope);
        F(x, y).set_wegtyp(kWayGravelRoad);
        EXPECT_EQ(Road(x, y), ramp[slope - 1]);
        EXPECT_EQ(Track(x, y), ramp[slope - 1]);
        F(x, y).set_tportal(true);
        EXPECT_EQ(Road(x, y), slope % 2 == 1 ? 1 : 2);
    }
    // A bridge end takes the piece of its code (a ramp rising south for code
    // 2); without a code it keeps the piece of its neighbours.
    MapField& end = F(80, 80);
    end.set_bridge_end(true);
    end.set_bridge_flag(true);
    end.set_bridge_piece(2);
    EXPECT_EQ(Track(80, 80), 15);
    end.set_bridge_piece(0);
    F(81, 80).set_wegtyp(kWayGravelRoad);
    F(81, 80).set_wegteil(2);
    EXPECT_EQ(Road(80, 80), 2);
    // The last corners of the map are not taken for a slope.
    F(255, 255).set_hoehe(9);
    EXPECT_EQ(GetSlopeShape(254, 254), 0);
    EXPECT_EQ(GetSlopeShape(256, 0), -2);
}

TEST_F(PiecesTest, RailJoinsALevelCrossingInLineMonorailNeverAndNoPortalFacingAway) {
    // The crossing to the N has its road E-W (17), so its track runs N-S.
    for (int32_t t : {kWayRail, kWayMonorail}) {
        F(60, 60).set_wegtyp(static_cast<uint32_t>(t));
        F(60, 60).set_wegteil(1);
        F(60, 59).set_wegtyp(kWayGravelRoad);
        F(60, 59).set_wegteil(kCrossingRoadEW);
        F(61, 60).set_wegtyp(static_cast<uint32_t>(t));
        F(61, 60).set_wegteil(2);
        EXPECT_EQ(Track(60, 60), t == kWayRail ? 7 : 2);
        F(60, 59).set_wegteil(kCrossingRoadNS);  // track E-W: not in line
        EXPECT_EQ(Track(60, 60), 2);
    }
    // A level crossing keeps its shape when re-fitted.
    UpdateTrackPieceShape(60, 59);
    UpdateRoadPieceShape(60, 59);
    EXPECT_EQ(F(60, 59).wegteil(), kCrossingRoadNS);

    F(70, 70).set_wegtyp(kWayRail);
    F(70, 70).set_wegteil(1);
    MapField& portal = F(71, 70);  // E neighbour: counts only with slope 2
    portal.set_wegtyp(kWayRail);
    portal.set_wegteil(2);
    portal.set_tportal(true);
    portal.set_teile_diff(4);
    EXPECT_EQ(Track(70, 70), 1);
    portal.set_teile_diff(2);
    EXPECT_EQ(Track(70, 70), 2);
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

TEST_F(PiecesTest, VehicleQueriesOnCrossingsJunctionsAndStations) {
    MapField& f = F(90, 90);
    f.set_wegtyp(kWayGravelRoad);
    f.set_wegteil(kCrossingRoadNS);
    f.set_gleisr(kDirsEW);
    f.set_richtung(kDirsNS);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayMonorail), 0);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayRail), kDirsEW);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), kDirsNS);
    EXPECT_EQ(GetWayDirections(90, 90, kWayRail), kDirsEW);  // the crossing's track
    // A junction connects only where its mask has a way.
    f.set_wegteil(3);
    f.set_richtung(4);
    EXPECT_EQ(GetPieceConnections(90, 90, kWayGravelRoad), kDirE | kDirS);
    f.set_wegteil(1);
    EXPECT_EQ(GetRoadLane(90, 90, kDirN), 2);
    EXPECT_EQ(GetRoadLane(90, 90, kDirS), 1);

    // A type 6 station anchored at (20, 21): row 21 is its head line.
    for (auto [x, y] : {std::pair{20, 21}, {21, 20}}) {
        F(x, y).set_building_flag(true);
        F(x, y).set_geb_num(2);
        F(x, y).set_geb_typ(6);
    }
    services_.AddBuilding(2, 20, 21);
    EXPECT_EQ(GetTerminalKindAt(20, 21), 5);
    EXPECT_EQ(GetTerminalKindAt(21, 20), 4);
    EXPECT_EQ(GetBuildingTypeAt(21, 20), 5);
    EXPECT_EQ(GetBuildingTypeAt(20, 21), 6);
    // A city house holds no building of the table.
    F(30, 30).set_stadtnum(3);
    F(30, 30).set_stadtb(5);
    EXPECT_EQ(GetTerminalKindAt(30, 30), 0);
    EXPECT_EQ(GetBuildingTypeAt(30, 30), -2);
}

TEST_F(PiecesTest, MasksNodesAndEndsOfRoadsCrossingsDepotsAndPortals) {
    LayWay({{100, 100}, {101, 100}}, kWayGravelRoad);
    EXPECT_EQ(F(100, 100).richtung(), kDirE);
    EXPECT_TRUE(F(100, 100).ende());
    LayWay({{101, 99}, {101, 101}, {102, 100}}, kWayGravelRoad);
    EXPECT_TRUE(F(101, 100).knoten());
    EXPECT_EQ(F(101, 100).richtung(), kDirsAll);
    EXPECT_FALSE(F(101, 100).ende());

    // A depot joins the road only through its exit.
    LayWay({{110, 110}, {111, 110}}, kWayGravelRoad);
    MapField& depot = F(112, 110);
    depot.set_building_flag(true);
    depot.set_geb_num(4);
    services_.AddBuilding(4, 112, 110);
    depot.set_wegtyp(kWayCityStreet);
    depot.set_wegteil(2);
    for (int32_t type : {1, 3}) {
        depot.set_geb_typ(static_cast<uint32_t>(type));
        Helper().UpdateWayPiecesAround(111, 110);
        Helper().UpdateWayPiecesAround(112, 110);
        EXPECT_EQ((F(111, 110).richtung() & kDirE) != 0, type == 3) << "depot type " << type;
        EXPECT_EQ(depot.richtung(), DirBitFromIndex(type));
    }

    // A level crossing re-fits both its parts.
    LayLine(120, 118, 120, 122, kWayGravelRoad);
    LayLine(118, 120, 122, 120, kWayRail);
    F(120, 120).set_wegtyp(kWayGravelRoad);
    F(120, 120).set_wegteil(kCrossingRoadNS);
    F(120, 120).set_richtung(0);
    F(120, 120).set_gleisr(0);
    Helper().UpdateWayPiecesAround(120, 120);
    EXPECT_EQ(F(120, 120).richtung(), kDirsNS);
    EXPECT_EQ(F(120, 120).gleisr(), kDirsEW);

    // A tunnel portal always has its own direction.
    MapField& portal = F(130, 130);
    portal.set_wegtyp(kWayGravelRoad);
    portal.set_wegteil(2);
    portal.set_tportal(true);
    portal.set_teile_diff(2);
    Helper().ConnectRoadPieces(130, 130);
    EXPECT_EQ(portal.richtung(), kDirE);
    EXPECT_TRUE(portal.ende());
    F(129, 130).set_wegtyp(kWayGravelRoad);
    F(129, 130).set_wegteil(2);
    Helper().ConnectRoadPieces(130, 130);
    EXPECT_EQ(portal.richtung(), kDirsEW);
    EXPECT_FALSE(portal.ende());
}

}  // namespace
