// The landscape template files (every damaged file refused without touching
// the result) and the land passes that stamp them: the edge rule, the refusal
// by bad ground, counts and order.

#include "world/landscape_templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <tuple>

#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "world/land_passes.h"

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

}  // namespace
