// The vehicles' part of the level file: byte-identical round trips in list
// order with the marks put back (directly and through the level file) and
// damaged records.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/level_file.h"
#include "economy/building_kinds.h"
#include "game/opponent_roster.h"
#include "platform/file.h"
#include "platform/random.h"
#include "road_world.h"
#include "state/data_tables.h"
#include "state/le_io.h"
#include "state/lookup_tables.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using roadtest::RoadWorld;

class RecordTest : public RoadWorld {
  protected:
    void SetUp() override {
        InitGoodsTable();
        InitBuildingTypes();
        g_pLookupTables = &tables_;
        GetLevelPictureHooks() = LevelPictureHooks{};
        RecreateOpponents();
        // A crossing, a tunnel and a bridge, two depots of the building table
        // and a city street.
        Line(40, 50, 60, 50);
        Line(50, 40, 50, 49);
        Line(50, 51, 50, 54);
        Tunnel(50, 55, 50, 58);
        Line(50, 59, 50, 62);
        Bridge(50, 63, 50, 66);
        Line(50, 67, 50, 70);
        PlaceDepot(45, 49, 2);
        PlaceDepot(50, 71, 0);
        City(1, 30, 30);
        Street(30, 30, 38, 30, 1);
        Finish(20, 20, 80, 80);
    }
    void TearDown() override {
        RoadWorld::TearDown();
        buildings_.FreeAll();
        g_pLookupTables = nullptr;
    }

    // A level read replaces the cities, which the fixture owns: the city
    // and its street's city marks go before a game is saved and read back.
    void LeaveNoCity() {
        cities_.cities[0] = nullptr;
        for (int32_t x = 30; x <= 38; ++x) F(x, 30).set_stadtnum(0);
    }

    void PlaceDepot(int32_t x, int32_t y, int32_t orientation) {
        game_.state().selected_building_type = kTypeTruckDepot;
        game_.state().build_orientation = orientation;
        const int32_t number = buildings_.PlaceBuilding(x, y);
        ASSERT_GT(number, 0);
        F(x, y).set_geb_num(static_cast<uint32_t>(number));
        F(x, y).set_geb_typ(static_cast<uint32_t>(kTypeTruckDepot + orientation));
        F(x, y).set_building_flag(true);
        DepotRoad(x, y);
    }

    std::string WriteVehicles(const std::string& name) {
        return WriteWith(name, WriteVehicleRecords);
    }

    std::vector<int32_t> Numbers() const {
        std::vector<int32_t> out;
        for (CVehicle* v : Listed()) out.push_back(v->number);
        return out;
    }

    // Trucks (and `cars` two city cars) spread over the roads, some in the
    // tunnel, on the bridge and on the crossing.
    void Populate(bool cars) {
        for (int i = 0; i < 4; ++i) {
            CTruck* down = new CTruck(45, 49, "A", i);
            SetSchedule(*down, {{45, 49}, {50, 71}});
            down->cargo_plan[0][0][0] = static_cast<uint8_t>(20 + i);
            Frames(150);
            CTruck* up = new CTruck(50, 71, "A", 9 - i);
            SetSchedule(*up, {{50, 71}, {45, 49}});
            Frames(90);
        }
        if (cars) new CCityCar(32, 30, "A", 0, 1);
        if (cars) new CCityCar(36, 30, "A", 0, 1);
        Frames(37);
    }

    // The level reader: deletes the vehicles, reads the grid and the way
    // network back as saved (node side counters included), clears the
    // transient marks and reads the vehicles.
    bool Reload(const std::string& bytes) {
        std::vector<MapField> grid(game_.state().fields, game_.state().fields + kMapFieldCount);
        std::vector<WayNode> nodes(kWayNodeSlots);
        for (int32_t n = 1; n < kWayNodeSlots; ++n)
            nodes[n] = Net().Node(n) ? *Net().Node(n) : nodes[n];
        DeleteAllVehicles();
        g_MaxVehicleNumber = 0;
        std::memcpy(game_.state().fields, grid.data(), grid.size() * sizeof(MapField));
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            if (Net().Node(n) != nullptr) *Net().Node(n) = nodes[n];
        }
        ClearTransientFieldBits();
        return ReadWith(bytes, ReadVehicleRecords);
    }

    CLookupTables tables_;
};

