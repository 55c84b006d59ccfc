// Raising and lowering corners (limits, prices, obstacles, the tunnel roof,
// the brush), area demolition of ways, stations, city buildings and runs, and
// random sequences of every builder checked against the map.

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "app/app_globals.h"
#include "construction_fixture.h"
#include "platform/random.h"
#include "world/field_queries.h"

namespace {

class TerrainTest : public ConstructionTest {
  protected:
    int32_t H(int32_t x, int32_t y) { return F(x, y).hoehe(); }
    void SetBrush(int32_t n) { Services().panel.brush_size = n; }
    // Raises or lowers the corner and returns what it cost, checked against
    // the preview; a refused change (preview -1) leaves the world as it was.
    int64_t Raise(int32_t x, int32_t y) { return Change(true, x, y); }
    int64_t Change(bool raise, int32_t x, int32_t y) {
        const int32_t preview =
            raise ? Terrain().PreviewRaiseCost(x, y) : Terrain().PreviewLowerCost(x, y);
        const int64_t cash = Cash();
        const WorldSnapshot before = TakeSnapshot();
        raise ? Terrain().RaiseLand(x, y, 0) : Terrain().LowerLand(x, y, 0);
        const int64_t cost = cash - Cash();
        EXPECT_EQ(preview < 0 ? 0 : preview * 1000, cost) << "(" << x << ", " << y << ")";
        EXPECT_TRUE(preview >= 0 || SameWorld(before, TakeSnapshot(), true));
        return cost;
    }
};

TEST_F(TerrainTest, ARaisedCornerPushesItsNeighboursAndCostsPerStep) {
    // The field's north-west corner goes up, and the south-east one of the
    // field north-west of it; then the eight neighbours follow.
    EXPECT_EQ(Raise(100, 100), 1000);
    EXPECT_EQ(std::tuple(H(100, 100), F(100, 100).teile_diff(), F(99, 99).teile_diff()),
              std::tuple(3, 8, 6));
    EXPECT_EQ(Raise(100, 100), 9000);
    EXPECT_EQ(std::tuple(H(100, 100), H(99, 101), g_Statistics.PairThis(StatPair::F, 0)),
              std::tuple(4, 3, 10000));
    EXPECT_TRUE(HeightsSmooth(90, 90, 110, 110));
    // Filling water costs double.
    SetHeights(30, 30, 50, 50, 0);
    EXPECT_EQ(Raise(40, 40), 2000);
    EXPECT_EQ(F(40, 40).teile_art(), 0);  // height 1 sloping down stays water
    EXPECT_EQ(Raise(40, 40), 1000 + 8 * 2000);
    // The editor changes heights for free.
    GS().game_mode = kModeEditor;
    const int64_t cash = Cash();
    Terrain().RaiseLand(150, 150, 0);
    Terrain().LowerLand(160, 160, 0);
    EXPECT_EQ(std::tuple(H(150, 150), H(160, 160), Cash()), std::tuple(3, 1, cash));
}

TEST_F(TerrainTest, HeightLimitsAndTheEdgeRule) {
    for (int32_t k = 0; k < 12; ++k) Raise(128, 128);
    EXPECT_EQ(H(128, 128), 14);
    // Near an edge a corner may rise to h + 1 only h + 1 fields in; the far
    // edges count to 254. Lowering has no edge rule, water goes no lower.
    SetHeights(0, 90, 20, 110, 5);
    SetHeights(230, 90, 255, 110, 5);
    SetHeights(90, 230, 110, 255, 5);
    SetHeights(200, 200, 210, 210, 0);
    const struct {
        int32_t x, y;
        bool raise, refused;
    } cases[] = {{128, 128, true, true},  {5, 100, true, true},    {6, 100, true, false},
                 {249, 100, true, true},  {248, 100, true, false}, {100, 249, true, true},
                 {100, 248, true, false}, {205, 205, false, true}, {0, 50, false, false}};
    for (const auto& c : cases) {
        const int32_t before = H(c.x, c.y);
        EXPECT_EQ(Change(c.raise, c.x, c.y) == 0, c.refused) << c.x << ", " << c.y;
        EXPECT_EQ(H(c.x, c.y), c.refused ? before : before + (c.raise ? 1 : -1));
    }
    EXPECT_TRUE(HeightsSmooth(100, 100, 150, 150));
}

TEST_F(TerrainTest, ATunnelKeepsARoofOfEveryShapeButTheThinOnes) {
    // Field (100, 100) lies over a tunnel at height 5. For each shape it
    // may end up with at height 5 (corners NE, SW, SE relative to NW), one
    // corner is lowered onto that shape from a smooth start; the change is
    // refused exactly for the shapes 1, 4, 8, 9 and 11..14.
    static constexpr int32_t kDiffs[15][3] = {{0, 0, 0},    {0, -1, -1}, {1, 0, 1}, {0, 1, 1},
                                              {-1, 0, -1},  {1, 0, 0},   {0, 0, 1}, {0, 1, 0},
                                              {-1, -1, -1}, {0, -1, 0},  {1, 1, 1}, {-1, 0, 0},
                                              {0, 0, -1},   {-1, -1, 0}, {1, 1, 0}};
    static constexpr int32_t kLowered[15] = {0, 2, 0, 0, 1, 0, 0, 0, 1, 2, 0, 1, 3, 1, 0};
    for (int32_t shape = 0; shape < 15; ++shape) {
        const int32_t c = kLowered[shape];
        SetHeights(95, 95, 105, 105, 5);
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t h = 5 + (k == 0 ? 0 : kDiffs[shape][k - 1]) + (k == c ? 1 : 0);
            SetHeights(100 + k % 2, 100 + k / 2, 100 + k % 2, 100 + k / 2, h);
        }
        F(100, 100).set_tunnel(true);
        F(100, 100).set_tunnel_hoehe(5);
        const bool thin = shape == 1 || shape == 4 || shape == 8 || shape == 9 || shape > 10;
        const int64_t cash = Cash();
        Terrain().LowerLand(100 + c % 2, 100 + c / 2, 0);
        EXPECT_EQ(Terrain().refused, thin ? 1 : 0) << "shape " << shape;
        EXPECT_TRUE(thin || (F(100, 100).teile_diff() == shape && cash - Cash() == 1000))
            << "shape " << shape;
        F(100, 100).set_tunnel(false);
    }
    // Its north-west corner below the tunnel's height refuses (shape 10).
    SetHeights(95, 95, 105, 105, 5);
    F(100, 100).set_tunnel(true);
    F(100, 100).set_tunnel_hoehe(5);
    const WorldSnapshot before = TakeSnapshot();
    Terrain().LowerLand(100, 100, 0);
    EXPECT_EQ(Terrain().refused, 1);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot(), true));
}

