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
        game_.Set(g_pLookupTables, &tables_);
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

}  // namespace
