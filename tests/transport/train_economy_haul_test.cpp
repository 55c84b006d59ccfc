// A train hauls steel from a steel mill's station to a sports factory's
// station with the buildings of the economy: three wagons made up by the
// cargo plan carry whole units, the mill's stock falls by exactly the units
// that reach the factory, and the factory makes bicycles of them.

#include <gtest/gtest.h>

#include "economy/building_kinds.h"
#include "economy/factory.h"
#include "economy/train_station.h"
#include "rail_world.h"
#include "state/data_tables.h"
#include "state/lookup_tables.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using railtest::RailWorld;

constexpr int32_t kSteel = 4;
constexpr int32_t kBicycles = 18;

class TrainEconomyHaulTest : public RailWorld {
  protected:
    void SetUp() override {
        InitGoodsTable();
        InitBuildingTypes();
        g_pLookupTables = &tables_;
        game_.state().cash[0] = 10000000;
        mill_ = Place(kTypeSteelMill, 100, 100);
        factory_ = Place(kTypeSportsIndustry, 130, 100);
        static_cast<CFactory*>(buildings_.At(factory_))->SetProduct(kBicycles);
        RailLine(104, 104, 129, 104);
        Finish();
        // Stations of type 6 south of both: track row y = 104, head y = 105.
        millStation_ = PlaceStation(100, 104);
        factoryStation_ = PlaceStation(130, 104);
    }
    void TearDown() override {
        DeleteAllVehicles();
        buildings_.FreeAll();
        g_pLookupTables = nullptr;
    }

    int32_t Place(int32_t type, int32_t x, int32_t y) {
        game_.state().selected_building_type = type;
        game_.state().build_orientation = 0;
        const int32_t number = buildings_.PlaceBuilding(x, y);
        EXPECT_GT(number, 0);
        const Floor floor = FloorOfType(type);
        for (int32_t fx = x; fx < x + floor.width; ++fx) {
            for (int32_t fy = y; fy < y + floor.depth; ++fy) Mark(fx, fy, number, type);
        }
        return number;
    }
    int32_t PlaceStation(int32_t x, int32_t y) {
        game_.state().selected_building_type = kTypeTrainStation;
        game_.state().build_orientation = 0;
        const int32_t number = buildings_.PlaceBuilding(x, y);
        EXPECT_GT(number, 0);
        for (int32_t k = 0; k < 4; ++k) {
            Mark(x + k, y, number, 6);
            Mark(x + k, y + 1, number, 6);
            F(x + k, y).set_wegtyp(kWayRail);
        }
        Net().LayStationTrack(x + 1, y, 0);
        return number;
    }
    void Mark(int32_t x, int32_t y, int32_t number, int32_t type) {
        F(x, y).set_geb_num(static_cast<uint32_t>(number));
        F(x, y).set_geb_typ(static_cast<uint32_t>(type));
        F(x, y).set_building_flag(true);
    }
    int32_t Stock(int32_t building, int32_t product) {
        int32_t n = 0;
        int32_t d = 1;
        return buildings_.At(building)->GetStock(product, n, d);
    }

    CLookupTables tables_;
    int32_t mill_ = 0;
    int32_t factory_ = 0;
    int32_t millStation_ = 0;
    int32_t factoryStation_ = 0;
};

TEST_F(TrainEconomyHaulTest, SteelMillToFactoryInWholeUnits) {
    const int32_t millBefore = Stock(mill_, kSteel);
    ASSERT_GE(millBefore, 6);
    CTrain* t = Train(100, 104, 12);
    ASSERT_EQ(t->pos_x, 103);
    // Steel in three columns at the mill, nothing at the factory: three
    // wagons are made up at the mill and dropped at the factory.
    for (int32_t k = 0; k < 3; ++k) t->cargo_plan[0][k][0] = kSteel;
    t->schedule[1] = EmptyScheduleStop();
    t->schedule[1].x[0] = 130;
    t->schedule[1].y[0] = 104;
    t->stop_count = 2;

    ASSERT_TRUE(FramesUntil([&] { return t->loading_state == 0 && t->wagon_count == 3; }, 100));
    int32_t aboard = 0;
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(t->wagons[i]->cargo_key, kSteel);
        EXPECT_EQ(t->wagons[i]->index, i);
        EXPECT_GE(t->wagons[i]->amount, 0);
        EXPECT_LE(t->wagons[i]->amount, 1);
        aboard += t->wagons[i]->amount;
    }
    EXPECT_EQ(aboard, 3);
    EXPECT_EQ(Stock(mill_, kSteel), millBefore - 3);

    // At the factory the wagons are unloaded and dropped.
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1 && t->loading_state == 0; }, 4000));
    EXPECT_EQ(t->wagon_count, 0);
    EXPECT_EQ(Stock(factory_, kSteel) + Stock(factory_, kBicycles), 3);

    // A second round: everything that leaves the mill reaches the factory.
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 4000));
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1 && t->loading_state == 0; }, 4000));
    const int32_t gone = millBefore - Stock(mill_, kSteel);
    EXPECT_EQ(gone, 6);
    EXPECT_EQ(Stock(factory_, kSteel) + Stock(factory_, kBicycles), gone);
    EXPECT_TRUE(Consistent());
}

}  // namespace