TEST_F(TerrainTest, ObstaclesRefuseAndMarkTheFirstOne) {
    // A way, a building, a city house, a bridge, a portal; then a field
    // pushed along by the marking pass.
    const struct {
        int32_t x, y;
        void (*place)(MapField&);
    } obstacles[] = {
        {99, 99, [](MapField& f) { f.set_wegtyp(kWayGravelRoad); }},
        {100, 99, [](MapField& f) { f.set_data_word((14 << 10) | 1), f.set_building_flag(true); }},
        {99, 100, [](MapField& f) { f.set_stadtnum(1), f.set_stadtb(9); }},
        {100, 100, [](MapField& f) { f.set_bridge_flag(true); }},
        {100, 99, [](MapField& f) { f.set_tportal(true); }},
        {98, 98, [](MapField& f) { f.set_wegtyp(kWayRail); }},
    };
    for (const auto& o : obstacles) {
        if (o.x == 98) Raise(100, 100);
        o.place(F(o.x, o.y));
        const WorldSnapshot before = TakeSnapshot();
        g_MouseMoveTime.pending = 0;
        Terrain().refused = 0;
        EXPECT_EQ(Terrain().PreviewRaiseCost(100, 100), -1);
        Terrain().RaiseLand(100, 100, 0);
        EXPECT_EQ(std::tuple(Terrain().refused, Terrain().obstacle_x, Terrain().obstacle_y),
                  std::tuple(1, o.x, o.y));
        EXPECT_EQ(std::tuple(F(o.x, o.y).cursor(), g_MouseMoveTime.pending), std::tuple(2, 1));
        EXPECT_TRUE(SameWorld(before, TakeSnapshot(), true));
        F(o.x, o.y) = F(10, 10);
    }
}

