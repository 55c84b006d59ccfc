// The game's records: opponents in the level file (layout, vehicles by number,
// older and damaged files), their turn schedule, and the high-score list.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/settings.h"
#include "game/high_scores.h"
#include "game/opponent_fill.h"
#include "game/opponent_level.h"
#include "game/opponent_roster.h"
#include "platform/headless/headless_backend.h"
#include "state/le_io.h"
#include "support/file_bytes.h"
#include "support/fnv_hash.h"
#include "support/game_scope.h"
#include "transport/vehicle_lookup.h"

namespace fvtest {
namespace {

// The opponent code never dereferences vehicles: fake ones are distinct
// addresses in a byte array, known by number through this list.
class FakeVehicleList : public CVehicleLookup {
  public:
    CVehicle* Add(int32_t number) {
        numbers_.push_back(number);
        return reinterpret_cast<CVehicle*>(&storage_[numbers_.size() - 1]);
    }
    CVehicle* FindVehicleByNumber(int32_t number) const override {
        const auto i = std::find(numbers_.begin(), numbers_.end(), number) - numbers_.begin();
        return i < std::ssize(numbers_) ? reinterpret_cast<CVehicle*>(&storage_[i]) : nullptr;
    }
    int32_t VehicleNumber(const CVehicle& vehicle) const override {
        const auto i = reinterpret_cast<const char*>(&vehicle) - storage_;
        return i >= 0 && i < std::ssize(numbers_) ? numbers_[i] : -1;
    }

  private:
    mutable char storage_[64] = {};
    std::vector<int32_t> numbers_;
};

class OpponentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scope_.Set(g_pVehicleLookup, nullptr);
        RecreateOpponents();
    }
    CGameState& state() { return scope_.state(); }
    COpponent& opponent(int slot) { return *state().opponents[slot]; }
    static std::string Save(const COpponent& o) {
        return Written([&](plat::FileHandle f) { o.Save(f); });
    }
    static OpponentLoadResult Load(COpponent& o, const std::string& bytes,
                                   int32_t* left = nullptr) {
        return ReadBack(
            bytes, [&](plat::FileHandle f) { return o.Load(f); }, left);
    }
    GameScope scope_;
};

using OpponentRecordTest = OpponentTest;

TEST_F(OpponentRecordTest, FilledRecordKeepsItsLayoutAndRoundTripsWithVehiclesByNumber) {
    FakeVehicleList vehicles;
    g_pVehicleLookup = &vehicles;
    CVehicle* truck = vehicles.Add(5);
    CVehicle* train = vehicles.Add(9);
    COpponent& o = opponent(2);
    FillOpponent(o, 2, {truck, nullptr, train});
    o.turn_ref_1 = &o.plan_list_a.front();
    o.turn_ref_4 = &o.plan_list_b.back();
    const std::string bytes = Save(o);
    // Every field in its place and byte order.
    EXPECT_EQ(bytes.size(), 1209u);
    EXPECT_EQ(Fnv1a(bytes.data(), bytes.size(), 0xcbf29ce484222325ull), 2646094209845796760u);
    // A load replaces the lists, finds vehicles by number, drops turn references.
    COpponent loaded(2, 2, COpponent::Detached{});
    loaded.plan_list_a.push_back(MakePlanNode(1, nullptr));
    loaded.turn_ref_1 = &loaded.plan_list_a.front();
    int32_t left = -1;
    ASSERT_EQ(Load(loaded, bytes, &left), OpponentLoadResult::Loaded);
    ASSERT_EQ(std::pair(left, loaded.plan_list_a.size()), std::pair(0, o.plan_list_a.size()));
    const auto a = loaded.plan_list_a.begin();
    EXPECT_TRUE(std::tuple(a->vehicle, std::next(a)->vehicle, std::next(a, 2)->vehicle,
                           loaded.turn_ref_1, loaded.turn_ref_4) ==
                std::tuple(truck, nullptr, train, nullptr, nullptr));
    o.turn_ref_1 = o.turn_ref_4 = nullptr;
    EXPECT_TRUE(Save(loaded) == Save(o));
    // Numbers that no vehicle has, or no vehicle list at all: no vehicle.
    FakeVehicleList other;
    other.Add(4);
    for (CVehicleLookup* lookup : {&other, static_cast<FakeVehicleList*>(nullptr)}) {
        g_pVehicleLookup = lookup;
        COpponent unknown(2, 2, COpponent::Detached{});
        ASSERT_EQ(Load(unknown, bytes), OpponentLoadResult::Loaded);
        EXPECT_EQ(unknown.plan_list_a.front().vehicle, nullptr);
    }
    // A short write sets the write-error flag.
    plat::SetWriteLimitForTests(100);
    Save(o);
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(g_WriteError, 1);
}

