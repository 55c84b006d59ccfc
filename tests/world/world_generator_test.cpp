// The world generator: the template files (damaged ones refused) and the land
// passes that stamp them; generated worlds hold their invariants and a seed
// repeats its world; the rules of the cities, woods and raw-material phases;
// bad templates give a flat water world, settings limit the mountains, ground
// kinds follow heights; the main frame's new game and the editor's regeneration.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "construction_fixture.h"
#include "economy/building_table.h"
#include "gfx/gfx_host.h"
#include "landscape_templates.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/progress_events.h"
#include "support/game_scope.h"
#include "support/way_graph_check.h"
#include "world/build_helper.h"
#include "world/land_passes.h"
#include "world/landscape_templates.h"
#include "world/map_reset.h"
#include "world/new_world.h"
#include "world/terrain.h"
#include "world/way_network.h"

namespace {

void Put32(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

// A small valid file: two entries (kind 1, 2 x 3; kind 5, 1 x 2 at offset 6)
// and their eight height bytes 1..8.
std::vector<uint8_t> SmallFile() {
    std::vector<uint8_t> b(4 + 32 + 8, 0);
    const int32_t words[] = {2, 1, 2, 3, 0, 5, 1, 2, 6};
    for (int i = 0; i < 9; ++i) Put32(b, 4 * size_t(i), words[i]);
    for (int i = 0; i < 8; ++i) b[36 + i] = uint8_t(i + 1);
    return b;
}

TEST(LandscapeTemplateFile, ReadsTheSmallFileIgnoringTrailingBytesAndRefusesEveryDamagedOne) {
    std::vector<uint8_t> trailing = SmallFile();
    trailing.push_back(0xEE);
    LandscapeTemplateSet small;
    ASSERT_TRUE(ParseLandscapeTemplates(trailing, &small));
    ASSERT_EQ(std::tuple(small.entries.size(), small.heights.size()), std::tuple(2u, 8u));
    EXPECT_EQ(
        std::tuple(small.Height(small.entries[0], 1, 2), small.Height(small.entries[1], 0, 1)),
        std::tuple(6, 8));
    struct Damage {
        const char* what;
        void (*apply)(std::vector<uint8_t>&);
    };
    const Damage damages[] = {
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }},
        {"count cut short", [](std::vector<uint8_t>& b) { b.resize(3); }},
        {"no entries", [](std::vector<uint8_t>& b) { Put32(b, 0, 0); }},
        {"negative count", [](std::vector<uint8_t>& b) { Put32(b, 0, -1); }},
        {"1001 entries", [](std::vector<uint8_t>& b) { Put32(b, 0, 1001); }},
        {"table cut short", [](std::vector<uint8_t>& b) { b.resize(30); }},
        {"more entries than the table holds", [](std::vector<uint8_t>& b) { Put32(b, 0, 3); }},
        {"kind 0", [](std::vector<uint8_t>& b) { b[4] = 0; }},
        {"kind 15", [](std::vector<uint8_t>& b) { b[20] = 15; }},
        {"negative size_x", [](std::vector<uint8_t>& b) { Put32(b, 8, -2); }},
        {"negative size_y", [](std::vector<uint8_t>& b) { Put32(b, 28, -1); }},
        {"negative offset", [](std::vector<uint8_t>& b) { Put32(b, 16, -1); }},
        {"last entry's data cut short", [](std::vector<uint8_t>& b) { b.pop_back(); }},
        {"entry beyond the last one's data", [](std::vector<uint8_t>& b) { Put32(b, 16, 3); }},
        {"huge sizes",
         [](std::vector<uint8_t>& b) {
             Put32(b, 24, 0x10000);
             Put32(b, 28, 0x10000);
         }},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bytes = SmallFile();
        d.apply(bytes);
        LandscapeTemplateSet set;
        set.heights = {42};
        EXPECT_FALSE(ParseLandscapeTemplates(bytes, &set)) << d.what;
        EXPECT_TRUE(set.entries.empty()) << d.what;
        EXPECT_EQ(set.heights, std::vector<uint8_t>{42}) << d.what;
    }
    // The limits themselves are fine: 1,000 entries without cells.
    std::vector<uint8_t> many(4 + 16 * 1000, 0);
    Put32(many, 0, 1000);
    for (int n = 0; n < 1000; ++n) many[4 + 16 * n] = 14;
    LandscapeTemplateSet set;
    EXPECT_TRUE(ParseLandscapeTemplates(many, &set));
    EXPECT_EQ(set.entries.size(), 1000u);
}