TEST_F(RecordTest, SaveLoadSaveIsByteIdenticalInListOrderWithTheMarksBack) {
    Populate(true);
    const std::vector<CVehicle*> before = Listed();
    ASSERT_EQ(before.size(), 10u);
    std::set<MarkKind> kinds;
    for (CVehicle* v : before) kinds.insert(v->mark.kind);
    EXPECT_EQ(kinds.size(), 4u);  // lane, tunnel, bridge and junction marks
    ASSERT_TRUE(MarksConsistent());
    const std::vector<int32_t> numbers = Numbers();
    const std::vector<MapField> marked(game_.state().fields, game_.state().fields + kMapFieldCount);
    const std::string first = WriteVehicles("first");

    ASSERT_TRUE(Reload(first));
    EXPECT_EQ(Numbers(), numbers);
    for (CVehicle* v : Listed()) {
        EXPECT_EQ(v->owner, v->vehicle_class == kVehicleCityCar ? 1 : 0);
    }
    EXPECT_EQ(g_MaxVehicleNumber, 8);
    EXPECT_TRUE(MarksConsistent());
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        ASSERT_EQ(std::memcmp(marked[i].bytes, game_.state().fields[i].bytes, 12), 0)
            << "field " << i / 256 << "," << i % 256;
    }
    EXPECT_EQ(WriteVehicles("second"), first);
    Frames(500);  // the loaded vehicles drive on
}

TEST_F(RecordTest, CarPlacedOnANodeFieldGetsItsJunctionMarkBack) {
    // The street's west end (30, 30) carries a node; a car placed there
    // heading east holds the junction's count and side counters.
    Finish(25, 25, 40, 35, true);
    ASSERT_TRUE(IsJunctionField(30, 30));
    plat::SetRandSourceForTests([] { return 0; });
    CCityCar* car = new CCityCar(30, 30, "A", 0, 1);
    plat::SetRandSourceForTests({});
    ASSERT_EQ(car->mark.kind, MarkKind::Junction);
    EXPECT_EQ(car->junction_exit, 1);
    EXPECT_EQ(car->junction_node, F(30, 30).knotennummer());
    ASSERT_TRUE(Reload(WriteVehicles("car")));
}

TEST_F(RecordTest, TruckSavedWhileWaitingForItsLaneWaitsAgain) {
    CTruck* first = new CTruck(45, 49, "A", 0);
    CTruck* second = new CTruck(45, 49, "A", 1);  // its lane on the depot is taken
    ASSERT_FALSE(second->HoldsMark());
    for (CTruck* t : {first, second}) SetSchedule(*t, {{45, 49}, {50, 71}});
    ASSERT_TRUE(Reload(WriteVehicles("waiting")));
    ASSERT_EQ(CountVehicles(), 2);
    EXPECT_NE(Listed()[0]->HoldsMark(), Listed()[1]->HoldsMark());
    for (int i = 0; i < 40; ++i) {
        Frames(50);
        ASSERT_TRUE(MarksConsistent()) << "frame " << i * 50;
    }
    for (CVehicle* v : Listed()) EXPECT_TRUE(v->HoldsMark());
}

