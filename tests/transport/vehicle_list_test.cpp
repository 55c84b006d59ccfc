// The vehicle list: numbers, the lookups by field, number and screen point,
// the tunnel and bridge run queries, the start of a new vehicle and the one
// place that forgets a deleted vehicle.

#include <gtest/gtest.h>

#include "cities/city_traffic.h"
#include "game/opponent.h"
#include "road_world.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_lookup.h"
#include "transport/vehicle_references.h"
#include "transport/wagon.h"

namespace {

// A rail vehicle made through the base constructor, with wagons.
class TestTrain : public virtual CVehicle {
  public:
    TestTrain(int32_t x, int32_t y, int32_t vehicle_class = kVehicleRail)
        : CVehicle(x, y, "a", 10, vehicle_class) {
        RegisterVehicle(this);
    }
    CWagon& AddTestWagon(int32_t x, int32_t y) {
        wagons[wagon_count] = new CWagon(x, y, "a", 0, wagon_count);
        return *wagons[wagon_count++];
    }
};

template <typename V>
void Box(V& v, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    v.screen_box[0] = x0;
    v.screen_box[1] = x1;
    v.screen_box[2] = y0;
    v.screen_box[3] = y1;
}

// A road along y = 50 with a depot at (45, 49) and city 1's street along
// y = 30; the test trains mark fields by hand, so only deletion is checked.
class VehicleListTest : public roadtest::RoadWorld {
  protected:
    void SetUp() override {
        Line(40, 50, 60, 50);
        Depot(45, 49, 2, 1);
        city = &City(1, 30, 30);
        Street(30, 30, 38, 30, 1);
        Finish(20, 20, 70, 60);
    }
    void TearDown() override { DeleteAllVehicles(); }
    CTruck* Truck() { return new CTruck(45, 49, "A", 0); }
    void Delete(CVehicle* v) {
        ASSERT_TRUE(UnlinkVehicle(v));
        delete v;
    }
    CCity* city = nullptr;
};

TEST_F(VehicleListTest, NumbersOfDeletedVehiclesAreReusedLowestFirst) {
    CTruck* one = Truck();
    CTruck* two = Truck();
    CTruck* three = Truck();
    EXPECT_EQ(one->number, 1);
    EXPECT_EQ(Truck()->number, 4);
    Delete(three);
    EXPECT_EQ(Truck()->number, 3);
    EXPECT_EQ(Truck()->number, 5);
    EXPECT_EQ(g_MaxVehicleNumber, 5);
    EXPECT_EQ(FindVehicleByNumber(2), two);
    EXPECT_EQ(FindVehicleByNumber(6), nullptr);
}

// City cars have no number, are found by no lookup, and switching city
// traffic off removes only them.
TEST_F(VehicleListTest, CityCarsHaveNoNumberAndGoWithCityTraffic) {
    CCityCar* car = new CCityCar(32, 30, "A", 0, 1);
    new CCityCar(35, 30, "A", 0, 1);
    city->car_count = 2;
    EXPECT_EQ(car->number, -1);
    EXPECT_EQ(FindVehicleByNumber(-1), nullptr);
    ASSERT_NE(F(car->pos_x, car->pos_y).belegt(), 0);
    EXPECT_EQ(FindVehicleAtField(car->pos_x, car->pos_y), nullptr);
    EXPECT_EQ(GetRoadVehicleValueAt(car->pos_x, car->pos_y, car->lane), 6);
    CTruck* truck = Truck();
    EXPECT_EQ(truck->number, 1);
    RemoveAllCityCars();
    EXPECT_EQ(city->car_count, 0);
    EXPECT_EQ(CountVehicles(), 1);
    EXPECT_EQ(g_pVehicleList->vehicle, truck);
    for (int32_t x = 30; x <= 38; ++x) EXPECT_EQ(F(x, 30).belegt(), 0);
}

TEST_F(VehicleListTest, FindVehicleAtFieldNeedsAMarkAndMatchesLeftAndWagonFields) {
    CTruck* truck = Truck();
    EXPECT_EQ(FindVehicleAtField(45, 49), truck);
    F(45, 49).set_belegt(0);
    EXPECT_EQ(FindVehicleAtField(45, 49), nullptr);
    F(45, 49).set_belegt(1);
    truck->left_x = 45;
    truck->left_y = 50;
    F(45, 50).set_belegt(2);
    EXPECT_EQ(FindVehicleAtField(45, 50), truck);
    TestTrain* train = new TestTrain(100, 100);
    CWagon& wagon = train->AddTestWagon(100, 101);
    wagon.prev_x = 100;
    wagon.prev_y = 102;
    for (int32_t y = 101; y <= 102; ++y) F(100, y).set_belegt(3);
    EXPECT_EQ(FindVehicleAtField(100, 101), train);
    EXPECT_EQ(FindVehicleAtField(100, 102), train);
    EXPECT_EQ(FindVehicleAtField(100, 103), nullptr);
    EXPECT_EQ(train->FindWagon(0, 0), 0);
    EXPECT_EQ(train->FindWagon(0, 1), -1);
}

// The vehicle drawn in front wins; at equal depth the later list entry (the
// first bought); hidden vehicles and city cars are never picked; a wagon's
// box picks its train.
TEST_F(VehicleListTest, PickingPrefersTheVehicleDrawnInFront) {
    CTruck* back = Truck();
    CTruck* front = Truck();
    Box(*back, 0, 20, 0, 20);
    Box(*front, 10, 30, 10, 30);
    EXPECT_EQ(PickVehicleAt({15, 15}), front);
    EXPECT_EQ(PickVehicleAt({5, 5}), back);
    EXPECT_EQ(PickVehicleAt({40, 40}), nullptr);
    Box(*front, 0, 20, 0, 20);
    EXPECT_EQ(PickVehicleAt({5, 5}), back);
    back->draw_layer = 1;
    EXPECT_EQ(PickVehicleAt({5, 5}), front);
    Box(*new CCityCar(32, 30, "A", 0, 1), 0, 100, 0, 100);
    EXPECT_EQ(PickVehicleAt({50, 50}), nullptr);
    TestTrain* train = new TestTrain(100, 100);
    CWagon& wagon = train->AddTestWagon(100, 101);
    Box(wagon, 200, 210, 200, 210);
    EXPECT_EQ(PickVehicleAt({205, 205}), train);
    wagon.hidden = 1;
    EXPECT_EQ(PickVehicleAt({205, 205}), nullptr);
}

// A tunnel run counts the tunnel flag or a portal; a bridge run the flag or
// a bridge end outside a tunnel; a wagon counts when its engine does not.
TEST_F(VehicleListTest, RunQueriesTakeTheEndsInEitherOrder) {
    TestTrain* train = new TestTrain(20, 30);
    train->in_tunnel = 1;
    const struct {
        int32_t x1, y1, x2, y2, column, row;
    } runs[] = {{20, 25, 20, 35, 1, 0}, {20, 35, 20, 25, 1, 0}, {21, 35, 21, 25, 0, 0},
                {15, 30, 25, 30, 1, 0}, {25, 30, 15, 30, 1, 0}, {25, 31, 15, 31, 0, 0}};
    for (const auto& r : runs) {
        EXPECT_EQ(IsVehicleOnColumn(r.x1, r.y1, r.x2, r.y2), r.column) << r.x1 << r.y1;
        EXPECT_EQ(IsVehicleOnRow(r.x1, r.y1, r.x2, r.y2), r.row) << r.x1 << r.y1;
    }
    train->in_tunnel = 0;
    EXPECT_EQ(IsVehicleOnColumn(20, 35, 20, 25), 0);
    F(20, 30).set_tportal(true);
    EXPECT_EQ(IsVehicleOnColumn(20, 35, 20, 25), 1);
    F(20, 30).set_tportal(false);
    train->on_bridge = 1;
    EXPECT_EQ(IsVehicleOnRow(20, 40, 20, 20), 1);
    train->on_bridge = 0;
    F(20, 30).set_bridge_end(true);
    EXPECT_EQ(IsVehicleOnRow(20, 40, 20, 20), 1);
    train->in_tunnel = 1;
    EXPECT_EQ(IsVehicleOnRow(20, 40, 20, 20), 0);
    train->in_tunnel = 0;
    F(20, 30).set_bridge_end(false);
    train->AddTestWagon(40, 31).on_bridge = 1;
    EXPECT_EQ(IsVehicleOnRow(45, 31, 35, 31), 1);
    EXPECT_EQ(IsVehicleOnColumn(45, 31, 35, 31), 0);
    EXPECT_EQ(IsVehicleOnRow(45, 31, 35, 32), 0);  // not a straight run
}

// On a platform field (kind 4) a new train starts three fields on along the
// track, on a station head (kind 5) four; class 7 stays where it was made
// and a truck depot never moves the start.
TEST_F(VehicleListTest, NewVehicleOnAStationStartsAlongThePlatformTrack) {
    roadtest::TestTerminal station;
    buildings_.buildings[5] = &station;
    for (auto [x, type] : {std::pair{80, 4}, std::pair{90, 6}}) {
        F(x, 80).set_building_flag(true);
        F(x, 80).set_geb_num(5);
        F(x, 80).set_geb_typ(type);
        F(x, 80).set_gleisr(kDirN);
    }
    TestTrain* onPlatform = new TestTrain(80, 80);
    EXPECT_EQ(onPlatform->pos_x, 80);
    EXPECT_EQ(onPlatform->pos_y, 77);
    EXPECT_EQ(onPlatform->schedule[0].x[0], 80);
    EXPECT_EQ(onPlatform->schedule[0].y[0], 80);
    EXPECT_EQ(F(80, 77).belegt(), 1);
    station.anchor_x = 90;
    station.anchor_y = 80;
    EXPECT_EQ((new TestTrain(90, 80))->pos_y, 76);
    EXPECT_EQ((new TestTrain(90, 80, kVehicleNoDeparture))->pos_y, 80);
    EXPECT_EQ(Truck()->pos_y, 49);
    DeleteAllVehicles();
    buildings_.buildings[5] = nullptr;
}

TEST_F(VehicleListTest, DeletingAVehicleForgetsItEverywhere) {
    CTruck* truck = Truck();
    CTruck* other = Truck();
    CVehicle* panelVehicle = truck;
    CVehicle* screenVehicle = other;
    RegisterVehicleReference(&panelVehicle);
    RegisterVehicleReference(&screenVehicle);
    g_pVehicleAtTerminal = truck;
    game_.state().opponents[0] = new COpponent(0, 0, COpponent::Detached{});
    PlanNode node;
    node.vehicle = truck;
    game_.state().opponents[0]->plan_list_a.push_back(node);
    Delete(truck);
    EXPECT_EQ(panelVehicle, nullptr);
    EXPECT_EQ(screenVehicle, other);
    EXPECT_EQ(g_pVehicleAtTerminal, nullptr);
    EXPECT_TRUE(game_.state().opponents[0]->plan_list_a.empty());  // its plan goes with it
    EXPECT_EQ(FindVehicleByNumber(1), nullptr);
    // The frame update deletes a vehicle whose removal flag is set.
    other->removal_flag = 1;
    Frames(1);
    EXPECT_EQ(screenVehicle, nullptr);
    EXPECT_EQ(CountVehicles(), 0);
    UnregisterVehicleReference(&panelVehicle);
    UnregisterVehicleReference(&screenVehicle);
    EXPECT_EQ(MarkSum(), 0);
}

}  // namespace
