// City growth: founding, determinism, the approach to the
// target mix of the size class, shrinking and the list caps.

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
    // Shares in percent of the counted cells per building class 0..5.
    std::array<int32_t, 6> ClassShares(CCity& city) {
        city.ScanArea();
        std::array<int32_t, 6> shares{};
        for (int32_t c = 0; c < 6; ++c) {
            int32_t count = 0;
            for (int32_t z = 0; z < 6; ++z) count += city.class_matrix[z][c];
            shares[c] = city.cell_total > 0 ? count * 100 / city.cell_total : 0;
        }
        return shares;
    }

    int32_t SizeClassOfCity(const CCity& city) {
        int32_t size = 0;
        for (int32_t i = 0; i < 4; ++i) size += city.residents > State().size_class_thresholds[i];
        return size;
    }

    static int32_t MixDistance(const std::array<int32_t, 6>& shares, const uint8_t* target) {
        int32_t d = 0;
        for (int32_t c = 0; c < 6; ++c) d += std::abs(shares[c] - target[c]);
        return d;
    }

    std::vector<uint8_t> Snapshot() {
        std::vector<uint8_t> bytes(sizeof(State().fields));
        std::memcpy(bytes.data(), State().fields, bytes.size());
        return bytes;
    }
};

TEST_F(CityGrowthTest, FoundedCityHasStreetsBuildingsNameAndTarget) {
    std::strcpy(Cities().names[5], "Quillmere");
    const int32_t slot = Found(100, 100, 2);
    ASSERT_EQ(slot, 0);
    CCity& city = *Cities().cities[0];
    EXPECT_EQ(city.origin_x, 87);
    EXPECT_EQ(city.layout_ok, 1);
    EXPECT_GE(city.residents, State().growth_target);
    EXPECT_GE(State().growth_target, 1500);
    EXPECT_LT(State().growth_target, 2100);
    EXPECT_EQ(city.pending_site_x, -1);
    EXPECT_GE(city.countdown, 0);
    // A name of the list (the others are empty, so the named one is taken).
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
    int32_t firstResidents = 0;
    for (int32_t run = 0; run < 2; ++run) {
        FlatWorld();
        Cities().RemoveAllCities();
        Net().FreeAllNodes();
        plat::Srand(4711);
        ASSERT_EQ(Found(60, 140, 1), 0);
        GrowYears(3);
        if (run == 0) {
            first = Snapshot();
            firstResidents = Cities().cities[0]->residents;
        } else {
            EXPECT_TRUE(first == Snapshot());
            EXPECT_EQ(Cities().cities[0]->residents, firstResidents);
        }
    }
}

TEST_F(CityGrowthTest, TwentyYearsApproachTheTargetMix) {
    SyntheticWorld(99);
    plat::Srand(5);
    ASSERT_EQ(Found(100, 100, 4), 0);
    CCity& city = *Cities().cities[0];
    const std::array<int32_t, 6> start = ClassShares(city);
    const int32_t startDistance = MixDistance(start, State().target_mix[4]);
    const int32_t startResidents = city.residents;
    GrowYears(20);
    const std::array<int32_t, 6> shares = ClassShares(city);
    ASSERT_EQ(SizeClassOfCity(city), 4);
    const uint8_t* target = State().target_mix[4];
    for (int32_t c = 0; c < 6; ++c) EXPECT_NEAR(shares[c], target[c], 4) << "class " << c;
    EXPECT_LT(MixDistance(shares, target), startDistance);
    EXPECT_GT(city.residents, startResidents);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityGrowthTest, RefusedFoundingsLeaveNoTrace) {
    // Water (flat, ground kind 0) around the centre.
    for (int32_t x = 90; x <= 110; ++x) {
        for (int32_t y = 90; y <= 110; ++y) F(x, y).set_teile_art(0);
    }
    F(100, 100).set_forest_flag(true);
    const std::vector<uint8_t> before = Snapshot();
    EXPECT_EQ(Found(100, 100, 3), -1);
    EXPECT_EQ(Cities().cities[0], nullptr);
    EXPECT_TRUE(before == Snapshot());
    EXPECT_EQ(Net().NodeCount(), 0);
    // Nor with every slot taken, nor off the map.
    for (int32_t n = 1; n <= kCitySlots; ++n) AddEmptyCity(n, 0, 0);
    EXPECT_EQ(Found(150, 150, 1), -1);
    EXPECT_TRUE(before == Snapshot());
    EXPECT_EQ(Found(-1, 5, 1), -2);
    EXPECT_EQ(Found(5, 256, 1), -2);
}

