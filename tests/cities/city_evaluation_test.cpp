// A city's monthly work on hand-built areas: the evaluation and resident
// count, the traffic cars residents make, and the stores it drives.

#include <string>
#include <vector>

#include "cities/city_traffic.h"
#include "city_fixture.h"
#include "transport/vehicle.h"

namespace {

// A city car as the vehicle list holds it.
class TestCar : public CVehicle {
  public:
    TestCar() : CVehicle(VehicleLoadOnly{}) {}
};

std::vector<std::pair<int32_t, int32_t>> g_carFields;
std::vector<std::string> g_calls;  // "r<id>" refreshed, "u<id>" updated
std::vector<std::vector<int32_t>> g_gridsSeen;

CVehicle* MakeTestCar(int32_t x, int32_t y, const char*, int32_t, int32_t city) {
    auto* car = new TestCar;
    car->vehicle_class = kVehicleCityCar;
    car->owner = city;
    car->pos_x = static_cast<uint8_t>(x);
    car->pos_y = static_cast<uint8_t>(y);
    g_pVehicleList = new VehicleListNode{car, g_pVehicleList};
    g_carFields.emplace_back(x, y);
    return car;
}

class RecordingStore : public CBuilding {
  public:
    explicit RecordingStore(int32_t id) : id_(id) {}
    void Refresh() override {
        g_calls.push_back("r" + std::to_string(id_));
        const int32_t* grid = &g_pGameState->shared_city_grid[0][0];
        g_gridsSeen.emplace_back(grid, grid + kCityAreaCells);
    }
    void Update() override { g_calls.push_back("u" + std::to_string(id_)); }

  private:
    int32_t id_;
};

class CityEvaluationTest : public CityTest {
  protected:
    void SetUp() override {
        g_MakeCityCar = &MakeTestCar;
        g_carFields.clear();
        g_calls.clear();
        g_gridsSeen.clear();
        State().opt_city_traffic = 1;
    }
    void TearDown() override {
        RemoveAllCityCars();  // the list holds city cars only
        g_MakeCityCar = nullptr;
    }
    int32_t CityCarsListed() {
        int32_t n = 0;
        for (auto* node = g_pVehicleList; node != nullptr; node = node->next) {
            n += node->vehicle->vehicle_class == kVehicleCityCar;
        }
        return n;
    }
    // A store double of `type` in slot id covering w x h fields from (x, y),
    // its fields inside (100, 100)..(126, 126) marked as city `city`'s.
    void Store(int32_t id, int32_t type, int32_t x, int32_t y, int32_t w = 2, int32_t h = 2,
               int32_t city = 1) {
        PlaceBuilding(id, type, x, y, w, h);
        stores_.push_back(std::make_unique<RecordingStore>(id));
        buildings_.buildings[id] = stores_.back().get();
        for (int32_t fx = x; fx < x + w; ++fx) {
            for (int32_t fy = y; fy < y + h; ++fy) {
                if (city != 0 && fx >= 100 && fx <= 126 && fy >= 100 && fy <= 126) {
                    F(fx, fy).set_stadtnum(static_cast<uint32_t>(city));
                }
            }
        }
    }
    std::vector<std::unique_ptr<RecordingStore>> stores_;
};

// Every kind of land, city buildings of three classes, company buildings in
// and out of the city and a field of another city: the score and residents
// are golden values, and the count agrees. Forest over a city building, a
// company building and a building site house nobody.
TEST_F(CityEvaluationTest, ScoreOfAHandBuiltArea) {
    CCity& city = AddEmptyCity(1, 100, 100);
    PutCityBuilding(110, 110, 1, 1);
    PutCityBuilding(111, 110, 15, 1);
    PutCityBuilding(112, 110, 40, 1);
    F(100, 100).set_teile_art(6);
    F(100, 101).set_teile_art(0);
    F(100, 101).set_teile_diff(3);
    F(100, 102).set_teile_diff(2);
    F(100, 103).set_teile_diff(9);
    F(100, 104).set_forest_flag(true);
    PlaceBuilding(3, 16, 120, 120, 2, 2);  // a factory
    PlaceBuilding(4, 26, 115, 120, 2, 2);  // a store
    PlaceBuilding(5, 30, 105, 120, 2, 2);  // an attraction
    for (int32_t x : {120, 121, 115, 116, 105, 106}) {
        for (int32_t y : {120, 121}) F(x, y).set_stadtnum(1);
    }
    PutCityBuilding(124, 124, 20, 2);
    PlaceBuilding(6, 22, 102, 124, 1, 1);  // outside every city
    EXPECT_EQ(city.Evaluate(), 1813);
    EXPECT_EQ(city.residents, 9 + 40 + 640);
    EXPECT_EQ(city.attraction_counts[3], 1);
    city.residents = 0;
    city.CountResidents();
    EXPECT_EQ(city.residents, 689);
    F(110, 110).set_forest_flag(true);
    F(111, 110).set_building_flag(true);
    F(112, 110).set_data_word(48 | (1 << 9));
    city.CountResidents();
    EXPECT_EQ(city.residents, 0);
}

// Cars follow the residents (none up to 400, one below 1,000, more above, one
// per tick), stand on free straight street fields, and go when traffic is
// switched off, in the editor and while the world generator runs.
TEST_F(CityEvaluationTest, TrafficCarsFollowTheResidentsAndTheSwitches) {
    CCity& city = AddEmptyCity(1, 100, 100);
    PutCityStreetLine(101, 110, 125, 110, 1);
    for (int32_t i = 0; i < 10; ++i) PutCityBuilding(101 + i, 111, 15, 1);
    city.Evaluate();
    ASSERT_EQ(city.residents, 400);
    city.countdown = 99;
    city.Tick();
    EXPECT_EQ(city.car_count, 0);
    PutCityBuilding(125, 111, 1, 1);
    for (int32_t x = 101; x <= 125; ++x) F(x, 110).set_belegt(x == 113 ? 0 : 1);
    for (int32_t t = 0; t < 3; ++t) city.Tick();
    EXPECT_EQ(city.car_count, 1);
    ASSERT_EQ(g_carFields.size(), 1u);
    EXPECT_EQ(g_carFields[0], std::make_pair(113, 110));  // the only free field
    for (int32_t x = 101; x <= 125; ++x) F(x, 110).set_belegt(0);
    for (int32_t i = 10; i < 48; ++i) PutCityBuilding(101 + i % 25, 111 + i / 25, 25, 1);
    city.Evaluate();
    ASSERT_EQ(city.residents, 3440);
    city.Tick();
    EXPECT_EQ(city.car_count, 2);  // one more per tick
    city.SpawnTrafficCar();
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 3);  // and no more while the count matches
    EXPECT_EQ(CityCarsListed(), 3);
    for (auto [x, y] : g_carFields) {
        EXPECT_EQ(F(x, y).wegtyp(), kWayCityStreet);
        EXPECT_EQ(F(x, y).wegteil(), 2);
    }
    State().opt_city_traffic = 0;
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 0);
    EXPECT_EQ(CityCarsListed(), 0);
    State().opt_city_traffic = 1;
    State().game_mode = kModeEditor;
    city.Tick();
    EXPECT_EQ(city.car_count, 0);
    State().game_mode = kModeGame;
    Cities().traffic_held = 1;
    city.Tick();
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 0);
}