TEST_F(TerrainTest, TheBrushRaisesTheLowestCornersOfItsSquare) {
    SetHeights(40, 40, 60, 60, 4);
    SetBrush(3);
    const int32_t preview = Terrain().GetRaiseCost(48, 48);
    const int64_t cash = Cash();
    Terrain().EditRaiseLand(48, 48);
    EXPECT_EQ(std::tuple(H(48, 48), H(50, 50), cash - Cash(), preview), std::tuple(5, 5, 9000, 9));
    EXPECT_EQ(GS().path_exit_mask[FieldIndex(49, 49)], 0);
    EXPECT_TRUE(HeightsSmooth(41, 41, 59, 59));
    // Raise the square again, then lower the highest corners of a smaller one.
    Terrain().EditRaiseLand(48, 48);
    EXPECT_EQ(H(48, 48), 6);
    SetBrush(2);
    Terrain().EditLowerLand(49, 49);  // corners 49..50 at 6 go down to 5
    EXPECT_EQ(std::pair(H(50, 50), H(48, 48)), std::pair(5, 6));
    EXPECT_TRUE(HeightsSmooth(41, 41, 59, 59));
}

class DemolitionTest : public ConstructionTest {
  protected:
    void Demolish(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        Terrain().DemolishArea(x1, y1, x2, y2);
    }
    void CityField(int32_t x, int32_t y, int32_t stadtb) {
        F(x, y).set_stadtnum(2);
        F(x, y).set_stadtb(static_cast<uint32_t>(stadtb));
    }
};

TEST_F(DemolitionTest, ADragOfFifteenClearsTenColumns) {
    DragRoad(10, 20, 35, 20, kWayGravelRoad);
    const int32_t length = NetworkLength();
    int32_t cx = 25, cy = 20;
    Terrain().DemolishArea(10, 20, cx, cy);
    EXPECT_EQ(std::tuple(cx, cy), std::tuple(19, 20));
    for (int32_t x = 10; x <= 35; ++x) EXPECT_EQ(F(x, 20).wegtyp(), x < 20 ? 0 : kWayGravelRoad);
    EXPECT_EQ(std::tuple(kStartCash - Cash(), length - NetworkLength()), std::tuple(10 * 440, 10));
    ASSERT_FALSE(Services().sound.effects.empty());
    EXPECT_EQ(Services().sound.effects.back().effect, 3);
    EXPECT_EQ(Services().view.redraws, 1);
    // Backwards the current field is pulled to start - 9.
    int32_t bx = 0, by = 5;
    Terrain().DemolishArea(30, 20, bx, by);
    EXPECT_EQ(std::tuple(bx, by), std::tuple(21, 11));
    EXPECT_EQ(std::tuple(F(21, 20).wegtyp(), F(31, 20).wegtyp()), std::tuple(0, kWayGravelRoad));
}

