// One opponent's record in the level file: its exact layout, round trips with
// and without plans and vehicles, the older file without opponents, and
// damaged records.

#include <cstring>
#include <utility>

#include "game/opponent_fill.h"
#include "game/opponent_fixture.h"
#include "platform/file.h"
#include "state/le_io.h"

namespace fvtest {
namespace {

// An opponent record whose lists are all empty.
constexpr size_t kEmptyRecordSize = 32 + 8 + 4 + 4 + 8 + 12 + 4 + 92 + 4 + 56;

int32_t WordAt(const std::string& bytes, size_t offset) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
    return static_cast<int32_t>(v);
}

void PutWord(std::string& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}

class OpponentRecordTest : public OpponentTest {
  protected:
    std::string SaveRecord(const COpponent& o) {
        plat::FileHandle file = plat::OpenFile(PathOf("record"), plat::OpenMode::Create);
        EXPECT_NE(file, plat::kInvalidFile);
        o.Save(file);
        plat::CloseFile(file);
        return ReadBytes("record");
    }
    OpponentLoadResult LoadRecord(COpponent& o, const std::string& bytes, int32_t* left = nullptr) {
        WriteBytes("record", bytes);
        plat::FileHandle file = plat::OpenFile(PathOf("record"), plat::OpenMode::Read);
        EXPECT_NE(file, plat::kInvalidFile);
        OpponentLoadResult result = o.Load(file);
        if (left != nullptr) {
            int32_t here = plat::SeekFile(file, 0, plat::SeekFrom::Current);
            *left = plat::SeekFile(file, 0, plat::SeekFrom::End) - here;
        }
        plat::CloseFile(file);
        return result;
    }
};

TEST_F(OpponentRecordTest, EmptyListsAreCountsAndTagsOnly) {
    COpponent& o = opponent(1);
    o.plan_tag_a = 77;
    o.plan_tag_b = 88;
    const std::string bytes = SaveRecord(o);
    ASSERT_EQ(bytes.size(), kEmptyRecordSize);
    // turn_pending first, then in_use, player, profile, countdown of profile
    // 1, plan_list_a (count, tag), the two step lists, plan_list_b (count, tag).
    const std::pair<size_t, int32_t> words[] = {{0, 1000}, {16, 1}, {20, 2},  {24, 1},
                                                {28, 4},   {32, 0}, {36, 77}, {40, 0},
                                                {44, 0},   {48, 0}, {52, 88}};
    for (const auto& [offset, value] : words) EXPECT_EQ(WordAt(bytes, offset), value) << offset;
    // The slot table starts after state_15, state_byte, state_16, state_10.
    const size_t slot_table = 56 + 12 + 4 + 4 + 1 + 4 + 4;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(WordAt(bytes, slot_table + 4 * i), -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(static_cast<uint8_t>(bytes[slot_table + 60 + i]), 255);
    // The four turn references are stored as -1 when empty.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(WordAt(bytes, kEmptyRecordSize - 16 + 4 * i), -1);

    COpponent loaded(1, 3, COpponent::Detached{});
    loaded.plan_list_a.push_back(MakePlanNode(1, nullptr));
    ASSERT_EQ(LoadRecord(loaded, bytes), OpponentLoadResult::Loaded);
    EXPECT_TRUE(loaded.plan_list_a.empty());
    EXPECT_EQ(loaded.plan_tag_a, 77);
    EXPECT_EQ(loaded.plan_tag_b, 88);
    EXPECT_EQ(loaded.profile_index, 1);
    EXPECT_EQ(SaveRecord(loaded), bytes);
}

TEST_F(OpponentRecordTest, PlanAndStepNodesHaveTheirFileLayout) {
    FakeVehicleList vehicles;
    g_pVehicleLookup = &vehicles;
    COpponent& o = opponent(0);
    o.plan_list_a.push_back(MakePlanNode(1, vehicles.Add(42)));
    o.plan_list_a.push_back(MakePlanNode(2, nullptr));
    o.step_lists[1].push_back(MakeStepNode(3));
    const std::string bytes = SaveRecord(o);
    ASSERT_EQ(bytes.size(), kEmptyRecordSize + 2 * 99 + 28);

    // First plan node: byte_1, value_1, byte_3, word_3, byte_2, byte_4, text_1,
    // word_4, block_1, bytes_1, block_2, word_1, vehicle, word_2, number.
    const size_t node = 40;
    const PlanNode expected = MakePlanNode(1, nullptr);
    EXPECT_EQ(static_cast<uint8_t>(bytes[node]), expected.byte_1);
    EXPECT_EQ(WordAt(bytes, node + 1), expected.value_1[0]);
    EXPECT_EQ(WordAt(bytes, node + 5), expected.value_1[1]);
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 9]), expected.byte_3);
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 10]), expected.word_3 & 0xff);
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 11]), expected.word_3 >> 8);
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 12]), expected.byte_2);
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 13]), expected.byte_4);
    EXPECT_EQ(0, std::memcmp(bytes.data() + node + 14, expected.text_1.data(), 32));
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 46]), expected.word_4 & 0xff);
    EXPECT_EQ(0, std::memcmp(bytes.data() + node + 48, expected.block_1.data(), 24));
    EXPECT_EQ(0, std::memcmp(bytes.data() + node + 72, expected.bytes_1.data(), 3));
    EXPECT_EQ(0, std::memcmp(bytes.data() + node + 75, expected.block_2.data(), 12));
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 87]), expected.word_1 & 0xff);
    EXPECT_EQ(WordAt(bytes, node + 89), 42);
    EXPECT_EQ(static_cast<uint8_t>(bytes[node + 93]), expected.word_2 & 0xff);
    EXPECT_EQ(WordAt(bytes, node + 95), expected.number);
    // The second node has no vehicle.
    EXPECT_EQ(WordAt(bytes, node + 99 + 89), -1);

    // The step node: value_3, block_1, value_1, value_2.
    const size_t step = node + 2 * 99 + 4 /* first step count */ + 4 /* second count */;
    const StepNode expected_step = MakeStepNode(3);
    EXPECT_EQ(WordAt(bytes, step - 4), 1);
    EXPECT_EQ(WordAt(bytes, step), expected_step.value_3);
    EXPECT_EQ(0, std::memcmp(bytes.data() + step + 4, expected_step.block_1.data(), 16));
    EXPECT_EQ(WordAt(bytes, step + 20), expected_step.value_1);
    EXPECT_EQ(WordAt(bytes, step + 24), expected_step.value_2);
}

