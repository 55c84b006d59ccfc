// The vehicles' part of the level file: record sizes, byte-identical round
// trips in list order with the marks put back, the load-only construction
// and damaged records.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "road_world.h"
#include "state/le_io.h"
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
        // A crossing, a tunnel and a bridge, two depots and a city street.
        Line(40, 50, 60, 50);
        Line(50, 40, 50, 49);
        Line(50, 51, 50, 54);
        Tunnel(50, 55, 50, 58);
        Line(50, 59, 50, 62);
        Bridge(50, 63, 50, 66);
        Line(50, 67, 50, 70);
        Depot(45, 49, 2, 1);
        Depot(50, 71, 0, 2);
        City(1, 30, 30);
        Street(30, 30, 38, 30, 1);
        Finish(20, 20, 80, 80);
    }

    std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }

    std::string WriteVehicles(const std::string& name) {
        plat::FileHandle file = plat::OpenFile(Path(name), plat::OpenMode::Create);
        EXPECT_NE(file, plat::kInvalidFile);
        WriteVehicleRecords(file);
        plat::CloseFile(file);
        return folder_.Read(name);
    }
    template <typename Writer>
    std::string WriteWith(const std::string& name, Writer writer) {
        plat::FileHandle file = plat::OpenFile(Path(name), plat::OpenMode::Create);
        EXPECT_NE(file, plat::kInvalidFile);
        writer(file);
        plat::CloseFile(file);
        return folder_.Read(name);
    }
    bool ReadVehicles(const std::string& bytes) {
        folder_.Write("in", bytes);
        plat::FileHandle file = plat::OpenFile(Path("in"), plat::OpenMode::Read);
        EXPECT_NE(file, plat::kInvalidFile);
        const bool ok = ReadVehicleRecords(file);
        plat::CloseFile(file);
        return ok;
    }

    std::vector<CVehicle*> Listed() const {
        std::vector<CVehicle*> out;
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            out.push_back(n->vehicle);
        }
        return out;
    }

    // Trucks and cars spread over the roads, some in the tunnel, on the
    // bridge and on the crossing.
    void Populate() {
        for (int i = 0; i < 4; ++i) {
            CTruck* down = new CTruck(45, 49, "A", i);
            SetSchedule(*down, {{45, 49}, {50, 71}});
            down->cargo_plan[0][0][0] = static_cast<uint8_t>(20 + i);
            Frames(150);
            CTruck* up = new CTruck(50, 71, "A", 9 - i);
            SetSchedule(*up, {{50, 71}, {45, 49}});
            Frames(90);
        }
        new CCityCar(32, 30, "A", 0, 1);
        new CCityCar(36, 30, "A", 0, 1);
        Frames(37);
    }

    // The level reader: deletes the vehicles, reads the grid and the way
    // network back as saved (node side counters included), clears the
    // transient marks and reads the vehicles.
    bool Reload(const std::string& bytes) {
        std::vector<MapField> grid(game_.state().fields, game_.state().fields + kMapFieldCount);
        std::vector<WayNode> nodes(kWayNodeSlots);
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            if (Net().Node(n) != nullptr) nodes[n] = *Net().Node(n);
        }
        DeleteAllVehicles();
        g_MaxVehicleNumber = 0;
        std::memcpy(game_.state().fields, grid.data(), grid.size() * sizeof(MapField));
        for (int32_t n = 1; n < kWayNodeSlots; ++n) {
            if (Net().Node(n) != nullptr) *Net().Node(n) = nodes[n];
        }
        ClearTransientFieldBits();
        return ReadVehicles(bytes);
    }

    fvtest::TempFolder folder_;
};

TEST_F(RecordTest, RecordSizes) {
    CTruck* truck = new CTruck(45, 49, "A", 0);
    EXPECT_EQ(WriteWith("t", [&](plat::FileHandle f) { truck->Save(f); }).size(), 473u + 4u);
    truck->path.PushFront(7, 1);
    truck->path.PushFront(8, -1);
    EXPECT_EQ(WriteWith("t", [&](plat::FileHandle f) { truck->Save(f); }).size(), 473u + 4u + 16u);
    CCityCar* car = new CCityCar(32, 30, "A", 0, 1);
    EXPECT_EQ(WriteWith("c", [&](plat::FileHandle f) { car->Save(f); }).size(), kCityCarRecordSize);
    CWagon wagon(1, 2, "a", 3, 4);
    EXPECT_EQ(WriteWith("w", [&](plat::FileHandle f) { wagon.Save(f); }).size(), kWagonRecordSize);
    EXPECT_EQ(kWagonRecordSize, 109u);
    // The list part: a count, then the class code before each record.
    EXPECT_EQ(WriteVehicles("all").size(), 4u + 4u + 493u + 4u + kCityCarRecordSize);
}