// (Reading from disk is driven by the world generator's tests.)
TEST(LandscapeTemplateFile, PathFollowsTheSeasonFolder) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    const fvtest::TempFolder folder;
    std::snprintf(gs.data_paths[0], kDataPathLength, "%s", folder.Path().c_str());
    std::snprintf(gs.season_folders[1], kDataPathLength, "%s", "\\summer");
    gs.install_index = 0;
    gs.season = 4;
    EXPECT_EQ(LandscapeTemplatePath(gs), "");
    gs.season = 2;
    EXPECT_EQ(LandscapeTemplatePath(gs), folder.Path() + "\\summer\\2berge");
}

// Makes the next Rand() calls return the given values, then the seeded ones.
class ScriptedRand {
  public:
    explicit ScriptedRand(std::deque<int32_t> values) : values_(std::move(values)) {
        plat::Srand(1);
        plat::SetRandSourceForTests([this] {
            if (values_.empty()) return 0;
            const int32_t v = values_.front();
            values_.pop_front();
            return v;
        });
    }
    ~ScriptedRand() { plat::SetRandSourceForTests({}); }

  private:
    std::deque<int32_t> values_;
};

// A cell may be as high as its distance to the edge (the far edges count to
// 254), cell by cell under a stamp.
TEST(LandPasses, EdgeRuleHoldsCellByCellUnderAStamp) {
    // A ramp of 15 cells along x whose cell i is i + lift high: stamped at
    // x0 = 0 (orientation 0) each cell lies i fields from the west edge.
    for (int32_t lift : {0, 1}) {
        LandscapeTemplateSet set;
        set.entries = {{1, 15, 1, 0}};
        for (int32_t i = 0; i < 15; ++i) set.heights.push_back(uint8_t(std::min(i + lift, 15)));
        ScriptedRand rand({0, 100, 0});
        const StampAttempt a = DrawStampAttempt(set, set.entries[0], 2, 0);
        // Every cell as high as its distance fits (the cells of 14 and 15
        // lie 14 fields out); one step more does not.
        EXPECT_EQ(a.fits, lift == 0) << "lift " << lift;
    }
    // Turned by orientation 2 the ramp (now i + 1 high) rises from the east
    // edge: cell i lands on x = x0 + 15 - i, 239 - x0 + i fields from it.
    LandscapeTemplateSet set;
    set.entries = {{1, 15, 1, 0}};
    for (int32_t i = 0; i < 15; ++i) set.heights.push_back(uint8_t(i + 1));
    for (int32_t x0 : {238, 239}) {
        ScriptedRand rand({x0, 100, 2});
        const StampAttempt a = DrawStampAttempt(set, set.entries[0], 2, 0);
        EXPECT_EQ(a.fits, x0 == 238) << "x0 " << x0;
    }
}

TEST(LandPasses, UnknownKindsAreNeverStampedAndAStampWithoutPlaceIsDroppedAfter51Draws) {
    fvtest::GameScope scope;
    LandscapeTemplateSet set;
    set.entries = {{0, 2, 2, 0}, {200, 2, 2, 0}};
    set.heights.assign(4, 3);
    plat::Srand(5);
    EXPECT_EQ(RunLandPasses(set, 2, 2, 2), 0);
    // Hills (kind 2) on a world of water: every attempt is refused, the 51st
    // is drawn (site and orientation) but never placed.
    set.entries = {{2, 3, 3, 0}};
    set.heights.assign(9, 1);
    int64_t draws = 0;
    plat::SetRandSourceForTests([&draws] { return int32_t(++draws * 7919 % 32768); });
    EXPECT_EQ(RunLandPasses(set, 2, 2, 2), 0);  // summer: 150 hills
    plat::SetRandSourceForTests({});
    EXPECT_EQ(draws, 150 * 51 * 3);
    for (const MapField& f : scope.state().fields) ASSERT_EQ(f.hoehe(), 0);
}

