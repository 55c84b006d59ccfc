// The field step: turning back at dead ends and track ends, waiting at a
// reserved link, taking another free way at once, trains meeting nose to
// nose, and arriving on the platform row of a lengthened station that the
// route leads to.

#include <gtest/gtest.h>

#include "rail_world.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using railtest::TestStation;

// At the end of a test the marks and reservations are the trains' own, and
// deleting the trains leaves none.
class RailWorld : public railtest::RailWorld {
  protected:
    void TearDown() override {
        EXPECT_TRUE(Consistent());
        DeleteAllVehicles();
        EXPECT_EQ(MarkCount(), 0);
        EXPECT_EQ(FlagCount(), 0);
    }
};

// Puts a wagonless train by hand on (x, y) heading `heading`, waiting at
// phase 15 (its old marks given up).
void Place(CTrain& t, int32_t x, int32_t y, uint8_t heading) {
    t.held.ReleaseAllFields();
    t.pos_x = t.left_x = t.drawn_x = static_cast<uint8_t>(x);
    t.pos_y = t.left_y = t.drawn_y = static_cast<uint8_t>(y);
    t.direction = static_cast<uint8_t>((heading << 4) | OppositeDirBits(heading));
    t.next_direction = t.prev_direction = t.direction;
    t.phase = 15;
    t.held.MarkField(x, y);
}

// Station A of type 6 with its row along y = 50 at x 20..23, its west end a
// dead end; track from its east end on to x = 30.
class DeadEndTest : public RailWorld {
  protected:
    void Build(bool nodeAtEnd) {
        a = &Station(6, 20, 51, 1, 1);
        RailLine(24, 50, 30, 50);
        Finish(nodeAtEnd);
    }
    // A new train at A's east end heading east with an empty path and
    // nothing to do at A: it drives on towards the end of the track.
    CTrain* Runaway() {
        CTrain* t = Train(20, 50);
        t->needs_route = 0;
        t->loading_state = 0;
        return t;
    }
    TestStation* a = nullptr;
};

TEST_F(DeadEndTest, TrainTurnsBackInFrontOfADeadEndNode) {
    Build(true);
    ASSERT_NE(F(30, 50).knotennummer(), 0);
    CTrain* t = Runaway();
    ASSERT_EQ(t->Heading(), kDirE);
    int32_t easternmost = 0;
    ASSERT_TRUE(FramesUntil(
        [&] {
            easternmost = std::max<int32_t>(easternmost, t->pos_x);
            return t->reversals == 1;
        },
        2000));
    // It never enters the dead-end node: it plans from there, finds the way
    // on leads back and turns where it stands.
    EXPECT_EQ(easternmost, 29);
    EXPECT_EQ(t->Heading(), kDirW);
    EXPECT_TRUE(Consistent());
    // Back on its platform it arrives at the row's far end.
    ASSERT_TRUE(FramesUntil([&] { return t->reversals == 0 && t->loading_state == 1; }, 2000));
    EXPECT_EQ(t->pos_x, 20);
}

TEST_F(DeadEndTest, TrainWaitsOnceAtATrackEndThenTurnsBack) {
    Build(false);
    ASSERT_EQ(F(30, 50).knotennummer(), 0);
    CTrain* t = Runaway();
    ASSERT_TRUE(FramesUntil([&] { return t->wait_counter > 0; }, 2000));
    // The field ahead has no track: 32 frames at phase 15 on the last field.
    EXPECT_EQ(t->pos_x, 30);
    EXPECT_EQ(t->phase, 15);
    EXPECT_EQ(t->wait_counter, 32);
    EXPECT_EQ(t->reversals, 0);
    Frames(32);
    EXPECT_EQ(t->reversals, 0);
    Frames(1);
    EXPECT_EQ(t->reversals, 1);
    EXPECT_EQ(t->Heading(), kDirW);
}