TEST_F(OpponentRecordTest, DamagedRecordsAreRejectedAndChangeNothingShortOnesMeanAbsent) {
    COpponent& source = opponent(0);
    FillOpponent(source, 1, {});
    const std::string good = Save(source);
    const size_t plan_a_count = 32;
    const size_t step_count = plan_a_count + 8 + source.plan_list_a.size() * 99;
    // Counts beyond the file, a profile outside 0..4, another slot's player.
    const auto more = static_cast<int32_t>(source.plan_list_a.size() + 1000);
    const auto size = static_cast<int32_t>(good.size());
    const size_t at[] = {plan_a_count, plan_a_count, plan_a_count, step_count,
                         step_count,   24,           24,           20};
    const int32_t value[] = {more, -1, 0x7fffffff, 0x40000000, size, 5, -1, 2};
    std::vector<std::string> damaged(std::size(at), good);
    for (size_t i = 0; i < std::size(at); ++i)
        le::PutU32(reinterpret_cast<uint8_t*>(damaged[i].data()) + at[i],
                   static_cast<uint32_t>(value[i]));
    // Cut inside the fixed part, inside a node and just before the end.
    for (size_t length : {size_t{5}, size_t{31}, plan_a_count + 50, good.size() - 1})
        damaged.push_back(good.substr(0, length));
    for (const std::string& bytes : damaged) {
        COpponent target(0, 4, COpponent::Detached{});
        target.plan_list_b.push_back(MakePlanNode(9, nullptr));
        EXPECT_EQ(Load(target, bytes), OpponentLoadResult::Damaged);
        ASSERT_EQ(target.plan_list_b.size(), 1u);
        EXPECT_EQ(std::tuple(target.profile_index, target.turn_pending,
                             target.plan_list_b.front().number, target.plan_list_a.size()),
                  std::tuple(4, 1000, 1009, size_t{0}));
    }
    // A record ending at its first field: absent, the rest left alone.
    for (const std::string& tail : {std::string(), std::string("\x01\x02", 2)}) {
        source.turn_pending = 1000;
        EXPECT_EQ(Load(source, tail), OpponentLoadResult::Absent);
        EXPECT_EQ(std::pair(source.turn_pending, source.plan_list_a.size()),
                  std::pair(-1, size_t{4}));
    }
}

class OpponentLevelTest : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        g_pVehicleLookup = &vehicles_;
        Fill();
    }
    void Fill() {
        FillOpponent(opponent(0), 0, {vehicles_.Add(1), nullptr});
        FillOpponent(opponent(1), 1, {vehicles_.Add(2), vehicles_.Add(17), nullptr});
        FillOpponent(opponent(2), 2, {});
        for (int32_t slot = 0; slot < 3; ++slot)
            std::tie(opponent(slot).takeover_year, opponent(slot).takeover_percent) =
                std::pair(1970 + slot, 90 - slot);
        state().active_opponent = 2;
    }
    static std::string Write() { return Written(WriteOpponentRecords); }
    static bool Read(const std::string& bytes, int32_t* left = nullptr) {
        return ReadBack(bytes, ReadOpponentRecords, left);
    }
    static bool Skip(const std::string& bytes, int32_t* left = nullptr) {
        return ReadBack(
            bytes, [](plat::FileHandle f) { return SkipOpponentRecords(f); }, left);
    }
    void ExpectFresh(int32_t slot) {
        SCOPED_TRACE(slot);
        const COpponent& o = opponent(slot);
        EXPECT_EQ(std::tuple(o.profile_index, o.player_number, o.turn_pending, o.plan_list_a.size(),
                             state().cash[slot + 1]),
                  std::tuple(slot, slot + 1, 1000, size_t{0},
                             int64_t{state().opponent_profiles[slot].start_capital}));
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
    ASSERT_TRUE(Skip(with_tail, &left));
    EXPECT_EQ(std::tuple(left, opponent(1).plan_list_a.size(), opponent(1).takeover_year,
                         state().active_opponent),
              std::tuple(4, size_t{0}, 2060, -1));
    FillOpponent(opponent(1), 4, {});  // other plans: the lists are replaced
    ASSERT_TRUE(Read(with_tail, &left));
    EXPECT_EQ(std::tuple(left, state().active_opponent, opponent(1).takeover_year,
                         opponent(2).takeover_percent, opponent(1).plan_list_a.size()),
              std::tuple(4, 2, 1971, 88, size_t{4}));
    const auto a = opponent(1).plan_list_a.begin();
    EXPECT_TRUE(std::tuple(a->vehicle, std::next(a, 2)->vehicle) ==
                std::tuple(vehicles_.FindVehicleByNumber(2), nullptr));
    EXPECT_EQ(Write(), first);
}