// A synthetic map and a 10 x 10 template of height 1: the share of bad
// cells under the stamp decides, truncated to whole percent.
class StampRefusal : public ::testing::Test {
  protected:
    StampRefusal() {
        set.entries = {{2, 10, 10, 0}};
        set.heights.assign(100, 1);
        for (MapField& f : scope.state().fields) f.set_hoehe(2);
    }
    // `count` fields of the stamp's area (at 100, 100) get height h.
    void MarkCells(int32_t count, int32_t h) {
        for (int32_t n = 0; n < count; ++n) FieldAt(100 + n / 10, 100 + n % 10)->set_hoehe(h);
    }
    StampAttempt Attempt(int32_t season, int32_t pass) {
        ScriptedRand rand({100, 100, 0});
        return DrawStampAttempt(set, set.entries[0], season, pass);
    }
    fvtest::GameScope scope;
    LandscapeTemplateSet set;
};

TEST_F(StampRefusal, TheWetShareIsTruncatedToWholePercent) {
    // Spring takes 10 % wet cells: 12 of 11 x 10 (10.9 %) count as 10 %.
    set.entries = {{2, 11, 10, 0}};
    set.heights.assign(110, 1);
    MarkCells(12, 0);
    EXPECT_TRUE(StampAcceptable(Attempt(1, 1), 1, 1));
    MarkCells(13, 0);
    EXPECT_FALSE(StampAcceptable(Attempt(1, 1), 1, 1));
}

TEST_F(StampRefusal, WetMeansWaterOrADippingShoreOfHeightOne) {
    MapField& f = *FieldAt(50, 50);
    f.set_hoehe(0);
    EXPECT_TRUE(IsWetField(50, 50));
    f.set_hoehe(1);
    // Dipping shapes (a corner below the north-west one): 1, 4, 8, 9, 11..13.
    // The stored shape decides whatever the view's rotation, so that the
    // generated world does not depend on it.
    const bool dipping[15] = {false, true, false, false, true, false, false, false,
                              true,  true, false, true,  true, true,  false};
    for (int32_t rotation = 0; rotation < 4; ++rotation) {
        scope.state().rotation = rotation;
        for (int32_t shape = 0; shape <= 14; ++shape) {
            f.set_teile_diff(uint32_t(shape));
            EXPECT_EQ(IsWetField(50, 50), dipping[shape]) << shape << " " << rotation;
        }
    }
    f.set_hoehe(2);
    EXPECT_FALSE(IsWetField(50, 50));
}

TEST_F(StampRefusal, StampsRaiseOnlyWhereLowerAndNeverLeaveTheMap) {
    set.heights[0] = 5;
    for (MapField& f : scope.state().fields) f.set_hoehe(0);
    FieldAt(100, 101)->set_hoehe(7);
    const StampAttempt a = Attempt(2, 0);
    ASSERT_TRUE(a.fits);
    ApplyStamp(set, set.entries[0], a);
    // Higher ground stays; nothing beyond the stamp changes.
    EXPECT_EQ(std::tuple(FieldAt(100, 100)->hoehe(), FieldAt(100, 101)->hoehe(),
                         FieldAt(109, 109)->hoehe(), FieldAt(110, 100)->hoehe()),
              std::tuple(5, 7, 1, 0));
    // A site whose cells would reach column 255 does not fit.
    ScriptedRand rand({250, 100, 0});
    EXPECT_FALSE(DrawStampAttempt(set, set.entries[0], 2, 0).fits);
}