// Station A of type 6 with two rows (y 50 and 49) joined at x = 24 to a
// single line along y = 50 that leads to station B (x 40..43), with a
// passing loop south of the line between x 30 and 36.
class BlockTest : public RailWorld {
  protected:
    void Build(bool loop) {
        a = &Station(6, 20, 51, 2, 1);
        b = &Station(6, 40, 51, 1, 2);
        Rail(24, 49);
        RailLine(24, 50, 39, 50);
        if (loop) RailPath({{30, 50}, {30, 52}, {36, 52}, {36, 50}});
        Finish();
        for (int32_t p = 1; p <= 2; ++p) a->stock[p] = 100;
    }
    CTrain* FromA(int32_t row) {
        const auto [x, y] = a->RowField(row, 0);
        CTrain* t = Train(x, y);
        SetSchedule(*t, {a, b});
        t->cargo_plan[0][0][0] = 1;
        t->cargo_plan[0][1][0] = 2;
        return t;
    }
    TestStation* a = nullptr;
    TestStation* b = nullptr;
};

TEST_F(BlockTest, FollowerWaitsAtTheNodeUntilTheLinkIsFree) {
    Build(false);
    CTrain* first = FromA(0);
    CTrain* second = FromA(1);
    ASSERT_EQ(second->pos_y, 49);
    bool waited = false;
    bool entered = false;
    for (int32_t frame = 0; frame < 4000 && !entered; ++frame) {
        Frames(1);
        ASSERT_TRUE(Consistent());
        if (second->lane == 1 && second->pos_x == 24 && second->pos_y == 49) waited = true;
        if (second->pos_y == 50 && second->pos_x >= 25) {
            entered = true;
            // The link ahead was free: the first train's last wagon had
            // reached B's platform.
            const int32_t n = first->wagon_count;
            EXPECT_GE(n > 0 ? first->wagons[n - 1]->x : first->pos_x, 40);
        }
    }
    EXPECT_TRUE(waited);
    EXPECT_TRUE(entered);
    ASSERT_TRUE(FramesUntil([&] { return second->stop_served == 1; }, 4000));
}

TEST_F(BlockTest, TrainTakesTheOtherLoopTrackWithoutWaiting) {
    Build(true);
    // A train parked at B holds the loop's straight track as well.
    CTrain* parked = Train(43, 50);
    const int32_t west = F(30, 50).knotennummer();
    ASSERT_NE(west, 0);
    ASSERT_TRUE(parked->held.ReserveLink(west, kDirIndexE));
    parked->running_flag = 0;
    CTrain* t = FromA(0);
    bool onLoop = false;
    ASSERT_TRUE(FramesUntil(
        [&] {
            if (t->pos_x >= 27 && t->pos_x <= 30 && t->pos_y == 50) {
                EXPECT_EQ(t->lane, 0) << "waited before the loop";
            }
            onLoop = onLoop || t->pos_y == 52;
            return t->pos_x >= 36;
        },
        3000));
    EXPECT_TRUE(onLoop);
}

// A line from A (x 20..23) to B (x 40..43) along y = 50 with a junction at
// x = 31 where a short siding leads south to a dead end.
class MeetingTest : public RailWorld {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 51, 1, 1);
        b = &Station(6, 40, 51, 1, 2);
        RailLine(24, 50, 39, 50);
        RailLine(31, 51, 31, 53);
        Finish(true);
    }
    TestStation* a = nullptr;
    TestStation* b = nullptr;
};

TEST_F(MeetingTest, TrainsMeetingNoseToNoseBothTurnBack) {
    CTrain* east = Train(20, 50);
    SetSchedule(*east, {a, b});
    CTrain* west = Train(43, 50);
    SetSchedule(*west, {b, a});
    ASSERT_EQ(west->Heading(), kDirW);
    ASSERT_TRUE(FramesUntil([&] { return east->reversals + west->reversals > 0; }, 3000));
    // Both turned in the same frame, each in front of the junction.
    EXPECT_EQ(east->reversals, 1);
    EXPECT_EQ(west->reversals, 1);
    EXPECT_EQ(east->Heading(), kDirW);
    EXPECT_EQ(west->Heading(), kDirE);
    EXPECT_LT(east->pos_x, 31);
    EXPECT_GT(west->pos_x, 31);
}