TEST_F(OpponentLevelTest, AbsentOpponentsAreMadeAfresh) {
    // An older file without opponents: three fresh ones with default terms.
    state().cash[2] = 5;
    state().company_names[2][0] = '?';
    ASSERT_TRUE(Read(std::string()));
    for (int32_t slot = 0; slot < 3; ++slot) {
        ExpectFresh(slot);
        EXPECT_EQ(std::pair(opponent(slot).takeover_year, opponent(slot).takeover_percent),
                  std::pair(2060, 100));
    }
    EXPECT_EQ(state().active_opponent, -1);
    // Slots not taking part or empty are replaced; the terms still apply.
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
    EXPECT_EQ(std::pair(opponent(1).takeover_year, opponent(0).plan_list_a.size()),
              std::pair(1971, size_t{3}));
}

TEST_F(OpponentLevelTest, FileEndingAfterTheRecordsKeepsTheTermsAndBadActiveIsNone) {
    const std::string full = Write();
    RecreateOpponents();
    opponent(0).takeover_year = 2001;
    state().active_opponent = 1;
    ASSERT_TRUE(Read(full.substr(0, full.size() - 28)));  // records only
    EXPECT_EQ(std::tuple(state().active_opponent, opponent(0).takeover_year, opponent(1).state_7),
              std::tuple(-1, 2001, 1001));
    ASSERT_TRUE(Read(full.substr(0, full.size() - 24)));  // and the active one
    EXPECT_EQ(std::pair(state().active_opponent, opponent(0).takeover_year), std::pair(2, 2001));
    ResetOpponentTakeOverTerms();
    EXPECT_EQ(std::pair(opponent(0).takeover_year, opponent(0).takeover_percent),
              std::pair(2060, 100));
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
    const size_t first_record = Save(opponent(0)).size();
    // Cut inside the second record, or its plan count far beyond the file.
    std::string huge = good;
    le::PutU32(reinterpret_cast<uint8_t*>(huge.data()) + first_record + 32, 0x7f7f7f7f);
    for (const std::string& bytes : {good.substr(0, first_record + 40), huge}) {
        EXPECT_FALSE(Skip(bytes));
        EXPECT_FALSE(Read(bytes));
        for (COpponent* o : state().opponents) ASSERT_NE(o, nullptr);
    }
}

class OpponentTurnTest : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        state().game_mode = kModeGame;
    }
    // An idle pass after `ms`: 11 for the opponents' step, a tick for a week.
    void Pass(uint32_t ms = 11) {
        host_.AdvanceClock(ms);
        app_.OnIdle(0);
    }
    void PassWeek() { Pass(g_TickLength + 1); }
    void ExpectCountdowns(int32_t a, int32_t b, int32_t c) {
        EXPECT_EQ(std::tuple(opponent(0).turn_countdown, opponent(1).turn_countdown,
                             opponent(2).turn_countdown),
                  std::tuple(a, b, c));
    }
    plat::HeadlessBackend host_;
    CGameApp app_;
};

// A long profile name is cut to the company name field, sparing the next.
TEST_F(OpponentTurnTest, LongProfileNameIsCutToTheCompanyNameField) {
    OpponentProfile& profile = state().opponent_profiles[4];
    std::memset(profile.name, 'x', sizeof(profile.name) - 1);
    profile.name[sizeof(profile.name) - 1] = '\0';
    std::memset(state().company_names[2], 'y', sizeof(state().company_names[2]));
    std::memset(state().company_names[3], 'z', sizeof(state().company_names[3]));
    COpponent o(1, 4);
    EXPECT_EQ(std::tuple(std::strlen(state().company_names[2]), state().company_names[2][0],
                         state().company_names[3][0]),
              std::tuple(sizeof(state().company_names[2]) - 1, 'x', 'z'));
}

