// The opponent's record in the level file: its saved words, its plan, step
// and pair lists, and the numbers of the plan nodes its turn worked on. All
// numbers are little-endian. The reader checks every count against the bytes
// left in the file before it reads the nodes, so a damaged count can never
// make it read past the end or allocate more than the file holds.

#include <cstring>
#include <vector>

#include "game/opponent.h"
#include "state/game_records.h"
#include "state/le_io.h"
#include "transport/vehicle_lookup.h"

namespace {

// Collects a record in memory; the record goes to the file in one write.
class RecordBuffer {
  public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) {
        uint8_t bytes[2];
        le::PutU16(bytes, v);
        bytes_.insert(bytes_.end(), bytes, bytes + 2);
    }
    void I32(int32_t v) {
        uint8_t bytes[4];
        le::PutU32(bytes, static_cast<uint32_t>(v));
        bytes_.insert(bytes_.end(), bytes, bytes + 4);
    }
    void U32(uint32_t v) { I32(static_cast<int32_t>(v)); }
    template <size_t N>
    void Bytes(const std::array<uint8_t, N>& block) {
        bytes_.insert(bytes_.end(), block.begin(), block.end());
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
};

// Reads a record from the file, never past its end.
class RecordReader {
  public:
    explicit RecordReader(plat::FileHandle file) : file_(file) {
        int32_t position = plat::SeekFile(file, 0, plat::SeekFrom::Current);
        int32_t end = plat::SeekFile(file, 0, plat::SeekFrom::End);
        if (position >= 0 && end >= position) {
            plat::SeekFile(file, position, plat::SeekFrom::Begin);
            remaining_ = static_cast<uint32_t>(end - position);
        }
    }

    uint32_t remaining() const { return remaining_; }
    bool ok() const { return ok_; }

    // Reads `count` bytes into the reader's window; false (and the reader
    // fails) when the file holds fewer.
    bool Fill(uint32_t count) {
        window_.clear();
        cursor_ = 0;
        if (!ok_ || count > remaining_) return Fail();
        window_.resize(count);
        if (count > 0 &&
            plat::ReadFile(file_, window_.data(), count) != static_cast<int32_t>(count))
            return Fail();
        remaining_ -= count;
        return true;
    }
    // Reads a 32-bit count of items of `item_size` bytes and checks that the
    // file still holds that many.
    bool Count(uint32_t item_size, uint32_t& count) {
        if (!Fill(4)) return false;
        count = static_cast<uint32_t>(I32());
        if (count > remaining_ / item_size) return Fail();
        return true;
    }

    uint8_t U8() { return window_[cursor_++]; }
    uint16_t U16() {
        uint16_t v = le::GetU16(window_.data() + cursor_);
        cursor_ += 2;
        return v;
    }
    int32_t I32() {
        uint32_t v = le::GetU32(window_.data() + cursor_);
        cursor_ += 4;
        return static_cast<int32_t>(v);
    }
    template <size_t N>
    void Bytes(std::array<uint8_t, N>& block) {
        std::memcpy(block.data(), window_.data() + cursor_, N);
        cursor_ += N;
    }

  private:
    bool Fail() {
        ok_ = false;
        return false;
    }