TEST_F(RecordTest, SaveLoadSaveIsByteIdenticalInListOrderWithTheMarksBack) {
    Populate();
    const std::vector<CVehicle*> before = Listed();
    ASSERT_EQ(before.size(), 10u);
    std::vector<int32_t> numbers;
    for (CVehicle* v : before) numbers.push_back(v->number);
    std::set<MarkKind> kinds;
    for (CVehicle* v : before) kinds.insert(v->mark.kind);
    EXPECT_TRUE(kinds.count(MarkKind::Lane));
    EXPECT_TRUE(kinds.count(MarkKind::Tunnel));
    EXPECT_TRUE(kinds.count(MarkKind::Bridge));
    EXPECT_TRUE(kinds.count(MarkKind::Junction));
    ASSERT_TRUE(MarksConsistent());
    const std::vector<MapField> marked(game_.state().fields, game_.state().fields + kMapFieldCount);
    const std::string first = WriteVehicles("first");

    ASSERT_TRUE(Reload(first));
    const std::vector<CVehicle*> after = Listed();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i]->number, numbers[i]);
        EXPECT_EQ(after[i]->owner, after[i]->vehicle_class == kVehicleCityCar ? 1 : 0);
    }
    EXPECT_EQ(g_MaxVehicleNumber, 8);
    EXPECT_TRUE(MarksConsistent());
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        ASSERT_EQ(std::memcmp(marked[i].bytes, game_.state().fields[i].bytes, 12), 0)
            << "field " << i / 256 << "," << i % 256;
    }
    EXPECT_EQ(WriteVehicles("second"), first);

    // The loaded vehicles drive on and give every mark back at the end.
    Frames(500);
    EXPECT_TRUE(MarksConsistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
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
    EXPECT_TRUE(MarksConsistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

TEST_F(RecordTest, TruckSavedWhileWaitingForItsLaneWaitsAgain) {
    CTruck* first = new CTruck(45, 49, "A", 0);
    CTruck* second = new CTruck(45, 49, "A", 1);  // its lane on the depot is taken
    ASSERT_FALSE(second->HoldsMark());
    for (CTruck* t : {first, second}) SetSchedule(*t, {{45, 49}, {50, 71}});
    ASSERT_TRUE(Reload(WriteVehicles("waiting")));
    ASSERT_EQ(CountVehicles(), 2);
    EXPECT_TRUE(MarksConsistent());
    int32_t marked = 0;
    for (CVehicle* v : Listed()) marked += v->HoldsMark() ? 1 : 0;
    EXPECT_EQ(marked, 1);
    for (int i = 0; i < 40; ++i) {
        Frames(50);
        ASSERT_TRUE(MarksConsistent()) << "frame " << i * 50;
    }
    for (CVehicle* v : Listed()) EXPECT_TRUE(v->HoldsMark());
    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

TEST_F(RecordTest, LoadOnlyConstructionLeavesTheMapAlone) {
    const int64_t marks = MarkSum();
    const int32_t maxNumber = g_MaxVehicleNumber;
    {
        CTruck truck{VehicleLoadOnly{}};
        CCityCar car{VehicleLoadOnly{}};
        EXPECT_FALSE(truck.HoldsMark());
        EXPECT_FALSE(car.HoldsMark());
    }
    EXPECT_EQ(MarkSum(), marks);
    EXPECT_EQ(g_MaxVehicleNumber, maxNumber);
    EXPECT_EQ(g_pVehicleList, nullptr);
    EXPECT_EQ(F(0, 0).belegt(), 0);
}

TEST_F(RecordTest, LoadedTruckKeepsItsModel) {
    CTruck* truck = new CTruck(45, 49, "A", 4);
    const std::string bytes = WriteVehicles("one");
    ASSERT_TRUE(Reload(bytes));
    ASSERT_NE(g_pVehicleList, nullptr);
    EXPECT_EQ(g_pVehicleList->vehicle->model, 4);
    (void)truck;
}

TEST_F(RecordTest, DamagedRecordsEndTheRead) {
    new CTruck(45, 49, "A", 0);
    new CTruck(45, 49, "A", 1);  // waits for its lane: holds no mark
    const std::string good = WriteVehicles("good");
    ASSERT_TRUE(Reload(good));
    ASSERT_EQ(CountVehicles(), 2);

    // Unknown class codes.
    for (int32_t code : {0, 5, 6, 7, 9, -1}) {
        std::string bad = good;
        const uint32_t at = 4u + 4u + 477u;  // the second class code
        le::PutU32(reinterpret_cast<uint8_t*>(bad.data()) + at, static_cast<uint32_t>(code));
        EXPECT_FALSE(Reload(bad)) << code;
        EXPECT_EQ(CountVehicles(), 1) << code;  // the first one stays
    }
    // A class code that is not the record's own.
    std::string other = good;
    le::PutU32(reinterpret_cast<uint8_t*>(other.data()) + 4u, kVehicleCityCar);
    EXPECT_FALSE(Reload(other));
    EXPECT_EQ(CountVehicles(), 0);
    // Wagon count 7 (and a truck with wagons at all).
    for (int32_t wagons : {7, 1, -1}) {
        std::string bad = good;
        le::PutU32(reinterpret_cast<uint8_t*>(bad.data()) + 8u + 16u,
                   static_cast<uint32_t>(wagons));
        EXPECT_FALSE(Reload(bad)) << wagons;
        EXPECT_EQ(CountVehicles(), 0);
    }
    // A path longer than the map has fields.
    std::string longPath = good;
    le::PutU32(reinterpret_cast<uint8_t*>(longPath.data()) + 8u + 473u, 65537u);
    EXPECT_FALSE(Reload(longPath));
    // A stop index no schedule has.
    std::string badStop = good;
    le::PutU32(reinterpret_cast<uint8_t*>(badStop.data()) + 8u + 4u, 10u);
    EXPECT_FALSE(Reload(badStop));
    // A file that ends inside a record.
    EXPECT_FALSE(Reload(good.substr(0, good.size() - 3)));
    EXPECT_EQ(CountVehicles(), 1);
    // No count at all: no vehicles.
    EXPECT_TRUE(Reload(""));
    EXPECT_EQ(CountVehicles(), 0);
    EXPECT_EQ(MarkSum(), 0);
}

TEST_F(RecordTest, ShortWritesSetTheWriteError) {
    new CTruck(45, 49, "A", 0);
    g_WriteError = 0;
    plat::SetWriteLimitForTests(100);
    WriteVehicles("short");
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(g_WriteError, 1);
    g_WriteError = 0;
}

}  // namespace
