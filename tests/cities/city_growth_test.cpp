// City growth: founding, the target mix, shrinking, list caps, invariants of
// long runs (graph matches map, nothing outside the areas) and new streets.

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "city_fixture.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "support/way_graph_check.h"
#include "world/way_piece_tables.h"

namespace {

class CityGrowthTest : public CityTest {
  protected:
    void TearDown() override { plat::SetRandSourceForTests({}); }
    // Percent points of the city's class shares off size class 4's mix.
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
    std::vector<MapField> Snapshot() {
        return std::vector<MapField>(std::begin(State().fields), std::end(State().fields));
    }
    // A city at origin (90, 90) with one street field at (100, 100).
    CCity& CityWithStreetAt(int32_t piece) {
        CCity& city = AddEmptyCity(1, 90, 90);
        LayWay({{100, 100}}, kWayCityStreet);
        F(100, 100).set_wegteil(static_cast<uint32_t>(piece));
        F(100, 100).set_stadtnum(1);
        return city;
    }

    // Lays every street candidate, one per call, until none is left.
    int32_t LayAllCandidates(CCity& city) {
        int32_t laid = 0;
        for (city.ExtendStreets(); city.new_street_last >= 0; city.ExtendStreets()) {
            city.UpdateStreets();
            ++laid;
        }
        return laid;
    }
    bool Unchanged(const std::vector<MapField>& before) {
        return std::memcmp(State().fields, before.data(), sizeof(MapField) * before.size()) == 0;
    }
    bool InSomeArea(int32_t x, int32_t y) {
        for (const CCity* c : Cities().cities) {
            if (c != nullptr && x >= c->origin_x && x <= c->origin_x + 26 && y >= c->origin_y &&
                y <= c->origin_y + 26) {
                return true;
            }
        }
        return false;
    }

