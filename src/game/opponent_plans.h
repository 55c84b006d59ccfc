#pragma once
// The plan and step lists a computer opponent keeps between its turns. The
// lists keep their nodes in order (new nodes go at the back, as the level file
// reads them) and never move a node once it is in the list, so a turn may hold
// on to a node while it works on it.

#include <array>
#include <cstdint>
#include <list>

class CVehicle;

// One planned undertaking of an opponent.
struct PlanNode {
    uint16_t word_1 = 0;
    uint16_t word_2 = 0;
    uint16_t word_3 = 0;
    uint8_t byte_1 = 0;
    uint16_t word_4 = 0;
    std::array<uint8_t, 32> text_1{};
    std::array<uint8_t, 24> block_1{};
    std::array<uint8_t, 3> bytes_1{};
    uint8_t byte_2 = 0;
    uint8_t byte_3 = 0;
    uint8_t byte_4 = 0;
    int32_t value_1[2] = {0, 0};  // a map position x, y
    std::array<uint8_t, 12> block_2{};
    CVehicle* vehicle = nullptr;  // a vehicle of the vehicle list, or none
    int32_t number = 0;
};

// One step of an opponent's plan.
struct StepNode {
    int32_t value_1 = 0;
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    std::array<uint8_t, 16> block_1{};
};

using PlanList = std::list<PlanNode>;
using StepList = std::list<StepNode>;

// The list of integer pairs an opponent keeps beside its plans, front first.
struct OpponentPair {
    int32_t a = 0;
    int32_t b = 0;
};
using PairList = std::list<OpponentPair>;

// Sizes of the nodes in the level file.
constexpr uint32_t kPlanNodeFileSize = 99;
constexpr uint32_t kStepNodeFileSize = 28;
constexpr uint32_t kPairFileSize = 8;