TEST_F(OpponentRecordTest, FilledRecordRoundTripsWithVehiclesResolvedByNumber) {
    FakeVehicleList vehicles;
    g_pVehicleLookup = &vehicles;
    CVehicle* truck = vehicles.Add(5);
    CVehicle* train = vehicles.Add(9);
    COpponent& o = opponent(2);
    FillOpponent(o, 2, {truck, nullptr, train});
    const std::string bytes = SaveRecord(o);

    COpponent loaded(2, 2, COpponent::Detached{});
    int32_t left = -1;
    ASSERT_EQ(LoadRecord(loaded, bytes, &left), OpponentLoadResult::Loaded);
    EXPECT_EQ(left, 0);
    ASSERT_EQ(loaded.plan_list_a.size(), o.plan_list_a.size());
    ASSERT_EQ(loaded.plan_list_b.size(), 2u);
    auto a = loaded.plan_list_a.begin();
    EXPECT_EQ(a->vehicle, truck);
    EXPECT_EQ((++a)->vehicle, nullptr);
    EXPECT_EQ((++a)->vehicle, train);
    EXPECT_EQ(loaded.plan_list_b.front().value_1[0], o.plan_list_b.front().value_1[0]);
    EXPECT_EQ(loaded.state_26, o.state_26);
    EXPECT_EQ(loaded.state_byte, o.state_byte);
    EXPECT_EQ(loaded.slot_table.words, o.slot_table.words);
    EXPECT_EQ(loaded.pair_list.size(), o.pair_list.size());
    EXPECT_EQ(loaded.pair_list.back().a, o.pair_list.back().a);
    EXPECT_EQ(SaveRecord(loaded), bytes);
}