    // Fields outside every area are unchanged (a way beside one may have
    // joined a street); city fields lie in their area, streets with a piece.
    ::testing::AssertionResult StayedInTheirAreas(const std::vector<MapField>& before) {
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                MapField now = F(x, y);
                const CCity* city = now.stadtnum() > 0 ? Cities().City(now.stadtnum()) : nullptr;
                if (city != nullptr && (x < city->origin_x || x > city->origin_x + 26 ||
                                        y < city->origin_y || y > city->origin_y + 26 ||
                                        (now.wegtyp() != 0 &&
                                         (now.wegtyp() != kWayCityStreet || now.wegteil() == 0)))) {
                    return ::testing::AssertionFailure() << "city field " << x << "," << y;
                }
                if (InSomeArea(x, y)) continue;
                MapField then = before[FieldIndex(x, y)];
                if (now.wegtyp() != 0) {
                    for (MapField* f : {&now, &then}) {
                        f->set_richtung(0);
                        f->set_knoten(false);
                        f->set_knotennummer(0);
                        f->set_ende(false);
                        f->set_feldchange(false);
                    }
                }
                if (std::memcmp(now.bytes, then.bytes, 12) != 0) {
                    return ::testing::AssertionFailure() << "field " << x << "," << y << " changed";
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

// A founded city has a layout, streets, buildings, a name and a target.
TEST_F(CityGrowthTest, FoundedCityHasStreetsBuildingsNameAndTarget) {
    std::strcpy(Cities().names[5], "Quillmere");
    ASSERT_EQ(Found(100, 100, 2), 0);
    CCity& city = *Cities().cities[0];
    EXPECT_EQ(std::tuple(city.origin_x, city.layout_ok, city.pending_site_x, city.name_index,
                         std::string(city.name), Cities().name_used[5]),
              std::tuple(87, 1, -1, 5, "Quillmere", 1u));
    EXPECT_GE(city.residents, State().growth_target);
    EXPECT_GE(State().growth_target, 1500);
    EXPECT_LT(State().growth_target, 2100);
    int32_t streets = 0, buildings = 0;
    for (const MapField& f : State().fields) {
        streets += f.stadtnum() == 1 && f.wegtyp() == kWayCityStreet;
        buildings += f.stadtnum() == 1 && f.wegtyp() == 0 && f.stadtb() != 0;
    }
    EXPECT_GT(streets, 10);
    EXPECT_GT(buildings, 20);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
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

// On water, with every slot taken or off the map nothing changes.
TEST_F(CityGrowthTest, RefusedFoundingsLeaveNoTrace) {
    for (int32_t x = 90; x <= 110; ++x) {
        for (int32_t y = 90; y <= 110; ++y) F(x, y).set_teile_art(0);
    }
    F(100, 100).set_forest_flag(true);
    const std::vector<MapField> before = Snapshot();
    EXPECT_EQ(Found(100, 100, 3), -1);
    EXPECT_EQ(std::tuple(Cities().cities[0], Net().NodeCount()), std::tuple(nullptr, 0));
    for (int32_t n = 1; n <= kCitySlots; ++n) AddEmptyCity(n, 0, 0);
    EXPECT_EQ(Found(150, 150, 1), -1);
    EXPECT_TRUE(Unchanged(before));
    EXPECT_EQ(Found(-1, 5, 1), -2);
    EXPECT_EQ(Found(5, 256, 1), -2);
}

// Forest stays on central cells without a street or city building.
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
            EXPECT_EQ(std::tuple(f.forest_flag(), f.data_word(), f.wegteil()),
                      std::tuple(true, 0x1234u, 0u))
                << x << "," << y;
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
        for (int32_t y = 99; y <= 101; ++y) EXPECT_EQ(CityBuildingOfField(x, y), 0) << x << y;
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
    EXPECT_EQ(std::tuple(F(100, 104).stadtb(), F(100, 104).stadtnum()), std::tuple(0u, 1u));
}

TEST_F(CityGrowthTest, ListCapsHold) {
    CCity& city = AddEmptyCity(1, 100, 100);
    // Streets on every third column; 17 columns of zone-5 cells beside them.
    for (int32_t dx = 0; dx < 27; dx += 3) PutCityStreetLine(100 + dx, 100, 100 + dx, 126, 1);
    for (auto& column : city.zone_grid) std::fill(std::begin(column), std::end(column), 9);
    city.ScanArea();
    EXPECT_EQ(std::tuple(city.candidate_last[5], city.zone_cell_counts[5]),
              std::tuple(kCandidateListCap - 1, 17 * 27));
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

using CityInvariantsTest = CityGrowthTest;

// Cities founded in the corners stay on the map, off its last row and column.
TEST_F(CityInvariantsTest, CitiesAtTheCornersGrowOnTheMapOnly) {
    int32_t founded = 0;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{255, 255}, std::pair{2, 253}, {254, 1}}) {
        SCOPED_TRACE(x * 1000 + y);
        Cities().RemoveAllCities();
        Net().FreeAllNodes();
        FlatWorld();
        const std::vector<MapField> before = Snapshot();
        const int32_t slot = Found(x, y, 3);
        if (slot < 0) {
            EXPECT_TRUE(Unchanged(before));
            continue;
        }
        ++founded;
        CCity& city = *Cities().cities[slot];
        GrowYears(15);
        EXPECT_GT(city.residents, 100);
        EXPECT_TRUE(StayedInTheirAreas(before));
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        for (int32_t k = 0; k < kMapSize; ++k)
            EXPECT_EQ(F(255, k).stadtnum() + F(k, 255).stadtnum(), 0);
        Cities().RemoveCityAt(FieldOfCity(city.number).first, FieldOfCity(city.number).second);
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        EXPECT_EQ(Net().NodeCount(), 0);
    }
    EXPECT_EQ(founded, 4);
}

// Twenty overlapping cities of every size grow for thirty years.
TEST_F(CityInvariantsTest, TwentyNeighbouringCitiesGrowThirtyYears) {
    SyntheticWorld(20240501);
    const std::vector<MapField> before = Snapshot();
    // A site on water founds nothing and the next one is tried.
    std::vector<int32_t> slots;
    for (int32_t k = 0; k < 64 && slots.size() < 20; ++k) {
        const int32_t x = 20 + (k % 8) * 22 + plat::Rand() % 7;
        const int32_t y = 20 + (k / 8) * 22 + plat::Rand() % 7;
        const int32_t slot = Found(x, y, static_cast<int32_t>(k % 5));
        if (slot >= 0) slots.push_back(slot);
    }
    ASSERT_EQ(slots.size(), 20u);
    std::vector<int32_t> startResidents;
    for (int32_t slot : slots) startResidents.push_back(Cities().cities[slot]->residents);
    ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    for (int32_t month = 0; month < 30 * 12; ++month) {
        Cities().MonthlyUpdate();
        for (int32_t week = 0; week < 4; ++week) Cities().Tick();
    }
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    EXPECT_TRUE(StayedInTheirAreas(before));
    // Nothing was laid over the railway at x = 128 (bar where roads cross).
    for (int32_t y = 20; y <= 235; ++y) {
        EXPECT_TRUE(F(128, y).wegtyp() == kWayRail || y == 60 || y == 190) << y;
    }
    int32_t grown = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        CCity& city = *Cities().cities[slots[i]];
        grown += city.residents > startResidents[i];
        const int32_t counted = city.residents;
        city.CountResidents();
        EXPECT_EQ(city.residents, counted);
    }
    EXPECT_GE(grown, 18);
}

using CityStreetsTest = CityGrowthTest;

TEST_F(CityStreetsTest, PlanLinesEndAtTheLastCellWhateverTheDraws) {
    CCity city(1, 50, 50, 1);
    // Every draw 0: back-to-back segments of two steps up to cell 26.
    plat::SetRandSourceForTests([] { return 0; });
    city.PrepareStreetGrid();
    for (int32_t dy = 0; dy < kCityAreaSize; ++dy) EXPECT_GT(city.street_grid[1][dy], 0) << dy;
    for (int32_t dy = 0; dy < kCityAreaSize; ++dy) EXPECT_GT(city.street_grid[25][dy], 0) << dy;
    // Every draw odd: a gap of two, then segments of three after gaps of two.
    plat::SetRandSourceForTests([] { return 1; });
    city.PrepareStreetGrid();
    const int32_t* c = city.street_grid[1];
    EXPECT_EQ(std::tuple(c[0], c[2] > 0, c[5] > 0, c[6], c[7] > 0),
              std::tuple(0, true, true, 0, true));
}

// A player road joining the city is taken over field by field (not while
// the street is occupied); one beside it not pointing at the street never.
TEST_F(CityStreetsTest, PlayerRoadJoiningTheCityBecomesACityStreet) {
    CCity& city = CityWithStreetAt(2);  // east-west
    LayLine(101, 100, 104, 100, kWayGravelRoad);
    LayWay({{100, 101}}, kWayAsphaltRoad);
    F(100, 101).set_wegteil(2);  // runs east-west below the street
    helper_.UpdateWayPiecesAround(100, 101);
    F(100, 100).set_belegt(1);
    city.ExtendStreets();
    EXPECT_EQ(city.new_street_last, -1);
    F(100, 100).set_belegt(0);
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    EXPECT_EQ(std::tuple(city.street_candidates[0].dx, city.street_candidates[0].dy),
              std::tuple(11, 10));
    city.UpdateStreets();
    EXPECT_EQ(F(101, 100).stadtnum(), 1);
    LayAllCandidates(city);
    for (int32_t x = 101; x <= 104; ++x) EXPECT_EQ(F(x, 100).wegtyp(), kWayCityStreet) << x;
    EXPECT_EQ(std::tuple(F(100, 101).wegtyp(), F(100, 101).stadtnum()),
              std::tuple(uint32_t{kWayAsphaltRoad}, 0u));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityStreetsTest, PlannedCellsBesideTheNetAreLaidWithTheirPieces) {
    CCity& city = CityWithStreetAt(1);  // north-south
    // Plan: a street through (100, 97..103) with an arm east at y 102.
    for (int32_t dy = 7; dy <= 13; ++dy) city.street_grid[10][dy] = 1;
    city.street_grid[11][12] = 2;
    city.street_grid[12][12] = 2;
    for (int32_t dx = 0; dx < 27; ++dx) {
        for (int32_t dy = 0; dy < 27; ++dy) city.RefitPlanPiece(dx, dy);
    }
    ASSERT_EQ(city.street_grid[10][12], 4);  // a T piece: N, E, S
    EXPECT_EQ(LayAllCandidates(city), 8);
    for (int32_t y = 97; y <= 103; ++y) {
        EXPECT_EQ(std::tuple(F(100, y).wegtyp(), F(100, y).stadtnum()),
                  std::tuple(uint32_t{kWayCityStreet}, 1u));
    }
    EXPECT_EQ(std::tuple(F(100, 102).wegteil(), F(100, 102).knoten(), F(102, 102).wegtyp()),
              std::tuple(4u, true, uint32_t{kWayCityStreet}));
    EXPECT_NE(F(100, 102).knotennummer(), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityStreetsTest, PlayerRoadOnThePlanMergesItsPiece) {
    CCity& city = CityWithStreetAt(2);  // east-west at (100, 100)
    city.street_grid[11][10] = 2;       // planned east-west at (101, 100)
    // A road crosses the plan at (101, 99..101): its middle field, taken
    // over, merges its piece with the planned one into a crossing.
    LayLine(101, 99, 101, 101, kWayGravelRoad);
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    city.UpdateStreets();
    const MapField& f = F(101, 100);
    EXPECT_EQ(std::tuple(f.wegtyp(), f.wegteil(), f.knoten(), f.richtung()),
              std::tuple(uint32_t{kWayCityStreet}, 11u, true, uint32_t{kDirN | kDirS | kDirW}));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

// Planned cells on track, a bridge end or a tunnel portal are never laid.
TEST_F(CityStreetsTest, NeverOntoTrackBridgeEndOrTunnelPortal) {
    CCity& city = CityWithStreetAt(2);
    for (int32_t dx = 0; dx < 27; ++dx) city.street_grid[dx][10] = 2;
    LayWay({{101, 100}}, kWayRail);
    for (const bool bridge : {true, false}) {
        MapField& f = F(99, 100);
        f = MapField{};
        f.set_teile_art(1);
        f.set_wegtyp(kWayGravelRoad);
        f.set_wegteil(2);
        f.set_bridge_end(bridge);
        f.set_bridge_flag(bridge);
        f.set_tportal(!bridge);
        city.ExtendStreets();
        EXPECT_EQ(city.new_street_last, -1);
    }
    EXPECT_EQ(F(101, 100).wegtyp(), kWayRail);
}

TEST_F(CityStreetsTest, NewStreetJoiningTwoStretchesLinksTheirNodes) {
    CCity& city = AddEmptyCity(1, 90, 90);
    // Two city streets with junctions and a gap at (100, 100).
    PutCityStreetLine(95, 100, 99, 100, 1);
    PutCityStreetLine(101, 100, 105, 100, 1);
    PutCityStreetLine(95, 99, 95, 101, 1);
    PutCityStreetLine(105, 99, 105, 101, 1);
    city.street_grid[10][10] = 2;
    ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    city.UpdateStreets();
    EXPECT_EQ(F(100, 100).wegtyp(), kWayCityStreet);
    const WayNode* west = Net().Node(F(95, 100).knotennummer());
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(std::tuple(uint32_t(west->ziel[kDirIndexE]), int32_t(west->cost[kDirIndexE])),
              std::tuple(F(105, 100).knotennummer(), 10));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

}  // namespace
