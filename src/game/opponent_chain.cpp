#include "game/opponent_chain.h"

#include "state/game_state.h"

namespace {

template <size_t N>
int32_t GetWord(const std::array<uint8_t, N>& block, size_t i) {
    const size_t at = i * 4;
    return static_cast<int32_t>(static_cast<uint32_t>(block[at]) |
                                (static_cast<uint32_t>(block[at + 1]) << 8) |
                                (static_cast<uint32_t>(block[at + 2]) << 16) |
                                (static_cast<uint32_t>(block[at + 3]) << 24));
}

template <size_t N>
void PutWord(std::array<uint8_t, N>& block, size_t i, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    const size_t at = i * 4;
    for (size_t b = 0; b < 4; ++b) block[at + b] = static_cast<uint8_t>(v >> (8 * b));
}

}  // namespace

Chain DecodeChain(const PlanNode& node) {
    Chain chain;
    chain.id = node.number;
    chain.state = static_cast<ChainState>(node.byte_1);
    chain.mode = node.byte_2 == 1 ? ChainMode::Rail : ChainMode::Road;
    chain.raw = node.byte_3;
    chain.product = node.byte_4;
    chain.factory_x = node.value_1[0];
    chain.factory_y = node.value_1[1];
    chain.site = node.word_1;
    chain.factory = node.word_2;
    chain.store = node.word_3;
    chain.city_slot = static_cast<int32_t>(node.word_4) - 1;
    for (size_t i = 0; i < chain.terminals.size(); ++i) {
        chain.terminals[i] = GetWord(node.block_1, i);
    }
    chain.start_month = GetWord(node.block_2, 0);
    chain.last_check = GetWord(node.block_2, 1);
    chain.strikes = GetWord(node.block_2, 2);
    chain.repairs = node.bytes_1[0];
    chain.lean = node.bytes_1[1] == 1;
    return chain;
}

void EncodeChain(const Chain& chain, PlanNode& node) {
    node.number = chain.id;
    node.byte_1 = static_cast<uint8_t>(chain.state);
    node.byte_2 = static_cast<uint8_t>(chain.mode);
    node.byte_3 = static_cast<uint8_t>(chain.raw);
    node.byte_4 = static_cast<uint8_t>(chain.product);
    node.value_1[0] = chain.factory_x;
    node.value_1[1] = chain.factory_y;
    node.word_1 = static_cast<uint16_t>(chain.site);
    node.word_2 = static_cast<uint16_t>(chain.factory);
    node.word_3 = static_cast<uint16_t>(chain.store);
    node.word_4 = static_cast<uint16_t>(chain.city_slot + 1);
    for (size_t i = 0; i < chain.terminals.size(); ++i) {
        PutWord(node.block_1, i, chain.terminals[i]);
    }
    PutWord(node.block_2, 0, chain.start_month);
    PutWord(node.block_2, 1, chain.last_check);
    PutWord(node.block_2, 2, chain.strikes);
    node.bytes_1[0] = static_cast<uint8_t>(chain.repairs);
    node.bytes_1[1] = chain.lean ? 1 : 0;
}

BuildStep DecodeStep(const StepNode& node) {
    BuildStep step;
    step.kind = static_cast<StepKind>(node.value_3);
    step.x = node.value_1;
    step.y = node.value_2;
    for (size_t i = 0; i < step.args.size(); ++i) step.args[i] = GetWord(node.block_1, i);
    step.refusals = GetWord(node.block_1, 3);
    return step;
}

StepNode EncodeStep(const BuildStep& step) {
    StepNode node;
    node.value_3 = static_cast<int32_t>(step.kind);
    node.value_1 = step.x;
    node.value_2 = step.y;
    for (size_t i = 0; i < step.args.size(); ++i) PutWord(node.block_1, i, step.args[i]);
    PutWord(node.block_1, 3, step.refusals);
    return node;
}

GivenUpCombination DecodeGivenUp(const StepNode& node) {
    const int32_t reason = GetWord(node.block_1, 1);
    return {node.value_1, node.value_2, node.value_3, GetWord(node.block_1, 0),
            reason >= 0 && reason <= static_cast<int32_t>(SetAside::NoSites)
                ? static_cast<SetAside>(reason)
                : SetAside::Lost};
}

StepNode EncodeGivenUp(const GivenUpCombination& combination) {
    StepNode node;
    node.value_1 = combination.site;
    node.value_2 = combination.city_slot;
    node.value_3 = combination.product;
    PutWord(node.block_1, 0, combination.month);
    PutWord(node.block_1, 1, static_cast<int32_t>(combination.reason));
    return node;
}

int32_t SetAsideMonths(SetAside reason) {
    switch (reason) {
        case SetAside::Unfinished:
            return 36;
        case SetAside::NoSites:
            return 18;
        default:
            return 120;
    }
}

int32_t GameMonth() {
    return g_pGameState != nullptr ? g_pGameState->year * 12 + g_pGameState->month : 0;
}
