// The train's record in the vehicles' part of the level file: byte-identical
// round trips of trains with wagons and a planned path, the marks a loaded
// train puts back, and records that are not a train's.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/file.h"
#include "rail_world.h"
#include "record_files.h"
#include "state/le_io.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"

namespace {

using railtest::RailWorld;
using railtest::TestStation;

class TrainRecordTest : public RailWorld, protected transporttest::RecordFiles {
  protected:
    void SetUp() override {
        a = &Station(6, 20, 51, 1, 1);
        b = &Station(6, 40, 51, 1, 2);
        RailLine(24, 50, 39, 50);
        Finish();
        for (int32_t p = 1; p <= 3; ++p) a->stock[p] = 50;
    }

    // A train under way from A to B with three wagons and a path.
    CTrain* Running() {
        CTrain* t = Train(20, 50, 13);
        SetSchedule(*t, {a, b});
        for (int32_t k = 0; k < 3; ++k) t->cargo_plan[0][k][0] = static_cast<uint8_t>(k + 1);
        t->wait_until_loaded[1] = 1;
        t->halt_at_stop[0] = 1;
        EXPECT_TRUE(FramesUntil([&] { return t->pos_x >= 30 && t->phase == 20; }, 3000));
        EXPECT_EQ(t->wagon_count, 3);
        EXPECT_GT(t->path.Count(), 0);
        return t;
    }

    TestStation* a = nullptr;
    TestStation* b = nullptr;
};

TEST_F(TrainRecordTest, TrainWithWagonsAndPathRoundTripsByteForByte) {
    CTrain* t = Running();
    const std::string first = WriteWith("train", [&](plat::FileHandle f) { t->Save(f); });
    // The vehicle record, three 109-byte wagons and the path.
    EXPECT_EQ(first.size(), 473u + 3u * kWagonRecordSize + 4u + 8u * t->path.Count());

    // The loader clears every mark before the vehicles put theirs back.
    const int32_t engineX = t->pos_x;
    const int32_t wagonX = t->wagons[2]->x;
    CTrain loaded{VehicleLoadOnly{}};
    loaded.removal_flag = 1;
    ClearTransientFieldBits();
    ASSERT_TRUE(ReadWith(first, [&](plat::FileHandle f) { return loaded.Load(f); }));
    EXPECT_EQ(loaded.removal_flag, 0);
    EXPECT_EQ(loaded.wagon_count, 3);
    EXPECT_EQ(loaded.owner, 0);
    EXPECT_EQ(F(engineX, 50).belegt(), 3);
    EXPECT_EQ(F(wagonX, 50).belegt(), 3);
    EXPECT_TRUE(loaded.held.HoldsField(wagonX, 50));
    EXPECT_EQ(WriteWith("again", [&](plat::FileHandle f) { loaded.Save(f); }), first);
    check_at_end_ = false;  // the loaded train is in no list: its marks go by hand
    ClearTransientFieldBits();
}

TEST_F(TrainRecordTest, LoadedTrainsComeBackInListOrderAndTakeOverTheReservations) {
    Running();
    CTrain* second = Train(43, 50, 11);
    SetSchedule(*second, {b, a});
    Frames(7);
    const std::string part = WriteWith("part", [](plat::FileHandle f) { WriteVehicleRecords(f); });
    // The way network's record keeps the link flags; the vehicles and the
    // field marks are read anew.
    std::vector<std::array<uint8_t, 4>> flags(kWayNodeSlots);
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        if (const WayNode* node = Net().Node(n)) {
            for (int32_t i = 0; i < 4; ++i) flags[n][i] = node->belegt[i];
        }
    }
    const int32_t flagged = FlagCount();
    ASSERT_GT(flagged, 0);
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        if (WayNode* node = Net().nodes[n]) {
            for (int32_t i = 0; i < 4; ++i) node->belegt[i] = flags[n][i];
        }
    }
    ClearTransientFieldBits();
    ASSERT_TRUE(ReadWith(part, [](plat::FileHandle f) { return ReadVehicleRecords(f); }));
    ASSERT_EQ(CountVehicles(), 2);
    EXPECT_NE(dynamic_cast<CTrain*>(g_pVehicleList->vehicle), nullptr);
    EXPECT_EQ(WriteWith("again", [](plat::FileHandle f) { WriteVehicleRecords(f); }), part);
    // Right after the load the flags belong to no train yet; once both
    // trains have been round their schedules every flag is held by its
    // train again, and deleted they give everything back.
    EXPECT_FALSE(Consistent());
    Frames(3000);
    EXPECT_TRUE(Consistent());
    DeleteAllVehicles();
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(FlagCount(), 0);
}

TEST_F(TrainRecordTest, RecordOfAnotherKindIsNoTrain) {
    CTrain* t = Train(20, 50, 10);
    t->way_kind = kWayGravelRoad;
    const std::string bytes = WriteWith("train", [&](plat::FileHandle f) { t->Save(f); });
    t->way_kind = kWayRail;
    const std::string good = WriteWith("good", [&](plat::FileHandle f) { t->Save(f); });
    // That record, and a train's record cut short.
    for (const std::string& bad : {bytes, good.substr(0, good.size() - 3)}) {
        CTrain loaded{VehicleLoadOnly{}};
        EXPECT_FALSE(ReadWith(bad, [&](plat::FileHandle f) { return loaded.Load(f); }));
        EXPECT_EQ(loaded.wagon_count, 0);
    }
}

}  // namespace
