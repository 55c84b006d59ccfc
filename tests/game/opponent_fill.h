#pragma once
// Fills an opponent's saved words and lists with values that differ from
// field to field and from opponent to opponent, so that a record written in
// the wrong order or with a field dropped cannot round-trip.

#include <array>
#include <cstdint>
#include <vector>

#include "game/opponent.h"

namespace fvtest {

template <size_t N>
void Ramp(std::array<uint8_t, N>& bytes, int32_t first, int32_t step = 1) {
    for (size_t i = 0; i < N; ++i) bytes[i] = static_cast<uint8_t>(first + int32_t(i) * step);
}

inline PlanNode MakePlanNode(int32_t seed, CVehicle* vehicle) {
    PlanNode node;
    node.word_1 = static_cast<uint16_t>(0x1100 + seed);
    node.word_2 = static_cast<uint16_t>(0x2200 + seed);
    node.word_3 = static_cast<uint16_t>(0x3300 + seed);
    node.byte_1 = static_cast<uint8_t>(0x40 + seed);
    node.word_4 = static_cast<uint16_t>(0x5500 + seed);
    for (size_t i = 0; i < node.text_1.size(); ++i)
        node.text_1[i] = static_cast<uint8_t>('A' + (i + seed) % 26);
    Ramp(node.block_1, seed, 7);
    node.bytes_1 = {static_cast<uint8_t>(seed), 0x81, 0xfe};
    node.byte_2 = static_cast<uint8_t>(0x60 + seed);
    node.byte_3 = static_cast<uint8_t>(0x70 + seed);
    node.byte_4 = static_cast<uint8_t>(0x80 + seed);
    node.value_1[0] = 10 + seed;
    node.value_1[1] = -20 - seed;
    Ramp(node.block_2, 0xa0 + seed);
    node.vehicle = vehicle;
    node.number = 1000 + seed;
    return node;
}

inline StepNode MakeStepNode(int32_t seed) {
    StepNode node{100 + seed, -200 - seed, 300 + seed, {}};
    Ramp(node.block_1, 0x30 + seed);
    return node;
}

// Gives every saved word a value of its own; `vehicles` are handed out to the
// plan nodes in turn (a null entry makes a node without a vehicle).
inline void FillOpponent(COpponent& o, int32_t seed, const std::vector<CVehicle*>& vehicles) {
    int32_t next = seed * 1000;
    for (int32_t* word :
         {&o.state_7,  &o.state_8,  &o.state_9,  &o.state_10, &o.state_11, &o.state_12, &o.state_13,
          &o.state_14, &o.state_15, &o.state_16, &o.state_17, &o.state_18, &o.state_19, &o.state_20,
          &o.state_21, &o.state_22, &o.state_23, &o.state_24, &o.state_25, &o.state_26}) {
        *word = ++next;
    }
    o.in_use = 7 + seed;
    o.turn_countdown = -3 - seed;
    o.turn_pending = 500 + seed;
    o.state_byte = static_cast<uint8_t>(0xc0 + seed);
    for (size_t i = 0; i < o.slot_table.words.size(); ++i)
        o.slot_table.words[i] = seed * 100 + static_cast<int32_t>(i);
    o.slot_table.bytes = {static_cast<uint8_t>(seed), 2, 3};
    Ramp(o.state_block, 0xe0 + seed);
    o.plan_tag_a = 0x0a0a + seed;
    o.plan_tag_b = 0x0b0b + seed;

    size_t given = 0;
    auto next_vehicle = [&] {
        return vehicles.empty() ? nullptr : vehicles[given++ % vehicles.size()];
    };
    for (int32_t i = 0; i < 3 + seed; ++i)
        o.plan_list_a.push_back(MakePlanNode(seed * 10 + i, next_vehicle()));
    for (int32_t i = 0; i < 2; ++i)
        o.plan_list_b.push_back(MakePlanNode(seed * 10 + 5 + i, next_vehicle()));
    for (int32_t i = 0; i < 2 + seed; ++i) o.step_lists[0].push_back(MakeStepNode(seed * 10 + i));
    o.step_lists[1].push_back(MakeStepNode(seed * 20));
    for (int32_t i = 0; i < 4; ++i) o.step_list_c.push_back(MakeStepNode(seed * 30 + i));
    for (int32_t i = 0; i < 3 + seed; ++i) o.pair_list.push_back({seed * 7 + i, -i});
}

}  // namespace fvtest
