// Goods are never created or lost: exact slot fractions, the hand-over at
// terminals, random takes and puts, and calls handing over nothing.

#include <array>
#include <numeric>

#include "economy_fixture.h"
#include "platform/random.h"

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
    // A truck depot at (100, 100) amid nine random buildings or gaps, each
    // with random stock; numbers_ lists them.
    void BuildWorld() {
        static constexpr int32_t kKinds[] = {kTypeToyIndustry, kTypeSportsIndustry, kTypeToyStore,
                                             kTypeSportsStore, kTypeDepot,          -1};
        static constexpr int32_t kMade[] = {9, 10, 13, 15, 17, 18, 22};  // toys, then sports
        depot_ = Place(kTypeTruckDepot, 100, 100);
        numbers_.clear();
        for (int32_t sx : kSiteCorners) {
            for (int32_t sy : kSiteCorners) {
                const int32_t type = kKinds[Pick(6)];
                if (type < 0) continue;
                const int32_t n = numbers_.emplace_back(Place(type, sx, sy));
                ASSERT_GT(n, 0);
                if (type == kTypeToyIndustry) B<CFactory>(n).SetProduct(kMade[Pick(4)]);
                if (type == kTypeSportsIndustry) B<CFactory>(n).SetProduct(kMade[4 + Pick(3)]);
                FillRandomStock(B<CProducer>(n));
            }
        }
        B<CTerminal>(depot_).Refresh();
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
    // A product in 1/kUnit in all buildings but the terminal; the part vehicles
    // may take there, and whether a building there takes it in.
    struct Total {
        int64_t all = 0;
        int64_t givable = 0;
        bool accepted = false;
    };
    Total TotalOf(int32_t p) {
        Total t;
        for (int32_t n : numbers_) {
            CBuilding* b = Table().At(n);
            int32_t num = 0, den = 1;
            b->GetStock(p, num, den);
            EXPECT_EQ(kUnit % den, 0);
            const int64_t amount = int64_t{num} * (kUnit / den);
            t.all += amount;
            if (!InCatchment(n)) continue;
            const bool consumes = IsFactoryType(b->type) && b->AcceptsProduct(p) != 0;
            if (!consumes) t.givable += amount;
            // A warehouse's answer binds a slot: asked without that.
            auto* w = dynamic_cast<CDepot*>(b);
            const bool takes = w != nullptr
                                   ? w->FindGoodsSlot(p) >= 0 || w->FindFreeGoodsSlot() >= 0
                                   : b->AcceptsProduct(p) > 0;
            t.accepted = t.accepted || takes;
        }
        return t;
    }
    bool InCatchment(int32_t n) {
        const auto& list = B<CTerminal>(depot_).catchment();
        return std::any_of(list.begin(), list.end(), [n](auto& c) { return c.building == n; });
    }
    // Bound slots are reduced fractions (a product may stay on 0/1); empty
    // ones hold nothing.
    void ExpectCanonicalSlots() {
        for (int32_t n : numbers_) {
            const auto* b = dynamic_cast<const CProducer*>(Table().At(n));
            for (int32_t i = 0; b != nullptr && i < b->slot_count(); ++i) {
                const GoodsSlot& s = b->slot(i);
                ASSERT_TRUE(s.product == -1 ? s.numerator == 0
                                            : s.numerator >= 0 && s.denominator >= 1 &&
                                                  std::gcd(s.numerator, s.denominator) == 1)
                    << s.product << ": " << s.numerator << "/" << s.denominator;
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

TEST(GoodsSlotTest, FractionsStayExactNeverGoBelowZeroAndAreMadeSafeFromFiles) {
    EXPECT_EQ(Lcm(std::numeric_limits<int64_t>::max(), 2), -1);  // reported, not wrapped
    GoodsSlot slot{9, 0, 1};
    AddShare(slot, 1, 2);
    AddShare(slot, 1, 3);
    AddShare(slot, 0, 3);  // nothing for a non-positive amount or sharer count
    AddShare(slot, 3, 0);
    AddShare(slot, -3, 1);
    EXPECT_EQ(Frac(slot), Fraction(5, 6));
    EXPECT_TRUE(TakePortion(slot, 1, 3));
    EXPECT_TRUE(TakePortion(slot, 1, 5));  // no multiple of the stock's denominator
    EXPECT_EQ(Frac(slot), Fraction(3, 10));
    EXPECT_FALSE(TakePortion(slot, 1, 3));
    EXPECT_FALSE(TakePortion(slot, 1, 0));
    EXPECT_TRUE(TakePortion(slot, 3, 10));
    EXPECT_EQ(Frac(slot), Fraction(0, 1));
    EmptyIfZero(slot);
    EXPECT_EQ(slot.product, -1);
    // A denominator beyond 32 bits keeps only the whole units.
    GoodsSlot big{3, 5, 1};
    AddShare(big, 1, 2147483646);
    AddShare(big, 1, 2147483647);
    EXPECT_EQ(Frac(big), Fraction(5, 1));
    // Slots read from files are made safe.
    for (const GoodsSlot bad : {GoodsSlot{5, 4, 0}, {5, -4, 3}, {44, 4, 3}, {-1, 4, 3}}) {
        const GoodsSlot safe = SanitizedSlot(bad);
        EXPECT_EQ(std::pair(safe.product, safe.numerator), std::pair(-1, 0)) << bad.product;
    }
    EXPECT_EQ(Frac(SanitizedSlot({5, 4, 6})), Fraction(2, 3));
}

// Calls with nothing to hand over, and empty or stale catchments, change
// nothing and never divide by zero.
TEST_F(ConservationTest, HandingOverNothingChangesNothing) {
    const int32_t depot = Place(kTypeTruckDepot, 100, 100);
    const int32_t station = Place(kTypeTrainStation + 2, 110, 100);
    const std::array<int32_t, 3> placed[] = {
        {kTypeToyIndustry, 96, 96}, {kTypeToyStore, 101, 96},   {kTypeDepot, 96, 101},
        {kTypeMine, 103, 103},      {kTypeLumberMill, 112, 96}, {kTypeChemicalPlant, 106, 104},
        {kTypeSteelMill, 114, 104}};
    for (const auto& [type, x, y] : placed) Place(type, x, y);
    CFactory& factory = B<CFactory>(3);
    factory.SetProduct(13);
    factory.stock[0] = Slot(3, 7, 3);
    factory.stock[1] = Slot(13, 2, 1);
    B<CStore>(4).stock[5] = Slot(13, 5, 2);
    B<CDepot>(5).stock[0] = Slot(13, 1, 4);
    for (int32_t t : {depot, station}) B<CTerminal>(t).Refresh();
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
    for (int32_t n = 3; n <= 9; ++n) {
        CBuilding* b = Table().At(n);
        for (int32_t p : {-1, 0, 1, 3, 5, 13, 43, 44, 1000}) {
            for (const auto& [amount, sharers] :
                 {std::pair{1, 0}, {0, 1}, {-1, 1}, {1, -2}, {1000, 1}}) {
                EXPECT_EQ(b->TakeGoods(p, amount, sharers, 0), 0) << n << ' ' << p << ' ' << amount;
            }
            EXPECT_EQ(b->PutGoods(p, 1, 0) + b->PutGoods(p, 0, 1), 0) << n << ' ' << p;
        }
        EXPECT_EQ(b->AcceptsProduct(-1), 0);
        int32_t num = 17, den = 19;
        EXPECT_EQ(b->GetStock(-1, num, den), 0);
        EXPECT_EQ(std::pair(num, den), std::pair(17, 19));
    }
    EXPECT_EQ(std::pair(Snapshot(Table()), Cash()), std::pair(before, cash));
    const int32_t lonely = Place(kTypeTruckDepot, 200, 200);
    B<CTerminal>(lonely).Refresh();
    for (int32_t n = 3; n <= 9; ++n) Table().DemolishBuilding(n);  // the depot's list is stale
    for (int32_t n : {lonely, depot}) {
        CBuilding& t = *Table().At(n);
        EXPECT_EQ(t.TakeGoods(13, 1, 0, 0), 0);
        EXPECT_EQ(t.PutGoods(3, 1, 1), 1);
        t.Update();
    }
}

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
    // Each building once, in reverse scan order, scan marks at rest after.
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
    // The scanned rectangle of each station type (length 3) from its anchor:
    // mines reaching in at two corners are listed, one beyond each side not.
    const std::array<int32_t, 5> kRects[] = {
        {6, -5, -8, 8, 5}, {7, -5, -5, 8, 8}, {8, -5, -5, 8, 8}, {9, -8, -5, 5, 8}};
    for (const auto& [type, x0, y0, x1, y1] : kRects) {
        const int32_t s = Place(type, 40 + 50 * (type - 6), 200);
        B<CTrainStation>(s).length = 3;
        MarkFootprint(s);
        const int32_t ax = Table().At(s)->anchor_x, ay = Table().At(s)->anchor_y;
        std::vector<int32_t> in = {Place(kTypeMine, ax + x0 - 1, ay + y0 - 1),
                                   Place(kTypeMine, ax + x1, ay + y1)};
        for (auto [x, y] :
             {std::pair{x0 - 2, y0 + 3}, {x0 + 3, y0 - 2}, {x1 + 1, y1 - 3}, {x1 - 3, y1 + 1}})
            Place(kTypeMine, ax + x, ay + y);
        listed = Listed(s);
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, in) << type;
    }
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
    // Copper went to those that need it; asking the warehouse bound a slot.
    EXPECT_EQ(std::pair(Depot0(warehouse).product, Frac(Depot0(warehouse))),
              std::pair(kCopper, Fraction(0, 1)));
    // A product nobody needs goes to the warehouse.
    T(depot).PutGoods(kTricycle, 2, 1);
    const GoodsSlot& tricycles = B<CDepot>(warehouse).stock[1];
    EXPECT_EQ(WholeUnits(tricycles), 2);
    // Taking: the factory's output first, the warehouse's stock last.
    B<CFactory>(a).stock[1] = Slot(kTricycle, 1, 1);
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 1, 0, 0), 1);
    EXPECT_EQ(std::pair(B<CFactory>(a).stock[1].product, WholeUnits(tricycles)), std::pair(-1, 2));
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
            EXPECT_EQ(std::pair(Frac(slot(n)), slot(n).product),
                      std::pair(Fraction(0, 1), warehouse ? -1 : kTricycle));
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
    // Six thirds from the list small, third, big: one from each, one from
    // third and big, the last from the first still holding some.
    EXPECT_EQ(T(depot).TakeGoods(kTricycle, 2, 0, 0), 2);
    EXPECT_EQ(Depot0(small).product, -1);
    EXPECT_EQ(std::pair(Frac(Depot0(big)), Frac(Depot0(third))),
              std::pair(Fraction(13, 3), Fraction(1, 1)));
}

}  // namespace
}  // namespace econ