TEST_F(MeetingTest, HeadOnTestLooksOnlyAtTheFieldAheadWithoutAWayOn) {
    CTrain* t = Train(20, 50);
    CTrain* other = Train(43, 50);
    Place(*t, 28, 50, kDirE);
    Place(*other, 30, 50, kDirW);
    t->lane = other->lane = 1;
    // An empty path, or a path ending here, has no second field.
    EXPECT_EQ(t->IsPathBlocked(), 0);
    t->path.PushFront(F(31, 50).knotennummer(), -1);
    EXPECT_EQ(t->IsPathBlocked(), 0);
    EXPECT_EQ(other->reversals, 0);
    // With a way on to the east the train two fields ahead is seen.
    t->path.Clear();
    t->path.PushFront(F(31, 50).knotennummer(), kDirIndexE);
    EXPECT_EQ(t->IsPathBlocked(), 1);
    EXPECT_EQ(other->reversals, 1);
    EXPECT_EQ(other->Heading(), kDirE);
}

// A (x 20..23 on y = 52) and B, a terminus of type 8 whose rows grow south
// from y = 50; the line comes in along y = 52 and climbs a ladder at x = 39
// to B's first row. Lengthened to three rows, B's third row lies in line.
class LengthenedStationTest : public RailWorld {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 53, 1, 1);
        b = &Station(8, 40, 49, 1, 2);
        RailLine(24, 52, 39, 52);
        RailLine(39, 50, 39, 51);
        Finish();
        a->stock[1] = 100;
    }
    // The station's rows 2 and 3: building words, track and links, and the
    // train's stop rewritten to list every row.
    void Lengthen(CTrain& t) {
        b->length = 3;
        for (int32_t row = 1; row < 3; ++row) {
            for (int32_t k = 0; k < 4; ++k) {
                const auto [x, y] = b->RowField(row, k);
                MapField& field = F(x, y);
                field.set_building_flag(true);
                field.set_geb_num(2);
                field.set_geb_typ(8);
                field.set_wegtyp(kWayRail);
                field.set_wegteil(2);
            }
        }
        for (int32_t row = 1; row < 3; ++row) {
            const auto [x, y] = b->RowField(row, 1);
            Net().LayStationTrack(x, y, 0);
        }
        // The ladder's pieces join the new rows as the track layer fits them.
        for (int32_t y = 50; y <= 52; ++y) UpdateTrackPieceShape(39, y);
        for (int32_t y = 50; y <= 52; ++y) {
            for (int32_t x = 39; x <= 40; ++x) helper_.UpdateWayPiecesAround(x, y);
        }
        for (int32_t y = 50; y <= 52; ++y) {
            for (const uint8_t d : {kDirN, kDirE, kDirS, kDirW}) {
                if (F(39, y).knoten() && (F(39, y).gleisr() & d)) Net().LinkFromField(39, y, d);
            }
        }
        SetSchedule(t, {a, b});
    }
    TestStation* a = nullptr;
    TestStation* b = nullptr;
};

TEST_F(LengthenedStationTest, ArrivesOnTheRowItsRouteLeadsTo) {
    CTrain* t = Train(20, 52);
    SetSchedule(*t, {a, b});
    t->cargo_plan[0][0][0] = 1;
    Frames(1);
    ASSERT_EQ(t->stop_served, 0);
    // With one row the train climbs to it and stops at its far end.
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1; }, 3000));
    // (turned at once for the way back: the engine at the row's west end)
    EXPECT_EQ(t->pos_y, 50);
    EXPECT_EQ(t->pos_x, 40);
    EXPECT_EQ(b->stock[1], 1);
    // Lengthened while the train heads back to A, where it plans anew.
    Lengthen(*t);
    ASSERT_EQ(t->schedule[1].y[2], 52);
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 0; }, 3000));
    // Now the third row lies in line and is nearest: the train pulls into
    // it, all of it on that row, and stops at its end.
    ASSERT_TRUE(FramesUntil([&] { return t->stop_served == 1; }, 3000));
    EXPECT_EQ(t->pos_y, 52);
    EXPECT_EQ(t->pos_x, 40);
    EXPECT_EQ(b->stock[1], 2);
}

}  // namespace