// The monthly update recounts the residents and drives the city's stores by
// type (toys first), each type in reverse order of discovery, every store of
// a type refreshed before the first is updated; each sees the city grid (0
// on the city's fields, -1 elsewhere). Factories, stores of other cities and
// outside every city are not the city's; a store straddling the border is.
TEST_F(CityEvaluationTest, StoresGetTheCityGridInTypeOrderAndReverseDiscovery) {
    CCity& city = AddEmptyCity(1, 100, 100);
    PutCityStreetLine(100, 105, 126, 105, 1);
    PutCityBuilding(110, 104, 3, 1);
    Store(11, 22, 110, 110);  // met first of the sports stores (dx 10)
    Store(12, 22, 120, 110);
    Store(13, 21, 115, 115);
    Store(14, 26, 102, 120);
    Store(15, 15, 104, 112);
    Store(16, 22, 108, 100, 1, 1, 2);
    Store(17, 22, 60, 60, 2, 2, 0);
    Store(18, 24, 126, 118);  // anchor outside, two fields inside
    city.residents = 0;
    city.MonthlyUpdate();
    EXPECT_EQ(city.residents, 9);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"r13", "u13", "r12", "r11", "u12", "u11", "r18",
                                                 "u18", "r14", "u14"}));
    EXPECT_TRUE(city.store_list.empty());
    const std::vector<int32_t>& grid = g_gridsSeen[0];
    for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
        for (int32_t dy = 0; dy < kCityAreaSize; ++dy) {
            const int32_t expected = F(100 + dx, 100 + dy).stadtnum() == 1 ? 0 : -1;
            EXPECT_EQ(grid[dx * kCityAreaSize + dy], expected) << dx << "," << dy;
        }
    }
    EXPECT_EQ(grid[10 * kCityAreaSize + 4], 0);  // the city building
    EXPECT_EQ(grid[8 * kCityAreaSize + 0], -1);  // another city's field
}

// A refresh of one type lists its stores and updates none; a type without
// stores leaves the list empty; a type outside 21..26 clears the list and
// the whole grid.
TEST_F(CityEvaluationTest, RefreshLeavesTheListAndOtherTypesOnlyClear) {
    CCity& city = AddEmptyCity(1, 100, 100);
    Store(21, 23, 110, 110);
    Store(22, 23, 104, 104);
    city.RefreshStores(23);
    EXPECT_EQ(city.store_list, (std::vector<int32_t>{21, 22}));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"r21", "r22"}));
    city.RefreshStores(25);
    EXPECT_TRUE(city.store_list.empty());
    city.RefreshStores(23);
    city.RefreshStores(27);
    EXPECT_TRUE(city.store_list.empty());
    for (const auto& column : State().shared_city_grid) {
        for (int32_t v : column) EXPECT_EQ(v, -1);
    }
}

}  // namespace
