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
    EXPECT_FALSE(IsWetField(50, 50));
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
