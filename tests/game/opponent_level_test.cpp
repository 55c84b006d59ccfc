// The opponents' part of the level file: three records, the active opponent
// and the take-over terms; round trips, older files, replacement of absent
// opponents and damaged records.

#include <iterator>

#include "game/opponent_fill.h"
#include "game/opponent_fixture.h"
#include "game/opponent_level.h"
#include "platform/file.h"

namespace fvtest {
namespace {

class OpponentLevelTest : public OpponentTest {
  protected:
    std::string Write(const std::string& name) {
        plat::FileHandle file = plat::OpenFile(PathOf(name), plat::OpenMode::Create);
        EXPECT_NE(file, plat::kInvalidFile);
        WriteOpponentRecords(file);
        plat::CloseFile(file);
        return ReadBytes(name);
    }
    // Reads the opponents' part from `bytes`; `left` gets the bytes not read.
    bool Read(const std::string& bytes, int32_t* left = nullptr, bool skip_only = false) {
        WriteBytes("in", bytes);
        plat::FileHandle file = plat::OpenFile(PathOf("in"), plat::OpenMode::Read);
        EXPECT_NE(file, plat::kInvalidFile);
        bool ok = skip_only ? SkipOpponentRecords(file) : ReadOpponentRecords(file);
        if (left != nullptr) {
            int32_t here = plat::SeekFile(file, 0, plat::SeekFrom::Current);
            *left = plat::SeekFile(file, 0, plat::SeekFrom::End) - here;
        }
        plat::CloseFile(file);
        return ok;
    }
    void FillAll(FakeVehicleList& vehicles) {
        CVehicle* a = vehicles.Add(1);
        CVehicle* b = vehicles.Add(2);
        CVehicle* c = vehicles.Add(17);
        FillOpponent(opponent(0), 0, {a, nullptr});
        FillOpponent(opponent(1), 1, {b, c, nullptr});
        FillOpponent(opponent(2), 2, {});
        for (int32_t slot = 0; slot < 3; ++slot) {
            opponent(slot).takeover_year = 1970 + slot;
            opponent(slot).takeover_percent = 90 - slot;
        }
        state().active_opponent = 2;
    }
};

TEST_F(OpponentLevelTest, SaveLoadSaveIsByteIdenticalWithThreeFilledOpponents) {
    FakeVehicleList vehicles;
    g_pVehicleLookup = &vehicles;
    FillAll(vehicles);
    const std::string first = Write("first");

    // Load into opponents that hold other plans: the lists are replaced.
    RecreateOpponents();
    FillOpponent(opponent(1), 4, {});
    state().active_opponent = -1;
    int32_t left = -1;
    ASSERT_TRUE(Read(first, &left));
    EXPECT_EQ(left, 0);
    EXPECT_EQ(state().active_opponent, 2);
    EXPECT_EQ(opponent(1).takeover_year, 1971);
    EXPECT_EQ(opponent(2).takeover_percent, 88);
    EXPECT_EQ(opponent(1).plan_list_a.size(), 4u);
    EXPECT_EQ(opponent(1).plan_list_a.front().vehicle, vehicles.FindVehicleByNumber(2));
    EXPECT_EQ(std::next(opponent(1).plan_list_a.begin(), 2)->vehicle, nullptr);
    EXPECT_EQ(Write("second"), first);
}

TEST_F(OpponentLevelTest, OlderFileWithoutOpponentsGetsFreshOnes) {
    FakeVehicleList vehicles;
    FillAll(vehicles);
    state().cash[2] = 5;
    state().company_names[2][0] = '?';
    ASSERT_TRUE(Read(std::string()));
    for (int32_t slot = 0; slot < 3; ++slot) {
        const COpponent& o = opponent(slot);
        EXPECT_EQ(o.profile_index, slot);
        EXPECT_EQ(o.turn_pending, 1000);
        EXPECT_TRUE(o.plan_list_a.empty());
        EXPECT_EQ(o.takeover_year, 2060);
        EXPECT_EQ(o.takeover_percent, 100);
    }
    EXPECT_EQ(state().cash[2], state().opponent_profiles[1].start_capital);
    EXPECT_STREQ(state().company_names[2], state().opponent_profiles[1].name);
    EXPECT_EQ(state().active_opponent, -1);
}

TEST_F(OpponentLevelTest, MarkedOrEmptySlotIsMadeAfresh) {
    FakeVehicleList vehicles;
    FillAll(vehicles);
    opponent(1).turn_pending = -1;
    const std::string bytes = Write("marked");

    RecreateOpponents();
    state().cash[2] = 12345;
    ASSERT_TRUE(Read(bytes));
    EXPECT_EQ(opponent(1).turn_pending, 1000);
    EXPECT_TRUE(opponent(1).plan_list_a.empty());
    EXPECT_EQ(opponent(1).profile_index, 1);
    EXPECT_EQ(state().cash[2], state().opponent_profiles[1].start_capital);
    // The terms after the records still apply to the new opponent.
    EXPECT_EQ(opponent(1).takeover_year, 1971);
    EXPECT_EQ(opponent(0).plan_list_a.size(), 3u);
    EXPECT_EQ(opponent(2).state_26, opponent(2).state_7 + 19);

    // An empty slot is written for replacement and read back fresh.
    delete state().opponents[2];
    state().opponents[2] = nullptr;
    state().cash[3] = 1;
    ASSERT_TRUE(Read(Write("empty")));
    ASSERT_NE(state().opponents[2], nullptr);
    EXPECT_EQ(opponent(2).player_number, 3);
    EXPECT_EQ(opponent(2).turn_pending, 1000);
    EXPECT_EQ(state().cash[3], state().opponent_profiles[2].start_capital);
}

TEST_F(OpponentLevelTest, FileEndingAfterTheRecordsKeepsTheTerms) {
    FakeVehicleList vehicles;
    FillAll(vehicles);
    const std::string full = Write("full");
    const std::string records_only = full.substr(0, full.size() - 28);
    const std::string with_active = full.substr(0, full.size() - 24);

    RecreateOpponents();
    opponent(0).takeover_year = 2001;
    state().active_opponent = 1;
    ASSERT_TRUE(Read(records_only));
    EXPECT_EQ(state().active_opponent, -1);
    EXPECT_EQ(opponent(0).takeover_year, 2001);
    EXPECT_EQ(opponent(1).state_7, 1001);

    ASSERT_TRUE(Read(with_active));
    EXPECT_EQ(state().active_opponent, 2);
    EXPECT_EQ(opponent(0).takeover_year, 2001);

    ResetOpponentTakeOverTerms();
    EXPECT_EQ(opponent(0).takeover_year, 2060);
    EXPECT_EQ(opponent(0).takeover_percent, 100);
}

TEST_F(OpponentLevelTest, ActiveOpponentOutsideTheSlotsBecomesNone) {
    std::string bytes = Write("active");
    for (int32_t stored : {3, -2, 0x7fffffff}) {
        for (int i = 0; i < 4; ++i)
            bytes[bytes.size() - 28 + i] =
                static_cast<char>(static_cast<uint32_t>(stored) >> (8 * i));
        ASSERT_TRUE(Read(bytes));
        EXPECT_EQ(state().active_opponent, -1);
    }
}

TEST_F(OpponentLevelTest, DamagedSecondRecordRejectsTheLevelWithoutACrash) {
    FakeVehicleList vehicles;
    FillAll(vehicles);
    const std::string good = Write("good");
    plat::FileHandle file = plat::OpenFile(PathOf("one"), plat::OpenMode::Create);
    opponent(0).Save(file);
    plat::CloseFile(file);
    const size_t first_record = ReadBytes("one").size();
    // Cut the file inside the second record and, separately, give the second
    // record a plan count far beyond the file.
    const std::string cut = good.substr(0, first_record + 40);
    std::string huge = good;
    for (int i = 0; i < 4; ++i) huge[first_record + 32 + i] = static_cast<char>(0x7f);

    for (const std::string& bytes : {cut, huge}) {
        EXPECT_FALSE(Read(bytes, nullptr, true));
        EXPECT_FALSE(Read(bytes));
        for (COpponent* o : state().opponents) ASSERT_NE(o, nullptr);
    }
}

TEST_F(OpponentLevelTest, WalkingThePartChecksItAndChangesNothing) {
    FakeVehicleList vehicles;
    g_pVehicleLookup = &vehicles;
    FillAll(vehicles);
    const std::string bytes = Write("walk") + "tail";
    RecreateOpponents();
    state().active_opponent = -1;
    int32_t left = -1;
    ASSERT_TRUE(Read(bytes, &left, true));
    EXPECT_EQ(left, 4);
    EXPECT_TRUE(opponent(1).plan_list_a.empty());
    EXPECT_EQ(opponent(1).takeover_year, 2060);
    EXPECT_EQ(state().active_opponent, -1);
    ASSERT_TRUE(Read(bytes, &left));
    EXPECT_EQ(left, 4);
}

}  // namespace
}  // namespace fvtest