TEST_F(DemolitionTest, RemovalPricesByWayTypeAndTheNetworkLengthFloor) {
    const std::pair<int32_t, int32_t> cases[] = {
        {kWayGravelRoad, 440}, {kWayAsphaltRoad, 220}, {kWaySuperconductor, 420}};
    for (const auto& [wayType, price] : cases) {
        IsRoadWay(wayType) ? DragRoad(10, 3 * wayType, 12, 3 * wayType, wayType)
                           : DragTrack(10, 3 * wayType, 12, 3 * wayType, wayType);
        const int64_t cash = Cash();
        Net().DemolishWayField(11, 3 * wayType, 0);
        EXPECT_EQ(cash - Cash(), price) << wayType;
    }
    // A city street is paid for like gravel but leaves the network length.
    F(40, 40).set_wegtyp(kWayCityStreet);
    F(40, 40).set_wegteil(1);
    F(40, 40).set_stadtnum(2);
    const int32_t length = NetworkLength();
    int64_t cash = Cash();
    Demolish(40, 40, 40, 40);
    EXPECT_EQ(std::tuple(F(40, 40).wegtyp(), cash - Cash(), NetworkLength()),
              std::tuple(0, 440, length));
    ClearStatistics();
    Net().DemolishWayField(10, 3 * kWayGravelRoad, 0);
    EXPECT_EQ(NetworkLength(), 0);  // not below 0
    // The editor removes for free.
    GS().game_mode = kModeEditor;
    cash = Cash();
    Net().DemolishWayField(12, 3 * kWayGravelRoad, 0);
    F(40, 40).set_wegtyp(kWayCityStreet);
    F(40, 40).set_wegteil(1);
    Net().DemolishWayField(40, 40, 0);
    EXPECT_EQ(Cash(), cash);
}

TEST_F(DemolitionTest, ARoadNodeGoesWithAllItsLinksAPlainFieldClearsBothEnds) {
    DragRoad(10, 5, 10, 15, kWayGravelRoad);
    DragRoad(5, 10, 15, 10, kWayGravelRoad);  // crossing at (10, 10)
    DragRoad(5, 5, 5, 25, kWayGravelRoad);    // T at (5, 10)
    DragRoad(15, 5, 15, 25, kWayGravelRoad);  // T at (15, 10)
    DragRoad(5, 20, 15, 20, kWayGravelRoad);
    const int32_t centre = F(10, 10).knotennummer();
    ASSERT_EQ(LinkTarget(5, 10, kDirIndexE), centre);
    ASSERT_EQ(LinkTarget(5, 20, kDirIndexE), NodeAt(15, 20));
    Demolish(10, 10, 10, 10);
    EXPECT_EQ(Net().Node(centre), nullptr);
    EXPECT_EQ(LinkTarget(5, 10, kDirIndexE), 0);
    EXPECT_TRUE(F(9, 10).ende());
    Demolish(12, 20, 12, 20);
    EXPECT_EQ(LinkTarget(15, 20, kDirIndexW), 0);
    EXPECT_EQ(LinkTarget(5, 20, kDirIndexE), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 30, 30));
}

TEST_F(DemolitionTest, AStationWithATrainStaysAndOneBodyFieldTakesTheWholeRow) {
    DragTrack(30, 40, 50, 40, kWayRail);
    TestBuilding& station = Place(5, 6, 38, 40);  // track row 40, head row 41
    // A train on the platform: every field of the track row is occupied.
    for (int32_t x = 38; x <= 41; ++x) {
        station.occupied.insert({x, 40});
        F(x, 40).set_belegt(3);
    }
    const WorldSnapshot before = TakeSnapshot();
    Demolish(38, 40, 41, 41);
    EXPECT_TRUE(SameWorld(before, TakeSnapshot()));
    EXPECT_TRUE(Services().buildings.demolished.empty());
    // Empty again: one body field removes the track under all four.
    station.occupied.clear();
    for (int32_t x = 38; x <= 41; ++x) F(x, 40).set_belegt(0);
    const int64_t cash = Cash();
    Demolish(40, 40, 40, 40);
    EXPECT_EQ(F(38, 40).wegtyp(), 0);
    EXPECT_TRUE(F(38, 40).building_flag());  // the station stays
    EXPECT_EQ(cash - Cash(), 4 * 290);
    EXPECT_TRUE(GraphMatchesMap(Net(), 20, 20, 60, 60));
    // The whole station, head included.
    Demolish(38, 40, 41, 41);
    EXPECT_EQ(Services().buildings.demolished, std::vector<int32_t>{5});
    EXPECT_TRUE(GraphMatchesMap(Net(), 20, 20, 60, 60));
}

