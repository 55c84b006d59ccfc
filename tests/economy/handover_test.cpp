// The hand-over of goods at terminals: the catchment, sharing deliveries in
// exact fractions, taking evenly, and who comes first.

#include <gtest/gtest.h>

#include <algorithm>

#include "economy/factory.h"
#include "economy/store.h"
#include "economy/train_station.h"
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
        T(terminal).Refresh();
        std::vector<int32_t> out;
        for (const CatchmentNode& node : T(terminal).catchment()) out.push_back(node.building);
        return out;
    }
    GoodsSlot& Depot0(int32_t n) { return B<CDepot>(n).stock[0]; }
};

TEST_F(HandoverTest, CatchmentsOfDepotsAndStations) {
    // A depot lists each building once, in reverse scan order, with scan
    // marks at rest afterwards.
    const int32_t depot = Depot();
    const int32_t touching = Place(kTypeToyIndustry, 105, 92);  // reaches (105, 95)
    const int32_t outside = Place(kTypeToyIndustry, 106, 100);
    const int32_t west = Place(kTypeDepot, 92, 100);  // x 92..95
    EXPECT_EQ(Listed(depot), (std::vector<int32_t>{touching, west}));
    EXPECT_EQ(T(depot).catchment().back().is_warehouse, 1);
    for (int32_t n : {depot, touching, outside, west}) EXPECT_EQ(Table().At(n)->scan_mark, 0);

    // A station scans around its platform rows.
    const int32_t station = Place(kTypeTrainStation + 1, 50, 50);
    B<CTrainStation>(station).length = 3;
    MarkFootprint(station);
    const int32_t inCorner = Place(kTypeDepot, 58, 58);
    const int32_t touchingWest = Place(kTypeDepot, 42, 42);
    for (auto [x, y] : {std::pair{59, 45}, {41, 41}, {42, 30}}) Place(kTypeDepot, x, y);
    std::vector<int32_t> listed = Listed(station);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<int32_t>{inCorner, touchingWest}));

    // Sites serve every player; competitors' buildings stay out.
    const int32_t mine = Place(kTypeMine, 154, 153);
    const int32_t own = Place(kTypeTruckDepot, 150, 150);
    const int32_t rival = Place(kTypeTruckDepot, 158, 150);  // reaches x 153..163
    const int32_t rivalStore = Place(kTypeToyStore, 160, 147);
    const int32_t rivalStoreNearOwn = Place(kTypeToyStore, 147, 147);
    for (int32_t n : {rival, rivalStore, rivalStoreNearOwn}) {
        Table().At(n)->owner = 1;
        MarkFootprint(n);
    }
    EXPECT_EQ(Listed(own), std::vector<int32_t>{mine});
    EXPECT_EQ(Listed(rival), (std::vector<int32_t>{rivalStore, mine}));
}

TEST_F(HandoverTest, DeliveriesAreSharedExactlyAndFactoriesComeBeforeWarehouses) {
    const int32_t depot = Depot();
    const int32_t a = ToyFactory(96, 96);
    const int32_t b = ToyFactory(101, 96);
    const int32_t warehouse = Place(kTypeDepot, 101, 101);
    T(depot).Refresh();
    EXPECT_EQ(T(depot).PutGoods(kCopper, 1, 1), 1);
    const int32_t c = ToyFactory(96, 101);
    T(depot).Refresh();
    T(depot).PutGoods(kCopper, 1, 1);
    for (int32_t n : {a, b}) EXPECT_EQ(Frac(B<CFactory>(n).stock[0]), Fraction(5, 6));
    EXPECT_EQ(Frac(B<CFactory>(c).stock[0]), Fraction(1, 3));
    EXPECT_EQ(Depot0(warehouse).product, -1);  // copper went to those that need it
    // A product nobody needs goes to the warehouse.
    T(depot).PutGoods(kTricycle, 2, 1);
    EXPECT_EQ(WholeUnits(Depot0(warehouse)), 2);
    // Taking: the factory's output first, the warehouse's stock last.
    B<CFactory>(a).stock[1] = Slot(kTricycle, 1, 1);
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 1, 0, 0), 1);
    EXPECT_EQ(B<CFactory>(a).stock[1].product, -1);
    EXPECT_EQ(WholeUnits(Depot0(warehouse)), 2);
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 5, 0, 0), 2);
    // A factory never gives what it consumes.
    Depot0(warehouse) = Slot(kCopper, 1, 1);
    EXPECT_EQ(T(depot).TakeGoods(kCopper, 3, 0, 0), 1);
    EXPECT_EQ(B<CFactory>(a).TakeGoods(kCopper, 1, 1, 0), 0);
    EXPECT_EQ(Frac(B<CFactory>(a).stock[0]), Fraction(5, 6));
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
            return warehouse ? Depot0(n) : B<CStore>(n).stock[1];
        };
        slot(a) = slot(b) = Slot(kTricycle, 1, 2);
        T(depot).Refresh();
        EXPECT_EQ(T(depot).TakeGoods(kTricycle, 3, 0, 0), 1);
        for (int32_t n : {a, b}) {
            EXPECT_EQ(Frac(slot(n)), Fraction(0, 1));
            EXPECT_EQ(slot(n).product, warehouse ? -1 : kTricycle);
        }
        EXPECT_EQ(T(depot).TakeGoods(kTricycle, 1, 0, 0), 0);
    }
}

TEST_F(HandoverTest, GoodsComeEvenlyPortionByPortion) {
    const int32_t depot = Depot();
    const int32_t big = Place(kTypeDepot, 96, 96);
    const int32_t small = Place(kTypeDepot, 101, 96);
    const int32_t third = Place(kTypeDepot, 96, 101);
    Depot0(big) = Slot(kTricycle, 5, 1);
    Depot0(small) = Slot(kTricycle, 1, 3);
    Depot0(third) = Slot(kTricycle, 2, 1);
    T(depot).Refresh();
    // M = lcm(1, 3, 1, 3 givers) = 3: two units are six thirds. The list runs
    // small, third, big (the reverse of the scan). Pass one takes a third
    // from each, pass two from third and big, pass three from the first that
    // still holds some: third.
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 2, 0, 0), 2);
    EXPECT_EQ(Depot0(small).product, -1);
    EXPECT_EQ(std::pair(Frac(Depot0(big)), Frac(Depot0(third))),
              std::pair(Fraction(13, 3), Fraction(1, 1)));
}

TEST_F(HandoverTest, TheTerminalRunsTheFactoriesOfItsCatchment) {
    const int32_t depot = Depot();
    const int32_t factory = ToyFactory(96, 96, 9);  // tricycle: 1 steel sheet
    B<CFactory>(factory).stock[0] = Slot(4, 3, 1);
    T(depot).Refresh();
    T(depot).Update();
    EXPECT_EQ(
        std::pair(B<CFactory>(factory).stock[0].product, WholeUnits(B<CFactory>(factory).stock[1])),
        std::pair(-1, 3));
}

}  // namespace
}  // namespace econ