// The real city manager, counting foundings; it can refuse them all or fix
// the residents of every city it founds.
class GenCityManager : public CCityManager {
  public:
    int32_t GetOrCreateCityAt(int32_t x, int32_t y) override {
        ++creations;
        if (refuse_all) return kNoCityCreated;
        const int32_t slot = CCityManager::GetOrCreateCityAt(x, y);
        if (slot >= 0 && fixed_residents >= 0) cities[slot]->residents = fixed_residents;
        return slot;
    }
    int32_t Count() const {
        return int32_t(std::count_if(std::begin(cities), std::end(cities),
                                     [](const CCity* c) { return c != nullptr; }));
    }
    bool refuse_all = false;
    int32_t fixed_residents = -1;  // -1: as the city grew
    int32_t creations = 0;         // calls of GetOrCreateCityAt
};

struct Site {
    int32_t slot, type, x, y, size;
};

// The real building table, recording what is demolished.
class GenBuildingTable : public CBuildingTable {
  public:
    void DemolishBuilding(int32_t number) override {
        if (At(number) != nullptr) demolished.push_back(number);
        CBuildingTable::DemolishBuilding(number);
    }
    int32_t Count() const { return int32_t(Sites().size()); }
    std::vector<Site> Sites() const {  // in slot order
        std::vector<Site> sites;
        for (int32_t slot = 1; slot < kBuildingSlots; ++slot) {
            if (const CBuilding* b = At(slot)) {
                const int32_t size = g_pGameState->building_types[b->type].floor_width;
                sites.push_back({slot, b->type, b->anchor_x, b->anchor_y, size});
            }
        }
        return sites;
    }
    std::vector<int32_t> demolished;
};

// Whether the construction check allows a site where it stands.
int32_t CheckSiteInPlace(const Site& site) {
    std::vector<MapField> kept;
    for (int32_t x = site.x; x < site.x + site.size; ++x) {
        for (int32_t y = site.y; y < site.y + site.size; ++y) {
            kept.push_back(*FieldAt(x, y));
            FieldAt(x, y)->set_data_word(0);
            FieldAt(x, y)->set_building_flag(false);
        }
    }
    CGameState& gs = *g_pGameState;
    const auto saved = std::pair(gs.selected_building_type, gs.build_orientation);
    gs.selected_building_type = site.type;
    gs.build_orientation = 0;
    const int32_t check = g_pBuildHelper->CanBuildHere(site.x, site.y, site.size, site.size);
    std::tie(gs.selected_building_type, gs.build_orientation) = saved;
    size_t n = 0;
    for (int32_t x = site.x; x < site.x + site.size; ++x) {
        for (int32_t y = site.y; y < site.y + site.size; ++y) *FieldAt(x, y) = kept[n++];
    }
    return check;
}

// A data folder with template files for some seasons.
class TemplateFolder : public fvtest::TempFolder {
  public:
    void Write(int32_t season, const std::vector<uint8_t>& bytes) const {
        const char* folder = season == 1 ? "spring/" : season == 2 ? "summer/" : "autumn/";
        TempFolder::Write(folder + std::to_string(season) + "berge",
                          std::string(bytes.begin(), bytes.end()));
    }
};

// The stand-in templates of every season, written once.
const std::string& StandInTemplates() {
    static const TemplateFolder folder;
    static const bool written = [] {
        for (int32_t season = 1; season <= 3; ++season) {
            folder.Write(season,
                         standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(season)));
        }
        return true;
    }();
    return written ? folder.Path() : folder.Path();
}

// Receives the generator's progress reports while it lives.
class ProgressProbe {
  public:
    ProgressProbe() { SetProgressEvents(&screen); }
    ~ProgressProbe() { SetProgressEvents(nullptr); }
    GenerationProgress screen;
};

std::vector<uint8_t> GridBytes() {
    const auto* bytes = reinterpret_cast<const uint8_t*>(g_pGameState->fields);
    return {bytes, bytes + sizeof(MapField) * kMapFieldCount};
}

