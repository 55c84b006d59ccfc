// The evaluation and the resident count of hand-built areas, and the city
// traffic cars made by residents.

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

class CityEvaluationTest : public CityTest {
  protected:
    void SetUp() override {
        g_MakeCityCar = &MakeTestCar;
        g_carFields.clear();
        State().opt_city_traffic = 1;
    }
    void TearDown() override {
        RemoveAllCityCars();
        while (g_pVehicleList != nullptr) {
            VehicleListNode* next = g_pVehicleList->next;
            delete g_pVehicleList->vehicle;
            delete g_pVehicleList;
            g_pVehicleList = next;
        }
        g_MakeCityCar = nullptr;
    }

    int32_t CityCarsListed() {
        int32_t n = 0;
        for (auto* node = g_pVehicleList; node != nullptr; node = node->next) {
            n += node->vehicle->vehicle_class == kVehicleCityCar;
        }
        return n;
    }

    // City 1 on area (100, 100)..(126, 126) with a street and `buildings`
    // class-b buildings, for `residents` = buildings x their residents.
    CCity& CityWithResidents(int32_t b, int32_t buildings) {
        CCity& city = AddEmptyCity(1, 100, 100);
        PutCityStreetLine(101, 110, 125, 110, 1);
        for (int32_t i = 0; i < buildings; ++i) PutCityBuilding(101 + i % 25, 111 + i / 25, b, 1);
        city.Evaluate();
        return city;
    }
};

// A hand-built area with every kind of land, city buildings of three
// classes, company buildings in and out of the city and a field of another
// city: its score and residents (golden values), and the count agrees.
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
    // Forest over a city building, a company building and a building site
    // house nobody.
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
    CCity& city = CityWithResidents(15, 10);
    ASSERT_EQ(city.residents, 400);
    city.countdown = 99;
    city.Tick();
    EXPECT_EQ(city.car_count, 0);
    PutCityBuilding(125, 111, 1, 1);
    for (int32_t x = 101; x <= 125; ++x) F(x, 110).set_belegt(1);
    for (int32_t t = 0; t < 3; ++t) city.Tick();
    EXPECT_EQ(city.car_count, 0);  // no free street field
    F(113, 110).set_belegt(0);
    for (int32_t t = 0; t < 3; ++t) city.Tick();
    EXPECT_EQ(city.car_count, 1);
    ASSERT_EQ(g_carFields.size(), 1u);
    EXPECT_EQ(g_carFields[0], std::make_pair(113, 110));
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

}  // namespace
