// Populating a world: the invariants of many generated worlds, and the rules
// of the cities, woods and raw-material phases on small synthetic maps.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <set>

#include "cities/city.h"
#include "construction_fixture.h"
#include "platform/random.h"
#include "state/progress_events.h"
#include "world/way_network.h"
#include "worldgen_fixture.h"

namespace worldgen {
namespace {

using Population = WorldGenTest;

TEST_F(Population, InvariantsHoldOnManySeedsAndASeedRepeatsItsWorld) {
    std::set<int32_t> types;  // every kind of site shows somewhere
    for (int32_t season = 1; season <= 3; ++season) {
        std::vector<uint8_t> first;
        for (uint32_t seed = 1; seed <= 2; ++seed) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " season " << season);
            Generate(seed * 7919, season);
            if (seed == 1) {
                first = GridBytes();
                const int32_t sites = buildings_.Count();
                Generate(seed * 7919, season);
                EXPECT_TRUE(GridBytes() == first && buildings_.Count() == sites);
            } else {
                EXPECT_FALSE(GridBytes() == first) << "another seed, another world";
            }
            // Corners stay smooth; forests never cover a building, a way, a
            // bridge or water.
            ASSERT_TRUE(HeightsSmooth(0, 0, 255, 255));
            int32_t peaks = 0, water = 0, forest = 0, streets = 0, houses = 0;
            for (const MapField& f : GS().fields) {
                peaks += f.hoehe() >= 8;
                water += f.teile_art() == 0;
                forest += f.forest_flag();
                streets += f.wegtyp() == kWayCityStreet && f.wegteil() != 0;
                houses += f.stadtnum() != 0 && f.BuildingNumber() != 0 && !f.building_flag();
                ASSERT_TRUE(!f.forest_flag() ||
                            (!f.building_flag() && f.wegtyp() == 0 && f.wegteil() == 0 &&
                             !f.bridge_flag() && f.teile_art() != 0 &&
                             (f.data_word() & 0x3FFF) != 0 && (f.data_word() & 0xC000) == 0))
                    << &f - GS().fields;
                // Every junction of a city's streets is a node.
                ASSERT_TRUE(f.stadtnum() == 0 || f.wegtyp() != kWayCityStreet ||
                            std::popcount(f.richtung()) < 3 ||
                            g_pWayNetwork->Node(f.knotennummer()) != nullptr)
                    << &f - GS().fields;
            }
            // Every world shows mountains, water, woods and cities.
            EXPECT_TRUE(peaks > 100 && water > 1000 && forest > 1000 && streets > 100 &&
                        houses > 100)
                << peaks << " " << water << " " << forest << " " << streets << " " << houses;
            // Cities: at most 39, spaced, each grown to its class.
            EXPECT_TRUE(cities_.Count() > 10 && cities_.Count() <= 39) << cities_.Count();
            for (int32_t a = 0; a < kCitySlots; ++a) {
                const CCity* ca = cities_.cities[a];
                if (ca == nullptr) continue;
                EXPECT_GE(ca->residents, 44);
                for (int32_t b = a + 1; b < kCitySlots; ++b) {
                    const CCity* cb = cities_.cities[b];
                    EXPECT_TRUE(cb == nullptr || std::abs(ca->origin_x - cb->origin_x) >= 13 ||
                                std::abs(ca->origin_y - cb->origin_y) >= 13)
                        << "cities " << a << " and " << b;
                }
            }
            // The graph is the one the map's ways give, with nothing left over.
            EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
            // Raw-material sites: allowed by the construction check, written
            // into the grid, spaced by type, with a free ring and mines high.
            const std::vector<Site> sites = buildings_.Sites();
            for (const Site& p : sites) {
                types.insert(p.type);
                EXPECT_TRUE(CheckSiteInPlace(p) == 1 && p.type >= 10 && p.type <= 13)
                    << "type " << p.type << " at " << p.x << "," << p.y;
                for (int32_t x = p.x - 1; x <= p.x + p.size; ++x) {
                    for (int32_t y = p.y - 1; y <= p.y + p.size; ++y) {
                        const bool ring =
                            x < p.x || y < p.y || x >= p.x + p.size || y >= p.y + p.size;
                        ASSERT_EQ(GetBuildingNumberAt(x, y), ring ? 0 : p.slot) << x << "," << y;
                    }
                }
                EXPECT_TRUE(p.type != 10 || F(p.x, p.y).hoehe() >= 5) << "a mine below 5";
            }
            for (size_t a = 0; a < sites.size(); ++a) {
                for (size_t b = a + 1; b < sites.size(); ++b) {
                    // The earlier site lies outside the later one's spacing window.
                    const Site& e = sites[a];
                    const Site& later = sites[b];
                    const int32_t reach = later.type == 10 ? 11 : 13;
                    EXPECT_TRUE(e.type != later.type || e.x + e.size - 1 < later.x - 10 ||
                                e.x > later.x + reach || e.y + e.size - 1 < later.y - 10 ||
                                e.y > later.y + reach)
                        << "type " << later.type;
                }
            }
        }
    }
    EXPECT_EQ(types, (std::set<int32_t>{10, 11, 12, 13}));
}

