// Ambient sounds with scripted random numbers: the gate and its counter, the
// season, mill and town branches, and the overview's silence.

#include <gtest/gtest.h>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "sound/ambient_sounds.h"
#include "sound/sound_fixture.h"
#include "state/data_tables.h"

namespace soundtest {
namespace {

class AmbientTest : public SoundTest {
  protected:
    AmbientTest() {
        g_AmbientCounter = 0;
        lumber.type = kTypeLumberMill;
        lumber.anchor_x = 40;
        lumber.anchor_y = 41;
        steel.type = kTypeSteelMill;
        steel.anchor_x = 60;
        steel.anchor_y = 61;
        buildings.buildings[7] = &steel;
        buildings.buildings[9] = &lumber;
        g_ppBuildings = &buildings;
        const int32_t thresholds[4] = {100, 200, 300, 400};
        std::copy(thresholds, thresholds + 4, gs.size_class_thresholds);
        for (int32_t i = 0; i < 3; ++i) {
            towns[i].origin_x = 100 + 10 * i;
            towns[i].origin_y = 50;
            cities.cities[2 * i] = &towns[i];  // slots 0, 2, 4
        }
        g_pCityManager = &cities;
        sound = Make();
    }
    ~AmbientTest() override {
        buildings.buildings[7] = buildings.buildings[9] = nullptr;
        g_ppBuildings = nullptr;
        g_pCityManager = nullptr;
    }

    // Field (x, y) of town i's centre.
    static std::pair<int32_t, int32_t> Centre(int32_t i) { return {113 + 10 * i, 63}; }

    // One decision (the hundredth passed gate) with these random numbers;
    // the effect heard and its pan (0 when silent).
    std::pair<int32_t, int32_t> Decide(std::vector<int32_t> rands) {
        g_AmbientCounter = 99;
        rands.insert(rands.begin(), 49);  // the gate, just passed
        ScriptRand(rands);
        plat::ClearRecordedSoundEvents();
        sound->PlayAmbientSounds();
        EXPECT_EQ(RandLeft(), 0u) << "random numbers left over";
        std::pair<int32_t, int32_t> heard{0, 0};
        for (const plat::SoundEvent& e : plat::RecordedSoundEvents()) {
            for (int32_t effect = 2; effect <= 39; ++effect) {
                if (e.kind == plat::SoundEventKind::Pan && e.buffer == sound->Effect(effect)->Id())
                    heard = {effect, e.value};
            }
        }
        sound->StopEffects();  // slot 3 free for the next decision
        sound->ResumeEffects();
        return heard;
    }

    CBuilding lumber, steel;
    CBuildingTable buildings;
    CCity towns[3];
    CCityManager cities;
    std::unique_ptr<CSoundManager> sound;
};

TEST_F(AmbientTest, DecisionsBySeasonMillAndTown) {
    towns[1].residents = 500;  // above T3: classes 1 to 4
    view.only = {{40, 41}, Centre(1)};
    struct Row {
        const char* what;
        int32_t season;
        std::vector<int32_t> rands;  // after the gate
        std::pair<int32_t, int32_t> heard;
    };
    const Row rows[] = {
        {"spring, third", 1, {0, 2}, {33, 0}},
        {"autumn, first", 3, {39, 0}, {37, 0}},
        {"no season", 0, {10}, {0, 0}},
        {"r = 40", 1, {40}, {0, 0}},
        {"r = 70", 1, {70}, {0, 0}},
        {"lumber mill in view", 1, {41, 0}, {22, 400}},
        {"only the other mill in view", 1, {69, 1}, {0, 0}},
        {"big town, class 1", 1, {71, 0}, {17, 1230}},
        {"big town, class 2", 1, {100, 1}, {18, 1230}},
        {"big town, class 3", 1, {80, 2, 2}, {21, 1230}},
        {"big town, class 4", 1, {80, 3, 0}, {19, 1230}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        gs.season = row.season;
        EXPECT_EQ(Decide(row.rands), row.heard);
    }

    // One decision per hundred passed gates.
    std::vector<int32_t> rands;
    for (int i = 0; i < 99; ++i) rands.insert(rands.end(), {50, 32767, 0});  // shut, shut, passed
    rands.insert(rands.end(), {0, 0, 1});  // the hundredth: season, second variant
    ScriptRand(rands);
    g_AmbientCounter = 0;
    gs.season = 2;
    for (int i = 0; i < 3 * 99 + 1; ++i) sound->PlayAmbientSounds();
    EXPECT_EQ(RandLeft(), 0u);
    EXPECT_EQ(g_AmbientCounter, 0);
    EXPECT_EQ(Starts(*sound, 35), 1);
}

TEST_F(AmbientTest, TownClassesAndInViewFlags) {
    towns[0].residents = 100;  // exactly T0: no class
    towns[1].residents = 50;   // class 0
    towns[2].in_view = 1;
    view.only = {Centre(0)};
    EXPECT_EQ(Decide({90}), (std::pair<int32_t, int32_t>{0, 0}));
    EXPECT_EQ(towns[0].in_view, 1);
    EXPECT_EQ(towns[2].in_view, 0);

    view.only = {Centre(0), Centre(1), Centre(2)};
    ShowView(16);  // decided and flagged, but not heard
    EXPECT_EQ(Decide({90, 0}), (std::pair<int32_t, int32_t>{0, 0}));
    EXPECT_EQ(towns[2].in_view, 1);
    ShowView(2);
    EXPECT_EQ(Decide({90, 0}), (std::pair<int32_t, int32_t>{17, 1230}));
}

}  // namespace
}  // namespace soundtest
