// Property: goods are never created or lost at a terminal. Random catchments of
// factories, stores and warehouses hold random fractions; through thousands
// of random takes and puts, a take removes exactly the whole units it reports
// (as many as the buildings can give, up to the amount asked), a put adds
// exactly the amount delivered whenever some building takes the product, and
// every slot stays a reduced fraction.

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <vector>

#include "economy/building_kinds.h"
#include "economy/factory.h"
#include "economy/store.h"
#include "economy/terminal.h"
#include "economy/warehouse.h"
#include "economy_fixture.h"
#include "platform/random.h"
#include "state/data_tables.h"

namespace econ {
namespace {

// Every denominator that sharing among at most nine buildings and the
// starting fractions (denominators 1..12) can make divides this.
constexpr int64_t kUnit = 27720;

constexpr std::array<int32_t, 11> kProducts = {0, 1, 2, 3, 4, 9, 10, 13, 17, 18, 22};
constexpr int32_t kSiteCorners[3] = {92, 96, 101};

int32_t Pick(int32_t n) {
    return plat::Rand() % n;
}

class ConservationTest : public EconomyTest {
  protected:
    void BuildWorld() {
        depot_ = Place(kTypeTruckDepot, 100, 100);
        for (int32_t sx : kSiteCorners) {
            for (int32_t sy : kSiteCorners) AddRandomBuilding(sx, sy);
        }
        B<CTerminal>(depot_).Refresh();
        numbers_.clear();
        for (int32_t n = kFirstBuildingSlot; n <= kLastBuildingSlot; ++n) {
            if (Table().At(n) != nullptr && n != depot_) numbers_.push_back(n);
        }
    }

    void AddRandomBuilding(int32_t x, int32_t y) {
        static constexpr int32_t kKinds[] = {kTypeToyIndustry, kTypeSportsIndustry, kTypeToyStore,
                                             kTypeSportsStore, kTypeDepot,          -1};
        const int32_t type = kKinds[Pick(6)];
        if (type < 0) return;
        const int32_t n = Place(type, x, y);
        ASSERT_GT(n, 0);
        if (type == kTypeToyIndustry) {
            static constexpr int32_t kToys[] = {9, 10, 13, 15};
            B<CFactory>(n).SetProduct(kToys[Pick(4)]);
        } else if (type == kTypeSportsIndustry) {
            static constexpr int32_t kSports[] = {17, 18, 22};
            B<CFactory>(n).SetProduct(kSports[Pick(3)]);
        }
        FillRandomStock(*static_cast<CProducer*>(Table().At(n)));
    }

    // Up to five slots with distinct products and random fractions.
    void FillRandomStock(CProducer& b) {
        std::vector<int32_t> products(kProducts.begin(), kProducts.end());
        const int32_t slots = Pick(6);
        for (int32_t k = 0; k < slots; ++k) {
            const int32_t p = products[Pick(static_cast<int32_t>(products.size()))];
            std::erase(products, p);
            const int32_t i = b.FindGoodsSlot(p) >= 0 ? b.FindGoodsSlot(p) : b.FindFreeGoodsSlot();
            if (i < 0) continue;
            const int32_t den = 1 + Pick(12);
            int32_t num = 1 + Pick(40);
            const int32_t g = std::gcd(num, den);
            b.stock[i] = {p, num / g, den / g};
        }
    }

    // The exact amount of a product in all buildings but the terminal, in
    // 1/kUnit units; also the part that loading vehicles may take from the
    // terminal's catchment and whether a building there takes it in.
    struct Total {
        int64_t all = 0;
        int64_t givable = 0;
        bool accepted = false;
    };
    Total TotalOf(int32_t p) {
        Total t;
        for (int32_t n : numbers_) {
            CBuilding* b = Table().At(n);
            int32_t num = 0;
            int32_t den = 1;
            b->GetStock(p, num, den);
            EXPECT_EQ(kUnit % den, 0);
            const int64_t amount = int64_t{num} * (kUnit / den);
            t.all += amount;
            if (!InCatchment(n)) continue;
            const bool consumes = IsFactoryType(b->type) && b->AcceptsProduct(p) != 0;
            if (!consumes) t.givable += amount;
            t.accepted = t.accepted || b->AcceptsProduct(p) > 0;
        }
        return t;
    }

    bool InCatchment(int32_t n) {
        for (const CatchmentNode& node : B<CTerminal>(depot_).catchment()) {
            if (node.building == n) return true;
        }
        return false;
    }

    // Every slot is a reduced fraction; an empty slot is 0/1, and only a
    // store keeps its product on it.
    void ExpectCanonicalSlots() {
        for (int32_t n : numbers_) {
            const auto* b = dynamic_cast<const CProducer*>(Table().At(n));
            for (int32_t i = 0; b != nullptr && i < b->slot_count(); ++i) {
                const GoodsSlot& s = b->slot(i);
                ASSERT_GE(s.numerator, 0);
                ASSERT_GE(s.denominator, 1);
                ASSERT_EQ(std::gcd(s.numerator, s.denominator), 1);
                ASSERT_TRUE(s.numerator != 0 || IsStoreType(b->type) || s.product == -1);
                ASSERT_TRUE(s.product != -1 || s.numerator == 0);
            }
        }
    }

    int32_t depot_ = 0;
    std::vector<int32_t> numbers_;  // the buildings around the depot
};

TEST_F(ConservationTest, TakesAndPutsConserveEveryProduct) {
    int32_t operations = 0;
    for (uint32_t seed = 1; seed <= 25; ++seed) {
        plat::Srand(seed);
        table_.FreeAll();
        for (auto& f : GS().fields) f = MapField{};
        BuildWorld();
        CBuilding& terminal = *Table().At(depot_);
        for (int32_t step = 0; step < 200; ++step, ++operations) {
            const int32_t p = kProducts[Pick(static_cast<int32_t>(kProducts.size()))];
            const int32_t amount = 1 + Pick(3);
            std::array<Total, kProducts.size()> before{};
            for (size_t k = 0; k < kProducts.size(); ++k) before[k] = TotalOf(kProducts[k]);
            const auto self = static_cast<size_t>(std::find(kProducts.begin(), kProducts.end(), p) -
                                                  kProducts.begin());

            int64_t expected = 0;
            if (Pick(2) == 0) {
                const int32_t got = terminal.TakeGoods(p, amount, 0, 0);
                const int64_t canGive = before[self].givable / kUnit;
                ASSERT_EQ(got, std::min<int64_t>(amount, canGive)) << "seed " << seed;
                expected = -int64_t{got} * kUnit;
            } else {
                ASSERT_EQ(terminal.PutGoods(p, amount, 1), amount);
                expected = before[self].accepted ? int64_t{amount} * kUnit : 0;
            }
            for (size_t k = 0; k < kProducts.size(); ++k) {
                const int64_t change = TotalOf(kProducts[k]).all - before[k].all;
                ASSERT_EQ(change, k == self ? expected : 0)
                    << "seed " << seed << " step " << step << " product " << kProducts[k];
            }
            ExpectCanonicalSlots();
        }
    }
    EXPECT_EQ(operations, 5000);
}

}  // namespace
}  // namespace econ