TEST_F(OpponentTurnTest, ProfileZeroTurnsEveryTwoGameWeeksAndKeepsTakingPart) {
    ExpectCountdowns(2, 4, 6);  // each profile's interval
    PassWeek();
    EXPECT_EQ(opponent(0).turn_countdown, 1);
    PassWeek();
    EXPECT_EQ(opponent(0).turn_countdown, 0);  // the step of that pass came before the tick
    Pass();
    EXPECT_EQ(
        std::tuple(state().active_opponent, opponent(0).turn_pending, opponent(0).turn_countdown),
        std::tuple(-1, 1000, 2));
    // Its countdown runs on; profile 1 turns after its four weeks.
    PassWeek(), PassWeek();
    ExpectCountdowns(0, 0, 2);
    Pass(), Pass();
    ExpectCountdowns(2, 4, 2);
    EXPECT_EQ(opponent(1).turn_pending, 1000);
}

TEST_F(OpponentTurnTest, ActiveOpponentFirstThenMinusOneBeforeZeroAndTiesToTheLowerSlot) {
    opponent(1).turn_ref_2 = &opponent(1).plan_list_a.emplace_back();
    state().active_opponent = 1;
    std::tie(opponent(0).turn_countdown, opponent(1).turn_countdown, opponent(2).turn_countdown) =
        std::tuple(0, 3, -1);
    Pass();  // the active one has its turn and drops its references
    ExpectCountdowns(0, 4, -1);
    EXPECT_TRUE(std::tuple(opponent(1).turn_ref_2, state().active_opponent) ==
                std::tuple(nullptr, -1));
    opponent(1).turn_countdown = 0;
    Pass();  // one turn per pass
    ExpectCountdowns(0, 0, 6);
    Pass();
    ExpectCountdowns(2, 0, 6);
    Pass();
    ExpectCountdowns(2, 4, 6);
}

TEST_F(OpponentTurnTest, ForgettingAVehicleDropsItsVehiclePlansAndClearsOtherReferences) {
    FakeVehicleList vehicles;
    CVehicle* gone = vehicles.Add(1);
    CVehicle* kept = vehicles.Add(2);
    opponent(0).plan_list_a.push_back({.vehicle = gone});
    opponent(2).plan_list_b.push_back({.vehicle = gone});
    opponent(2).plan_list_b.push_back({.vehicle = kept});
    ForgetVehicleInOpponents(gone);
    EXPECT_TRUE(opponent(0).plan_list_a.empty());
    EXPECT_EQ(opponent(2).plan_list_b.front().vehicle, nullptr);
    EXPECT_EQ(opponent(2).plan_list_b.back().vehicle, kept);
}

class HighScoresTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildDataPaths(folder.Path());
        gs.install_index = 0;
        std::filesystem::create_directories(folder.Path() + "/save");
        for (int32_t i = 0; i < kHighScoreCount; ++i)
            Set(i, "Company " + std::to_string(i), 1000 - 100 * i);
    }
    void Set(int32_t i, const std::string& name, int32_t points) {
        HighScoreEntry& e = gs.high_scores[i];
        std::memset(e.name, 0, sizeof e.name);
        std::memcpy(e.name, name.data(), std::min<size_t>(name.size(), sizeof e.name));
        e.points = static_cast<uint32_t>(points);
    }
    int32_t Points(int32_t i) const { return static_cast<int32_t>(gs.high_scores[i].points); }
    std::string Name(int32_t i) const { return gs.high_scores[i].name; }
    std::string File() const { return folder.Read("save/best.sav"); }
    void WriteFile(const std::string& bytes) { folder.Write("save/best.sav", bytes); }
    TempFolder folder;
    GameScope scope;
    CGameState& gs = scope.state();
};