TEST_F(RecordTest, DamagedRecordsEndTheRead) {
    new CTruck(45, 49, "A", 0);
    new CTruck(45, 49, "A", 1);  // waits for its lane: holds no mark
    const std::string good = WriteVehicles("good");
    ASSERT_TRUE(Reload(good));
    ASSERT_EQ(CountVehicles(), 2);

    // Offsets: the count, then per vehicle its class code and record (the
    // truck's is 477 bytes: 473 and the path count).
    const struct {
        uint32_t at;
        int32_t value;
        int32_t left;  // vehicles read before the damage
    } patches[] = {
        {485, 0, 1},     {485, 5, 1},  {485, 6, 1},
        {485, 7, 1},                                             // unknown class codes
        {485, 9, 1},     {485, -1, 1}, {4, kVehicleCityCar, 0},  // not the record's class
        {24, 7, 0},      {24, 1, 0},   {24, -1, 0},              // wagon counts
        {481, 65537, 0},                                         // a path past the map's size
        {12, 10, 0},                                             // a stop index no schedule has
    };
    for (const auto& patch : patches) {
        std::string bad = good;
        le::PutU32(reinterpret_cast<uint8_t*>(bad.data()) + patch.at,
                   static_cast<uint32_t>(patch.value));
        EXPECT_FALSE(Reload(bad)) << patch.at << ": " << patch.value;
        EXPECT_EQ(CountVehicles(), patch.left) << patch.at << ": " << patch.value;
    }
    // A file that ends inside a record.
    EXPECT_FALSE(Reload(good.substr(0, good.size() - 3)));
    EXPECT_EQ(CountVehicles(), 1);
    // No count at all: no vehicles.
    EXPECT_TRUE(Reload(""));
    EXPECT_EQ(CountVehicles(), 0);
}

// Through the level file the vehicles' record comes back byte for byte with
// the junction counters. A saved game whose vehicles name things that do not
// exist is refused, and the running game stays as it was.
using NothingLost = RecordTest;
TEST_F(NothingLost, VehiclesNamingWhatDoesNotExistAreRefused) {
    LeaveNoCity();
    Populate(false);
    const std::vector<int32_t> numbers = Numbers();
    const std::string first = WriteVehicles("first");
    const std::string good = Path("good.lvl");
    const std::string bad = Path("bad.lvl");
    ASSERT_TRUE(SaveGameFile(good));
    EXPECT_NE(folder_.Read("good.lvl").find(first), std::string::npos);
    ASSERT_EQ(LoadSavedGame(good), LevelLoadResult::Loaded);
    EXPECT_EQ(Numbers(), numbers);
    EXPECT_TRUE(MarksConsistent());
    EXPECT_EQ(WriteVehicles("second"), first);
    const struct {
        const char* damage;
        void (*apply)(CTruck& first, CTruck& second);
    } cases[] = {
        {"stop on a field without a building", [](CTruck& t, CTruck&) { t.schedule[1].x[0] = 5; }},
        {"stop on a road",
         [](CTruck& t, CTruck&) {
             t.schedule[0] = {{55, 255, 255, 255}, 0, {50, 255, 255, 255}, 0};
         }},
        {"model 9999", [](CTruck& t, CTruck&) { t.model = 9999; }},
        {"number -5", [](CTruck& t, CTruck&) { t.number = -5; }},
        {"two vehicles of one number", [](CTruck& t, CTruck& u) { u.number = t.number; }},
        {"way kind 99", [](CTruck& t, CTruck&) { t.way_kind = 99; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damage);
        ASSERT_EQ(LoadSavedGame(good), LevelLoadResult::Loaded);
        const std::vector<CVehicle*> trucks = Listed();
        c.apply(dynamic_cast<CTruck&>(*trucks[1]), dynamic_cast<CTruck&>(*trucks[0]));
        ASSERT_TRUE(SaveGameFile(bad));
        ASSERT_EQ(LoadSavedGame(good), LevelLoadResult::Loaded);
        const std::string before = WriteVehicles("before");
        EXPECT_EQ(LoadSavedGame(bad), LevelLoadResult::Rejected);
        EXPECT_TRUE(WriteVehicles("after") == before);
    }
    Frames(600);
}

}  // namespace
