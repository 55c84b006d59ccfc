// The world generator as a whole: bad template files give a flat water world,
// settings limit the mountains, ground kinds follow heights; the main frame's
// new game and the editor's regeneration.

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "cities/city.h"
#include "construction_fixture.h"
#include "gfx/gfx_host.h"
#include "landscape_templates.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/messages.h"
#include "state/progress_events.h"
#include "support/way_graph_check.h"
#include "world/land_passes.h"
#include "world/new_world.h"
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
    // No cities, no sites, no progress shown.
    EXPECT_EQ(std::tuple(cities_.creations, buildings_.Count(), probe.screen.total),
              std::tuple(0, 0, 77));
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
    OwnTemplates own;
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
    fvtest::RecordingView& View() { return services_.view; }
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
}  // namespace worldgen