TEST_F(DemolitionTest, CityBuildingsTunnelsAndBridgesArePaidForWhole) {
    const std::pair<int32_t, int32_t> cases[] = {{5, 9000}, {15, 40000}, {54, 20000}, {55, 0}};
    for (const auto& [stadtb, price] : cases) {
        CityField(stadtb, 10, stadtb);
        const int64_t cash = Cash();
        Demolish(stadtb, 10, stadtb, 10);
        EXPECT_EQ(cash - Cash(), price) << stadtb;
        EXPECT_EQ(F(stadtb, 10).stadtb(), price > 0 ? 0 : stadtb) << stadtb;
    }
    // A tunnel or bridge end takes the whole run.
    SetHeights(10, 49, 30, 50, 3);
    Net().SetWayType(kWayRail - 1);
    ASSERT_EQ(Net().BuildTunnel(20, 50), 1);
    DragRoad(15, 49, 25, 49, kWayAsphaltRoad);  // over the tunnel
    Net().SetWayType(kWayGravelRoad - 1);
    ASSERT_EQ(Net().BuildBridge(40, 40, 40, 45, 0), 1);
    // A road field above the tunnel is cleared like any road; the tunnel stays.
    Demolish(20, 49, 20, 49);
    EXPECT_EQ(F(20, 49).wegtyp(), 0);
    EXPECT_TRUE(F(20, 49).tunnel());
    const int64_t cash = Cash();
    Demolish(20, 48, 20, 48);  // the far portal
    EXPECT_FALSE(F(20, 50).tportal() || F(20, 48).tportal());
    EXPECT_EQ(cash - Cash(), 3 * 290);
    Demolish(40, 40, 40, 40);
    EXPECT_FALSE(F(40, 45).bridge_flag());
    EXPECT_EQ(cash - Cash(), 3 * 290 + 6 * 160);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 60, 60));
    // In the editor a city building removes the city, for free.
    GS().game_mode = kModeEditor;
    CityField(40, 20, 5);
    const int64_t before = Cash();
    Demolish(40, 20, 40, 20);
    EXPECT_EQ(Services().cities.removed_at, (std::vector<std::pair<int32_t, int32_t>>{{40, 20}}));
    EXPECT_EQ(Cash(), before);
}

TEST_F(DemolitionTest, WhatMayNotGoIsSkipped) {
    // Another player's track, a field with a vehicle, a raw-material site
    // outside the editor, an attraction, a depot or a bridge with a vehicle.
    DragTrack(10, 10, 14, 10, kWayRail);
    for (int32_t x = 10; x <= 14; ++x) F(x, 10).set_spieler(1);
    DragRoad(10, 12, 14, 12, kWayGravelRoad);
    F(12, 12).set_belegt(1);
    Place(3, 10, 20, 20, 2, 2);
    Place(5, 13, 24, 20, 2, 2);  // the last raw-material type
    Place(4, 27, 30, 20, 1, 1);
    F(40, 40).set_forest_flag(true);
    F(40, 40).set_data_word(77);
    Place(6, 2, 50, 50);  // a truck depot facing south
    F(50, 50).set_belegt(1);
    Net().SetWayType(kWayAsphaltRoad - 1);
    ASSERT_EQ(Net().BuildBridge(60, 40, 60, 45, 0), 1);
    services_.AddVehicle(60, 42, kDirS).on_bridge = 1;
    const WorldSnapshot withVehicles = TakeSnapshot();
    Demolish(50, 50, 50, 50);
    Demolish(60, 40, 60, 40);
    EXPECT_TRUE(SameWorld(withVehicles, TakeSnapshot()));
    Demolish(10, 10, 14, 12);
    for (int32_t x = 10; x <= 14; ++x) EXPECT_EQ(F(x, 10).wegtyp(), kWayRail);
    EXPECT_EQ(std::tuple(F(12, 12).wegtyp(), F(11, 12).wegtyp()), std::tuple(kWayGravelRoad, 0));
    const int64_t cash = Cash();
    Demolish(20, 20, 30, 21);
    Demolish(40, 40, 40, 40);
    EXPECT_TRUE(Services().buildings.demolished.empty());
    EXPECT_FALSE(F(40, 40).forest_flag());
    EXPECT_EQ(std::tuple(F(40, 40).data_word(), Cash()), std::tuple(0, cash));  // forest is free
    F(50, 50).set_belegt(0);
    Demolish(50, 50, 50, 50);
    GS().game_mode = kModeEditor;
    Demolish(20, 20, 20, 20);
    EXPECT_EQ(Services().buildings.demolished, (std::vector<int32_t>{6, 3}));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 70, 70));
}