// The lookup tables, the terrain, the real building table and city manager,
// and the stand-in templates in the data folder.
class WorldGenTest : public ::testing::Test {
  protected:
    WorldGenTest() {
        game_.UseView();
        game_.UsePanel();
        game_.UseSound();
        game_.Set(g_pLookupTables, tables_.get());
        game_.Set(g_pTerrain, terrain_.get());
        game_.Set(g_pCityManager, &cities_);
        game_.Set(g_ppBuildings, &buildings_);
        GS().game_mode = kModeGame;
        GS().install_index = 0;
        UseDataFolder(StandInTemplates());
    }
    ~WorldGenTest() override {
        // Cities and buildings go before the network they name.
        cities_.RemoveAllCities();
        buildings_.FreeAll();
        terrain_.reset();
    }
    CGameState& GS() { return game_.state(); }
    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CTerrain& Terrain() { return *terrain_; }
    void UseDataFolder(const std::string& folder) {
        for (auto& path : GS().data_paths)
            std::snprintf(path, kDataPathLength, "%s", folder.c_str());
    }
    // Seeds the random generator and runs the whole generator.
    void Generate(uint32_t seed, int32_t season) {
        GS().season = season;
        plat::Srand(seed);
        cities_.RemoveAllCities();
        buildings_.DeleteAll();
        ResetMapFields();
        Terrain().GenerateLandscape();
    }
    fvtest::GameScope game_;
    std::unique_ptr<CLookupTables> tables_ = std::make_unique<CLookupTables>();
    std::unique_ptr<CTerrain> terrain_ = std::make_unique<CTerrain>();
    GenCityManager cities_;
    GenBuildingTable buildings_;
};

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
    // Ground kind 3 is the last of the low ground: it grows what kind 2
    // grows; kind 4 grows other trees.
    const auto forest = [&](uint32_t kind) {
        std::vector<uint32_t> words;
        for (MapField& f : GS().fields) {
            f.set_forest_flag(false);
            f.set_data_word(0);
            f.set_teile_art(kind);
        }
        plat::Srand(5);
        Terrain().PlantForest(60, 60, 67, 60);
        for (int32_t x = 53; x <= 67; ++x) {
            for (int32_t y = 53; y <= 67; ++y) words.push_back(F(x, y).data_word());
        }
        return words;
    };
    EXPECT_EQ(forest(3), forest(2));
    EXPECT_NE(forest(4), forest(2));
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
            cities_.cities[0] = new CCity(1, 100 - 13, 120 - 13);
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

// A template file of stamps whose cells all have one height.
std::vector<uint8_t> TemplateFile(const std::vector<std::array<int32_t, 4>>& stamps) {
    std::vector<standin::LandscapeStamp> out;
    for (const auto& [kind, sx, sy, height] : stamps) {
        out.push_back({kind, sx, sy, std::vector<uint8_t>(size_t(sx * sy), uint8_t(height))});
    }
    return standin::EncodeLandscapeFile(out);
}

int32_t MaxHeight() {
    int32_t peak = 0;
    for (const MapField& f : g_pGameState->fields) peak = std::max<int32_t>(peak, f.hoehe());
    return peak;
}

using WorldGenerator = WorldGenTest;

TEST_F(WorldGenerator, MissingOrDamagedTemplatesLeaveAFlatWaterWorld) {
    TemplateFolder own;
    UseDataFolder(own.Path());
    own.Write(1, {1, 2, 3});  // damaged: too short for its count
    ProgressProbe probe;
    probe.screen.total = 77;
    for (int32_t season = 1; season <= 3; ++season) {
        Generate(99, season);
        for (const MapField& f : GS().fields) {
            ASSERT_TRUE(f.hoehe() == 0 && f.teile_art() == 0 && !f.forest_flag() && f.feldchange());
        }
    }
    // No cities, no sites, no progress shown.
    EXPECT_EQ(std::tuple(cities_.creations, buildings_.Count(), probe.screen.total),
              std::tuple(0, 0, 77));
    EXPECT_EQ(Terrain().template_data, nullptr);
}

