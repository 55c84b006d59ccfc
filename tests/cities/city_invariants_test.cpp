// Invariants after long growth runs: the way network graph matches the map,
// cities write nothing outside their areas (clipped to the map), and each
// counts residents on its own fields only.

#include <algorithm>
#include <cstring>
#include <vector>

#include "city_fixture.h"
#include "platform/random.h"
#include "support/way_graph_check.h"

namespace {

class CityInvariantsTest : public CityTest {
  protected:
    std::vector<MapField> Snapshot() {
        return std::vector<MapField>(std::begin(State().fields), std::end(State().fields));
    }
    bool InSomeArea(int32_t x, int32_t y) {
        for (const CCity* c : Cities().cities) {
            if (c != nullptr && x >= c->origin_x && x <= c->origin_x + 26 && y >= c->origin_y &&
                y <= c->origin_y + 26) {
                return true;
            }
        }
        return false;
    }

    // Fields outside every city's area are unchanged, except that a way
    // beside an area may have joined a street (its direction, node and end
    // marks); city fields lie inside their area and their streets are city
    // streets with a piece.
    ::testing::AssertionResult StayedInTheirAreas(const std::vector<MapField>& before) {
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                MapField now = F(x, y);
                const CCity* city = now.stadtnum() > 0 ? Cities().City(now.stadtnum()) : nullptr;
                if (city != nullptr && (x < city->origin_x || x > city->origin_x + 26 ||
                                        y < city->origin_y || y > city->origin_y + 26 ||
                                        (now.wegtyp() != 0 &&
                                         (now.wegtyp() != kWayCityStreet || now.wegteil() == 0)))) {
                    return ::testing::AssertionFailure() << "city field " << x << "," << y;
                }
                if (InSomeArea(x, y)) continue;
                MapField then = before[FieldIndex(x, y)];
                if (now.wegtyp() != 0) {
                    for (MapField* f : {&now, &then}) {
                        f->set_richtung(0);
                        f->set_knoten(false);
                        f->set_knotennummer(0);
                        f->set_ende(false);
                        f->set_feldchange(false);
                    }
                }
                if (std::memcmp(now.bytes, then.bytes, 12) != 0) {
                    return ::testing::AssertionFailure() << "field " << x << "," << y << " changed";
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

// A founding whose plan has only its corner cells on the map leaves nothing
// behind; the last row and column of the map take no city.
TEST_F(CityInvariantsTest, CitiesAtTheCornersGrowOnTheMapOnly) {
    int32_t founded = 0;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{255, 255}, std::pair{2, 253}, {254, 1}}) {
        SCOPED_TRACE(x * 1000 + y);
        Cities().RemoveAllCities();
        Net().FreeAllNodes();
        FlatWorld();
        const std::vector<MapField> before = Snapshot();
        const int32_t slot = Found(x, y, 3);
        if (slot < 0) {
            EXPECT_EQ(
                std::memcmp(Snapshot().data(), before.data(), sizeof(MapField) * before.size()), 0);
            continue;
        }
        ++founded;
        CCity& city = *Cities().cities[slot];
        GrowYears(15);
        EXPECT_GT(city.residents, 100);
        EXPECT_TRUE(StayedInTheirAreas(before));
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        for (int32_t k = 0; k < kMapSize; ++k) {
            EXPECT_EQ(F(255, k).stadtnum() + F(k, 255).stadtnum(), 0);
        }
        Cities().RemoveCityAt(FieldOfCity(city.number).first, FieldOfCity(city.number).second);
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        EXPECT_EQ(Net().NodeCount(), 0);
    }
    EXPECT_EQ(founded, 4);
}

// Twenty cities on a hilly map with player roads and a railway, their areas
// overlapping, sizes from village to metropolis, grow for thirty years on the
// game clock (four ticks and a monthly update a month).
TEST_F(CityInvariantsTest, TwentyNeighbouringCitiesGrowThirtyYears) {
    SyntheticWorld(20240501);
    const std::vector<MapField> before = Snapshot();
    // A site on water founds nothing and the next one is tried.
    std::vector<int32_t> slots;
    for (int32_t k = 0; k < 64 && slots.size() < 20; ++k) {
        const int32_t x = 20 + (k % 8) * 22 + plat::Rand() % 7;
        const int32_t y = 20 + (k / 8) * 22 + plat::Rand() % 7;
        const int32_t slot = Found(x, y, static_cast<int32_t>(k % 5));
        if (slot >= 0) slots.push_back(slot);
    }
    ASSERT_EQ(slots.size(), 20u);
    std::vector<int32_t> startResidents;
    for (int32_t slot : slots) startResidents.push_back(Cities().cities[slot]->residents);
    ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    for (int32_t month = 0; month < 30 * 12; ++month) {
        Cities().MonthlyUpdate();
        for (int32_t week = 0; week < 4; ++week) Cities().Tick();
    }
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    EXPECT_TRUE(StayedInTheirAreas(before));
    // Nothing was laid over the railway at x = 128 (the roads keep their
    // fields where the two meet).
    for (int32_t y = 20; y <= 235; ++y) {
        if (y != 60 && y != 190) EXPECT_EQ(F(128, y).wegtyp(), kWayRail) << y;
    }
    int32_t grown = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        CCity& city = *Cities().cities[slots[i]];
        grown += city.residents > startResidents[i];
        const int32_t counted = city.residents;
        city.CountResidents();
        EXPECT_EQ(city.residents, counted);
    }
    EXPECT_GE(grown, 18);
}

}  // namespace
