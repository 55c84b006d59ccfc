// A saved game with trucks on the road, through the level file's writer and
// reader: the vehicles come back in list order with their marks (junction
// counters from the way network's record), their record saves again byte for
// byte, and the loaded trucks drive on and give every mark back.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/level_file.h"
#include "economy/building_kinds.h"
#include "game/opponent_roster.h"
#include "platform/file.h"
#include "platform/temp_folder.h"
#include "road_world.h"
#include "state/data_tables.h"
#include "state/lookup_tables.h"
#include "transport/truck.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_list.h"

namespace {

using roadtest::RoadWorld;

class LevelFileVehiclesTest : public RoadWorld {
  protected:
    void SetUp() override {
        InitGoodsTable();
        InitBuildingTypes();
        g_pLookupTables = &tables_;
        GetLevelPictureHooks() = LevelPictureHooks{};
        RecreateOpponents();
        // A road with a crossing, a tunnel and a bridge between two depots.
        Line(40, 50, 60, 50);
        Line(50, 40, 50, 49);
        Line(50, 51, 50, 54);
        Tunnel(50, 55, 50, 58);
        Line(50, 59, 50, 62);
        Bridge(50, 63, 50, 66);
        Line(50, 67, 50, 70);
        PlaceDepot(45, 49, 2);
        PlaceDepot(50, 71, 0);
        Finish(20, 20, 80, 80);
    }
    void TearDown() override {
        DeleteAllVehicles();
        buildings_.FreeAll();
        g_pLookupTables = nullptr;
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

    // The vehicles' record of the level file as the vehicles write it now.
    std::string VehicleRecords(const std::string& name) {
        plat::FileHandle file = plat::OpenFile(folder_.Path() + "/" + name, plat::OpenMode::Create);
        WriteVehicleRecords(file);
        plat::CloseFile(file);
        return folder_.Read(name);
    }

    std::vector<int32_t> Numbers() const {
        std::vector<int32_t> out;
        for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
            out.push_back(n->vehicle->number);
        }
        return out;
    }

    CLookupTables tables_;
    fvtest::TempFolder folder_;
};

TEST_F(LevelFileVehiclesTest, SavedGameWithTrucksComesBackInOrderWithItsMarks) {
    for (int i = 0; i < 4; ++i) {
        CTruck* down = new CTruck(45, 49, "A", i);
        SetSchedule(*down, {{45, 49}, {50, 71}});
        Frames(150);
        CTruck* up = new CTruck(50, 71, "A", 9 - i);
        SetSchedule(*up, {{50, 71}, {45, 49}});
        Frames(90);
    }
    Frames(37);
    bool junction = false;
    for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        junction = junction || n->vehicle->mark.kind == MarkKind::Junction;
    }
    EXPECT_TRUE(junction);
    ASSERT_TRUE(MarksConsistent());
    const std::vector<int32_t> numbers = Numbers();

    const std::string before = VehicleRecords("before");
    const std::string path = folder_.Path() + "/game.lvl";
    ASSERT_TRUE(SaveGameFile(path));
    // The level file holds the vehicles' record as the vehicles write it.
    EXPECT_NE(folder_.Read("game.lvl").find(before), std::string::npos);
    ASSERT_EQ(LoadSavedGame(path), LevelLoadResult::Loaded);
    EXPECT_EQ(Numbers(), numbers);
    EXPECT_TRUE(MarksConsistent());
    const std::string after = VehicleRecords("after");
    EXPECT_TRUE(after == before) << "the record read back saves differently";

    Frames(600);
    EXPECT_TRUE(MarksConsistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkSum(), 0);
}

// A saved game whose vehicles name things that do not exist is refused, and
// the running game stays as it was.
using NothingLost = LevelFileVehiclesTest;
TEST_F(NothingLost, VehiclesNamingWhatDoesNotExistAreRefused) {
    CTruck* first = new CTruck(45, 49, "A", 1);
    SetSchedule(*first, {{45, 49}, {50, 71}});
    CTruck* second = new CTruck(50, 71, "A", 2);
    SetSchedule(*second, {{50, 71}, {45, 49}});
    Frames(40);
    const std::string path = folder_.Path() + "/bad.lvl";
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
        const std::string before = VehicleRecords("before");
        struct Kept {
            ScheduleStop schedule[kScheduleStops];
            int32_t model, number, way_kind;
        };
        Kept kept[2];
        CTruck* trucks[2] = {first, second};
        for (int i = 0; i < 2; ++i) {
            std::memcpy(kept[i].schedule, trucks[i]->schedule, sizeof kept[i].schedule);
            kept[i].model = trucks[i]->model;
            kept[i].number = trucks[i]->number;
            kept[i].way_kind = trucks[i]->way_kind;
        }
        c.apply(*first, *second);
        ASSERT_TRUE(SaveGameFile(path));
        for (int i = 0; i < 2; ++i) {
            std::memcpy(trucks[i]->schedule, kept[i].schedule, sizeof kept[i].schedule);
            trucks[i]->model = kept[i].model;
            trucks[i]->number = kept[i].number;
            trucks[i]->way_kind = kept[i].way_kind;
        }
        EXPECT_EQ(LoadSavedGame(path), LevelLoadResult::Rejected);
        EXPECT_TRUE(VehicleRecords("after") == before);
    }
    ASSERT_TRUE(SaveGameFile(path));  // undamaged, the same game loads
    EXPECT_EQ(LoadSavedGame(path), LevelLoadResult::Loaded);
}

}  // namespace