    plat::FileHandle file_;
    uint32_t remaining_ = 0;
    bool ok_ = true;
    std::vector<uint8_t> window_;
    size_t cursor_ = 0;
};

int32_t VehicleNumberOf(const CVehicle* vehicle) {
    if (vehicle == nullptr || g_pVehicleLookup == nullptr) return -1;
    return g_pVehicleLookup->VehicleNumber(*vehicle);
}

CVehicle* VehicleByNumber(int32_t number) {
    if (number < 0 || g_pVehicleLookup == nullptr) return nullptr;
    return g_pVehicleLookup->FindVehicleByNumber(number);
}

void WritePlanNode(RecordBuffer& out, const PlanNode& node) {
    out.U8(node.byte_1);
    out.I32(node.value_1[0]);
    out.I32(node.value_1[1]);
    out.U8(node.byte_3);
    out.U16(node.word_3);
    out.U8(node.byte_2);
    out.U8(node.byte_4);
    out.Bytes(node.text_1);
    out.U16(node.word_4);
    out.Bytes(node.block_1);
    out.Bytes(node.bytes_1);
    out.Bytes(node.block_2);
    out.U16(node.word_1);
    out.I32(VehicleNumberOf(node.vehicle));
    out.U16(node.word_2);
    out.I32(node.number);
}

PlanNode ReadPlanNode(RecordReader& in) {
    PlanNode node;
    node.byte_1 = in.U8();
    node.value_1[0] = in.I32();
    node.value_1[1] = in.I32();
    node.byte_3 = in.U8();
    node.word_3 = in.U16();
    node.byte_2 = in.U8();
    node.byte_4 = in.U8();
    in.Bytes(node.text_1);
    node.word_4 = in.U16();
    in.Bytes(node.block_1);
    in.Bytes(node.bytes_1);
    in.Bytes(node.block_2);
    node.word_1 = in.U16();
    node.vehicle = VehicleByNumber(in.I32());
    node.word_2 = in.U16();
    node.number = in.I32();
    return node;
}

void WriteStepNode(RecordBuffer& out, const StepNode& node) {
    out.I32(node.value_3);
    out.Bytes(node.block_1);
    out.I32(node.value_1);
    out.I32(node.value_2);
}

StepNode ReadStepNode(RecordReader& in) {
    StepNode node;
    node.value_3 = in.I32();
    in.Bytes(node.block_1);
    node.value_1 = in.I32();
    node.value_2 = in.I32();
    return node;
}

void WritePlanList(RecordBuffer& out, const PlanList& list, int32_t tag) {
    out.U32(static_cast<uint32_t>(list.size()));
    out.I32(tag);
    for (const PlanNode& node : list) WritePlanNode(out, node);
}

bool ReadPlanList(RecordReader& in, PlanList& list, int32_t& tag) {
    uint32_t count = 0;
    if (!in.Count(kPlanNodeFileSize, count) || !in.Fill(4)) return false;
    tag = in.I32();
    // The tag came after the count: check the nodes again against what is left.
    if (count > in.remaining() / kPlanNodeFileSize) return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (!in.Fill(kPlanNodeFileSize)) return false;
        list.push_back(ReadPlanNode(in));
    }
    return true;
}

void WriteStepList(RecordBuffer& out, const StepList& list) {
    out.U32(static_cast<uint32_t>(list.size()));
    for (const StepNode& node : list) WriteStepNode(out, node);
}

bool ReadStepList(RecordReader& in, StepList& list) {
    uint32_t count = 0;
    if (!in.Count(kStepNodeFileSize, count)) return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (!in.Fill(kStepNodeFileSize)) return false;
        list.push_back(ReadStepNode(in));
    }
    return true;
}

void WriteSlotTable(RecordBuffer& out, const OpponentSlotTable& table) {
    for (int32_t word : table.words) out.I32(word);
    out.Bytes(table.bytes);
}

void ReadSlotTable(RecordReader& in, OpponentSlotTable& table) {
    for (int32_t& word : table.words) word = in.I32();
    in.Bytes(table.bytes);
}

int32_t TurnReferenceNumber(const PlanNode* node) {
    return node != nullptr ? node->number : -1;
}

// Words 6 to 10 of the record: the fixed part between step_list_c and the
// pair list, and the one after the pair list.
constexpr uint32_t kMiddleBlockSize = 4 + 1 + 4 + 4 + 63 + 4 + 12;
constexpr uint32_t kTailBlockSize = 10 * 4 + 4 * 4;

}  // namespace

void COpponent::Save(plat::FileHandle file) const {
    RecordBuffer out;
    out.I32(turn_pending);
    out.I32(state_7);
    out.I32(state_8);
    out.I32(state_9);
    out.I32(in_use);
    out.I32(player_number);
    out.I32(profile_index);
    out.I32(turn_countdown);
    WritePlanList(out, plan_list_a, plan_tag_a);
    WriteStepList(out, step_lists[0]);
    WriteStepList(out, step_lists[1]);
    WritePlanList(out, plan_list_b, plan_tag_b);
    out.I32(state_12);
    out.I32(state_14);
    out.I32(state_13);
    WriteStepList(out, step_list_c);
    out.I32(state_15);
    out.U8(state_byte);
    out.I32(state_16);
    out.I32(state_10);
    WriteSlotTable(out, slot_table);
    out.I32(state_11);
    out.Bytes(state_block);
    out.U32(static_cast<uint32_t>(pair_list.size()));
    for (const OpponentPair& pair : pair_list) {
        out.I32(pair.a);
        out.I32(pair.b);
    }
    out.I32(state_24);
    out.I32(state_17);
    out.I32(state_18);
    out.I32(state_25);
    out.I32(state_21);
    out.I32(state_22);
    out.I32(state_23);
    out.I32(state_19);
    out.I32(state_20);
    out.I32(state_26);
    out.I32(TurnReferenceNumber(turn_ref_1));
    out.I32(TurnReferenceNumber(turn_ref_2));
    out.I32(TurnReferenceNumber(turn_ref_3));
    out.I32(TurnReferenceNumber(turn_ref_4));
    le::WriteBytes(file, out.bytes().data(), static_cast<uint32_t>(out.bytes().size()));
}