TEST_F(HighScoresTest, InsertionPlaces) {
    std::snprintf(gs.company_names[0], kCompanyNameLength, "%s", "New");
    EXPECT_EQ(InsertHighScore(gs, 99), -1);  // below the tenth
    // A tie enters above the older entry, the old tenth dropping out.
    EXPECT_EQ(InsertHighScore(gs, 100), 9);
    EXPECT_EQ(Name(8), "Company 8");
    EXPECT_EQ(InsertHighScore(gs, 500), 5);
    EXPECT_EQ(Name(6) + "|" + Name(9), "Company 5|Company 8");
    EXPECT_EQ(InsertHighScore(gs, 1000), 0);
    EXPECT_EQ(Name(1), "Company 0");
    // A full company name (no terminating zero) is cut at 35 characters.
    std::memset(gs.company_names[0], 'X', kCompanyNameLength);
    EXPECT_EQ(InsertHighScore(gs, 2000000000), 0);
    EXPECT_EQ(Name(0), std::string(35, 'X'));
    for (int32_t i = 1; i < kHighScoreCount; ++i) EXPECT_GE(Points(i - 1), Points(i));
    // Points compare as signed numbers.
    for (int32_t i = 0; i < kHighScoreCount; ++i) Set(i, "Debt", -5);
    EXPECT_EQ(InsertHighScore(gs, -6), -1);
    EXPECT_EQ(InsertHighScore(gs, 0), 0);  // after the refusal above
}

TEST_F(HighScoresTest, FileRoundTripIsExactly400Bytes) {
    gs.high_scores[3].name[20] = 'z';  // after the zero: kept as it is in memory
    Set(7, "Points in all bytes", 0x01020304);
    SaveHighScores(gs);
    const std::string bytes = File();
    ASSERT_EQ(bytes.size(), 400u);
    EXPECT_EQ(
        bytes.substr(7 * 40, 40),
        std::string("Points in all bytes\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x04\x03\x02\x01", 40));
    EXPECT_EQ(bytes[3 * 40 + 20], 'z');
    HighScoreEntry kept[kHighScoreCount];
    std::memcpy(kept, gs.high_scores, sizeof kept);
    std::memset(gs.high_scores, 0, sizeof kept);
    LoadHighScores(gs);
    EXPECT_EQ(std::memcmp(kept, gs.high_scores, sizeof kept), 0);
    SaveHighScores(gs);
    EXPECT_EQ(File(), bytes);
}

// A full disk while best.sav is written keeps the player's old list.
using NothingLost = HighScoresTest;
TEST_F(NothingLost, FailedHighScoreWriteKeepsTheOldFile) {
    ASSERT_TRUE(SaveHighScores(gs));
    const std::string old = File();
    Set(0, "Newcomer", 5000);
    for (int64_t limit : {0, 399}) {
        plat::SetWriteLimitForTests(limit);
        EXPECT_FALSE(SaveHighScores(gs));
        plat::SetWriteLimitForTests(-1);
        EXPECT_EQ(File(), old);
        EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/save/best.sav.tmp"));
    }
}

// A missing folder keeps the list, an empty file resets it; short and long
// files and names without an end stay in bounds.
TEST_F(HighScoresTest, MissingEmptyShortAndLongFilesStayInTheirBuffers) {
    std::filesystem::remove_all(folder.Path() + "/save");
    LoadHighScores(gs);
    EXPECT_EQ(std::pair(Name(0), Points(0)), std::pair(std::string("Company 0"), 1000));
    SaveHighScores(gs);
    EXPECT_EQ(File().size(), 400u);
    std::string bytes(45, '\0');
    std::memcpy(bytes.data(), "Short", 5);
    bytes[36] = 0x10;  // 16 points
    std::memcpy(bytes.data() + 40, "ABCDE", 5);
    WriteFile(bytes);
    LoadHighScores(gs);
    EXPECT_EQ(std::pair(Name(0), Points(0)), std::pair(std::string("Short"), 16));
    EXPECT_EQ(std::string(gs.high_scores[1].name, 9), "ABCDEny 1");  // the rest as it was
    EXPECT_EQ(std::pair(Name(2), Points(1)), std::pair(std::string("Company 2"), 900));
    WriteFile(std::string(500, 'N'));  // no zero anywhere, and 100 bytes too many
    LoadHighScores(gs);
    EXPECT_EQ(std::pair(Name(9), gs.high_scores[9].points),
              std::pair(std::string(35, 'N'), 0x4E4E4E4Eu));
    WriteFile("");
    LoadHighScores(gs);
    for (int32_t i = 0; i < kHighScoreCount; ++i)
        EXPECT_EQ(std::pair(Name(i), Points(i)), std::pair(std::string("No entry"), 0));
}

}  // namespace
}  // namespace fvtest
