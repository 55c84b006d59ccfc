// Twenty cities grow for thirty game years on a generated-looking map: the
// way network graph still matches the map, every city keeps to its area, and
// the cities have grown.

#include <vector>

#include "city_fixture.h"
#include "platform/random.h"
#include "support/way_graph_check.h"

namespace {

class CityAcceptanceTest : public CityTest {};

TEST_F(CityAcceptanceTest, TwentyCitiesThirtyYears) {
    SyntheticWorld(20240501);
    // Sites on a loose grid, sizes from village to metropolis; a site on
    // water founds nothing and the next one is tried.
    std::vector<int32_t> slots;
    for (int32_t k = 0; k < 64 && slots.size() < 20; ++k) {
        const int32_t x = 20 + (k % 8) * 30 + plat::Rand() % 7;
        const int32_t y = 20 + (k / 8) * 30 + plat::Rand() % 7;
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
        const CCity& city = *Cities().cities[slots[i]];
        grown += city.residents > startResidents[i];
    }
    EXPECT_GE(grown, 18);
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) {
            const int32_t n = F(x, y).stadtnum();
            if (n == 0) continue;
            const CCity* city = Cities().City(n);
            ASSERT_NE(city, nullptr);
            ASSERT_GE(x, city->origin_x);
            ASSERT_LE(x, city->origin_x + 26);
            ASSERT_GE(y, city->origin_y);
            ASSERT_LE(y, city->origin_y + 26);
        }
    }
}

}  // namespace
