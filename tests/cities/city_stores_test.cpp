// The monthly city update and the store refresh: which stores a city drives,
// in which order, and the grid it lends them.

#include <algorithm>
#include <string>
#include <vector>

#include "city_fixture.h"

namespace {

struct Call {
    std::string what;  // "refresh" or "update"
    int32_t id;
};

std::vector<Call> g_calls;
std::vector<std::vector<int32_t>> g_gridsSeen;

class RecordingStore : public CBuilding {
  public:
    explicit RecordingStore(int32_t id) : id_(id) {}
    void Refresh() override {
        g_calls.push_back({"refresh", id_});
        const int32_t* grid = &g_pGameState->shared_city_grid[0][0];
        g_gridsSeen.emplace_back(grid, grid + kCityAreaCells);
    }
    void Update() override { g_calls.push_back({"update", id_}); }

  private:
    int32_t id_;
};

class CityStoresTest : public CityTest {
  protected:
    void SetUp() override {
        g_calls.clear();
        g_gridsSeen.clear();
    }

    // A store double of `type` in slot id covering w x h fields from (x, y).
    void Store(int32_t id, int32_t type, int32_t x, int32_t y, int32_t w = 2, int32_t h = 2,
               int32_t city = 1) {
        PlaceBuilding(id, type, x, y, w, h);
        auto store = std::make_unique<RecordingStore>(id);
        buildings_.buildings[id] = store.get();
        stores_.push_back(std::move(store));
        for (int32_t fx = x; fx < x + w; ++fx) {
            for (int32_t fy = y; fy < y + h; ++fy) {
                if (city != 0 && InArea(fx, fy))
                    F(fx, fy).set_stadtnum(static_cast<uint32_t>(city));
            }
        }
    }
    static bool InArea(int32_t x, int32_t y) {
        return x >= 100 && x <= 126 && y >= 100 && y <= 126;
    }
    std::vector<int32_t> Ids(const std::string& what) {
        std::vector<int32_t> ids;
        for (const Call& c : g_calls) {
            if (c.what == what) ids.push_back(c.id);
        }
        return ids;
    }

    std::vector<std::unique_ptr<RecordingStore>> stores_;
};

TEST_F(CityStoresTest, StoresGetTheCityGridInTypeOrderAndReverseDiscovery) {
    CCity& city = AddEmptyCity(1, 100, 100);
    PutCityStreetLine(100, 105, 126, 105, 1);
    PutCityBuilding(110, 104, 3, 1);
    Store(11, 22, 110, 110);  // met first of the sports stores (dx 10)
    Store(12, 22, 120, 110);  // met second
    Store(13, 21, 115, 115);  // the toy store comes first of all types
    Store(14, 26, 102, 120);
    Store(15, 15, 104, 112);  // a factory: never a store of the city
    // A store on a field of another city and one outside every city.
    Store(16, 22, 108, 100, 1, 1, 2);
    Store(17, 22, 60, 60, 2, 2, 0);
    // A store straddling the border: its anchor outside, two fields inside.
    Store(18, 24, 126, 118);

    city.residents = 0;
    city.MonthlyUpdate();
    EXPECT_EQ(city.residents, 9);  // counted anew from the map
    EXPECT_EQ(Ids("refresh"), (std::vector<int32_t>{13, 12, 11, 18, 14}));
    EXPECT_EQ(Ids("update"), (std::vector<int32_t>{13, 12, 11, 18, 14}));
    // Per type every store is refreshed before the first one is updated.
    ASSERT_EQ(g_calls.size(), 10u);
    EXPECT_EQ(g_calls[1].what, "update");
    EXPECT_EQ(g_calls[2].what, "refresh");
    EXPECT_EQ(g_calls[3].what, "refresh");
    EXPECT_EQ(g_calls[4].what, "update");
    EXPECT_TRUE(city.store_list.empty());

    // The grid handed over: 0 on the city's fields, -1 elsewhere.
    const std::vector<int32_t>& grid = g_gridsSeen[0];
    for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
        for (int32_t dy = 0; dy < kCityAreaSize; ++dy) {
            const int32_t expected = F(100 + dx, 100 + dy).stadtnum() == 1 ? 0 : -1;
            EXPECT_EQ(grid[dx * kCityAreaSize + dy], expected) << dx << "," << dy;
        }
    }
    EXPECT_EQ(grid[10 * kCityAreaSize + 4], 0);  // the city building
    EXPECT_EQ(grid[8 * kCityAreaSize + 0], -1);  // another city's field
    EXPECT_EQ(grid[0 * kCityAreaSize + 0], -1);  // no city
}

TEST_F(CityStoresTest, RefreshLeavesTheListAndOtherTypesOnlyClear) {
    CCity& city = AddEmptyCity(1, 100, 100);
    Store(21, 23, 110, 110);
    Store(22, 23, 104, 104);
    city.RefreshStores(23);
    EXPECT_EQ(city.store_list, (std::vector<int32_t>{21, 22}));
    EXPECT_EQ(Ids("update").size(), 0u);
    // A type without stores in the city leaves the list empty.
    city.RefreshStores(25);
    EXPECT_TRUE(city.store_list.empty());
    // A type outside 21..26 clears the list and the whole grid.
    city.RefreshStores(23);
    city.RefreshStores(27);
    EXPECT_TRUE(city.store_list.empty());
    for (const auto& column : State().shared_city_grid) {
        for (int32_t v : column) EXPECT_EQ(v, -1);
    }
}

}  // namespace
