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

using roadtest::RoadWorld;

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

class VehicleListTest : public RoadWorld {
  protected:
    void SetUp() override {
        Line(40, 50, 60, 50);
        Depot(45, 49, 2, 1);
        Finish(30, 40, 70, 60);
    }
    CTruck* Truck() { return new CTruck(45, 49, "A", 0); }
    void Delete(CVehicle* v) {
        ASSERT_TRUE(UnlinkVehicle(v));
        delete v;
    }
};

TEST_F(VehicleListTest, NumbersOfDeletedVehiclesAreReusedLowestFirst) {
    CTruck* one = Truck();
    CTruck* two = Truck();
    CTruck* three = Truck();
    CTruck* four = Truck();
    EXPECT_EQ(one->number, 1);
    EXPECT_EQ(four->number, 4);
    EXPECT_EQ(g_MaxVehicleNumber, 4);
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
    CCity& city = City(1, 30, 30);
    Street(30, 30, 38, 30, 1);
    Finish(20, 20, 40, 40);
    CCityCar* car = new CCityCar(32, 30, "A", 0, 1);
    new CCityCar(35, 30, "A", 0, 1);
    city.car_count = 2;
    EXPECT_EQ(car->number, -1);
    EXPECT_EQ(FindVehicleByNumber(-1), nullptr);
    ASSERT_NE(F(car->pos_x, car->pos_y).belegt(), 0);
    EXPECT_EQ(FindVehicleAtField(car->pos_x, car->pos_y), nullptr);
    EXPECT_EQ(GetRoadVehicleValueAt(car->pos_x, car->pos_y, car->lane), 6);
    CTruck* truck = Truck();
    EXPECT_EQ(truck->number, 1);
    RemoveAllCityCars();
    EXPECT_EQ(city.car_count, 0);
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
    F(100, 101).set_belegt(3);
    F(100, 102).set_belegt(3);
    EXPECT_EQ(FindVehicleAtField(100, 101), train);
    EXPECT_EQ(FindVehicleAtField(100, 102), train);
    EXPECT_EQ(FindVehicleAtField(100, 103), nullptr);
    EXPECT_EQ(train->FindWagon(0, 0), 0);
    EXPECT_EQ(train->FindWagon(0, 1), -1);
    F(45, 50).set_belegt(0);
    for (int32_t y = 100; y <= 102; ++y) F(100, y).set_belegt(0);
}

TEST_F(VehicleListTest, PickingPrefersTheVehicleDrawnInFront) {
    CTruck* back = Truck();
    CTruck* front = Truck();
    auto box = [](CVehicle* v, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
        v->screen_box[0] = x0;
        v->screen_box[1] = x1;
        v->screen_box[2] = y0;
        v->screen_box[3] = y1;
    };
    box(back, 0, 20, 0, 20);
    box(front, 10, 30, 10, 30);
    EXPECT_EQ(PickVehicleAt({15, 15}), front);
    EXPECT_EQ(PickVehicleAt({5, 5}), back);
    EXPECT_EQ(PickVehicleAt({40, 40}), nullptr);
    // Equal depth: the later list entry (the first bought) wins.
    box(front, 0, 20, 0, 20);
    EXPECT_EQ(PickVehicleAt({5, 5}), back);
    // Hidden in a tunnel: skipped.
    back->draw_layer = 1;
    EXPECT_EQ(PickVehicleAt({5, 5}), front);
    // A city car under the pointer is never picked.
    City(1, 30, 30);
    Street(30, 30, 35, 30, 1);
    Finish(20, 20, 40, 40);
    CCityCar* car = new CCityCar(32, 30, "A", 0, 1);
    box(car, 0, 100, 0, 100);
    EXPECT_EQ(PickVehicleAt({50, 50}), nullptr);
    // A wagon's box picks its train.
    TestTrain* train = new TestTrain(100, 100);
    CWagon& wagon = train->AddTestWagon(100, 101);
    wagon.screen_box[0] = 200;
    wagon.screen_box[1] = 210;
    wagon.screen_box[2] = 200;
    wagon.screen_box[3] = 210;
    EXPECT_EQ(PickVehicleAt({205, 205}), train);
    wagon.hidden = 1;
    EXPECT_EQ(PickVehicleAt({205, 205}), nullptr);
}

