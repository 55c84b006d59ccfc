#include "game/opponent.h"

#include <algorithm>
#include <cstring>

#include "state/game_state.h"

namespace {

int32_t ClampSlot(int32_t slot) {
    return std::clamp(slot, 0, kOpponentCount - 1);
}
int32_t ClampProfile(int32_t profile) {
    return std::clamp(profile, 0, kOpponentProfileCount - 1);
}

}  // namespace

COpponent::COpponent(int32_t slot, int32_t profile, Detached) {
    slot = ClampSlot(slot);
    profile_index = ClampProfile(profile);
    player_number = slot + 1;
    turn_countdown = ProfileTurnInterval();
}

COpponent::COpponent(int32_t slot, int32_t profile) : COpponent(slot, profile, Detached{}) {
    CGameState* state = g_pGameState;
    if (state == nullptr) return;
    const OpponentProfile& source = state->opponent_profiles[profile_index];
    state->cash[player_number] = static_cast<int64_t>(source.start_capital);
    // The profile's name may be longer than a company name: cut it to fit.
    char* name = state->company_names[player_number];
    const size_t room = kCompanyNameLength;
    const size_t length = strnlen(source.name, sizeof(source.name));
    const size_t copied = std::min(length, room - 1);
    std::memcpy(name, source.name, copied);
    std::memset(name + copied, 0, room - copied);
}

int32_t COpponent::ProfileTurnInterval() const {
    const CGameState* state = g_pGameState;
    const int32_t profile = ClampProfile(profile_index);
    if (state == nullptr) return 2 * (profile + 1);
    return state->opponent_profiles[profile].turn_interval;
}

void COpponent::ResetTurn() {
    // turn_pending stays: it tells that the opponent takes part, and an
    // opponent that takes part has a turn every interval.
    ClearTurnReferences();
    turn_countdown = ProfileTurnInterval();
    if (g_pGameState != nullptr) g_pGameState->active_opponent = -1;
}

void COpponent::ClearTurnReferences() {
    turn_ref_1 = nullptr;
    turn_ref_2 = nullptr;
    turn_ref_3 = nullptr;
    turn_ref_4 = nullptr;
}

void COpponent::FreeLists() {
    ClearTurnReferences();
    plan_list_a.clear();
    plan_tag_a = 0;
    plan_list_b.clear();
    plan_tag_b = 0;
    for (StepList& steps : step_lists) steps.clear();
    step_list_c.clear();
    pair_list.clear();
}

void COpponent::ForgetWorld() {
    COpponent fresh(player_number - 1, profile_index, Detached{});
    TakeRecordFrom(fresh);
    state_1 = state_2 = state_3 = state_4 = state_5 = state_6 = 0;
}

void COpponent::ForgetVehicle(const CVehicle* vehicle) {
    if (vehicle == nullptr) return;
    // A vehicle plan goes with its vehicle; other plans only drop the pointer.
    for (PlanNode** ref : {&turn_ref_1, &turn_ref_2, &turn_ref_3, &turn_ref_4}) {
        if (*ref != nullptr && (*ref)->vehicle == vehicle) *ref = nullptr;
    }
    plan_list_a.remove_if([&](const PlanNode& node) { return node.vehicle == vehicle; });
    for (PlanNode& node : plan_list_b) {
        if (node.vehicle == vehicle) node.vehicle = nullptr;
    }
}

void COpponent::TakeRecordFrom(COpponent& other) {
    FreeLists();
    turn_pending = other.turn_pending;
    state_7 = other.state_7;
    state_8 = other.state_8;
    state_9 = other.state_9;
    in_use = other.in_use;
    player_number = other.player_number;
    profile_index = other.profile_index;
    turn_countdown = other.turn_countdown;
    plan_list_a = std::move(other.plan_list_a);
    plan_tag_a = other.plan_tag_a;
    step_lists = std::move(other.step_lists);
    plan_list_b = std::move(other.plan_list_b);
    plan_tag_b = other.plan_tag_b;
    state_12 = other.state_12;
    state_14 = other.state_14;
    state_13 = other.state_13;
    step_list_c = std::move(other.step_list_c);
    state_15 = other.state_15;
    state_byte = other.state_byte;
    state_16 = other.state_16;
    state_10 = other.state_10;
    slot_table = other.slot_table;
    state_11 = other.state_11;
    state_block = other.state_block;
    pair_list = std::move(other.pair_list);
    state_24 = other.state_24;
    state_17 = other.state_17;
    state_18 = other.state_18;
    state_25 = other.state_25;
    state_21 = other.state_21;
    state_22 = other.state_22;
    state_23 = other.state_23;
    state_19 = other.state_19;
    state_20 = other.state_20;
    state_26 = other.state_26;
}
