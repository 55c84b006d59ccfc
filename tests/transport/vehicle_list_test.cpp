// The vehicle list and its lookups: numbers, fields, picking, the tunnel
// and bridge run queries, a new train's start on a station, and deleting a
// vehicle everywhere it is named.

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "cities/city.h"
#include "cities/city_traffic.h"
#include "game/opponent.h"
#include "transport/city_car.h"
#include "transport/truck.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_references.h"
#include "transport/wagon.h"
#include "transport_world.h"

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
    std::tie(v.screen_box[0], v.screen_box[1], v.screen_box[2], v.screen_box[3]) =
        std::tuple(x0, x1, y0, y1);
}

// A road with a depot and a city street; test trains mark fields by hand.
class VehicleListTest : public transporttest::RoadWorld {
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
    EXPECT_EQ(std::tuple(FindVehicleByNumber(2), FindVehicleByNumber(6)), std::tuple(two, nullptr));
    // The highest number is looked at too, and so is 1 when it is the highest.
    Delete(FindVehicleByNumber(5));
    EXPECT_EQ(Truck()->number, 5);
    for (int32_t n = 2; n <= 5; ++n) Delete(FindVehicleByNumber(n));
    g_MaxVehicleNumber = 1;
    Delete(one);
    EXPECT_EQ(std::tuple(Truck()->number, g_MaxVehicleNumber), std::tuple(1, 1));
}

// City cars have no number and no lookup finds them; traffic off removes them.
TEST_F(VehicleListTest, CityCarsHaveNoNumberAndGoWithCityTraffic) {
    CCityCar* car = new CCityCar(32, 30, "A", 0, 1);
    new CCityCar(35, 30, "A", 0, 1);
    city->car_count = 2;
    ASSERT_NE(F(car->pos_x, car->pos_y).belegt(), 0);
    EXPECT_EQ(
        std::tuple(car->number, FindVehicleByNumber(-1), FindVehicleAtField(car->pos_x, car->pos_y),
                   GetRoadVehicleValueAt(car->pos_x, car->pos_y, car->lane)),
        std::tuple(-1, nullptr, nullptr, 6));
    CTruck* truck = Truck();
    EXPECT_EQ(truck->number, 1);
    RemoveAllCityCars();
    EXPECT_EQ(std::tuple(city->car_count, CountVehicles(), g_pVehicleList->vehicle),
              std::tuple(0, 1, truck));
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
    EXPECT_EQ(std::tuple(FindVehicleAtField(100, 101), FindVehicleAtField(100, 102),
                         FindVehicleAtField(100, 103)),
              std::tuple(train, train, nullptr));
    EXPECT_EQ(std::tuple(train->FindWagon(0, 0), train->FindWagon(0, 1)), std::tuple(0, -1));
}

// The vehicle drawn in front wins, at equal depth the first bought; hidden
// vehicles and city cars are never picked; a wagon's box picks its train.
TEST_F(VehicleListTest, PickingPrefersTheVehicleDrawnInFront) {
    CTruck* back = Truck();
    CTruck* front = Truck();
    Box(*back, 0, 20, 0, 20);
    Box(*front, 10, 30, 10, 30);
    EXPECT_EQ(std::tuple(PickVehicleAt({15, 15}), PickVehicleAt({5, 5}), PickVehicleAt({40, 40})),
              std::tuple(front, back, nullptr));
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
    train->on_bridge = 1;  // an engine on a bridge elsewhere: its wagon still counts
    EXPECT_EQ(IsVehicleOnRow(45, 31, 35, 31), 1);
}

// A new train starts three fields on from a platform, four from a station
// head; class 7 and trucks stay where they were made.
TEST_F(VehicleListTest, NewVehicleOnAStationStartsAlongThePlatformTrack) {
    transporttest::TestTerminal station;
    buildings_.buildings[5] = &station;
    for (auto [x, type] : {std::pair{80, 4}, std::pair{90, 6}}) {
        F(x, 80).set_building_flag(true);
        F(x, 80).set_geb_num(5);
        F(x, 80).set_geb_typ(type);
        F(x, 80).set_gleisr(kDirN);
    }
    TestTrain* t = new TestTrain(80, 80);
    EXPECT_EQ(std::tuple(t->pos_x, t->pos_y, t->schedule[0].x[0], t->schedule[0].y[0],
                         F(80, 77).belegt()),
              std::tuple(80, 77, 80, 80, 1u));
    station.anchor_x = 90;
    station.anchor_y = 80;
    EXPECT_EQ((new TestTrain(90, 80))->pos_y, 76);
    EXPECT_EQ((new TestTrain(90, 80, kVehicleNoDeparture))->pos_y, 80);
    F(100, 80).set_gleisr(kDirN);  // a track end outside any terminal: one field back
    EXPECT_EQ((new TestTrain(100, 80))->pos_y, 81);
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
    EXPECT_EQ(std::tuple(panelVehicle, screenVehicle, g_pVehicleAtTerminal, FindVehicleByNumber(1)),
              std::tuple(nullptr, other, nullptr, nullptr));
    EXPECT_TRUE(game_.state().opponents[0]->plan_list_a.empty());  // its plan goes with it
    // The frame update deletes a vehicle whose removal flag is set.
    other->removal_flag = 1;
    Frames(1);
    EXPECT_EQ(std::tuple(screenVehicle, CountVehicles()), std::tuple(nullptr, 0));
    UnregisterVehicleReference(&panelVehicle);
    UnregisterVehicleReference(&screenVehicle);
    EXPECT_EQ(MarkSum(), 0);
}

}  // namespace
