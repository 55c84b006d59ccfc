// A truck hauls gold from a mine's depot to a jewelry factory's depot with
// the buildings of the economy: the mine's stock falls by whole units and
// the factory receives the same units (and makes jewelry of them).

#include <gtest/gtest.h>

#include "economy/building_kinds.h"
#include "economy/factory.h"
#include "economy/mine.h"
#include "road_world.h"
#include "state/data_tables.h"
#include "state/lookup_tables.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"

namespace {

using roadtest::RoadWorld;

constexpr int32_t kGold = 5;
constexpr int32_t kGoldJewelry = 29;

class EconomyHaulTest : public RoadWorld {
  protected:
    void SetUp() override {
        InitGoodsTable();
        InitBuildingTypes();
        g_pLookupTables = &tables_;
        game_.state().cash[0] = 10000000;
        game_.state().mine_kind = 0;  // gold
        mine_ = Place(kTypeMine, 100, 100);
        mineDepot_ = Place(kTypeTruckDepot + 2, 103, 103);  // leaves south
        factory_ = Place(kTypeJewelryIndustry, 123, 99);
        factoryDepot_ = Place(kTypeTruckDepot + 2, 121, 103);
        static_cast<CFactory*>(buildings_.At(factory_))->SetProduct(kGoldJewelry);
        Line(98, 104, 130, 104);
        DepotRoad(103, 103);
        DepotRoad(121, 103);
        Finish(90, 90, 140, 120);
    }
    void TearDown() override {
        DeleteAllVehicles();
        buildings_.FreeAll();
        g_pLookupTables = nullptr;
    }

    int32_t Place(int32_t type, int32_t x, int32_t y) {
        const bool depot = type >= kTypeTruckDepot && type <= kTypeTruckDepot + 3;
        game_.state().selected_building_type = depot ? kTypeTruckDepot : type;
        game_.state().build_orientation = depot ? type - kTypeTruckDepot : 0;
        const int32_t number = buildings_.PlaceBuilding(x, y);
        EXPECT_GT(number, 0);
        const Floor floor = FloorOfType(type);
        for (int32_t fx = x; fx < x + floor.width; ++fx) {
            for (int32_t fy = y; fy < y + floor.depth; ++fy) {
                F(fx, fy).set_geb_num(static_cast<uint32_t>(number));
                F(fx, fy).set_geb_typ(static_cast<uint32_t>(type));
                F(fx, fy).set_building_flag(true);
            }
        }
        return number;
    }

    int32_t Stock(int32_t building, int32_t product) {
        int32_t n = 0;
        int32_t d = 1;
        return buildings_.At(building)->GetStock(product, n, d);
    }

    CLookupTables tables_;
    int32_t mine_ = 0;
    int32_t mineDepot_ = 0;
    int32_t factory_ = 0;
    int32_t factoryDepot_ = 0;
};

TEST_F(EconomyHaulTest, MineStockFallsAndTheFactoryGetsTheSameUnits) {
    const int32_t mineBefore = Stock(mine_, kGold);
    ASSERT_GE(mineBefore, 3);
    CTruck* truck = new CTruck(103, 103, "A", 0);
    SetSchedule(*truck, {{103, 103}, {121, 103}});
    truck->cargo_plan[0][0][0] = kGold;

    const int64_t cashBefore = game_.state().cash[0];
    ASSERT_TRUE(FramesUntil([&] { return Stock(mine_, kGold) == mineBefore - 3; }, 20000));
    // The unit on board reaches the factory.
    ASSERT_TRUE(FramesUntil(
        [&] {
            return Stock(factory_, kGold) + Stock(factory_, kGoldJewelry) == 3 &&
                   truck->amount_carried == 0;
        },
        4000));
    EXPECT_EQ(Stock(mine_, kGold), mineBefore - 3);
    EXPECT_EQ(Stock(factory_, kGoldJewelry), 3);  // made at once from the gold
    // Running costs: 20 fields a leg, 6 a field, booked at each arrival.
    EXPECT_LE(game_.state().cash[0], cashBefore - 5 * 20 * 6);
    EXPECT_TRUE(MarksConsistent());
}

}  // namespace