// Random sequences of every builder, in the middle of the map and along its
// edges where every neighbour read must be bounds-checked: the kept graph
// always matches one linked from scratch, masks are re-fitted, corners stay
// smooth, a refused action changes nothing and a preview prices exactly.
class BuilderGraphProperty : public ConstructionTest {
  protected:
    int32_t R(int32_t n) { return plat::Rand() % n; }
    int32_t Clip(int32_t v) { return std::clamp(v, lo_, hi_); }
    // Inside the box, or within six fields of an edge.
    void Pick(int32_t& x, int32_t& y) {
        if (!edges_) {
            x = lo_ + R(hi_ - lo_);
            y = lo_ + R(hi_ - lo_);
            return;
        }
        const int32_t edge = R(2) == 0 ? R(7) : 249 + R(7);
        const bool onX = R(2) == 0;
        x = onX ? edge : R(256);
        y = onX ? R(256) : edge;
    }
    int32_t WayType() {
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayAsphaltRoad, kWayRail, kWayRail,
                                             kWayMonorail};
        return kTypes[R(5)];
    }
    // A builder answering 0 when it refuses must then leave the world as it
    // was (view marks aside where the builder sets them).
    template <typename Build>
    void Refusable(Build build, bool ignoreViewBits = false) {
        const WorldSnapshot before = TakeSnapshot();
        if (build() == 0) {
            EXPECT_TRUE(SameWorld(before, TakeSnapshot(), ignoreViewBits));
            ++refusal_checks_;
        }
    }
    void PlannedWay() {
        int32_t x1 = 0, y1 = 0;
        Pick(x1, y1);
        const int32_t x2 = Clip(x1 + R(9) - 4), y2 = Clip(y1 + R(9) - 4);
        const int32_t type = WayType();
        Net().SetWayType(static_cast<uint8_t>(type - 1));
        if (IsRoadWay(type) && Net().PlanRoadPath(x1, y1, x2, y2) != 0) {
            Net().LayRoadAlongPath(x1, y1, x2, y2);
        } else if (!IsRoadWay(type) && Net().PlanTrackPath(x1, y1, x2, y2) != 0) {
            Net().LayTrackAlongPath(x1, y1, x2, y2);
        }
    }
    // A straight drag, or a segment laid through one layer and then dragged
    // along the same fields, which joins it to the network as the path
    // driver does.
    void StraightWay() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        const int32_t type = WayType();
        const bool alongX = R(2) == 0;
        int32_t x2 = x, y2 = y;
        (alongX ? x2 : y2) = Clip((alongX ? x : y) + R(15) - 7);
        if (R(3) == 0) {
            Net().SetWayType(static_cast<uint8_t>(type - 1));
            const int32_t a = alongX ? x : y, b = alongX ? x2 : y2, c = alongX ? y : x;
            const WorldSnapshot before = TakeSnapshot();
            const int32_t done = IsRoadWay(type) ? (alongX ? Net().LayRoadAlongX(a, b, c)
                                                           : Net().LayRoadAlongY(a, b, c))
                                                 : (alongX ? Net().LayTrackAlongX(a, b, c, 0)
                                                           : Net().LayTrackAlongY(a, b, c, 0));
            if (done == 0) {
                // A refused segment lays no way but the track of station rows.
                for (int32_t fx = std::min(x, x2); fx <= std::max(x, x2); ++fx) {
                    for (int32_t fy = std::min(y, y2); fy <= std::max(y, y2); ++fy) {
                        const MapField& was = before.fields[FieldIndex(fx, fy)];
                        const int32_t kind = GetBuildingTypeAt(fx, fy);
                        EXPECT_TRUE(kind == 4 || kind == 5 ||
                                    (F(fx, fy).wegtyp() == was.wegtyp() &&
                                     F(fx, fy).wegteil() == was.wegteil()));
                    }
                }
                ++refusal_checks_;
                return;
            }
        }
        if (x2 == x && y2 == y) return;
        IsRoadWay(type) ? DragRoad(x, y, x2, y2, type) : DragTrack(x, y, x2, y2, type);
    }
    void BridgeOrTunnel() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        if (R(2) == 0) {
            const int32_t length = R(13) - 6;
            Net().SetWayType(static_cast<uint8_t>(kWayGravelRoad + R(3) - 1));
            const bool alongX = R(2) == 0;
            Refusable([&] {
                return alongX ? Net().BuildBridge(x, y, Clip(x + length), y, 0)
                              : Net().BuildBridge(x, y, x, Clip(y + length), 0);
            });
            return;
        }
        static constexpr int32_t kTypes[] = {kWayGravelRoad, kWayRail, kWayMonorail};
        Net().SetWayType(static_cast<uint8_t>(kTypes[R(3)] - 1));
        for (int32_t tries = 0; tries < 40; ++tries, Pick(x, y)) {
            const int32_t slope = F(x, y).teile_diff();
            if (slope >= 1 && slope <= 4) {
                Refusable([&] { return Net().BuildTunnel(x, y); }, true);
                return;
            }
        }
    }
    void Land() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        for (int32_t k = 0; k < 1 + R(3); ++k) {
            const bool raise = R(4) != 0;
            const int32_t preview =
                raise ? Terrain().PreviewRaiseCost(x, y) : Terrain().PreviewLowerCost(x, y);
            const int64_t cash = Cash();
            raise ? Terrain().RaiseLand(x, y, 0) : Terrain().LowerLand(x, y, 0);
            EXPECT_EQ(preview < 0 ? 0 : preview * 1000, cash - Cash()) << x << ", " << y;
        }
        Services().panel.brush_size = 2 + R(3);  // and a brush step
        const int32_t preview = Terrain().GetRaiseCost(x, y);
        const int64_t cash = Cash();
        Terrain().EditRaiseLand(x, y);
        EXPECT_TRUE(preview < 0 || preview * 1000 == cash - Cash()) << x << ", " << y;
        Services().panel.brush_size = 1;
    }
    // A depot (types 0..3) or a station (6..9) where the check allows it,
    // or the extension of a station; then the sites of stores and
    // attractions are checked there.
    void Building() {
        if (!stations_.empty() && R(2) == 0) {
            const auto [x, y] = stations_[R(static_cast<int32_t>(stations_.size()))];
            const int32_t d = R(2);
            Refusable([&] { return Helper().ExtendStation(x + d, y + d) == 0 ? 1 : 0; });
            return;
        }
        int32_t x = 0, y = 0;
        Pick(x, y);
        const int32_t type = R(10);
        const bool station = type >= 6;
        const int32_t w = station ? (type == 6 || type == 8 ? 4 : 2) : 1;
        GS().selected_building_type = station ? 6 : type <= 3 ? 0 : type;
        GS().build_orientation = station ? type - 6 : type <= 3 ? type : 0;
        if (Helper().CanBuildHere(x, y, w, station ? 6 - w : 1) == 1 && type != 4 && type != 5) {
            int32_t slot = 1;
            while (slot < kBuildingSlots - 1 && Services().buildings.buildings[slot]) ++slot;
            Place(slot, type, x, y);
            if (station) stations_.emplace_back(x, y);
        }
        for (const int32_t kind : {21, 27, 28, 31}) {
            GS().selected_building_type = kind;
            Helper().CanBuildHere(x, y, 2, 2);
            Helper().CheckAttractionSite(x, y);
        }
    }
    void Demolish() {
        int32_t x = 0, y = 0;
        Pick(x, y);
        int32_t cx = x + R(7) - 3, cy = y + R(7) - 3;  // the area's far corner
        Terrain().DemolishArea(x, y, cx, cy);
    }
    // Every direction mask and node mark is what a re-fit gives: no builder
    // leaves a neighbour's mask behind the change of a way beside it.
    ::testing::AssertionResult MasksAreRefitted() {
        const std::vector<MapField> kept(GS().fields, GS().fields + kMapFieldCount);
        for (int32_t x = lo_ - 25; x <= hi_ + 25; ++x) {
            for (int32_t y = lo_ - 25; y <= hi_ + 25; ++y) Helper().UpdateWayPiecesAround(x, y);
        }
        ::testing::AssertionResult result = ::testing::AssertionSuccess();
        for (int32_t i = 0; i < kMapFieldCount && result; ++i) {
            const MapField& a = kept[i];
            const MapField& b = GS().fields[i];
            if (a.richtung() != b.richtung() || a.gleisr() != b.gleisr() ||
                a.knoten() != b.knoten()) {
                result = ::testing::AssertionFailure() << "mask of field " << i << " not re-fitted";
            }
        }
        std::copy(kept.begin(), kept.end(), GS().fields);
        return result;
    }
    void Run(std::initializer_list<uint32_t> seeds, int32_t ops, int32_t every) {
        GS().cash[0] = 1000000000;
        using B = BuilderGraphProperty;
        static constexpr void (B::*kOps[])() = {
            &B::PlannedWay,  &B::PlannedWay,     &B::StraightWay,    &B::StraightWay,
            &B::StraightWay, &B::BridgeOrTunnel, &B::BridgeOrTunnel, &B::Land,
            &B::Building,    &B::Building,       &B::Demolish,       &B::Demolish};
        const int32_t box0 = edges_ ? 0 : lo_ - 25, box1 = edges_ ? 255 : hi_ + 25;
        for (const uint32_t seed : seeds) {
            plat::Srand(seed);
            for (int32_t op = 0; op < ops; ++op) {
                const int32_t kind = R(static_cast<int32_t>(std::size(kOps)));
                (this->*kOps[kind])();
                if (op % every != every - 1) continue;
                const auto where = ::testing::Message()
                                   << "seed " << seed << " op " << op << " kind " << kind;
                ASSERT_TRUE(GraphMatchesMap(Net(), box0, box0, box1, box1)) << where;
                ASSERT_TRUE(edges_ || MasksAreRefitted()) << where;
                ASSERT_TRUE(HeightsSmooth(box0, box0, box1, box1)) << where;
            }
        }
    }
    bool edges_ = false;
    int32_t lo_ = 50, hi_ = 90;  // where the builders act in the middle
    std::vector<std::pair<int32_t, int32_t>> stations_;
    int32_t refusal_checks_ = 0;
};

TEST_F(BuilderGraphProperty, KeptGraphMatchesTheMapAfterRandomConstruction) {
    Run({3u, 99u, 2024u}, 800, 5);
    EXPECT_GT(refusal_checks_, 100);
}

TEST_F(BuilderGraphProperty, RandomConstructionAlongTheEdgesStaysInsideTheMap) {
    // Ridges along every edge, one touching it: ramps for tunnels, some of
    // which would reach the border.
    SetHeights(0, 2, 255, 3, 3);
    SetHeights(0, 252, 255, 253, 3);
    SetHeights(2, 0, 3, 255, 3);
    SetHeights(252, 0, 253, 255, 3);
    SetHeights(0, 0, 120, 0, 3);
    SetHeights(0, 0, 0, 120, 3);
    edges_ = true;
    lo_ = 0;
    hi_ = 255;
    Run({7u, 4242u}, 1500, 50);
}

}  // namespace
