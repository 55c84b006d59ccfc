// City growth: founding, determinism, the approach to the target mix of the
// size class, shrinking and the list caps.

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "city_fixture.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "support/way_graph_check.h"

namespace {

class CityGrowthTest : public CityTest {
  protected:
    // The distance in percent points of the city's class shares (of the
    // counted cells per building class 0..5) from size class 4's mix.
    int32_t MixDistance(CCity& city, int32_t slack) {
        city.ScanArea();
        int32_t d = 0;
        for (int32_t c = 0; c < 6; ++c) {
            int32_t count = 0;
            for (int32_t z = 0; z < 6; ++z) count += city.class_matrix[z][c];
            const int32_t share = city.cell_total > 0 ? count * 100 / city.cell_total : 0;
            const int32_t off = std::abs(share - State().target_mix[4][c]);
            EXPECT_LE(off, slack) << "class " << c;
            d += off;
        }
        return d;
    }
    std::vector<uint8_t> Snapshot() {
        std::vector<uint8_t> bytes(sizeof(State().fields));
        std::memcpy(bytes.data(), State().fields, bytes.size());
        return bytes;
    }
};

// A founded city has a layout, streets, buildings, a name of the list (the
// others are empty, so the named one is taken) and the size's target.
TEST_F(CityGrowthTest, FoundedCityHasStreetsBuildingsNameAndTarget) {
    std::strcpy(Cities().names[5], "Quillmere");
    ASSERT_EQ(Found(100, 100, 2), 0);
    CCity& city = *Cities().cities[0];
    EXPECT_EQ(city.origin_x, 87);
    EXPECT_EQ(city.layout_ok, 1);
    EXPECT_GE(city.residents, State().growth_target);
    EXPECT_GE(State().growth_target, 1500);
    EXPECT_LT(State().growth_target, 2100);
    EXPECT_EQ(city.pending_site_x, -1);
    EXPECT_STREQ(city.name, "Quillmere");
    EXPECT_EQ(Cities().name_used[5], 1u);
    EXPECT_EQ(city.name_index, 5);
    int32_t streets = 0;
    int32_t buildings = 0;
    for (const MapField& f : State().fields) {
        streets += f.stadtnum() == 1 && f.wegtyp() == kWayCityStreet;
        buildings += f.stadtnum() == 1 && f.wegtyp() == 0 && f.stadtb() != 0;
    }
    EXPECT_GT(streets, 10);
    EXPECT_GT(buildings, 20);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityGrowthTest, GrowthIsDeterministicForASeed) {
    std::vector<uint8_t> first;
    for (int32_t run = 0; run < 2; ++run) {
        FlatWorld();
        Cities().RemoveAllCities();
        Net().FreeAllNodes();
        plat::Srand(4711);
        ASSERT_EQ(Found(60, 140, 1), 0);
        GrowYears(3);
        if (run == 1) EXPECT_TRUE(first == Snapshot());
        first = Snapshot();
    }
}

TEST_F(CityGrowthTest, TwentyYearsApproachTheTargetMix) {
    SyntheticWorld(99);
    plat::Srand(5);
    ASSERT_EQ(Found(100, 100, 4), 0);
    CCity& city = *Cities().cities[0];
    const int32_t startDistance = MixDistance(city, 100);
    const int32_t startResidents = city.residents;
    GrowYears(20);
    EXPECT_GT(city.residents, State().size_class_thresholds[3]);  // size class 4
    EXPECT_LT(MixDistance(city, 4), startDistance);
    EXPECT_GT(city.residents, startResidents);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

// On water, with every slot taken or off the map nothing is founded and
// nothing changes.
TEST_F(CityGrowthTest, RefusedFoundingsLeaveNoTrace) {
    for (int32_t x = 90; x <= 110; ++x) {
        for (int32_t y = 90; y <= 110; ++y) F(x, y).set_teile_art(0);
    }
    F(100, 100).set_forest_flag(true);
    const std::vector<uint8_t> before = Snapshot();
    EXPECT_EQ(Found(100, 100, 3), -1);
    EXPECT_EQ(Cities().cities[0], nullptr);
    EXPECT_EQ(Net().NodeCount(), 0);
    for (int32_t n = 1; n <= kCitySlots; ++n) AddEmptyCity(n, 0, 0);
    EXPECT_EQ(Found(150, 150, 1), -1);
    EXPECT_TRUE(before == Snapshot());
    EXPECT_EQ(Found(-1, 5, 1), -2);
    EXPECT_EQ(Found(5, 256, 1), -2);
}

// Forested central cells: forest stays on every one that carries neither a
// street nor a city building, whatever the trial streets tried.
TEST_F(CityGrowthTest, TrialStreetsLeaveForestAndPiecesUntouched) {
    for (int32_t x = 98; x <= 102; ++x) {
        for (int32_t y = 98; y <= 102; ++y) {
            F(x, y).set_forest_flag(true);
            F(x, y).set_data_word(0x1234);
        }
    }
    ASSERT_EQ(Found(100, 100, 0), 0);
    for (int32_t x = 98; x <= 102; ++x) {
        for (int32_t y = 98; y <= 102; ++y) {
            const MapField& f = F(x, y);
            if (f.stadtnum() != 0) continue;
            EXPECT_TRUE(f.forest_flag()) << x << "," << y;
            EXPECT_EQ(f.data_word(), 0x1234);
            EXPECT_EQ(f.wegteil(), 0);
        }
    }
}

TEST_F(CityGrowthTest, EditorClickOnACityGrowsItOneStage) {
    ASSERT_EQ(Found(120, 120, 0), 0);
    CCity& city = *Cities().cities[0];
    EXPECT_LE(city.residents, 600);
    const auto [fx, fy] = FieldOfCity(1);
    EXPECT_EQ(Cities().GetOrCreateCityAt(fx, fy), 0);
    EXPECT_GT(city.residents, 1350);
    EXPECT_EQ(city.pending_site_x, -1);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

// A rail line and a bridge field cross the city's area: no building beside
// the track or around the bridge, no street over the track.
TEST_F(CityGrowthTest, NoBuildingBesideTracksOrNearBridges) {
    LayLine(100, 80, 100, 120, kWayRail);
    F(110, 100).set_bridge_flag(true);
    F(110, 100).set_data_word(9);
    ASSERT_EQ(Found(104, 100, 3), 0);
    GrowYears(5);
    for (int32_t y = 80; y <= 120; ++y) {
        EXPECT_EQ(CityBuildingOfField(99, y) + CityBuildingOfField(101, y), 0) << y;
        EXPECT_EQ(F(100, y).wegtyp(), kWayRail);
    }
    for (int32_t x = 109; x <= 111; ++x) {
        for (int32_t y = 99; y <= 101; ++y) {
            if (x != 110 || y != 100) EXPECT_EQ(CityBuildingOfField(x, y), 0) << x << "," << y;
        }
    }
    EXPECT_EQ(F(110, 100).wegtyp(), 0);
}

// A building above its zone loses one class per growth step until it fits;
// below zone 0 it goes, and the field stays part of the city.
TEST_F(CityGrowthTest, BuildingAboveItsZoneShrinksOneClassPerStep) {
    CCity& city = AddEmptyCity(1, 90, 90);
    PutCityStreetLine(95, 103, 110, 103, 1);
    PutCityBuilding(100, 104, 25, 1);  // class 2
    city.zone_grid[10][14] = 1;
    const auto step = [&] {
        city.countdown = 0;
        city.Tick();
        return GetCityBuildingClass(F(100, 104).stadtb());
    };
    EXPECT_EQ(step(), 1);
    EXPECT_EQ(step(), 1);  // fits zone 1: the step grows elsewhere
    city.AddToGrid(100, 104, -5);
    EXPECT_EQ(city.zone_grid[10][14], -1);
    EXPECT_EQ(step(), 0);
    step();
    EXPECT_EQ(F(100, 104).stadtb(), 0);
    EXPECT_EQ(F(100, 104).stadtnum(), 1);
}

TEST_F(CityGrowthTest, ListCapsHold) {
    CCity& city = AddEmptyCity(1, 100, 100);
    // Streets on every third column; 17 columns of zone-5 cells beside them.
    for (int32_t dx = 0; dx < 27; dx += 3) PutCityStreetLine(100 + dx, 100, 100 + dx, 126, 1);
    for (auto& column : city.zone_grid) std::fill(std::begin(column), std::end(column), 9);
    city.ScanArea();
    EXPECT_EQ(city.candidate_last[5], kCandidateListCap - 1);
    EXPECT_EQ(city.zone_cell_counts[5], 17 * 27);
    // Every cell beside the streets built on and oversize.
    for (int32_t dx = 0; dx < 27; ++dx) {
        for (int32_t dy = 0; dy < 27 && dx % 3 != 0; ++dy) {
            PutCityBuilding(100 + dx, 100 + dy, 40, 1);
        }
    }
    for (auto& column : city.zone_grid) std::fill(std::begin(column), std::end(column), 1);
    city.ResetCandidateLists();
    EXPECT_EQ(city.step_mode, kOversizeListCap - 1);
    // Street candidates: crossings planned everywhere and laid on the columns.
    for (auto& column : city.street_grid) std::fill(std::begin(column), std::end(column), 11);
    for (int32_t dx = 0; dx < 27; ++dx) {
        for (int32_t dy = 0; dy < 27; ++dy) {
            MapField& f = F(100 + dx, 100 + dy);
            if (dx % 3 == 0) {
                f.set_wegteil(11);
            } else {
                f = MapField{};
                f.set_teile_art(1);
            }
        }
    }
    city.ExtendStreets();
    EXPECT_EQ(city.new_street_last, kCandidateListCap - 1);
}

}  // namespace
