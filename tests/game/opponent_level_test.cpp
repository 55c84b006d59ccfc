// The opponents' part of the level file: three records, the active opponent
// and the take-over terms; round trips, walking the part, older files,
// replacement of absent opponents and damaged records.

#include <iterator>

#include "game/opponent_fill.h"
#include "game/opponent_fixture.h"
#include "game/opponent_level.h"
#include "state/le_io.h"

namespace fvtest {
namespace {

class OpponentLevelTest : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        g_pVehicleLookup = &vehicles_;
        Fill();
    }
    void Fill() {
        CVehicle* a = vehicles_.Add(1);
        CVehicle* b = vehicles_.Add(2);
        CVehicle* c = vehicles_.Add(17);
        FillOpponent(opponent(0), 0, {a, nullptr});
        FillOpponent(opponent(1), 1, {b, c, nullptr});
        FillOpponent(opponent(2), 2, {});
        for (int32_t slot = 0; slot < 3; ++slot) {
            opponent(slot).takeover_year = 1970 + slot;
            opponent(slot).takeover_percent = 90 - slot;
        }
        state().active_opponent = 2;
    }
    std::string Write() {
        return Written([](plat::FileHandle f) { WriteOpponentRecords(f); });
    }
    bool Read(const std::string& bytes, int32_t* left = nullptr, bool skip_only = false) {
        return ReadBack(
            bytes,
            [&](plat::FileHandle f) {
                return skip_only ? SkipOpponentRecords(f) : ReadOpponentRecords(f);
            },
            left);
    }
    void ExpectFresh(int32_t slot) {
        SCOPED_TRACE(slot);
        const COpponent& o = opponent(slot);
        EXPECT_EQ(o.profile_index, slot);
        EXPECT_EQ(o.player_number, slot + 1);
        EXPECT_EQ(o.turn_pending, 1000);
        EXPECT_TRUE(o.plan_list_a.empty());
        EXPECT_EQ(state().cash[slot + 1], state().opponent_profiles[slot].start_capital);
        EXPECT_STREQ(state().company_names[slot + 1], state().opponent_profiles[slot].name);
    }
    FakeVehicleList vehicles_;
};

TEST_F(OpponentLevelTest, SaveLoadSaveIsByteIdenticalAndWalkingThePartChangesNothing) {
    const std::string first = Write();
    const std::string with_tail = first + "tail";
    RecreateOpponents();
    state().active_opponent = -1;
    int32_t left = -1;
    ASSERT_TRUE(Read(with_tail, &left, true));
    EXPECT_EQ(left, 4);
    EXPECT_TRUE(opponent(1).plan_list_a.empty());
    EXPECT_EQ(opponent(1).takeover_year, 2060);
    EXPECT_EQ(state().active_opponent, -1);

    FillOpponent(opponent(1), 4, {});  // other plans: the lists are replaced
    ASSERT_TRUE(Read(with_tail, &left));
    EXPECT_EQ(left, 4);
    EXPECT_EQ(state().active_opponent, 2);
    EXPECT_EQ(opponent(1).takeover_year, 1971);
    EXPECT_EQ(opponent(2).takeover_percent, 88);
    EXPECT_EQ(opponent(1).plan_list_a.size(), 4u);
    EXPECT_EQ(opponent(1).plan_list_a.front().vehicle, vehicles_.FindVehicleByNumber(2));
    EXPECT_EQ(std::next(opponent(1).plan_list_a.begin(), 2)->vehicle, nullptr);
    EXPECT_EQ(Write(), first);
}

TEST_F(OpponentLevelTest, AbsentOpponentsAreMadeAfresh) {
    // An older file without opponents: three fresh ones with default terms.
    state().cash[2] = 5;
    state().company_names[2][0] = '?';
    ASSERT_TRUE(Read(std::string()));
    for (int32_t slot = 0; slot < 3; ++slot) {
        ExpectFresh(slot);
        EXPECT_EQ(opponent(slot).takeover_year, 2060);
        EXPECT_EQ(opponent(slot).takeover_percent, 100);
    }
    EXPECT_EQ(state().active_opponent, -1);

    // A slot marked as not taking part, and an empty slot, are written for
    // replacement; the terms after the records still apply.
    RecreateOpponents();
    Fill();
    opponent(1).turn_pending = -1;
    delete state().opponents[2];
    state().opponents[2] = nullptr;
    const std::string bytes = Write();
    RecreateOpponents();
    state().cash[2] = 12345;
    state().cash[3] = 1;
    ASSERT_TRUE(Read(bytes));
    ExpectFresh(1);
    ExpectFresh(2);
    EXPECT_EQ(opponent(1).takeover_year, 1971);
    EXPECT_EQ(opponent(0).plan_list_a.size(), 3u);
}

TEST_F(OpponentLevelTest, FileEndingAfterTheRecordsKeepsTheTermsAndBadActiveIsNone) {
    const std::string full = Write();
    RecreateOpponents();
    opponent(0).takeover_year = 2001;
    state().active_opponent = 1;
    ASSERT_TRUE(Read(full.substr(0, full.size() - 28)));  // records only
    EXPECT_EQ(state().active_opponent, -1);
    EXPECT_EQ(opponent(0).takeover_year, 2001);
    EXPECT_EQ(opponent(1).state_7, 1001);
    ASSERT_TRUE(Read(full.substr(0, full.size() - 24)));  // and the active one
    EXPECT_EQ(state().active_opponent, 2);
    EXPECT_EQ(opponent(0).takeover_year, 2001);
    ResetOpponentTakeOverTerms();
    EXPECT_EQ(opponent(0).takeover_year, 2060);
    EXPECT_EQ(opponent(0).takeover_percent, 100);

    std::string bytes = full;
    for (int32_t stored : {3, -2, 0x7fffffff}) {
        le::PutU32(reinterpret_cast<uint8_t*>(bytes.data()) + bytes.size() - 28,
                   static_cast<uint32_t>(stored));
        ASSERT_TRUE(Read(bytes));
        EXPECT_EQ(state().active_opponent, -1);
    }
}

TEST_F(OpponentLevelTest, DamagedSecondRecordRejectsTheLevelWithoutACrash) {
    const std::string good = Write();
    const size_t first_record = Written([&](plat::FileHandle f) { opponent(0).Save(f); }).size();
    // Cut the file inside the second record and, separately, give the second
    // record a plan count far beyond the file.
    std::string huge = good;
    le::PutU32(reinterpret_cast<uint8_t*>(huge.data()) + first_record + 32, 0x7f7f7f7f);
    for (const std::string& bytes : {good.substr(0, first_record + 40), huge}) {
        EXPECT_FALSE(Read(bytes, nullptr, true));
        EXPECT_FALSE(Read(bytes));
        for (COpponent* o : state().opponents) ASSERT_NE(o, nullptr);
    }
}

}  // namespace
}  // namespace fvtest