TEST_F(WorldGenerator, NoMountainsWithoutMountainsInSpringAndSummer) {
    // Low land of height 2 in kinds 1..3, peaks of 13 in every mountain kind.
    TemplateFolder own;
    for (int32_t season = 1; season <= 3; ++season) {
        own.Write(season, TemplateFile({{1, 20, 20, 2},
                                        {2, 8, 8, 2},
                                        {3, 6, 6, 2},
                                        {5, 5, 5, 13},
                                        {8, 5, 5, 13},
                                        {11, 5, 5, 13},
                                        {14, 5, 5, 13}}));
    }
    UseDataFolder(own.Path());
    GS().ng_forests = 0;
    // Mountains off: spring stays low, autumn always has them; on: summer too.
    for (auto [mountains, season, peak] : {std::tuple{0, 1, 2}, {0, 3, 13}, {1, 2, 13}}) {
        GS().ng_mountains = mountains;
        Generate(7, season);
        EXPECT_EQ(MaxHeight(), peak) << season;
    }
}

TEST_F(WorldGenerator, ABaseTemplateThatNeverFitsEndsItsPass) {
    // Too large for the edge margins: the base pass gives up; the hills of
    // kind 2 must then find dry land, which does not exist.
    TemplateFolder own;
    own.Write(2, TemplateFile({{1, 240, 240, 14}, {2, 4, 4, 1}}));
    UseDataFolder(own.Path());
    GS().ng_forests = 0;
    ProgressProbe probe;
    Generate(5, 2);
    EXPECT_EQ(MaxHeight(), 0);
    for (int32_t stage = 0; stage < kGenStages; ++stage)
        EXPECT_EQ(probe.screen.stage_done[stage], 1);
    EXPECT_EQ(Terrain().template_data, nullptr);
}

TEST_F(WorldGenerator, LandProgressCountsPlacedStampsOnly) {
    ProgressProbe probe;
    LandscapeTemplateSet set;
    set.entries = {{1, 30, 30, 0}, {2, 4, 4, 900}};
    set.heights.assign(900 + 16, 1);
    for (MapField& f : GS().fields) f = MapField{};
    // Season 2, a = 2, b = 0: 60 base stamps, 150 of kind 2, none of the
    // 100 of kind 3 (no such template), no mountains.
    plat::Srand(3);
    const int32_t placed = RunLandPasses(set, 2, 2, 0);
    EXPECT_EQ(std::tuple(probe.screen.total, probe.screen.current),
              std::tuple(60 + 150 + 100, placed));
    EXPECT_GE(placed, 60);
    // Without land under them, every hill is dropped: the bar ends short.
    set.entries = {{2, 4, 4, 900}};
    for (MapField& f : GS().fields) f = MapField{};
    EXPECT_EQ(RunLandPasses(set, 2, 2, 0), 0);
    EXPECT_EQ(std::tuple(probe.screen.total, probe.screen.current), std::tuple(310, 0));
}

