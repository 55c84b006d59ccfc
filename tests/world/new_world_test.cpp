// The main frame's two ways to a world: a new game generates everything
// behind the progress screen; the editor's request regenerates the whole
// world or only the phases it chose, and redraws the view.

#include "world/new_world.h"

#include <gtest/gtest.h>

#include "construction_fixture.h"
#include "gfx/gfx_host.h"
#include "platform/random.h"
#include "state/messages.h"
#include "state/progress_events.h"
#include "world/way_network.h"
#include "worldgen_fixture.h"

namespace worldgen {
namespace {

// Answers the progress screen's messages like the main frame: the progress
// is received from the open request (a second one while open changes
// nothing) to the close request, which keeps what it showed.
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
            if (&Progress() != &shown_) {
                shown_ = GenerationProgress{};
                SetProgressEvents(&shown_);
            }
            return 0;
        }
        if (message == kMsgGenProgressDone) {
            ++closes;
            if (&Progress() == &shown_) {
                last_stage = shown_.stage;
                for (int32_t s = 0; s < kGenStages; ++s) lamps[s] = shown_.stage_done[s];
            }
            SetProgressEvents(nullptr);
            return 0;
        }
        return DefaultMessage(message, w, l);
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
    fvtest::RecordingView& View() { return services_.state().view; }
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
        std::vector<bool> forests;
        for (const MapField& f : GS().fields) forests.push_back(f.forest_flag());
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
    EXPECT_EQ(frame_->closes, 1);
    EXPECT_EQ(dynamic_cast<GenerationProgress*>(&Progress()), nullptr);  // none left open
    EXPECT_EQ(frame_->last_stage, 3);
    for (int32_t s = 0; s < kGenStages; ++s) EXPECT_EQ(frame_->lamps[s], 1) << s;
    EXPECT_GT(cities_.Count(), 0);
    EXPECT_GT(buildings_.Count(), 0);
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
    EXPECT_EQ(frame_->closes, 2);
    EXPECT_GT(buildings_.Count(), 0);
    for (const Site& site : buildings_.Sites()) {
        EXPECT_EQ(F(site.x, site.y).geb_num(), site.slot);
    }
    EXPECT_TRUE(GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
}

TEST_F(NewWorld, DemolishingEverythingLeavesNoBuildingOnTheMap) {
    for (MapField& f : GS().fields) {
        f = MapField{};
        f.set_hoehe(2);
        f.set_teile_art(2);
    }
    // A cultural center, which demolition itself leaves standing, and a mine.
    GS().selected_building_type = 27;
    const int32_t center = buildings_.PlaceBuilding(60, 60);
    ASSERT_GT(center, 0);
    Terrain().PlaceStructure(60, 60, center, 1, 1);
    GS().selected_building_type = 10;
    const int32_t mine = buildings_.PlaceBuilding(80, 80);
    ASSERT_GT(mine, 0);
    Terrain().PlaceStructure(80, 80, mine, 2, 2);
    ASSERT_TRUE(F(60, 60).building_flag());
    DemolishAllBuildings();
    EXPECT_EQ(buildings_.Count(), 0);
    for (const MapField& f : GS().fields) {
        ASSERT_FALSE(f.building_flag());
        ASSERT_EQ(f.data_word(), 0);
    }
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
    EXPECT_EQ(frame_->last_stage, 2);
    EXPECT_EQ(frame_->lamps[1], 1);
    EXPECT_EQ(View().redraws, redraws + 1);
    EXPECT_EQ(GS().redraw_terrain, 1);

    // Industries only: every building goes, new sites come.
    GS().regen_woods = 0;
    GS().regen_industries = 1;
    const int32_t cities = cities_.Count();
    buildings_.demolished.clear();
    const int32_t old_sites = buildings_.Count();
    RegenerateWorld(frame_, 0);
    EXPECT_EQ(int32_t(buildings_.demolished.size()), old_sites);
    EXPECT_GT(buildings_.Count(), 0);
    EXPECT_EQ(cities_.Count(), cities);
    EXPECT_EQ(frame_->last_stage, 3);

    // Cities only, with the view at the overview zoom: no full redraw.
    GS().regen_industries = 0;
    GS().regen_cities = 1;
    View().zoom = 16;
    const int32_t redraws_before = View().redraws;
    RegenerateWorld(frame_, 0);
    EXPECT_EQ(View().redraws, redraws_before);
    EXPECT_EQ(frame_->last_stage, 1);
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