TEST_F(OpponentRecordTest, VehicleNumbersWithoutAVehicleResolveToNone) {
    FakeVehicleList vehicles;
    g_pVehicleLookup = &vehicles;
    COpponent& o = opponent(0);
    o.plan_list_a.push_back(MakePlanNode(0, vehicles.Add(3)));
    const std::string bytes = SaveRecord(o);

    // No vehicle list at load time: no vehicle.
    g_pVehicleLookup = nullptr;
    COpponent without_list(0, 0, COpponent::Detached{});
    ASSERT_EQ(LoadRecord(without_list, bytes), OpponentLoadResult::Loaded);
    EXPECT_EQ(without_list.plan_list_a.front().vehicle, nullptr);

    // A vehicle list that does not know the number: no vehicle.
    FakeVehicleList other;
    other.Add(4);
    g_pVehicleLookup = &other;
    COpponent unknown(0, 0, COpponent::Detached{});
    ASSERT_EQ(LoadRecord(unknown, bytes), OpponentLoadResult::Loaded);
    EXPECT_EQ(unknown.plan_list_a.front().vehicle, nullptr);
}

TEST_F(OpponentRecordTest, LoadingClearsTheTurnReferences) {
    COpponent& o = opponent(0);
    FillOpponent(o, 1, {});
    o.turn_ref_1 = &o.plan_list_a.front();
    o.turn_ref_4 = &o.plan_list_b.back();
    const std::string bytes = SaveRecord(o);
    EXPECT_EQ(WordAt(bytes, bytes.size() - 16), o.plan_list_a.front().number);
    EXPECT_EQ(WordAt(bytes, bytes.size() - 4), o.plan_list_b.back().number);

    COpponent loaded(0, 0, COpponent::Detached{});
    ASSERT_EQ(LoadRecord(loaded, bytes), OpponentLoadResult::Loaded);
    EXPECT_EQ(loaded.turn_ref_1, nullptr);
    EXPECT_EQ(loaded.turn_ref_4, nullptr);
}

TEST_F(OpponentRecordTest, RecordEndingAtItsFirstFieldMarksTheOpponentAbsent) {
    COpponent& o = opponent(1);
    FillOpponent(o, 1, {});
    const size_t plans = o.plan_list_a.size();
    for (const std::string& tail : {std::string(), std::string("\x01\x02", 2)}) {
        o.turn_pending = 1000;
        EXPECT_EQ(LoadRecord(o, tail), OpponentLoadResult::Absent);
        EXPECT_EQ(o.turn_pending, -1);
        EXPECT_EQ(o.plan_list_a.size(), plans);  // the rest is left alone
    }
}

TEST_F(OpponentRecordTest, DamagedRecordsAreRejectedAndChangeNothing) {
    COpponent& source = opponent(0);
    FillOpponent(source, 1, {});
    const std::string good = SaveRecord(source);
    const size_t plan_a_count = 32;
    const size_t step_count = plan_a_count + 8 + source.plan_list_a.size() * 99;

    std::vector<std::string> damaged;
    auto with_word = [&](size_t offset, int32_t value) {
        std::string bytes = good;
        PutWord(bytes, offset, value);
        damaged.push_back(bytes);
    };
    with_word(plan_a_count, static_cast<int32_t>(source.plan_list_a.size() + 1000));
    with_word(plan_a_count, -1);
    with_word(plan_a_count, 0x7fffffff);
    with_word(step_count, 0x40000000);
    with_word(step_count, static_cast<int32_t>(good.size()));
    with_word(24, 5);  // profile outside 0..4
    with_word(24, -1);
    with_word(20, 2);  // another slot's player
    // Cut inside the fixed part, inside a node and just before the end.
    for (size_t length : {size_t{5}, size_t{31}, plan_a_count + 50, good.size() - 1})
        damaged.push_back(good.substr(0, length));

    for (const std::string& bytes : damaged) {
        COpponent target(0, 4, COpponent::Detached{});
        target.plan_list_b.push_back(MakePlanNode(9, nullptr));
        target.plan_tag_b = 5;
        EXPECT_EQ(LoadRecord(target, bytes), OpponentLoadResult::Damaged);
        EXPECT_EQ(target.profile_index, 4);
        EXPECT_EQ(target.turn_pending, 1000);
        ASSERT_EQ(target.plan_list_b.size(), 1u);
        EXPECT_EQ(target.plan_list_b.front().number, 1009);
        EXPECT_EQ(target.plan_tag_b, 5);
        EXPECT_TRUE(target.plan_list_a.empty());
    }
}

TEST_F(OpponentRecordTest, ShortWriteSetsTheWriteErrorFlag) {
    COpponent& o = opponent(0);
    FillOpponent(o, 0, {});
    g_WriteError = 0;
    plat::SetWriteLimitForTests(100);
    SaveRecord(o);
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(g_WriteError, 1);
    g_WriteError = 0;
}

}  // namespace
}  // namespace fvtest
