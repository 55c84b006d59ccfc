// Calls with nothing to hand over change nothing and never divide by zero:
// a product below 0, an amount of 0 or less, no sharers, a denominator of 0.

#include <gtest/gtest.h>

#include "economy/building_kinds.h"
#include "economy/factory.h"
#include "economy/store.h"
#include "economy/terminal.h"
#include "economy/warehouse.h"
#include "economy_fixture.h"
#include "state/data_tables.h"

namespace econ {
namespace {

class DegenerateCallsTest : public EconomyTest {
  protected:
    void SetUp() override {
        depot = Place(kTypeTruckDepot, 100, 100);
        station = Place(kTypeTrainStation + 2, 110, 100);
        CFactory& factory = B<CFactory>(Place(kTypeToyIndustry, 96, 96));
        factory.SetProduct(13);
        factory.stock[0] = Slot(3, 7, 3);
        factory.stock[1] = Slot(13, 2, 1);
        B<CStore>(Place(kTypeToyStore, 101, 96)).stock[5] = Slot(13, 5, 2);
        B<CDepot>(Place(kTypeDepot, 96, 101)).stock[0] = Slot(13, 1, 4);
        for (const auto [type, x, y] : {std::array<int32_t, 3>{kTypeMine, 103, 103},
                                        {kTypeLumberMill, 112, 96},
                                        {kTypeChemicalPlant, 106, 104},
                                        {kTypeSteelMill, 114, 104}})
            Place(type, x, y);
        B<CTerminal>(depot).Refresh();
        B<CTerminal>(station).Refresh();
    }
    int32_t depot = 0;
    int32_t station = 0;
};

TEST_F(DegenerateCallsTest, TerminalsAndBuildingsHandOverNothingForNothing) {
    const std::string before = Snapshot(Table());
    const int64_t cash = Cash();
    for (int32_t t : {depot, station}) {
        CBuilding& terminal = *Table().At(t);
        for (const auto& [p, amount] : {std::pair{-1, 1}, {13, 0}, {13, -3}, {5, 0}}) {
            EXPECT_EQ(terminal.TakeGoods(p, amount, 0, 0), 0) << t << ' ' << p;
        }
        // A truck's empty unloading and other puts of nothing.
        for (const auto [p, amount, sharers] :
             {std::array{-1, 0, 1}, {-1, 1, 1}, {3, 0, 1}, {3, -1, 0}}) {
            EXPECT_EQ(terminal.PutGoods(p, amount, sharers), 0) << t << ' ' << p;
        }
        EXPECT_EQ(terminal.AcceptsProduct(-1), 0);
    }
    for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
        CBuilding* b = Table().At(n);
        if (b == nullptr || IsTerminalType(b->type)) continue;
        for (int32_t p : {-1, 0, 1, 3, 5, 13, 43, 44, 1000}) {
            // {amount, sharers}: no sharers, nothing, less than nothing, more than held.
            for (const auto& [amount, sharers] :
                 {std::pair{1, 0}, {0, 1}, {-1, 1}, {1, -2}, {1000, 1}}) {
                EXPECT_EQ(b->TakeGoods(p, amount, sharers, 0), 0) << n << ' ' << p << ' ' << amount;
            }
            EXPECT_EQ(b->PutGoods(p, 1, 0), 0) << n << ' ' << p;
            EXPECT_EQ(b->PutGoods(p, 0, 1), 0) << n << ' ' << p;
        }
        EXPECT_EQ(b->AcceptsProduct(-1), 0);
        int32_t num = 17;
        int32_t den = 19;
        EXPECT_EQ(b->GetStock(-1, num, den), 0);
        EXPECT_EQ(std::pair(num, den), std::pair(17, 19));
    }
    EXPECT_EQ(Snapshot(Table()), before);
    EXPECT_EQ(Cash(), cash);
}

TEST_F(DegenerateCallsTest, EmptyAndStaleCatchmentsHandOverNothing) {
    const int32_t lonely = Place(kTypeTruckDepot, 200, 200);
    B<CTerminal>(lonely).Refresh();
    // Then every building the depot's catchment names is demolished.
    for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
        if (n != depot && n != station && n != lonely && Table().At(n) != nullptr)
            Table().DemolishBuilding(n);
    }
    for (int32_t n : {lonely, depot}) {
        CBuilding& t = *Table().At(n);
        EXPECT_EQ(t.TakeGoods(13, 1, 0, 0), 0);
        EXPECT_EQ(t.PutGoods(3, 1, 1), 1);
        t.Update();
    }
}

}  // namespace
}  // namespace econ