TEST_F(Population, TooFewResidentsOrFailedCreationsEndWithoutCities) {
    GS().game_mode = kModeEditor;
    GS().ng_towns = 0;  // the editor's fewest towns: none at all
    Terrain().GenerateCities();
    EXPECT_EQ(cities_.creations, 0);
    GS().game_mode = kModeGame;
    Generate(5, 2);                  // a world to try on
    EXPECT_LE(cities_.Count(), 24);  // 2 + 6 + 8 + 8
    cities_.RemoveAllCities();
    cities_.refuse_all = true;
    const int32_t size = GS().found_city_size;
    GS().found_city_size = 2;
    ProgressProbe probe;
    Terrain().GenerateCities();
    EXPECT_EQ(std::pair(cities_.Count(), probe.screen.stage_done[1]), std::pair(0, 1));
    EXPECT_EQ(GS().found_city_size, 2);  // restored
    // Cities below even the smallest class are removed again, streets too.
    cities_.refuse_all = false;
    GS().found_city_size = size;
    cities_.fixed_residents = 43;
    cities_.creations = 0;
    Terrain().GenerateCities();
    EXPECT_EQ(cities_.Count(), 0);
    EXPECT_GT(cities_.creations, 0);
    for (const MapField& f : GS().fields)
        ASSERT_TRUE(f.stadtnum() == 0 && f.wegtyp() != kWayCityStreet);
    EXPECT_EQ(g_pWayNetwork->NodeCount(), 0);
    cities_.fixed_residents = 44;
    Terrain().GenerateCities();
    EXPECT_GT(cities_.Count(), 0);
}

// A flat dry world of height 2 with everything cleared.
class FlatWorld : public WorldGenTest {
  protected:
    FlatWorld() {
        for (MapField& f : GS().fields) {
            f = MapField{};
            f.set_hoehe(2);
            f.set_teile_art(2);
        }
    }
};

TEST_F(FlatWorld, ForestsSkipBuildingsWaysBridgesAndWaterAndKeepOldTrees) {
    F(100, 100).set_building_flag(true);
    F(100, 100).set_geb_num(5);
    F(101, 100).set_wegtyp(kWayGravelRoad);
    F(101, 100).set_wegteil(3);
    F(102, 100).set_wegtyp(kWayRail);  // a track type, even without a piece
    F(103, 100).set_wegteil(16);       // a level crossing
    F(104, 100).set_bridge_flag(true);
    F(105, 100).set_teile_art(0);
    F(106, 100).set_stadtnum(3);
    F(106, 100).set_stadtb(7);  // a city building
    F(100, 101).set_forest_flag(true);
    F(100, 101).set_data_word(9 << 7);       // layer 1 planted, layer 2 free
    F(107, 100).set_wegtyp(kWayGravelRoad);  // a road type without a piece takes trees
    GS().forest_density = 3;                 // the densest forests
    plat::Srand(17);
    for (int32_t n = 0; n < 40; ++n) Terrain().PlantForest(103, 103, 110, 103);
    for (int32_t x = 100; x <= 106; ++x) EXPECT_FALSE(F(x, 100).forest_flag()) << x;
    EXPECT_EQ(F(106, 100).stadtb(), 7);
    EXPECT_EQ((F(100, 101).data_word() >> 7) & 0x7F, 9);  // layer 1 kept
    EXPECT_NE(F(100, 101).data_word() & 0x7F, 0);         // layer 2 filled
    EXPECT_TRUE(F(107, 100).forest_flag());
    EXPECT_FALSE(F(95, 103).forest_flag() || F(103, 111).forest_flag());  // radius 7
}

