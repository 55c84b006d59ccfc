// City traffic cars: placement, relocation, random turns at junctions,
// queues, speeds and their lane marks.

#include <gtest/gtest.h>

#include <functional>

#include "cities/city.h"
#include "platform/random.h"
#include "road_world.h"
#include "transport/city_car.h"
#include "transport/road_marks.h"
#include "transport/vehicle_list.h"

namespace {

// At the end of a test the map's marks are exactly the vehicles' and
// deleting them leaves none.
class RoadWorld : public roadtest::RoadWorld {
  protected:
    void TearDown() override {
        plat::SetRandSourceForTests({});
        EXPECT_TRUE(MarksConsistent());
        DeleteAllVehicles();
        EXPECT_EQ(MarkSum(), 0);
    }
};

// City 1 (area from (10, 10)) with streets crossing at (20, 20).
class CityCarTest : public RoadWorld {
  protected:
    void SetUp() override {
        city = &City(1, 10, 10);
        Street(12, 20, 30, 20, 1);
        Street(20, 12, 20, 30, 1);
        Finish(0, 0, 60, 60, true);
    }

    void FixRand(int32_t value) {
        plat::SetRandSourceForTests([value] { return value; });
    }

    CCity* city = nullptr;
};

TEST_F(CityCarTest, CityWithoutFreeStreetRemovesTheCar) {
    // Every straight street field is taken in both lanes (by hand).
    auto mark = [&](uint32_t lanes) {
        for (int32_t x = 10; x < 37; ++x) {
            for (int32_t y = 10; y < 37; ++y) {
                if (F(x, y).wegtyp() == kWayCityStreet) F(x, y).set_belegt(lanes);
            }
        }
    };
    mark(3);
    int32_t fx = 0;
    int32_t fy = 0;
    city->FindStreetField(fx, fy);
    EXPECT_EQ(fx, -1);
    EXPECT_EQ(fy, -1);
    CCityCar* car = new CCityCar(20, 20, "A", 0, 1);
    EXPECT_EQ(car->removal_flag, 1);
    Frames(1);
    EXPECT_EQ(CountVehicles(), 0);
    mark(0);
}

TEST_F(CityCarTest, TenFailedPlacementsRemoveTheCar) {
    // One free street field whose way leads only north; a car that always
    // draws an odd bit wants to head south there.
    City(2, 100, 100);
    Street(110, 110, 110, 111, 2);
    Finish(90, 90, 130, 130);
    F(110, 111).set_wegtyp(0);
    F(110, 110).set_richtung(kDirN);
    FixRand(1);
    CCityCar* car = new CCityCar(110, 110, "A", 0, 2);
    EXPECT_EQ(g_CityCarPlaceAttempts, 11);
    EXPECT_EQ(car->removal_flag, 1);
    EXPECT_FALSE(car->HoldsMark());
    EXPECT_EQ(F(110, 110).belegt(), 0);
}

TEST_F(CityCarTest, EmptyCitySlotRemovesTheCarAtItsRelocation) {
    FixRand(0);
    CCityCar* car = new CCityCar(15, 20, "A", 0, 1);
    cities_.cities[0] = nullptr;
    car->arrival_counter = 0;
    ASSERT_TRUE(FramesUntil([&] { return CountVehicles() == 0; }, 100));
    EXPECT_EQ(MarkSum(), 0);
}

TEST_F(CityCarTest, JunctionExitsNeverReverse) {
    std::vector<int32_t> exits;
    for (int32_t r = 0; r < 8; ++r) {
        FixRand(0);
        CCityCar* car = new CCityCar(19, 20, "A", 0, 1);  // heading east
        ASSERT_EQ(car->Heading(), kDirE);
        FixRand(r);
        ASSERT_TRUE(FramesUntil([&] { return car->pos_x == 20; }, 100));
        exits.push_back(car->junction_exit);
        EXPECT_NE(car->junction_exit, 3);
        EXPECT_EQ(car->speed_limit, 6);
        EXPECT_TRUE(MarksConsistent());
        DeleteAllVehicles();
        ASSERT_EQ(MarkSum(), 0);
    }
    // The three other exits, uniformly by the random value.
    EXPECT_EQ(exits[0], 0);
    EXPECT_EQ(exits[1], 1);
    EXPECT_EQ(exits[2], 2);
}

TEST_F(CityCarTest, JunctionWithOnlyTheWayBackRelocates) {
    // The street's west end (12, 20) is a node linked only to the east.
    const WayNode* node = Net().Node(F(12, 20).knotennummer());
    ASSERT_NE(node, nullptr);
    ASSERT_NE(node->ziel[1], 0);
    ASSERT_EQ(node->ziel[0] + node->ziel[2] + node->ziel[3], 0);
    FixRand(1);
    CCityCar* car = new CCityCar(13, 20, "A", 0, 1);  // heading west
    ASSERT_EQ(car->Heading(), kDirW);
    Frames(1);
    EXPECT_FALSE(car->pos_x == 12 && car->pos_y == 20);
    EXPECT_EQ(car->arrival_counter, 20);
    EXPECT_EQ(F(12, 20).belegt(), 0);
    EXPECT_TRUE(car->HoldsMark());
}

TEST_F(CityCarTest, LifetimeRunsOutOnCityStreetsThenTheCarRelocates) {
    // A ring of streets without junctions or ends in city 2.
    City(2, 100, 100);
    Street(102, 102, 114, 102, 2);
    Street(114, 102, 114, 114, 2);
    Street(114, 114, 102, 114, 2);
    Street(102, 114, 102, 102, 2);
    Finish(90, 90, 130, 130, true);
    FixRand(0);
    CCityCar* car = new CCityCar(105, 102, "A", 0, 2);
    ASSERT_EQ(car->Heading(), kDirE);
    int32_t before = car->arrival_counter;
    ASSERT_TRUE(FramesUntil(
        [&] {
            const bool relocated = before == 0 && car->arrival_counter == 20;
            before = car->arrival_counter;
            return relocated;
        },
        2000));
}

// A car on a bridge end takes and gives back its own lane bit only.
class CityCarBridgeTest : public RoadWorld {
  protected:
    void SetUp() override {
        City(1, 40, 40);
        Street(50, 45, 50, 49, 1);
        Bridge(50, 50, 50, 53, kWayGravelRoad);
        Line(50, 54, 50, 60);
        Finish(30, 30, 70, 70);
    }
};

TEST_F(CityCarBridgeTest, BridgeEndMarksAreClearedBitByBit) {
    plat::SetRandSourceForTests([] { return 1; });  // heading south
    CCityCar* car = new CCityCar(50, 49, "A", 0, 1);
    ASSERT_EQ(car->Heading(), kDirS);
    // Another vehicle's mark in the northbound lane of the bridge end.
    F(50, 50).set_belegt(2);
    ASSERT_TRUE(FramesUntil([&] { return car->pos_y == 50; }, 100));
    EXPECT_EQ(F(50, 50).belegt(), 3);
    EXPECT_EQ(car->on_bridge, 1);
    ASSERT_TRUE(FramesUntil([&] { return car->pos_y == 51; }, 100));
    EXPECT_EQ(F(50, 50).belegt(), 2);
    EXPECT_TRUE(F(50, 50).bridge_end());
    EXPECT_EQ(car->mark.kind, MarkKind::Bridge);
    EXPECT_EQ(BridgeLaneBits(50, 51), 1);
    ASSERT_TRUE(FramesUntil([&] { return car->pos_y == 54; }, 200));
    EXPECT_EQ(car->on_bridge, 0);
    EXPECT_EQ(BridgeLaneBits(50, 51) | BridgeLaneBits(50, 52), 0);
    F(50, 50).set_belegt(0);
}

}  // namespace