TEST_F(WorldGenerator, GroundKindsFollowHeightAndSlope) {
    for (MapField& f : GS().fields) f = MapField{};
    int32_t draws = 0;  // water takes no random draw
    plat::SetRandSourceForTests([&draws] { return ++draws; });
    Terrain().AssignGroundKinds();
    plat::SetRandSourceForTests({});
    EXPECT_EQ(draws, 0);
    // Corners NW, NE, SW, SE of a field, its shape and the ground kinds
    // allowed: a flat shore, height 1 dipping (water), height 4 rising (the
    // low/middle edge), 5 flat, 8 rising (the middle/high edge), 14 flat.
    const int32_t cases[6][7] = {{1, 1, 1, 1, 0, 1, 3},  {1, 0, 1, 0, 4, 0, 0},
                                 {4, 5, 4, 5, 2, 4, 4},  {5, 5, 5, 5, 0, 5, 7},
                                 {8, 9, 9, 9, 10, 8, 8}, {14, 14, 14, 14, 0, 9, 11}};
    for (int32_t n = 0; n < 6; ++n) {
        for (int32_t k = 0; k < 4; ++k) F(10 + 4 * n + k % 2, 100 + k / 2).set_hoehe(cases[n][k]);
    }
    F(200, 200).set_hoehe(15);
    F(200, 200).set_teile_art(13);
    Terrain().AssignGroundKinds();
    for (int32_t n = 0; n < 6; ++n) {
        const MapField& f = F(10 + 4 * n, 100);
        EXPECT_EQ(f.teile_diff(), cases[n][4]) << n;
        EXPECT_TRUE(f.teile_art() >= cases[n][5] && f.teile_art() <= cases[n][6]) << n;
    }
    EXPECT_EQ(F(200, 200).teile_art(), 13);  // height 15 keeps its kind
    EXPECT_EQ(F(0, 0).teile_art(), 0);
}

// Answers the progress screen's messages like the main frame: progress is
// shown from the (first) open request to the close, which keeps what it showed.
class Frame : public plat::Window {
  public:
    ~Frame() override { SetProgressEvents(nullptr); }
    int32_t opens = 0;
    int32_t closes = 0;
    int32_t last_stage = -1;
    int32_t lamps[kGenStages] = {};

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message == kMsgOpenGenProgress) {
            ++opens;
            if (&Progress() != &shown_) SetProgressEvents(&(shown_ = GenerationProgress{}));
            return 0;
        }
        if (message != kMsgGenProgressDone) return DefaultMessage(message, w, l);
        ++closes;
        if (&Progress() == &shown_) {
            last_stage = shown_.stage;
            std::copy(shown_.stage_done, shown_.stage_done + kGenStages, lamps);
        }
        SetProgressEvents(nullptr);
        return 0;
    }

  private:
    GenerationProgress shown_;
};

class NewWorld : public WorldGenTest {
  protected:
    NewWorld() {
        frame_ = new Frame;
        frame_->Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE);
        GS().season = 2;
    }
    ~NewWorld() override { delete frame_; }
    fvtest::RecordingView& View() { return game_.view(); }
    // City and building marks of every field (what a woods-only run keeps).
    std::vector<uint32_t> CityAndSiteMarks() {
        std::vector<uint32_t> marks;
        for (const MapField& f : GS().fields) {
            const bool building = f.building_flag() && !f.no_building_mask();
            marks.push_back(uint32_t(f.stadtnum()) << 20 | uint32_t(f.wegtyp()) << 16 |
                            (building ? f.data_word() : 0u));
        }
        return marks;
    }
    std::vector<bool> Forests() {
        std::vector<bool> forests(kMapFieldCount);
        for (int32_t i = 0; i < kMapFieldCount; ++i) forests[i] = GS().fields[i].forest_flag();
        return forests;
    }
    gfxtest::GfxHost host_;
    Frame* frame_ = nullptr;
};

