// The building table: slots, placement and demolition with their bookings,
// schedules of removed and lengthened terminals, demolition queries and the
// buildings' effect on city grids.

#include <cstring>

#include "economy/building_kinds.h"
#include "economy/train_station.h"
#include "economy_fixture.h"
#include "world/way_network.h"

namespace econ {
namespace {

int32_t Worth() {
    return g_Statistics.Monthly(StatSeries::CompanyWorth, 0);
}
int32_t Count() {
    return g_Statistics.Monthly(StatSeries::BuildingCount, 0);
}

using BuildingTableTest = EconomyTest;

TEST_F(BuildingTableTest, SlotsAreReusedAndTheTableHoldsOneThousandAndTwentyThree) {
    for (int32_t x : {10, 20, 30}) Place(kTypeMine, x, 10);
    Table().DemolishBuilding(2);
    EXPECT_EQ(Place(kTypeMine, 40, 10), 2);  // the freed slot is taken next
    Table().FreeAll();
    GS().selected_building_type = kTypeTruckDepot;
    for (int32_t i = 1; i <= kLastBuildingSlot; ++i)
        ASSERT_EQ(Table().PlaceBuilding(i % 256, 0), i);
    const int64_t cash = Cash();
    const int32_t worth = Worth();
    EXPECT_EQ(Table().PlaceBuilding(5, 5), 0);
    Table().FreeAll();
    // Types without a class are not placed.
    for (int32_t type : {-1, 4, 5, 32, 40}) {
        GS().selected_building_type = type;
        EXPECT_EQ(Table().PlaceBuilding(10, 10), 0) << type;
    }
    EXPECT_EQ(Cash(), cash);
    EXPECT_EQ(Worth(), worth);
}

TEST_F(BuildingTableTest, PlacingAndDemolishingEveryTypeBalancesTheBooks) {
    for (int32_t type = 0; type < kBuildingTypeCount; ++type) {
        if (!HasBuildingClass(type)) continue;
        const int64_t cash = Cash();
        const int32_t n = Place(type, 100, 100);
        ASSERT_GT(n, 0) << type;
        const int32_t price = PriceOfType(type);
        const bool investment =
            IsTerminalType(type) || IsFactoryType(type) || type == kTypeDepot || IsStoreType(type);
        EXPECT_EQ(std::tuple(Cash(), Worth(), Count()),
                  std::tuple(cash - price, investment ? price : 0, investment ? 1 : 0))
            << type;
        const int32_t counter = BuiltCountIndex(type);
        Table().DemolishBuilding(n);
        if (IsAttractionType(type)) {
            // Attractions stay; the demolition tool never offers them.
            EXPECT_NE(Table().At(n), nullptr);
            EXPECT_EQ(Cash(), cash - price);
            Table().FreeAll();
            continue;
        }
        EXPECT_EQ(Table().At(n), nullptr) << type;
        EXPECT_EQ(std::tuple(Cash(), Worth(), Count()),
                  std::tuple(cash - price - (investment ? price / 10 : 0), 0, 0))
            << type;
        EXPECT_EQ(counter >= 0 ? GS().built_counts[counter] : 0, 0) << type;
        EXPECT_FALSE(FieldAt(100, 100)->building_flag());  // the footprint is gone
    }
}

TEST_F(BuildingTableTest, DemolitionOfAFactoryIsBookedAndACompetitorsIsRefused) {
    const int32_t toy = Place(kTypeToyIndustry, 50, 50);
    EXPECT_EQ(Table().At(toy)->GetDemolitionCost(50, 50), 14200);
    EXPECT_EQ(FieldAt(53, 53)->laenge(), 1);  // the query marks the footprint
    Table().DemolishBuilding(toy);
    EXPECT_EQ(g_Statistics.PairThis(StatPair::E, 0), 14200);
    EXPECT_EQ(view_.removed.size(), 1u);  // its animation is off the view
    const int32_t rival = Place(kTypeWoodIndustry, 10, 10);
    Table().At(rival)->owner = 1;
    EXPECT_EQ(Table().At(rival)->GetDemolitionCost(10, 10), -1);
}

TEST_F(BuildingTableTest, PlacementStartsAnimationsWhenTheyAreOnAndStationRowsCostHalf) {
    Place(kTypeWoodIndustry, 10, 10);
    Place(kTypeLumberMill, 20, 10);
    Place(kTypeDepot, 30, 10);
    GS().opt_animations = 0;
    Place(kTypeSportsIndustry, 40, 10);
    ASSERT_EQ(view_.animations.size(), 2u);
    EXPECT_EQ(std::tuple(view_.animations[0].kind, view_.animations[1].kind), std::tuple(4, 2));
    CTrainStation& s = B<CTrainStation>(Place(kTypeTrainStation, 60, 10));
    EXPECT_EQ(std::tuple(s.anchor_x, s.anchor_y), std::tuple(60, 11));
    const int64_t cash = Cash();
    EXPECT_EQ(s.Extend(), 2000);
    s.Extend();
    s.Extend();
    EXPECT_EQ(s.Extend(), 0);
    EXPECT_EQ(s.GetLength(), kMaxStationLength);
    EXPECT_EQ(Cash(), cash - 6000);
}

class ScheduleTest : public EconomyTest {
  protected:
    // Four stops on fields (10, 10), (20, 10), (30, 10), (40, 10).
    TestVehicle& FourStops() {
        TestVehicle& v = AddVehicle();
        for (int32_t i = 0; i < 4; ++i) {
            v.schedule[i] = Stop({{10 * (i + 1), 10}});
            v.cargo_plan[i][0][0] = static_cast<uint8_t>(20 + i);
            v.wait_until_loaded[i] = i;
        }
        v.stop_count = 4;
        return v;
    }
};

TEST_F(ScheduleTest, RemovingAStopMovesTheLaterOnesDownAndTheTargetFollows) {
    // A demolished station takes its stops along (type 7: rows from (61, 60)).
    const int32_t station = Place(kTypeTrainStation + 1, 60, 60);
    TestVehicle& train = AddVehicle();
    train.schedule[0] = Stop({{61, 60}});
    train.schedule[1] = Stop({{90, 90}});
    train.stop_count = 2;
    Table().DemolishBuilding(station);
    EXPECT_EQ(std::tuple(train.stop_count, train.schedule[0].x[0], train.schedule[1].x[0]),
              std::tuple(1, 90, 255));
    TestVehicle& v = FourStops();
    v.target_stop = 3;
    Table().ClearReferences(30, 10, 5, 1);  // stop 2
    EXPECT_EQ(std::tuple(v.stop_count, v.target_stop, v.schedule_changed, v.schedule[2].x[0]),
              std::tuple(3, 2, 1, 40));
    EXPECT_EQ(std::tuple(v.cargo_plan[2][0][0], v.wait_until_loaded[2], v.cargo_plan[3][0][0]),
              std::tuple(23, 3, 0));
    // {target, removed stop's x}: a stop after the target leaves it alone;
    // the target itself sends the vehicle back to stop 0.
    for (const auto [target, x, after, changed] : {std::array{1, 40, 1, 0}, {2, 30, 0, 1}}) {
        TestVehicle& w = FourStops();
        w.target_stop = target;
        Table().ClearReferences(x, 10, 5, 1);
        EXPECT_EQ(std::tuple(w.target_stop, w.schedule_changed), std::tuple(after, changed));
    }
    // Two stops in a row at the same terminal both go.
    TestVehicle& twice = FourStops();
    twice.schedule[1] = twice.schedule[0];
    Table().ClearReferences(10, 10, 5, 1);
    EXPECT_EQ(std::tuple(twice.stop_count, twice.schedule[0].x[0], twice.schedule[1].x[0]),
              std::tuple(2, 30, 40));
    // An edited schedule naming the terminal loses its selection.
    GS().schedule_edit[4] = Stop({{1, 1}, {9, 9}});
    GS().schedule_words[1] = 3;
    GS().schedule_words[2] = 4;
    Table().ClearReferences(9, 9, 5, 1);
    EXPECT_EQ(std::tuple(GS().schedule_words[1], GS().schedule_words[2]), std::tuple(-1, -1));
}

TEST_F(ScheduleTest, LengtheningAStationRewritesItsStopsForEveryOrientation) {
    struct Expect {
        int32_t type, x, y;  // placement corner
        int32_t dx, dy;      // step from row to row
        int32_t fx, fy;      // first row field
    };
    for (const Expect e : {Expect{6, 20, 40, 0, -1, 20, 40}, Expect{7, 60, 40, 1, 0, 61, 40},
                           Expect{8, 100, 40, 0, 1, 100, 41}, Expect{9, 140, 40, -1, 0, 140, 40}}) {
        const int32_t n = Place(e.type, e.x, e.y);
        CTrainStation& s = B<CTrainStation>(n);
        TestVehicle& v = AddVehicle();
        v.schedule[3] = Stop({{e.fx, e.fy}});
        v.schedule[4] = Stop({{e.fx + 50, e.fy}});  // another stop stays
        s.Extend();
        s.Extend();
        MarkFootprint(n);
        Table().RewriteStationStops(e.fx, e.fy, e.type, n);
        for (int32_t i = 0; i < 3; ++i) {
            EXPECT_EQ((std::tuple<int32_t, int32_t>(v.schedule[3].x[i], v.schedule[3].y[i])),
                      std::tuple(e.fx + i * e.dx, e.fy + i * e.dy))
                << e.type;
        }
        EXPECT_EQ(std::tuple(v.schedule[3].x[3], v.schedule[4].x[1]), std::tuple(255, 255));
    }
}

TEST_F(BuildingTableTest, DemolishedTerminalsTakeTheirWaysAlong) {
    CWayNetwork* net = &game_.UseWayNetwork();
    const int32_t depot = Place(kTypeTruckDepot + 3, 53, 50);  // exit west
    for (int32_t x = 50; x <= 53; ++x) {
        MapField* f = FieldAt(x, 50);
        f->set_wegtyp(kWayGravelRoad);
        f->set_wegteil(2);
        f->set_richtung(x == 50 ? kDirE : x == 53 ? kDirW : kDirsEW);
    }
    const int32_t node = net->CreateNode(53, 50);
    ASSERT_NE(net->Node(node), nullptr);
    Table().DemolishBuilding(depot);
    EXPECT_EQ(FieldAt(53, 50)->wegtyp() + FieldAt(53, 50)->knoten(), 0);
    EXPECT_EQ(net->Node(node), nullptr);
    // No way east any more from (52, 50).
    EXPECT_EQ(std::tuple(FieldAt(52, 50)->richtung(), FieldAt(51, 50)->richtung()),
              (std::tuple<uint32_t, uint32_t>(kDirW, kDirsEW)));
    // A station takes its track along.
    const int32_t n = Place(kTypeTrainStation + 2, 60, 60);  // type 8: track row y 61
    FieldAt(60, 61)->set_wegtyp(kWayRail);                   // the rails the station was built on
    net->LayStationTrack(60, 61, 0);
    ASSERT_EQ(FieldAt(61, 61)->wegtyp(), kWayRail);
    const int64_t cash = Cash();
    Table().DemolishBuilding(n);
    for (int32_t x = 60; x < 64; ++x)
        EXPECT_EQ(FieldAt(x, 61)->wegtyp() + FieldAt(x, 60)->geb_num(), 0);
    // The station's tenth and the removal of four fields of rails.
    EXPECT_EQ(Cash(), cash - 400 - 4 * 290);
    EXPECT_EQ(net->NodeCount(), 0);
}

TEST_F(BuildingTableTest, DemolitionQueriesOfTerminals) {
    const int32_t depot = Place(kTypeTruckDepot + 2, 30, 30);
    CBuilding& d = *Table().At(depot);
    EXPECT_EQ(d.GetDemolitionCost(30, 30), 400);
    d.OccupyTile(30, 30);  // a truck inside
    EXPECT_EQ(d.GetDemolitionCost(30, 30), -1);
    d.ReleaseTile(30, 30);
    EXPECT_EQ(d.IsTileOccupied(30, 30), 0);
    CWayNetwork* net = &game_.UseWayNetwork();
    const int32_t n = Place(kTypeTrainStation + 2, 60, 60);  // type 8: rows south
    CTrainStation& s = B<CTrainStation>(n);
    s.Extend();
    MarkFootprint(n);
    for (int32_t row = 61; row <= 62; ++row) {
        for (int32_t x = 60; x < 64; ++x) FieldAt(x, row)->set_wegtyp(kWayRail);
    }
    // Head: (2 + 1) x 200 and 4 x 290 for each row.
    EXPECT_EQ(s.GetDemolitionCost(61, 60), 600 + 2 * 1160);
    EXPECT_EQ(s.GetDemolitionCost(60, 62), 0);  // counted already
    s.EndDemolitionQuery();
    EXPECT_EQ(s.GetDemolitionCost(60, 62), 1160);
    s.EndDemolitionQuery();
    // A train on the second row.
    net->CreateNode(60, 62);
    s.OccupyTile(60, 62);
    EXPECT_EQ(s.GetDemolitionCost(60, 61), 1160);
    EXPECT_EQ(s.GetDemolitionCost(60, 62), -1);
    EXPECT_EQ(s.GetDemolitionCost(60, 60), -1);
    s.EndDemolitionQuery();
}

TEST_F(BuildingTableTest, BuildingsActOnTheirCitysZoneGrid) {
    CCity& city = AddCity(1, 50, 50);
    CCity& other = AddCity(2, 10, 10, false);
    int32_t start[2][kCityAreaSize][kCityAreaSize];
    std::memcpy(start[0], city.zone_grid, sizeof start[0]);
    std::memcpy(start[1], other.zone_grid, sizeof start[1]);
    auto delta = [&](const CCity& c, int32_t x, int32_t y) {
        const int32_t dx = x - c.origin_x;
        const int32_t dy = y - c.origin_y;
        return c.zone_grid[dx][dy] - start[&c == &city ? 0 : 1][dx][dy];
    };
    const int32_t store = Place(kTypeToyStore, 60, 60);
    Table().At(store)->ApplyAttraction(0, 1);  // as the structure placement does
    // Rings 1 and 2, the footprint itself, beyond.
    for (auto [x, y, d] :
         {std::array{59, 59, 3}, {62, 60, 3}, {58, 58, 2}, {60, 60, 0}, {57, 57, 0}})
        EXPECT_EQ(delta(city, x, y), d) << x << "," << y;
    Table().DemolishBuilding(store);
    EXPECT_EQ(delta(city, 59, 59), 0);
    // A store acts only on the city of its anchor; a factory on any.
    const int32_t second = Place(kTypeToyStore, 30, 30);
    Table().At(second)->ApplyAttraction(1, 1);
    EXPECT_EQ(delta(other, 29, 29), 0);
    const int32_t factory = Place(kTypeToyIndustry, 30, 20);
    const int32_t before = other.zone_grid[19][10];
    Table().At(factory)->ApplyAttraction(1, 1);  // (29, 20): ring 1 of the factory
    EXPECT_EQ(other.zone_grid[19][10], before >= 3 ? before - 3 : -1);
    EXPECT_EQ(delta(other, 28, 19), -2);
    // Attractions count themselves by the sign.
    const int32_t pool = Place(29, 70, 70);
    for (int32_t sign : {1, -1}) {
        Table().At(pool)->ApplyAttraction(0, sign);
        EXPECT_EQ(std::tuple(city.attraction_counts[2], delta(city, 69, 69)),
                  std::tuple(sign > 0 ? 1 : 0, sign > 0 ? 1 : 0));
    }
}

}  // namespace
}  // namespace econ
