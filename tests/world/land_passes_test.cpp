// The land passes: the edge rule, the refusal of stamps by the share of bad
// ground under them, the stamp counts and the pass order.

#include "world/land_passes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "platform/random.h"
#include "state/map_field.h"
#include "support/game_scope.h"

namespace {

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

TEST(LandPasses, EdgeRuleLetsACellBeAsHighAsItsDistanceToTheEdge) {
    // 14 fields from the edge is enough for every height; the far edges
    // count to 254 in both axes; height 0 may lie anywhere on 0..254.
    const struct {
        int32_t x, y, height;
        bool allowed;
    } cases[] = {{13, 100, 13, true},        {12, 100, 13, false},       {14, 100, 14, true},
                 {14, 100, 15, true},        {13, 100, 15, false},       {100, 254 - 13, 13, true},
                 {100, 254 - 12, 13, false}, {254 - 12, 100, 13, false}, {0, 0, 0, true},
                 {254, 254, 0, true},        {255, 100, 0, false},       {100, -1, 0, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(StampCellAllowed(c.x, c.y, c.height), c.allowed) << c.x << ", " << c.y;
    }
}

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

TEST(LandPasses, EntriesOfUnknownKindsAreNeverStamped) {
    fvtest::GameScope scope;
    LandscapeTemplateSet set;
    set.entries = {{0, 2, 2, 0}, {200, 2, 2, 0}};
    set.heights.assign(4, 3);
    plat::Srand(5);
    EXPECT_EQ(RunLandPasses(set, 2, 2, 2), 0);
    for (const MapField& f : scope.state().fields) ASSERT_EQ(f.hoehe(), 0);
}

TEST(LandPasses, AStampWithoutPlaceIsDrawnFiftyOneTimesAndDropped) {
    // Hills (kind 2) on a world of water: every attempt is refused, the 51st
    // is drawn (site and orientation) but never placed.
    fvtest::GameScope scope;
    LandscapeTemplateSet set;
    set.entries = {{2, 3, 3, 0}};
    set.heights.assign(9, 1);
    int64_t draws = 0;
    plat::SetRandSourceForTests([&draws] { return int32_t(++draws * 7919 % 32768); });
    EXPECT_EQ(RunLandPasses(set, 2, 2, 2), 0);  // summer: 150 hills
    plat::SetRandSourceForTests({});
    EXPECT_EQ(draws, 150 * 51 * 3);
    for (const MapField& f : scope.state().fields) ASSERT_EQ(f.hoehe(), 0);
}

TEST(LandPasses, OrientationsMapTheCellsAsGiven) {
    const LandscapeTemplate t{1, 3, 5, 0};
    const int32_t expected[4][2] = {{11, 22}, {12, 24}, {12, 23}, {11, 21}};
    for (int32_t o = 0; o < 4; ++o) {
        EXPECT_EQ(StampCellField(t, 10, 20, o, 1, 2).x, expected[o][0]) << o;
        EXPECT_EQ(StampCellField(t, 10, 20, o, 1, 2).y, expected[o][1]) << o;
    }
}

TEST(LandPasses, StampCountsAndPassOrder) {
    // ng_mountains 0: no mountains of kinds 5..14 in seasons 1 and 2.
    for (int32_t season : {1, 2}) {
        for (int32_t land = 0; land <= 4; ++land) {
            for (int32_t category = 3; category < kLandPasses; ++category) {
                EXPECT_EQ(StampCount(season, category, land, 0), 0) << season << " " << category;
            }
            EXPECT_GT(StampCount(season, 0, land, 0), 0);
        }
    }
    // Season 3 always has some of each.
    for (int32_t category = 3; category < kLandPasses; ++category) {
        EXPECT_GT(StampCount(3, category, 2, 0), 0) << category;
    }
    // Out-of-range levels are taken as 0..4.
    EXPECT_EQ(StampCount(3, 6, 2, 9), StampCount(3, 6, 2, 4));
    EXPECT_EQ(StampCount(1, 0, -3, 2), StampCount(1, 0, 0, 2));
    // Season 3 stamps the highest templates (kind 14) fourth.
    const int32_t season3[kLandPasses] = {1, 2, 3, 14, 5, 8, 11};
    const int32_t others[kLandPasses] = {1, 2, 3, 5, 8, 11, 14};
    for (int32_t pass = 0; pass < kLandPasses; ++pass) {
        EXPECT_EQ(CategoryKind(PassCategory(3, pass)), season3[pass]);
        EXPECT_EQ(CategoryKind(PassCategory(1, pass)), others[pass]);
        EXPECT_EQ(CategoryKind(PassCategory(2, pass)), others[pass]);
    }
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

TEST_F(StampRefusal, WetShareLimitsOfEachSeason) {
    struct Case {
        int32_t season, pass, wet;
        bool accepted;
    };
    const Case cases[] = {
        {2, 1, 30, true}, {2, 1, 31, false}, {2, 6, 30, true}, {2, 6, 31, false},
        {1, 1, 10, true}, {1, 1, 11, false}, {1, 3, 10, true}, {1, 3, 11, false},
        {3, 2, 10, true}, {3, 2, 11, false}, {3, 3, 10, true}, {3, 3, 11, false},
    };
    for (const Case& c : cases) {
        for (MapField& f : scope.state().fields) f.set_hoehe(2);
        MarkCells(c.wet, 0);
        const StampAttempt a = Attempt(c.season, c.pass);
        ASSERT_TRUE(a.fits);
        EXPECT_EQ(a.bad, c.wet);
        EXPECT_EQ(StampAcceptable(a, c.season, c.pass), c.accepted)
            << "season " << c.season << " pass " << c.pass << " wet " << c.wet;
    }
}

TEST_F(StampRefusal, HighPassesWantLowGroundInSpringAndHighGroundInAutumn) {
    // Season 1, passes 4..6: at most 70 % above height 3.
    for (int32_t pass : {4, 5, 6}) {
        for (MapField& f : scope.state().fields) f.set_hoehe(2);
        MarkCells(70, 4);
        EXPECT_TRUE(StampAcceptable(Attempt(1, pass), 1, pass));
        MarkCells(71, 4);
        EXPECT_FALSE(StampAcceptable(Attempt(1, pass), 1, pass));
    }
    // Season 3, passes 4..6: at most 80 % below height 4 (water is no
    // matter of its own here).
    for (int32_t pass : {4, 5, 6}) {
        for (MapField& f : scope.state().fields) f.set_hoehe(4);
        MarkCells(80, 0);
        EXPECT_TRUE(StampAcceptable(Attempt(3, pass), 3, pass));
        MarkCells(81, 3);
        EXPECT_FALSE(StampAcceptable(Attempt(3, pass), 3, pass));
    }
}

TEST_F(StampRefusal, PercentIsTruncated) {
    // 11 x 10 cells with 12 wet ones: 10.9 % counts as 10 %.
    set.entries = {{2, 11, 10, 0}};
    set.heights.assign(110, 1);
    MarkCells(12, 0);
    EXPECT_TRUE(StampAcceptable(Attempt(1, 1), 1, 1));
    MarkCells(13, 0);  // 11.8 %
    EXPECT_FALSE(StampAcceptable(Attempt(1, 1), 1, 1));
}

TEST_F(StampRefusal, WetMeansWaterOrADippingShoreOfHeightOne) {
    MapField& f = *FieldAt(50, 50);
    f.set_hoehe(0);
    EXPECT_TRUE(IsWetField(50, 50));
    f.set_hoehe(1);
    // The stored shape decides, whatever the view's rotation, so that the
    // generated world does not depend on it.
    // Dipping shapes (a corner below the north-west one): 1, 4, 8, 9, 11, 12, 13.
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
    f.set_teile_diff(1);
    EXPECT_FALSE(IsWetField(50, 50));
    EXPECT_FALSE(IsWetField(-1, 50));
}

TEST_F(StampRefusal, StampsRaiseOnlyWhereLowerAndNeverLeaveTheMap) {
    set.heights[0] = 5;
    for (MapField& f : scope.state().fields) f.set_hoehe(0);
    FieldAt(100, 101)->set_hoehe(7);
    const StampAttempt a = Attempt(2, 0);
    ASSERT_TRUE(a.fits);
    ApplyStamp(set, set.entries[0], a);
    EXPECT_EQ(FieldAt(100, 100)->hoehe(), 5);
    EXPECT_EQ(FieldAt(100, 101)->hoehe(), 7);  // higher ground stays
    EXPECT_EQ(FieldAt(109, 109)->hoehe(), 1);
    EXPECT_EQ(FieldAt(110, 100)->hoehe(), 0);
    // A site whose cells would reach column 255 does not fit.
    ScriptedRand rand({250, 100, 0});
    EXPECT_FALSE(DrawStampAttempt(set, set.entries[0], 2, 0).fits);
}

}  // namespace