TEST_F(NewWorld, NewGameGeneratesEverythingBehindTheProgressScreen) {
    // Left-overs of an old map: a node on a field and a screen state.
    g_pWayNetwork->CreateNode(3, 3);
    plat::Srand(77);
    GenerateNewGameWorld(frame_);
    EXPECT_EQ(std::tuple(frame_->closes, frame_->last_stage), std::tuple(1, 3));
    EXPECT_EQ(dynamic_cast<GenerationProgress*>(&Progress()), nullptr);  // none left open
    for (int32_t s = 0; s < kGenStages; ++s) EXPECT_EQ(frame_->lamps[s], 1) << s;
    EXPECT_TRUE(cities_.Count() > 0 && buildings_.Count() > 0);
    // The old node went with the old map; every node now stands on a way.
    EXPECT_FALSE(F(3, 3).knoten());
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
    EXPECT_GT(View().redraws, 0);
    // Only an OK of the editor's screen regenerates; then the whole world
    // demolishes every building and starts again.
    const std::vector<uint8_t> before = GridBytes();
    RegenerateWorld(frame_, 1);
    EXPECT_EQ(frame_->opens, 1);
    EXPECT_TRUE(GridBytes() == before);
    std::vector<int32_t> old_slots;
    for (const Site& site : buildings_.Sites()) old_slots.push_back(site.slot);
    GS().regen_world = 1;
    RegenerateWorld(frame_, 0);
    EXPECT_EQ(buildings_.demolished, old_slots);
    EXPECT_FALSE(GridBytes() == before);
    EXPECT_EQ(std::tuple(frame_->closes, buildings_.Count() > 0), std::tuple(2, true));
    for (const Site& site : buildings_.Sites()) EXPECT_EQ(F(site.x, site.y).geb_num(), site.slot);
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
}

TEST_F(NewWorld, DemolishingEverythingLeavesNoBuildingOnTheMap) {
    for (MapField& f : GS().fields) {
        f = MapField{};
        f.set_hoehe(2);
        f.set_teile_art(2);
    }
    // A cultural center, which demolition itself leaves standing, and a mine.
    for (auto [type, at, size] : {std::tuple{27, 60, 1}, {10, 80, 2}}) {
        GS().selected_building_type = type;
        const int32_t slot = buildings_.PlaceBuilding(at, at);
        ASSERT_GT(slot, 0);
        Terrain().PlaceStructure(at, at, slot, size, size);
    }
    DemolishAllBuildings();
    EXPECT_EQ(buildings_.Count(), 0);
    for (const MapField& f : GS().fields) ASSERT_TRUE(!f.building_flag() && f.data_word() == 0);
}

TEST_F(NewWorld, SinglePhasesKeepTheRest) {
    plat::Srand(3);
    GenerateNewGameWorld(frame_);
    GS().regen_world = 0;
    GS().regen_cities = 0;
    GS().regen_industries = 0;
    // Woods only: cities and sites stay, the forests are planted anew.
    const std::vector<uint32_t> marks = CityAndSiteMarks();
    const std::vector<bool> forests = Forests();
    const int32_t redraws = View().redraws;
    GS().regen_woods = 1;
    RegenerateWorld(frame_, 0);
    EXPECT_TRUE(CityAndSiteMarks() == marks);
    EXPECT_FALSE(Forests() == forests);
    EXPECT_EQ(std::tuple(frame_->last_stage, frame_->lamps[1], View().redraws, GS().redraw_terrain),
              std::tuple(2, 1, redraws + 1, 1));
    // Industries only: every building goes, new sites come.
    GS().regen_woods = 0;
    GS().regen_industries = 1;
    const int32_t cities = cities_.Count();
    buildings_.demolished.clear();
    const int32_t old_sites = buildings_.Count();
    RegenerateWorld(frame_, 0);
    EXPECT_EQ(
        std::tuple(int32_t(buildings_.demolished.size()), cities_.Count(), frame_->last_stage),
        std::tuple(old_sites, cities, 3));
    EXPECT_GT(buildings_.Count(), 0);
    // Cities only, with the view at the overview zoom: no full redraw.
    GS().regen_industries = 0;
    GS().regen_cities = 1;
    View().zoom = 16;
    const int32_t redraws_before = View().redraws;
    RegenerateWorld(frame_, 0);
    EXPECT_EQ(std::tuple(View().redraws, frame_->last_stage), std::tuple(redraws_before, 1));
    EXPECT_GT(cities_.Count(), 0);
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
    // Nothing chosen: nothing opens, nothing changes.
    GS().regen_cities = 0;
    const std::vector<uint8_t> before = GridBytes();
    const int32_t opens = frame_->opens;
    RegenerateWorld(frame_, 0);
    EXPECT_EQ(frame_->opens, opens);
    EXPECT_TRUE(GridBytes() == before);
}

}  // namespace