namespace {

// Reads one record into `target`, whose lists are empty. Returns Absent when
// the file ends inside the first word.
OpponentLoadResult ReadRecord(plat::FileHandle file, COpponent& target) {
    const int32_t expected_player = target.player_number;
    RecordReader in(file);
    if (in.remaining() < 4) {
        // Nothing is read past the end: an older file without opponents.
        target.turn_pending = -1;
        return OpponentLoadResult::Absent;
    }
    COpponent& o = target;
    if (!in.Fill(32)) return OpponentLoadResult::Damaged;
    o.turn_pending = in.I32();
    o.state_7 = in.I32();
    o.state_8 = in.I32();
    o.state_9 = in.I32();
    o.in_use = in.I32();
    o.player_number = in.I32();
    o.profile_index = in.I32();
    o.turn_countdown = in.I32();
    // The record belongs to this slot's player; anything else is no record of ours.
    if (o.player_number != expected_player) return OpponentLoadResult::Damaged;
    if (o.profile_index < 0 || o.profile_index >= kOpponentProfileCount)
        return OpponentLoadResult::Damaged;

    if (!ReadPlanList(in, o.plan_list_a, o.plan_tag_a)) return OpponentLoadResult::Damaged;
    if (!ReadStepList(in, o.step_lists[0]) || !ReadStepList(in, o.step_lists[1]))
        return OpponentLoadResult::Damaged;
    if (!ReadPlanList(in, o.plan_list_b, o.plan_tag_b)) return OpponentLoadResult::Damaged;

    if (!in.Fill(12)) return OpponentLoadResult::Damaged;
    o.state_12 = in.I32();
    o.state_14 = in.I32();
    o.state_13 = in.I32();
    if (!ReadStepList(in, o.step_list_c)) return OpponentLoadResult::Damaged;

    if (!in.Fill(kMiddleBlockSize)) return OpponentLoadResult::Damaged;
    o.state_15 = in.I32();
    o.state_byte = in.U8();
    o.state_16 = in.I32();
    o.state_10 = in.I32();
    ReadSlotTable(in, o.slot_table);
    o.state_11 = in.I32();
    in.Bytes(o.state_block);

    uint32_t pairs = 0;
    if (!in.Count(kPairFileSize, pairs)) return OpponentLoadResult::Damaged;
    if (!in.Fill(pairs * kPairFileSize)) return OpponentLoadResult::Damaged;
    for (uint32_t i = 0; i < pairs; ++i) {
        OpponentPair pair;
        pair.a = in.I32();
        pair.b = in.I32();
        o.pair_list.push_back(pair);
    }

    if (!in.Fill(kTailBlockSize)) return OpponentLoadResult::Damaged;
    o.state_24 = in.I32();
    o.state_17 = in.I32();
    o.state_18 = in.I32();
    o.state_25 = in.I32();
    o.state_21 = in.I32();
    o.state_22 = in.I32();
    o.state_23 = in.I32();
    o.state_19 = in.I32();
    o.state_20 = in.I32();
    o.state_26 = in.I32();
    // The turn's references are stored as numbers and come back empty.
    for (int i = 0; i < 4; ++i) in.I32();
    return OpponentLoadResult::Loaded;
}

}  // namespace

OpponentLoadResult COpponent::Load(plat::FileHandle file) {
    COpponent staged(player_number - 1, profile_index, Detached{});
    OpponentLoadResult result = ReadRecord(file, staged);
    if (result == OpponentLoadResult::Loaded) {
        TakeRecordFrom(staged);
    } else if (result == OpponentLoadResult::Absent) {
        turn_pending = -1;
    }
    return result;
}
