// The hand-over of goods at terminals: the catchment, sharing deliveries in
// exact fractions, taking evenly, and who comes first.

#include <gtest/gtest.h>

#include <algorithm>

#include "economy/factory.h"
#include "economy/mine.h"
#include "economy/store.h"
#include "economy/train_station.h"
#include "economy/truck_depot.h"
#include "economy/warehouse.h"
#include "economy_fixture.h"
#include "state/data_tables.h"

namespace econ {
namespace {

constexpr int32_t kRaceTrack = 13;  // toy: 1 copper sheet (3) + 1 plastic (1)
constexpr int32_t kCopper = 3;
constexpr int32_t kTricycle = 9;

class HandoverTest : public EconomyTest {
  protected:
    // A truck depot at (100, 100) with its catchment x 95..105, y 95..105.
    int32_t Depot() { return Place(kTypeTruckDepot, 100, 100); }
    int32_t ToyFactory(int32_t x, int32_t y, int32_t product = kRaceTrack) {
        const int32_t n = Place(kTypeToyIndustry, x, y);
        B<CFactory>(n).SetProduct(product);
        return n;
    }
    CTerminal& T(int32_t n) { return B<CTerminal>(n); }
    std::vector<int32_t> Listed(int32_t terminal) {
        std::vector<int32_t> out;
        for (const CatchmentNode& node : T(terminal).catchment()) out.push_back(node.building);
        return out;
    }
};

TEST_F(HandoverTest, TheCatchmentListsEachBuildingOnceInReverseScanOrder) {
    const int32_t depot = Depot();
    const int32_t touching = Place(kTypeToyIndustry, 105, 92);  // reaches (105, 95)
    const int32_t outside = Place(kTypeToyIndustry, 106, 100);
    const int32_t west = Place(kTypeDepot, 92, 100);  // x 92..95
    T(depot).Refresh();
    EXPECT_EQ(Listed(depot), (std::vector<int32_t>{touching, west}));
    EXPECT_EQ(T(depot).catchment().front().is_warehouse, 0);
    EXPECT_EQ(T(depot).catchment().back().is_warehouse, 1);
    (void)outside;
    // Scan marks are at rest afterwards.
    for (int32_t n : {depot, touching, outside, west}) EXPECT_EQ(Table().At(n)->scan_mark, 0);
}

TEST_F(HandoverTest, AStationScansAroundItsPlatformRows) {
    const int32_t station = Place(kTypeTrainStation + 1, 50, 50);  // type 7, anchor (50, 50)
    B<CTrainStation>(station).length = 3;
    MarkFootprint(station);
    const int32_t inCorner = Place(kTypeDepot, 58, 58);
    const int32_t pastEast = Place(kTypeDepot, 59, 45);
    const int32_t farCorner = Place(kTypeDepot, 41, 41);   // x, y 41..44
    const int32_t nearCorner = Place(kTypeDepot, 42, 30);  // y 30..33
    const int32_t touchingWest = Place(kTypeDepot, 42, 42);
    T(station).Refresh();
    const std::vector<int32_t> listed = Listed(station);
    auto has = [&](int32_t n) { return std::count(listed.begin(), listed.end(), n) == 1; };
    EXPECT_TRUE(has(inCorner));
    EXPECT_TRUE(has(touchingWest));
    EXPECT_FALSE(has(pastEast));
    EXPECT_FALSE(has(farCorner));
    EXPECT_FALSE(has(nearCorner));
}

TEST_F(HandoverTest, SitesServeEveryPlayerAndCompetitorsBuildingsStayOut) {
    const int32_t mine = Place(kTypeMine, 104, 103);
    const int32_t own = Depot();
    const int32_t rival = Place(kTypeTruckDepot, 108, 100);  // reaches x 103..113
    const int32_t rivalStore = Place(kTypeToyStore, 110, 97);
    const int32_t rivalStoreNearOwn = Place(kTypeToyStore, 97, 97);
    for (int32_t n : {rival, rivalStore, rivalStoreNearOwn}) {
        Table().At(n)->owner = 1;
        MarkFootprint(n);
    }
    T(own).Refresh();
    T(rival).Refresh();
    EXPECT_EQ(Listed(own), std::vector<int32_t>{mine});
    EXPECT_EQ(Listed(rival), (std::vector<int32_t>{rivalStore, mine}));
}

TEST_F(HandoverTest, OneUnitToTwoAcceptorsThenToThreeStaysExact) {
    const int32_t depot = Depot();
    const int32_t a = ToyFactory(96, 96);
    const int32_t b = ToyFactory(101, 96);
    T(depot).Refresh();
    EXPECT_EQ(T(depot).PutGoods(kCopper, 1, 1), 1);
    for (int32_t n : {a, b}) {
        const GoodsSlot& s = B<CFactory>(n).stock[0];
        EXPECT_EQ(s.product, kCopper);
        EXPECT_EQ(Frac(s), Fraction(1, 2));
    }
    const int32_t c = ToyFactory(96, 101);
    T(depot).Refresh();
    T(depot).PutGoods(kCopper, 1, 1);
    for (int32_t n : {a, b}) {
        EXPECT_EQ(Frac(B<CFactory>(n).stock[0]), Fraction(5, 6));
    }
    EXPECT_EQ(Frac(B<CFactory>(c).stock[0]), Fraction(1, 3));
}

TEST_F(HandoverTest, HalvesMakeOneUnitAndEmptiedSlotsFollowTheBuildingClass) {
    // Stores keep an emptied slot bound to its product; warehouses free it.
    for (const int32_t type : {kTypeToyStore, kTypeDepot}) {
        SCOPED_TRACE(type);
        const bool warehouse = type == kTypeDepot;
        const int32_t c = warehouse ? 150 : 100;
        const int32_t depot = Place(kTypeTruckDepot, c, c);
        const int32_t a = Place(type, c - 4, c - 4);
        const int32_t b = Place(type, c + 1, c + 1);
        auto slot = [&](int32_t n) -> GoodsSlot& {
            return warehouse ? B<CDepot>(n).stock[0] : B<CStore>(n).stock[1];
        };
        slot(a) = slot(b) = Slot(kTricycle, 1, 2);
        T(depot).Refresh();
        EXPECT_EQ(T(depot).TakeGoods(kTricycle, 3, 0, 0), 1);
        for (int32_t n : {a, b}) {
            EXPECT_EQ(slot(n).product, warehouse ? -1 : kTricycle);
            EXPECT_EQ(slot(n).numerator, 0);
            if (warehouse) {
                EXPECT_EQ(slot(n).denominator, 1);
            }
        }
        EXPECT_EQ(T(depot).TakeGoods(kTricycle, 1, 0, 0), 0);
        if (!warehouse) continue;
        T(depot).PutGoods(17, 1, 1);
        EXPECT_EQ(slot(a).product, 17);
        EXPECT_EQ(Frac(slot(a)), Fraction(1, 2));
    }
}

TEST_F(HandoverTest, FactoriesAndStoresComeBeforeWarehouses) {
    const int32_t depot = Depot();
    const int32_t factory = ToyFactory(96, 96);
    const int32_t warehouse = Place(kTypeDepot, 101, 101);
    T(depot).Refresh();
    // Copper goes to the factory that needs it; the warehouse gets none.
    T(depot).PutGoods(kCopper, 2, 1);
    EXPECT_EQ(WholeUnits(B<CFactory>(factory).stock[0]), 2);
    EXPECT_EQ(B<CDepot>(warehouse).stock[0].product, -1);
    // A product nobody needs goes to the warehouse.
    T(depot).PutGoods(kTricycle, 2, 1);
    EXPECT_EQ(B<CDepot>(warehouse).stock[0].product, kTricycle);
    EXPECT_EQ(WholeUnits(B<CDepot>(warehouse).stock[0]), 2);
    // Taking: the factory's output first, the warehouse's stock last.
    B<CFactory>(factory).stock[1] = Slot(kTricycle, 1, 1);
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 1, 0, 0), 1);
    EXPECT_EQ(B<CFactory>(factory).stock[1].product, -1);
    EXPECT_EQ(WholeUnits(B<CDepot>(warehouse).stock[0]), 2);
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 5, 0, 0), 2);
    // A factory never gives what it consumes.
    B<CDepot>(warehouse).stock[0] = Slot(kCopper, 1, 1);
    EXPECT_EQ(T(depot).TakeGoods(kCopper, 3, 0, 0), 1);
    EXPECT_EQ(WholeUnits(B<CFactory>(factory).stock[0]), 2);
    EXPECT_EQ(B<CFactory>(factory).TakeGoods(kCopper, 1, 1, 0), 0);
}

