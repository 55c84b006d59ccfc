// Invariants after long growth runs: the way network graph matches the map,
// a city writes nothing outside its area (clipped to the map), cities at the
// map's corners grow without touching anything off the map, and twenty
// neighbouring cities grow for thirty years each on its own fields.

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

    static bool InArea(const CCity& city, int32_t x, int32_t y) {
        return x >= city.origin_x && x <= city.origin_x + 26 && y >= city.origin_y &&
               y <= city.origin_y + 26;
    }

    // Fields outside the area are unchanged, except that a way beside the
    // area may have joined a street of the city (its direction, node and end
    // marks).
    ::testing::AssertionResult UnchangedOutside(const CCity& city,
                                                const std::vector<MapField>& before) {
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                if (InArea(city, x, y)) continue;
                MapField now = F(x, y);
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

    // Every field of the city carries the city's number only inside its area
    // and every street of it is a city street with a piece.
    ::testing::AssertionResult CityFieldsInside(const CCity& city) {
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                const MapField& f = F(x, y);
                if (f.stadtnum() != city.number) continue;
                if (!InArea(city, x, y)) {
                    return ::testing::AssertionFailure() << "city field " << x << "," << y;
                }
                if (f.wegtyp() != 0 && (f.wegtyp() != kWayCityStreet || f.wegteil() == 0)) {
                    return ::testing::AssertionFailure() << "bad street " << x << "," << y;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(CityInvariantsTest, LongGrowthKeepsTheGraphAndStaysInItsArea) {
    for (uint32_t seed : {3u, 17u, 2024u}) {
        SCOPED_TRACE(seed);
        Cities().RemoveAllCities();
        Net().FreeAllNodes();
        SyntheticWorld(seed);
        ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        const std::vector<MapField> before = Snapshot();
        // Beside the gravel road and the railway.
        const int32_t slot = Found(118, 72, 2);
        if (slot < 0) continue;
        CCity& city = *Cities().cities[slot];
        for (int32_t year = 0; year < 25; ++year) {
            GrowYears(1);
            for (int32_t month = 0; month < 12; ++month) Cities().MonthlyUpdate();
        }
        EXPECT_TRUE(UnchangedOutside(city, before));
        EXPECT_TRUE(CityFieldsInside(city));
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        // Nothing was laid over the railway at x = 128 (the road keeps its
        // field where the two meet).
        for (int32_t y = 20; y <= 235; ++y) {
            if (y != 60 && y != 190) {
                EXPECT_EQ(F(128, y).wegtyp(), kWayRail) << y;
            }
        }
    }
}

TEST_F(CityInvariantsTest, CitiesAtTheCornersGrowOnTheMapOnly) {
    const std::pair<int32_t, int32_t> corners[] = {{0, 0}, {255, 255}, {2, 253}, {254, 1}};
    int32_t founded = 0;
    for (auto [x, y] : corners) {
        SCOPED_TRACE(x * 1000 + y);
        Cities().RemoveAllCities();
        Net().FreeAllNodes();
        FlatWorld();
        const std::vector<MapField> before = Snapshot();
        const int32_t slot = Found(x, y, 3);
        if (slot < 0) {
            // Only the corner cells of the plan may lie on the map: nothing
            // may be left behind then.
            EXPECT_EQ(
                std::memcmp(Snapshot().data(), before.data(), sizeof(MapField) * before.size()), 0);
            continue;
        }
        ++founded;
        CCity& city = *Cities().cities[slot];
        GrowYears(15);
        EXPECT_GT(city.residents, 100);
        EXPECT_TRUE(UnchangedOutside(city, before));
        EXPECT_TRUE(CityFieldsInside(city));
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        // The last row and column of the map take no city.
        for (int32_t k = 0; k < kMapSize; ++k) {
            EXPECT_EQ(F(255, k).stadtnum(), 0);
            EXPECT_EQ(F(k, 255).stadtnum(), 0);
        }
        Cities().RemoveCityAt(FieldOfCity(city.number).first, FieldOfCity(city.number).second);
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        EXPECT_EQ(Net().NodeCount(), 0);
    }
    EXPECT_EQ(founded, 4);
}

TEST_F(CityInvariantsTest, TwentyNeighbouringCitiesGrowThirtyYears) {
    SyntheticWorld(20240501);
    // Sites on a loose grid, their areas overlapping, sizes from village to
    // metropolis; a site on water founds nothing and the next one is tried.
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

    // The game clock: four ticks a month, the monthly update at each month.
    for (int32_t month = 0; month < 30 * 12; ++month) {
        Cities().MonthlyUpdate();
        for (int32_t week = 0; week < 4; ++week) Cities().Tick();
    }
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    int32_t grown = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        CCity& city = *Cities().cities[slots[i]];
        grown += city.residents > startResidents[i];
        EXPECT_TRUE(CityFieldsInside(city));
        // Its residents come from its own fields only.
        const int32_t counted = city.residents;
        city.CountResidents();
        EXPECT_EQ(city.residents, counted);
    }
    EXPECT_GE(grown, 18);
}

}  // namespace