TEST_F(FlatWorld, NoWoodsAndForestRadiiAtTheEdgeOrOfZeroPlantNothing) {
    GS().ng_forests = 0;
    GS().forest_density = 2;
    Terrain().GenerateWoods();
    EXPECT_EQ(GS().forest_density, 2);
    GS().forest_density = 3;
    plat::Srand(3);
    Terrain().PlantForest(50, 50, 50, 50);    // radius 0
    Terrain().PlantForest(5, 50, 11, 50);     // x - r < 0
    Terrain().PlantForest(250, 50, 255, 50);  // x + r reaches 255
    Terrain().PlantForest(50, 250, 50, 255);
    for (const MapField& f : GS().fields) ASSERT_FALSE(f.forest_flag());
    // Clearing forests touches nothing else.
    F(11, 10).set_building_flag(true);
    F(11, 10).set_data_word(12 << 10 | 7);
    F(10, 10).set_forest_flag(true);
    F(10, 10).set_data_word(0x1234);
    Terrain().ClearForests();
    EXPECT_EQ(F(10, 10).data_word(), 0);
    EXPECT_EQ(F(11, 10).data_word(), 12 << 10 | 7);
    // With a radius of 7 the rim's threshold is 100: it never takes a tree;
    // the centre of density 3 takes one most times.
    for (int32_t n = 0; n < 20; ++n) Terrain().PlantForest(60, 60, 67, 60);
    EXPECT_FALSE(F(53, 60).forest_flag() || F(67, 67).forest_flag());
    EXPECT_TRUE(F(60, 60).forest_flag());
}

TEST_F(FlatWorld, MinesNeedHeightFiveAndLumberMillsNeedTrees) {
    GS().ng_towns = 0;
    GS().build_orientation = 2;
    GS().selected_building_type = 21;
    // Plateaus of height 4 at (40, 40) and 5 at (150, 150), a wood at (100, 40).
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) {
            if (x >= 40 && y >= 40 && x <= 60 && y <= 60) F(x, y).set_hoehe(4);
            if (x >= 150 && y >= 150 && x <= 170 && y <= 170) F(x, y).set_hoehe(5);
            if (x < 94 || x > 108 || y < 34 || y > 48) continue;
            F(x, y).set_forest_flag(true);
            F(x, y).set_data_word(5 << 7 | 6);
        }
    }
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) Terrain().UpdateSlopeShapes(x, y);
    }
    plat::Srand(8);
    Terrain().GenerateIndustries();
    EXPECT_EQ(std::pair(GS().build_orientation, GS().selected_building_type), std::pair(2, 21));
    int32_t mines = 0;
    int32_t mills = 0;
    for (const Site& p : buildings_.Sites()) {
        EXPECT_EQ(CheckSiteInPlace(p), 1);
        if (p.type == 10) {
            ++mines;
            EXPECT_EQ(F(p.x, p.y).hoehe(), 5);
            const int32_t product = buildings_.At(p.slot)->GetProduct();
            EXPECT_TRUE(product >= 5 && product <= 7);  // gold, silver or diamonds
        }
        if (p.type == 11) {
            ++mills;  // its 11 x 11 square reaches into the wood
            EXPECT_TRUE(p.x + 6 >= 94 && p.x - 4 <= 108 && p.y + 6 >= 34 && p.y - 4 <= 48);
        }
    }
    EXPECT_TRUE(mines > 0 && mines <= 4 && mills > 0) << mines << " " << mills;
}

TEST_F(FlatWorld, OnlyCitiesAbove1500ResidentsGetSitesOfTheirOwn) {
    // On water every placement fails after its 500 attempts; a city with a
    // ring of its own adds the ring's attempts, and their random draws.
    for (MapField& f : GS().fields) f.set_teile_art(0);
    GS().ng_towns = 0;
    int64_t draws = 0;
    plat::SetRandSourceForTests([&draws] { return int32_t(++draws * 7919 % 32768); });
    auto drawsWith = [&](int32_t residents) {
        cities_.RemoveAllCities();
        if (residents > 0) {
            cities_.cities[0] = new CCity(1, 100 - 13, 120 - 13, 1);
            cities_.cities[0]->residents = residents;
        }
        draws = 0;
        Terrain().GenerateIndustries();
        return draws;
    };
    const int64_t alone = drawsWith(0);
    EXPECT_EQ(drawsWith(1500), alone);
    EXPECT_GT(drawsWith(1501), alone + 2 * 500 * 2);
    plat::SetRandSourceForTests({});
    EXPECT_EQ(buildings_.Count(), 0);
    // On land such a city gets a chemical plant and a steel mill in its ring.
    for (MapField& f : GS().fields) f.set_teile_art(2);
    GS().ng_site_distance = 4;  // ring 10 .. 20
    plat::Srand(21);
    drawsWith(1501);
    const std::vector<Site> sites = buildings_.Sites();
    ASSERT_GE(sites.size(), 2u);
    EXPECT_EQ(std::pair(sites[0].type, sites[1].type), std::pair(12, 13));
    for (const Site& p : {sites[0], sites[1]}) {
        const double d = std::hypot(p.x - 100, p.y - 120);
        EXPECT_TRUE(d > 10.0 && d < 20.0) << d;
    }
}

}  // namespace
}  // namespace worldgen
