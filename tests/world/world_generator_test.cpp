// The world generator as a whole: the same seed gives the same world, a
// missing or damaged template file leaves a flat water world, the settings
// limit the mountains, and the ground kinds follow heights and slopes.

#include <gtest/gtest.h>

#include <array>

#include "landscape_templates.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/progress_events.h"
#include "world/land_passes.h"
#include "world/way_network.h"
#include "worldgen_fixture.h"

namespace worldgen {
namespace {

// A data folder of our own with template files for some seasons.
class OwnTemplates : public fvtest::TempFolder {
  public:
    void Write(int32_t season, const std::vector<uint8_t>& bytes) {
        const char* folder = season == 1 ? "spring/" : season == 2 ? "summer/" : "autumn/";
        TempFolder::Write(folder + std::to_string(season) + "berge",
                          std::string(bytes.begin(), bytes.end()));
    }
};

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

TEST_F(WorldGenerator, SameSeedAndTemplatesGiveTheSameGrid) {
    for (int32_t season = 1; season <= 3; ++season) {
        Generate(1234, season);
        const std::vector<uint8_t> first = GridBytes();
        const int32_t first_sites = buildings_.Count();
        Generate(1234, season);
        EXPECT_TRUE(GridBytes() == first) << "season " << season;
        EXPECT_EQ(buildings_.Count(), first_sites);
        Generate(4321, season);
        EXPECT_FALSE(GridBytes() == first) << "another seed, another world";
    }
}

TEST_F(WorldGenerator, MissingOrDamagedTemplatesLeaveAFlatWaterWorld) {
    OwnTemplates own;
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
    EXPECT_EQ(cities_.creations, 0);
    EXPECT_EQ(buildings_.Count(), 0);
    EXPECT_EQ(probe.screen.total, 77);  // no progress shown
    EXPECT_EQ(Terrain().template_data, nullptr);
}

TEST_F(WorldGenerator, NoMountainsWithoutMountainsInSpringAndSummer) {
    // Low land of height 2 in kinds 1..3, peaks of 13 in every mountain kind.
    OwnTemplates own;
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
    GS().ng_mountains = 0;
    Generate(7, 1);
    EXPECT_EQ(MaxHeight(), 2);
    Generate(7, 3);
    EXPECT_EQ(MaxHeight(), 13) << "autumn always has mountains";
    GS().ng_mountains = 1;
    Generate(7, 2);
    EXPECT_EQ(MaxHeight(), 13);
}

TEST_F(WorldGenerator, ABaseTemplateThatNeverFitsEndsItsPass) {
    // Too large for the edge margins: the base pass gives up; the hills of
    // kind 2 must then find dry land, which does not exist.
    OwnTemplates own;
    own.Write(2, TemplateFile({{1, 240, 240, 14}, {2, 4, 4, 1}}));
    UseDataFolder(own.Path());
    GS().ng_forests = 0;
    ProgressProbe probe;
    Generate(5, 2);
    EXPECT_EQ(MaxHeight(), 0);
    for (int32_t stage = 0; stage < kGenStages; ++stage) {
        EXPECT_EQ(probe.screen.stage_done[stage], 1) << stage;
    }
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
    EXPECT_EQ(probe.screen.total, 60 + 150 + 100);
    EXPECT_EQ(probe.screen.current, placed);
    EXPECT_GE(placed, 60);

    // Without land under them, every hill is dropped: the bar ends short.
    set.entries = {{2, 4, 4, 900}};
    for (MapField& f : GS().fields) f = MapField{};
    EXPECT_EQ(RunLandPasses(set, 2, 2, 0), 0);
    EXPECT_EQ(probe.screen.current, 0);
    EXPECT_EQ(probe.screen.total, 310);
}

TEST_F(WorldGenerator, GroundKindsFollowHeightAndSlope) {
    for (MapField& f : GS().fields) f = MapField{};
    // Sets the corners NW, NE, SW, SE of field (x, y).
    auto corners = [&](int32_t x, int32_t y, int32_t nw, int32_t ne, int32_t sw, int32_t se) {
        F(x, y).set_hoehe(uint32_t(nw));
        F(x + 1, y).set_hoehe(uint32_t(ne));
        F(x, y + 1).set_hoehe(uint32_t(sw));
        F(x + 1, y + 1).set_hoehe(uint32_t(se));
    };
    struct Case {
        int32_t nw, ne, sw, se;
        int32_t shape;
        int32_t low, high;  // ground kinds allowed
    };
    const Case cases[] = {
        {1, 1, 1, 1, 0, 1, 3},   // flat shore: low ground
        {1, 0, 1, 0, 4, 0, 0},   // height 1 dipping: water
        {4, 5, 4, 5, 2, 4, 4},   // height 4 rising: the low/middle edge
        {5, 5, 5, 5, 0, 5, 7},   // height 5 flat: middle ground
        {8, 9, 9, 9, 10, 8, 8},  // height 8 rising: the middle/high edge
        {14, 14, 14, 14, 0, 9, 11},
    };
    int32_t x = 10;
    for (const Case& c : cases) {
        corners(x, 100, c.nw, c.ne, c.sw, c.se);
        x += 4;
    }
    F(200, 200).set_hoehe(15);
    F(200, 200).set_teile_art(13);
    Terrain().AssignGroundKinds();
    x = 10;
    for (const Case& c : cases) {
        EXPECT_EQ(F(x, 100).teile_diff(), c.shape) << "case at " << x;
        EXPECT_GE(F(x, 100).teile_art(), c.low) << "case at " << x;
        EXPECT_LE(F(x, 100).teile_art(), c.high) << "case at " << x;
        x += 4;
    }
    EXPECT_EQ(F(200, 200).teile_art(), 13);  // height 15 keeps its kind
    EXPECT_EQ(F(0, 0).teile_art(), 0);
}

}  // namespace
}  // namespace worldgen