TEST_F(CityGrowthTest, TrialStreetsLeaveForestAndPiecesUntouched) {
    // The central cells are free but forested; a row of water around the
    // centre blocks every street step, yet the trial streets may be tried.
    std::strcpy(Cities().names[0], "Fernwick");
    for (int32_t x = 98; x <= 102; ++x) {
        for (int32_t y = 98; y <= 102; ++y) {
            F(x, y).set_forest_flag(true);
            F(x, y).set_data_word(0x1234);
        }
    }
    ASSERT_EQ(Found(100, 100, 0), 0);
    CCity& city = *Cities().cities[0];
    // Forest stays on every central field that carries neither a street nor
    // a city building.
    for (int32_t x = 98; x <= 102; ++x) {
        for (int32_t y = 98; y <= 102; ++y) {
            const MapField& f = F(x, y);
            if (f.stadtnum() != 0) continue;
            EXPECT_TRUE(f.forest_flag()) << x << "," << y;
            EXPECT_EQ(f.data_word(), 0x1234);
            EXPECT_EQ(f.wegteil(), 0);
        }
    }
    EXPECT_STREQ(city.name, "Fernwick");
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

TEST_F(CityGrowthTest, NoBuildingBesideTracksOrNearBridges) {
    // A rail line and a bridge field cross the middle of the city's area.
    LayLine(100, 80, 100, 120, kWayRail);
    F(110, 100).set_bridge_flag(true);
    F(110, 100).set_data_word(9);
    ASSERT_EQ(Found(104, 100, 3), 0);
    GrowYears(5);
    for (int32_t y = 80; y <= 120; ++y) {
        for (const int32_t x : {99, 101}) {
            EXPECT_EQ(CityBuildingOfField(x, y), 0) << x << "," << y;
        }
    }
    for (int32_t x = 109; x <= 111; ++x) {
        for (int32_t y = 99; y <= 101; ++y) {
            if (x == 110 && y == 100) continue;
            EXPECT_EQ(CityBuildingOfField(x, y), 0) << x << "," << y;
        }
    }
    // Nor does the city lay a street over the track.
    for (int32_t y = 80; y <= 120; ++y) EXPECT_EQ(F(100, y).wegtyp(), kWayRail);
    EXPECT_EQ(F(110, 100).wegtyp(), 0);
}

TEST_F(CityGrowthTest, BuildingAboveItsZoneShrinksOneClassPerStep) {
    CCity& city = AddEmptyCity(1, 90, 90);
    PutCityStreetLine(95, 103, 110, 103, 1);
    PutCityBuilding(100, 104, 25, 1);  // class 2
    city.zone_grid[10][14] = 1;        // now holds class 1 at most
    city.countdown = 0;
    city.Tick();
    EXPECT_EQ(GetCityBuildingClass(F(100, 104).stadtb()), 1);
    city.countdown = 0;
    city.Tick();
    // Class 1 fits zone 1: it stays (the step grows elsewhere instead).
    EXPECT_EQ(GetCityBuildingClass(F(100, 104).stadtb()), 1);

    city.AddToGrid(100, 104, -5);  // the zone drops below 0: -1
    EXPECT_EQ(city.zone_grid[10][14], -1);
    city.countdown = 0;
    city.Tick();
    EXPECT_EQ(GetCityBuildingClass(F(100, 104).stadtb()), 0);
    city.countdown = 0;
    city.Tick();
    EXPECT_EQ(F(100, 104).stadtb(), 0);
    EXPECT_EQ(F(100, 104).stadtnum(), 1);  // the field stays part of the city
}

TEST_F(CityGrowthTest, ListCapsHold) {
    CCity& city = AddEmptyCity(1, 100, 100);
    // Streets on every third column: about 18 x 27 cells beside them, all of
    // zone 5.
    for (int32_t dx = 0; dx < 27; dx += 3) {
        PutCityStreetLine(100 + dx, 100, 100 + dx, 126, 1);
    }
    for (auto& column : city.zone_grid) std::fill(std::begin(column), std::end(column), 9);
    city.ScanArea();
    EXPECT_EQ(city.candidate_last[5], kCandidateListCap - 1);
    // 17 columns lie beside a street (the last one beside none).
    EXPECT_EQ(city.zone_cell_counts[5], 17 * 27);

    // Every cell beside the streets built on and oversize.
    for (int32_t dx = 0; dx < 27; ++dx) {
        if (dx % 3 == 0) continue;
        for (int32_t dy = 0; dy < 27; ++dy) PutCityBuilding(100 + dx, 100 + dy, 40, 1);
    }
    for (auto& column : city.zone_grid) std::fill(std::begin(column), std::end(column), 1);
    city.ResetCandidateLists();
    EXPECT_EQ(city.step_mode, kOversizeListCap - 1);

    // The street candidates are capped as well: crossings planned everywhere
    // and laid on the street columns.
    for (auto& column : city.street_grid) std::fill(std::begin(column), std::end(column), 11);
    for (int32_t dx = 0; dx < 27; dx += 3) {
        for (int32_t dy = 0; dy < 27; ++dy) F(100 + dx, 100 + dy).set_wegteil(11);
    }
    for (int32_t dx = 0; dx < 27; ++dx) {
        if (dx % 3 == 0) continue;
        for (int32_t dy = 0; dy < 27; ++dy) F(100 + dx, 100 + dy) = MapField{};
        for (int32_t dy = 0; dy < 27; ++dy) F(100 + dx, 100 + dy).set_teile_art(1);
    }
    city.ExtendStreets();
    EXPECT_EQ(city.new_street_last, kCandidateListCap - 1);
}

}  // namespace
