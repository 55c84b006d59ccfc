// The building table: placement and demolition with their bookings, stops of
// removed and lengthened terminals, city grids, and its record.

#include <array>
#include <cstring>

#include "app/level_file.h"
#include "economy/building_factory.h"
#include "economy/lumber_mill.h"
#include "economy/record_io.h"
#include "economy_fixture.h"
#include "game/opponent_roster.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "state/data_tables.h"
#include "state/le_io.h"
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

// {type, built-count slot, animation kind}; every other type has neither.
constexpr std::array<int32_t, 3> kCountsAndAnimations[] = {
    {11, -1, 2}, {12, -1, 1}, {13, -1, 0}, {14, 5, -1}, {15, 0, 4},   {16, 4, 6},  {17, 1, 3},
    {18, 2, 5},  {19, 3, -1}, {28, -1, 8}, {29, -1, 9}, {30, -1, 10}, {31, -1, 11}};

TEST_F(BuildingTableTest, PlacingAndDemolishingEveryTypeBalancesTheBooks) {
    for (int32_t type = 0; type < kBuildingTypeCount; ++type) {
        if (!HasBuildingClass(type)) continue;
        const int64_t cash = Cash();
        const size_t animations = view_.animations.size();
        const int32_t n = Place(type, 100, 100);
        ASSERT_GT(n, 0) << type;
        std::array<int32_t, 3> row = {type, -1, -1};
        for (const auto& r : kCountsAndAnimations) row = r[0] == type ? r : row;
        EXPECT_EQ(
            std::tuple(row[1] >= 0 ? GS().built_counts[row[1]] : BuiltCountIndex(type),
                       view_.animations.size() > animations ? view_.animations.back().kind : -1),
            std::tuple(row[1] >= 0 ? 1 : -1, row[2]))
            << type;
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
    for (const auto& [type, x] :
         {std::pair{kTypeWoodIndustry, 10}, {kTypeLumberMill, 20}, {kTypeDepot, 30}})
        Place(type, x, 10);
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
    EXPECT_EQ(std::pair(s.GetLength(), Cash()), std::pair(kMaxStationLength, cash - 6000));
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
    std::tie(train.schedule[0], train.schedule[1], train.stop_count) =
        std::tuple(Stop({{61, 60}}), Stop({{90, 90}}), 2);
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
    // A stop after the target leaves it; the target itself sends it to stop 0.
    for (const auto [target, x, after, changed] :
         {std::array{1, 40, 1, 0}, {2, 30, 0, 1}, {1, 10, 0, 1}}) {
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
    EXPECT_EQ(FieldAt(53, 50)->wegtyp() + FieldAt(53, 50)->knoten() + !!net->Node(node), 0);
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
    EXPECT_EQ(std::pair(Cash(), net->NodeCount()), std::pair(cash - 400 - 4 * 290, 0));
}

TEST_F(BuildingTableTest, DemolitionQueriesOfTerminals) {
    CBuilding& d = *Table().At(Place(kTypeTruckDepot + 2, 30, 30));
    d.OccupyTile(30, 30);  // a truck inside
    EXPECT_EQ(d.GetDemolitionCost(30, 30), -1);
    d.ReleaseTile(30, 30);
    EXPECT_EQ(std::pair(d.IsTileOccupied(30, 30), d.GetDemolitionCost(30, 30)), std::pair(0, 400));
    CWayNetwork* net = &game_.UseWayNetwork();
    const int32_t n = Place(kTypeTrainStation + 2, 60, 60);  // type 8: rows south
    CTrainStation& s = B<CTrainStation>(n);
    s.Extend();
    MarkFootprint(n);
    for (int32_t f = 0; f < 8; ++f) FieldAt(60 + f % 4, 61 + f / 4)->set_wegtyp(kWayRail);
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
        const int32_t dx = x - c.origin_x, dy = y - c.origin_y;
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
    Table().At(Place(kTypeToyStore, 30, 30))->ApplyAttraction(1, 1);
    EXPECT_EQ(delta(other, 29, 29), 0);
    const int32_t factory = Place(kTypeToyIndustry, 30, 20);
    const int32_t before = other.zone_grid[19][10];
    Table().At(factory)->ApplyAttraction(1, 1);  // (29, 20): ring 1 of the factory
    EXPECT_EQ(std::pair(other.zone_grid[19][10], delta(other, 28, 19)),
              std::pair(before >= 3 ? before - 3 : -1, -2));
    // Attractions count themselves by the sign.
    const int32_t pool = Place(29, 70, 70);
    for (int32_t sign : {1, -1}) {
        Table().At(pool)->ApplyAttraction(0, sign);
        EXPECT_EQ(std::tuple(city.attraction_counts[2], delta(city, 69, 69)),
                  std::tuple(sign > 0 ? 1 : 0, sign > 0 ? 1 : 0));
    }
}

std::vector<uint8_t> RecordOf(const CBuilding& b) {
    RecordWriter out;
    b.Save(out);
    return out.bytes();
}

// A building of `type` read from its record bytes.
std::unique_ptr<CBuilding> Loaded(int32_t type, const std::vector<uint8_t>& bytes) {
    std::unique_ptr<CBuilding> b(CreateBuilding(type, 30, 30, true));
    RecordReader in(bytes.data(), static_cast<uint32_t>(bytes.size()));
    b->Load(in);
    return b;
}

using RecordsTest = EconomyTest;

// The table holds 1,023 buildings and reuses freed slots lowest first; types
// without a class and a full table place nothing and charge nothing.
TEST_F(RecordsTest, BuildingsKeepTheirNumbersAndLoadingReplacesWhatWasThere) {
    GS().selected_building_type = kTypeMine;
    for (int32_t i = 1; i <= kLastBuildingSlot; ++i) ASSERT_EQ(Table().PlaceBuilding(10, 10), i);
    const int64_t cash = Cash();
    for (const int32_t type : {int32_t{kTypeMine}, -1, 4, 5, 32, 40}) {
        GS().selected_building_type = type;
        EXPECT_EQ(Table().PlaceBuilding(10, 10), 0) << type;
    }
    EXPECT_EQ(Cash(), cash);
    for (int32_t i = 1; i <= kLastBuildingSlot; ++i) {
        if (i != 3 && i != 700) Table().DemolishBuilding(i);
    }
    Place(kTypeSteelMill, 10, 10);  // takes slot 1
    const std::string saved = Snapshot(Table());
    EXPECT_EQ(le::GetU32(reinterpret_cast<const uint8_t*>(saved.data())), 3u);
    Table().DemolishBuilding(1);
    Place(kTypeMine, 30, 30);  // takes slot 1 again, and 2
    Place(kTypeMine, 40, 30);
    view_.animations.clear();
    ASSERT_TRUE(LoadBytes(&Table(), saved));
    for (int32_t n : {1, 3, 700}) EXPECT_NE(Table().At(n), nullptr) << n;
    EXPECT_EQ(std::tuple(Table().At(1)->type, Table().At(2)), std::tuple(kTypeSteelMill, nullptr));
    ASSERT_EQ(view_.animations.size(), 1u);  // the steel mill's, started again
    EXPECT_EQ(view_.animations[0].kind, 0);
}

// A table record: count, then one building's type, slot, anchor, zero bytes.
std::string OneBuilding(const std::array<int32_t, 6>& row) {
    std::string bytes(static_cast<size_t>(24 + row[5]), '\0');
    auto* out = reinterpret_cast<uint8_t*>(bytes.data());
    le::PutU32(out, static_cast<uint32_t>(row[0]));
    out[4] = static_cast<uint8_t>(row[1]);
    for (const int32_t k : {1, 2, 3})
        le::PutU32(out + 4 + 4 * k, static_cast<uint32_t>(row[k + 1]));
    return bytes;
}

TEST_F(RecordsTest, DamagedRecordsAreRefusedWithoutACrash) {
    Place(kTypeMine, 10, 10);
    // Classless types, bad slots, anchors off the map, short records, counts
    // other than the buildings that follow.
    std::vector<std::string> damaged = {"", std::string("\1\0", 2), std::string(10, '\xFF')};
    const std::array<int32_t, 6> rows[] = {
        {1, 4, 1, 5, 5, 0},     {1, 5, 1, 5, 5, 0},   {1, 32, 1, 5, 5, 0},
        {1, 255, 1, 5, 5, 0},   {1, 27, 0, 5, 5, 0},  {1, 27, 1024, 5, 5, 0},
        {1, 27, 1, 256, 5, 0},  {1, 27, 1, 5, -1, 0}, {1, 10, 1, 5, 5, 27},
        {1, 21, 1, 5, 5, 1000}, {2, 27, 1, 5, 5, 0},  {1024, 27, 1, 5, 5, 0}};
    for (const auto& row : rows) damaged.push_back(OneBuilding(row));
    // A slot used twice.
    damaged.push_back(OneBuilding({2, 27, 7, 5, 5, 0}) +
                      OneBuilding({0, 27, 7, 9, 9, 0}).substr(4));
    for (size_t i = 0; i < damaged.size(); ++i) {
        EXPECT_FALSE(LoadBytes(nullptr, damaged[i])) << i;
        EXPECT_FALSE(LoadBytes(&Table(), damaged[i])) << i;
        for (int32_t n = 0; n < kBuildingSlots; ++n) ASSERT_EQ(Table().At(n), nullptr) << i;
    }
    // A mine stock of denominator 0 no writer writes; sound shapes pass.
    EXPECT_FALSE(LoadBytes(nullptr, OneBuilding({1, 10, 1, 5, 5, 28})));
    EXPECT_TRUE(LoadBytes(nullptr, OneBuilding({1, 27, 1023, 255, 0, 0})));
    EXPECT_TRUE(LoadBytes(nullptr, OneBuilding({0, 0, 0, 0, 0, 0})));
}

// The table's record alone: a load leaves the lumber mill's loading
// capacity (48) until the after-load step, which every load of a level file
// runs once the calendar is read; with it the table saves as it was read.
TEST_F(RecordsTest, TheTableAloneRoundTripsOnceTheAfterLoadStepHasRun) {
    // A new warehouse writes its 15 empty slots as {-1, 0, 0}.
    RecordWriter empty;
    for (int32_t i = 0; i < 15; ++i) empty.PutSlot({-1, 0, 0});
    EXPECT_EQ(RecordOf(*std::unique_ptr<CBuilding>(CreateBuilding(kTypeDepot, 30, 30, true))),
              empty.bytes());
    PlaceEveryType();
    const std::string first = Snapshot(Table());
    ASSERT_TRUE(LoadBytes(&Table(), first));
    for (int32_t n = 1; n <= kLastBuildingSlot; ++n) {  // attractions are read as nobody's
        const CBuilding* b = Table().At(n);
        EXPECT_TRUE(b == nullptr || !IsAttractionType(b->type) || b->owner == kOwnerNobody) << n;
    }
    const std::string loaded = Snapshot(Table());
    EXPECT_FALSE(loaded == first);  // the mill's capacity still the loading one
    Table().AfterLoadAll();
    EXPECT_TRUE(Snapshot(Table()) == first);
}

TEST_F(RecordsTest, ValuesFromAFileAreKeptInRange) {
    std::vector<uint8_t> store = RecordOf(*Table().At(Place(kTypeToyStore, 10, 10)));
    // Product, then price steps after 108 bytes of stock, then advertising.
    const size_t selected = 36 + 36 + 432 + 432 + 12;
    const size_t steps = selected + 4 + 108;
    le::PutU32(store.data() + selected, 99);
    store[steps] = 9;
    store[steps + 1] = static_cast<uint8_t>(-8);
    store[steps + 9] = 7;
    const auto s = Loaded(kTypeToyStore, store);
    EXPECT_EQ(std::tuple(s->GetProduct(), s->GetProductCost(8), s->GetProductCost(9),
                         s->GetAdvertising()),
              std::tuple(8, 5, -5, 3));
    std::vector<uint8_t> station(39, 'A');
    le::PutU32(station.data() + 35, 9);
    const auto long_station = Loaded(8, station);
    EXPECT_EQ(std::pair(long_station->GetLength(), std::strlen(long_station->GetName())),
              std::pair(kMaxStationLength, size_t{34}));
    le::PutU32(station.data() + 35, 0);
    EXPECT_EQ(Loaded(8, station)->GetLength(), 1);
    std::vector<uint8_t> mine(28, 0);
    le::PutU32(mine.data() + 12, 99);
    EXPECT_EQ(Loaded(kTypeMine, mine)->GetProduct(), 5);
    // A factory keeps any product of the goods table, as SetProduct takes
    // one of another family too; a number outside the table is none.
    std::vector<uint8_t> factory = RecordOf(*Table().At(Place(kTypeWoodIndustry, 40, 40)));
    le::PutU32(factory.data() + 48, 17);  // after four slots: skis, a sports product
    const int32_t kept = Loaded(kTypeWoodIndustry, factory)->GetProduct();
    le::PutU32(factory.data() + 48, kGoodsCount);
    EXPECT_EQ(std::pair(kept, Loaded(kTypeWoodIndustry, factory)->GetProduct()), std::pair(17, -1));
}

// Figures of a stored game at the ends of their ranges keep the running game
// within its arithmetic (the sanitizer build stops at any overflow).
TEST_F(RecordsTest, ExtremeFiguresFromAFileKeepTheGameRunning) {
    constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
    constexpr int32_t kLeast = std::numeric_limits<int32_t>::min();
    Forest(31, 31, 3, 4);
    std::vector<uint8_t> mill(static_cast<size_t>(RecordSizeOfType(kTypeLumberMill)), 0);
    le::PutU32(mill.data() + 11, static_cast<uint32_t>(kMost));  // wood left
    le::PutU32(mill.data() + 503, 5);                            // stock: 5 wood
    le::PutU32(mill.data() + 507, 1);
    const auto m = Loaded(kTypeLumberMill, mill);
    m->AfterLoad();
    EXPECT_EQ(m->GetPeriodFigure(), kMost);
    m->Update();
    auto& lumber = static_cast<CLumberMill&>(*m);
    EXPECT_EQ(std::pair(WholeUnits(lumber.stock), lumber.wood_left), std::pair(24, kMost - 19));
    std::vector<uint8_t> bytes = RecordOf(*Table().At(Place(kTypeToyStore, 10, 10)));
    le::PutU32(bytes.data(), static_cast<uint32_t>(kLeast));  // sold this month
    const auto copy = Loaded(kTypeToyStore, bytes);
    auto& s = static_cast<CStore&>(*copy);
    s.customers = 500;
    s.PutGoods(8, 3, 1);
    EXPECT_EQ(s.GetUnitsSoldThisMonth(8), kLeast + 3);
    // Cash borrows across its 64 bits.
    GS().cash[0] = std::numeric_limits<int64_t>::min() + 10;
    copy->owner = 0;
    copy->SetAdvertising(1);
    copy->Update();
    EXPECT_EQ(GS().cash[0], std::numeric_limits<int64_t>::max() - 14989);
}

// Mode, built counts, board votes, the field grid, an empty network, cash and
// season come before the buildings.
constexpr size_t kBuildingRecord = 4 + 24 + 4 + 786432 + 4 + 32 + 4;

class LevelRecordTest : public EconomyTest {
  protected:
    LevelRecordTest() {
        game_.Set(g_pWayNetwork, network_.get());
        GS().game_mode = kModeGame;
        GS().season = 2;
        std::snprintf(GS().data_paths[kPathSave * kDataPathCopies + GS().install_index],
                      kDataPathLength, "%s\\save", folder_.Path().c_str());
        RecreateOpponents();
    }
    std::string Path(const char* name) const { return folder_.Path() + "/save/" + name; }
    std::string Save(const char* name) {
        EXPECT_TRUE(SaveGameFile(Path(name)));
        return folder_.Read(std::string("save/") + name);
    }
    plat::HeadlessBackend host_;
    fvtest::TempFolder folder_;
    std::unique_ptr<CWayNetwork> network_ = std::make_unique<CWayNetwork>();
};

TEST_F(LevelRecordTest, EveryBuildingTypeRoundTripsByteForByte) {
    PlaceEveryType();
    // Every load marks all fields changed, and the mark is saved.
    MarkAllFieldsChanged();
    const std::string first = Save("first.lvl");
    ASSERT_GT(first.size(), kBuildingRecord + 4);
    EXPECT_EQ(first.substr(kBuildingRecord, 4), std::string("\x1e\0\0\0", 4));
    // Another running game: the load must bring the buildings back.
    Table().DemolishBuilding(1);
    Place(kTypeToyStore, 200, 200);
    ASSERT_EQ(LoadSavedGame(Path("first.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(Table().At(31), nullptr);
    EXPECT_STREQ(Table().At(1)->GetName(), "Testtown North");
    EXPECT_TRUE(Save("second.lvl") == first);
}

}  // namespace
}  // namespace econ