TEST_F(VehicleListTest, RunQueriesTakeTheEndsInEitherOrder) {
    TestTrain* train = new TestTrain(20, 30);
    train->in_tunnel = 1;
    EXPECT_EQ(IsVehicleOnColumn(20, 25, 20, 35), 1);
    EXPECT_EQ(IsVehicleOnColumn(20, 35, 20, 25), 1);
    EXPECT_EQ(IsVehicleOnColumn(21, 35, 21, 25), 0);
    EXPECT_EQ(IsVehicleOnColumn(15, 30, 25, 30), 1);
    EXPECT_EQ(IsVehicleOnColumn(25, 30, 15, 30), 1);
    EXPECT_EQ(IsVehicleOnColumn(25, 31, 15, 31), 0);
    EXPECT_EQ(IsVehicleOnRow(25, 30, 15, 30), 0);  // not on a bridge
    train->in_tunnel = 0;
    EXPECT_EQ(IsVehicleOnColumn(20, 35, 20, 25), 0);
    // On a portal it counts though its flag is clear.
    F(20, 30).set_tportal(true);
    EXPECT_EQ(IsVehicleOnColumn(20, 35, 20, 25), 1);
    F(20, 30).set_tportal(false);
    // Bridges: the flag, or a bridge end outside a tunnel.
    train->on_bridge = 1;
    EXPECT_EQ(IsVehicleOnRow(20, 40, 20, 20), 1);
    train->on_bridge = 0;
    F(20, 30).set_bridge_end(true);
    EXPECT_EQ(IsVehicleOnRow(20, 40, 20, 20), 1);
    train->in_tunnel = 1;
    EXPECT_EQ(IsVehicleOnRow(20, 40, 20, 20), 0);
    train->in_tunnel = 0;
    F(20, 30).set_bridge_end(false);
    // A wagon on the run counts when its engine does not.
    CWagon& wagon = train->AddTestWagon(40, 31);
    wagon.on_bridge = 1;
    EXPECT_EQ(IsVehicleOnRow(45, 31, 35, 31), 1);
    EXPECT_EQ(IsVehicleOnColumn(45, 31, 35, 31), 0);
    EXPECT_EQ(IsVehicleOnRow(45, 31, 35, 32), 0);  // not a straight run
}

TEST_F(VehicleListTest, NewVehicleOnAStationStartsAlongThePlatformTrack) {
    // A platform field (kind 4) whose track leads north: three fields on.
    F(80, 80).set_building_flag(true);
    F(80, 80).set_geb_num(5);
    F(80, 80).set_geb_typ(4);
    F(80, 80).set_gleisr(kDirN);
    roadtest::TestTerminal station;
    buildings_.buildings[5] = &station;
    TestTrain* onPlatform = new TestTrain(80, 80);
    EXPECT_EQ(onPlatform->pos_x, 80);
    EXPECT_EQ(onPlatform->pos_y, 77);
    EXPECT_EQ(onPlatform->schedule[0].x[0], 80);
    EXPECT_EQ(onPlatform->schedule[0].y[0], 80);
    EXPECT_EQ(F(80, 77).belegt(), 1);
    // The station head (kind 5): four fields on.
    F(90, 80).set_building_flag(true);
    F(90, 80).set_geb_num(5);
    F(90, 80).set_geb_typ(6);
    F(90, 80).set_gleisr(kDirN);
    station.anchor_x = 90;
    station.anchor_y = 80;
    TestTrain* onHead = new TestTrain(90, 80);
    EXPECT_EQ(onHead->pos_y, 76);
    // Class 7 stays where it was made; a truck depot never moves the start.
    TestTrain* stays = new TestTrain(90, 80, kVehicleNoDeparture);
    EXPECT_EQ(stays->pos_y, 80);
    CTruck* truck = Truck();
    EXPECT_EQ(truck->pos_y, 49);
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
