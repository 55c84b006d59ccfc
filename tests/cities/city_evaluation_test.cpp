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

TEST_F(CityEvaluationTest, ScoreOfAHandBuiltArea) {
    CCity& city = AddEmptyCity(1, 100, 100);
    // Open land of no city: flat ground kind 1 everywhere, +2 each.
    int32_t expected = 729 * 2;
    // Three city buildings: classes 0, 1 and 5.
    PutCityBuilding(110, 110, 1, 1);
    PutCityBuilding(111, 110, 15, 1);
    PutCityBuilding(112, 110, 40, 1);
    expected += -3 * 2 + 4 * 1 + 4 * 2 + 4 * 6;
    // Kinds of open land: flat 5..8 +1, ramp of kind 0 +6, ramp +1, steep 0,
    // forest +1 more.
    F(100, 100).set_teile_art(6);
    F(100, 101).set_teile_art(0);
    F(100, 101).set_teile_diff(3);
    F(100, 102).set_teile_diff(2);
    F(100, 103).set_teile_diff(9);
    F(100, 104).set_forest_flag(true);
    expected += (1 - 2) + (6 - 2) + (1 - 2) + (0 - 2) + 1;
    // A factory (-250), a store of type 26 (+150) and an attraction of type
    // 30 (+400) on city fields; each covers 2 x 2 fields and counts once.
    PlaceBuilding(3, 16, 120, 120, 2, 2);
    PlaceBuilding(4, 26, 115, 120, 2, 2);
    PlaceBuilding(5, 30, 105, 120, 2, 2);
    for (int32_t x : {120, 121, 115, 116, 105, 106}) {
        for (int32_t y : {120, 121}) F(x, y).set_stadtnum(1);
    }
    expected += -12 * 2 - 250 + 150 + 400;
    // A field of another city counts nothing; a company building outside
    // every city counts only its ground.
    PutCityBuilding(124, 124, 20, 2);
    PlaceBuilding(6, 22, 102, 124, 1, 1);
    expected += -2;
    // 689 residents: above the first size threshold.
    expected += 50;

    EXPECT_EQ(city.Evaluate(), expected);
    EXPECT_EQ(city.evaluation, expected);
    EXPECT_EQ(city.residents, 9 + 40 + 640);
    EXPECT_EQ(city.attraction_counts[3], 1);
    EXPECT_EQ(city.attraction_counts[0] + city.attraction_counts[1] + city.attraction_counts[2] +
                  city.attraction_counts[4],
              0);
}

TEST_F(CityEvaluationTest, ResidentBonusesAndAgreementWithTheCount) {
    for (const auto& [b, count, bonus] :
         std::vector<std::tuple<int32_t, int32_t, int32_t>>{{1, 44, 0},      // 396 residents
                                                            {1, 45, 50},     // 405
                                                            {15, 38, 150},   // 1,520
                                                            {25, 38, 300},   // 3,040
                                                            {40, 10, 500}})  // 6,400
    {
        Cities().FreeAll();
        FlatWorld();
        CCity& city = CityWithResidents(b, count);
        const int32_t residents = city.residents;
        city.CountResidents();
        EXPECT_EQ(city.residents, residents);
        // Score without the bonus: land, street fields and buildings.
        int32_t base = 0;
        for (int32_t x = 100; x <= 126; ++x) {
            for (int32_t y = 100; y <= 126; ++y) {
                if (F(x, y).stadtnum() == 0) base += 2;
            }
        }
        base += count * 4 * (GetCityBuildingClass(b) + 1);
        EXPECT_EQ(city.Evaluate(), base + bonus) << residents;
    }
    // Forest over a city building, a company building and a building site
    // house nobody.
    Cities().FreeAll();
    FlatWorld();
    CCity& city = CityWithResidents(15, 3);
    F(101, 111).set_forest_flag(true);
    F(102, 111).set_building_flag(true);
    F(103, 111).set_data_word(48 | (1 << 9));
    city.CountResidents();
    EXPECT_EQ(city.residents, 0);
}

TEST_F(CityEvaluationTest, TrafficCarsFollowTheResidents) {
    // 400 residents: none.
    CCity& small = CityWithResidents(15, 10);
    ASSERT_EQ(small.residents, 400);
    small.countdown = 99;
    small.Tick();
    EXPECT_EQ(small.car_count, 0);
    // 401..999: exactly one.
    PutCityBuilding(125, 111, 1, 1);
    for (int32_t t = 0; t < 5; ++t) small.Tick();
    EXPECT_EQ(small.car_count, 1);
    EXPECT_EQ(CityCarsListed(), 1);
    // 2,500: one more per tick up to two.
    for (int32_t i = 10; i < 62; ++i) PutCityBuilding(101 + i % 25, 111 + i / 25, 15, 1);
    small.countdown = 99;
    for (int32_t t = 0; t < 5; ++t) small.Tick();
    ASSERT_GE(small.residents, 2000);
    ASSERT_LT(small.residents, 3000);
    EXPECT_EQ(small.car_count, 2);
    // Each car stands on a free straight street field of the city.
    for (auto [x, y] : g_carFields) {
        EXPECT_EQ(F(x, y).wegtyp(), kWayCityStreet);
        EXPECT_EQ(F(x, y).stadtnum(), 1);
        EXPECT_EQ(F(x, y).wegteil(), 2);
    }
}

TEST_F(CityEvaluationTest, SwitchingTrafficOffAndOn) {
    CCity& city = CityWithResidents(25, 44);  // 3,520 residents
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 3);
    EXPECT_EQ(CityCarsListed(), 3);
    // Called again, it adds nothing while the count matches.
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 3);

    State().opt_city_traffic = 0;
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 0);
    EXPECT_EQ(CityCarsListed(), 0);

    // The editor makes no cars and removes them.
    State().opt_city_traffic = 1;
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 3);
    State().game_mode = kModeEditor;
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 0);
    city.countdown = 99;
    city.Tick();
    EXPECT_EQ(city.car_count, 0);

    // While the world generator runs, no cars either.
    State().game_mode = kModeGame;
    Cities().traffic_held = 1;
    city.Tick();
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 0);
}

TEST_F(CityEvaluationTest, NoFreeStreetFieldNoCar) {
    CCity& city = CityWithResidents(15, 20);  // 800 residents
    for (int32_t x = 101; x <= 125; ++x) F(x, 110).set_belegt(1);
    int32_t x = 0, y = 0;
    city.FindStreetField(x, y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
    city.countdown = 99;
    city.Tick();
    EXPECT_EQ(city.car_count, 0);
    // A field gets free: the next tick makes the car there.
    F(113, 110).set_belegt(0);
    city.Tick();
    EXPECT_EQ(city.car_count, 1);
    ASSERT_EQ(g_carFields.size(), 1u);
    EXPECT_EQ(g_carFields[0], std::make_pair(113, 110));
}

}  // namespace