TEST_F(HandoverTest, ADeliveryNobodyTakesVanishes) {
    const int32_t depot = Depot();
    ToyFactory(96, 96);
    T(depot).Refresh();
    const std::string before = Snapshot(Table());
    EXPECT_EQ(T(depot).PutGoods(kTricycle, 1, 1), 1);
    EXPECT_EQ(Snapshot(Table()), before);
}

TEST_F(HandoverTest, GoodsComeEvenlyPortionByPortion) {
    const int32_t depot = Depot();
    const int32_t big = Place(kTypeDepot, 96, 96);
    const int32_t small = Place(kTypeDepot, 101, 96);
    const int32_t third = Place(kTypeDepot, 96, 101);
    B<CDepot>(big).stock[0] = Slot(kTricycle, 5, 1);
    B<CDepot>(small).stock[0] = Slot(kTricycle, 1, 3);
    B<CDepot>(third).stock[0] = Slot(kTricycle, 2, 1);
    T(depot).Refresh();
    // M = lcm(1, 3, 1, 3 givers) = 3: two units are six thirds. The list runs
    // small, third, big (the reverse of the scan). Pass one takes a third
    // from each, pass two from third and big, pass three from the first that
    // still holds some: third.
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 2, 0, 0), 2);
    EXPECT_EQ(B<CDepot>(small).stock[0].product, -1);
    const GoodsSlot& b = B<CDepot>(big).stock[0];
    const GoodsSlot& t = B<CDepot>(third).stock[0];
    EXPECT_EQ(Frac(b), Fraction(13, 3));  // 5 - 2/3
    EXPECT_EQ(Frac(t), Fraction(1, 1));   // 2 - 1
}

TEST_F(HandoverTest, TheTerminalRunsTheFactoriesOfItsCatchment) {
    const int32_t depot = Depot();
    const int32_t factory = ToyFactory(96, 96, 9);  // tricycle: 1 steel sheet
    const int32_t store = Place(kTypeToyStore, 101, 101);
    B<CFactory>(factory).stock[0] = Slot(4, 3, 1);
    T(depot).Refresh();
    T(depot).Update();
    EXPECT_EQ(B<CFactory>(factory).stock[0].product, -1);
    EXPECT_EQ(WholeUnits(B<CFactory>(factory).stock[1]), 3);
    (void)store;
}

}  // namespace
}  // namespace econ
