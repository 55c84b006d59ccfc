// One opponent's record in the level file: its layout (a golden hash), round
// trips with plans naming vehicles, the older file without opponents, damaged
// records and short writes.

#include <cstring>

#include "game/opponent_fill.h"
#include "game/opponent_fixture.h"
#include "state/le_io.h"
#include "support/fnv_hash.h"

namespace fvtest {
namespace {

class OpponentRecordTest : public OpponentTest {
  protected:
    std::string Save(const COpponent& o) {
        return Written([&](plat::FileHandle f) { o.Save(f); });
    }
    OpponentLoadResult Load(COpponent& o, const std::string& bytes, int32_t* left = nullptr) {
        return ReadBack(
            bytes, [&](plat::FileHandle f) { return o.Load(f); }, left);
    }
};

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
    // Every field in its place and byte order: a record written in another
    // order or with a field dropped changes the hash.
    EXPECT_EQ(bytes.size(), 1209u);
    EXPECT_EQ(Fnv1a(bytes.data(), bytes.size(), 0xcbf29ce484222325ull), 2646094209845796760u);

    // Loading replaces the lists, resolves the vehicles by number and drops
    // the turn references.
    COpponent loaded(2, 2, COpponent::Detached{});
    loaded.plan_list_a.push_back(MakePlanNode(1, nullptr));
    loaded.turn_ref_1 = &loaded.plan_list_a.front();
    int32_t left = -1;
    ASSERT_EQ(Load(loaded, bytes, &left), OpponentLoadResult::Loaded);
    EXPECT_EQ(left, 0);
    ASSERT_EQ(loaded.plan_list_a.size(), o.plan_list_a.size());
    auto a = loaded.plan_list_a.begin();
    EXPECT_EQ(a->vehicle, truck);
    EXPECT_EQ((++a)->vehicle, nullptr);
    EXPECT_EQ((++a)->vehicle, train);
    EXPECT_EQ(loaded.turn_ref_1, nullptr);
    EXPECT_EQ(loaded.turn_ref_4, nullptr);
    o.turn_ref_1 = o.turn_ref_4 = nullptr;
    EXPECT_TRUE(Save(loaded) == Save(o));

    // Numbers that no vehicle has, or no vehicle list at all: no vehicle.
    FakeVehicleList other;
    other.Add(4);
    for (CVehicleLookup* lookup :
         {static_cast<CVehicleLookup*>(&other), static_cast<CVehicleLookup*>(nullptr)}) {
        g_pVehicleLookup = lookup;
        COpponent unknown(2, 2, COpponent::Detached{});
        ASSERT_EQ(Load(unknown, bytes), OpponentLoadResult::Loaded);
        EXPECT_EQ(unknown.plan_list_a.front().vehicle, nullptr);
    }
}

TEST_F(OpponentRecordTest, RecordEndingAtItsFirstFieldMarksTheOpponentAbsent) {
    COpponent& o = opponent(1);
    FillOpponent(o, 1, {});
    const size_t plans = o.plan_list_a.size();
    for (const std::string& tail : {std::string(), std::string("\x01\x02", 2)}) {
        o.turn_pending = 1000;
        EXPECT_EQ(Load(o, tail), OpponentLoadResult::Absent);
        EXPECT_EQ(o.turn_pending, -1);
        EXPECT_EQ(o.plan_list_a.size(), plans);  // the rest is left alone
    }
}

TEST_F(OpponentRecordTest, DamagedRecordsAreRejectedAndChangeNothing) {
    COpponent& source = opponent(0);
    FillOpponent(source, 1, {});
    const std::string good = Save(source);
    const size_t plan_a_count = 32;
    const size_t step_count = plan_a_count + 8 + source.plan_list_a.size() * 99;
    const std::pair<size_t, int32_t> words[] = {
        {plan_a_count, static_cast<int32_t>(source.plan_list_a.size() + 1000)},
        {plan_a_count, -1},
        {plan_a_count, 0x7fffffff},
        {step_count, 0x40000000},
        {step_count, static_cast<int32_t>(good.size())},
        {24, 5},  // profile outside 0..4
        {24, -1},
        {20, 2},  // another slot's player
    };
    std::vector<std::string> damaged;
    for (const auto& [offset, value] : words) {
        damaged.push_back(good);
        le::PutU32(reinterpret_cast<uint8_t*>(damaged.back().data()) + offset,
                   static_cast<uint32_t>(value));
    }
    // Cut inside the fixed part, inside a node and just before the end.
    for (size_t length : {size_t{5}, size_t{31}, plan_a_count + 50, good.size() - 1})
        damaged.push_back(good.substr(0, length));

    for (const std::string& bytes : damaged) {
        COpponent target(0, 4, COpponent::Detached{});
        target.plan_list_b.push_back(MakePlanNode(9, nullptr));
        EXPECT_EQ(Load(target, bytes), OpponentLoadResult::Damaged);
        EXPECT_EQ(target.profile_index, 4);
        EXPECT_EQ(target.turn_pending, 1000);
        ASSERT_EQ(target.plan_list_b.size(), 1u);
        EXPECT_EQ(target.plan_list_b.front().number, 1009);
        EXPECT_TRUE(target.plan_list_a.empty());
    }
}

TEST_F(OpponentRecordTest, ShortWriteSetsTheWriteErrorFlag) {
    FillOpponent(opponent(0), 0, {});
    g_WriteError = 0;
    plat::SetWriteLimitForTests(100);
    Save(opponent(0));
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(g_WriteError, 1);
    g_WriteError = 0;
}

}  // namespace
}  // namespace fvtest
