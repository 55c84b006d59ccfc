#include "game/opponent_level.h"

#include <set>

#include "game/opponent.h"
#include "game/opponent_fleet.h"
#include "state/game_state.h"
#include "state/le_io.h"

void WriteOpponentRecords(plat::FileHandle file) {
    if (g_pGameState == nullptr) return;
    CGameState& state = *g_pGameState;
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        const COpponent* opponent = state.opponents[slot];
        if (opponent != nullptr) {
            opponent->Save(file);
        } else {
            COpponent stand_in(slot, slot, COpponent::Detached{});
            stand_in.turn_pending = -1;
            stand_in.Save(file);
        }
    }
    le::WriteI32(file, state.active_opponent);
    for (const COpponent* opponent : state.opponents)
        le::WriteI32(file, opponent != nullptr ? opponent->takeover_year : 2060);
    for (const COpponent* opponent : state.opponents)
        le::WriteI32(file, opponent != nullptr ? opponent->takeover_percent : 100);
}

bool ReadOpponentRecords(plat::FileHandle file) {
    if (g_pGameState == nullptr) return false;
    CGameState& state = *g_pGameState;
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        COpponent*& opponent = state.opponents[slot];
        if (opponent == nullptr) opponent = new COpponent(slot, slot, COpponent::Detached{});
        if (opponent->Load(file) == OpponentLoadResult::Damaged) return false;
        // The plans name the opponent's vehicles and buildings.
        if (!ClaimPlannedProperty(*opponent)) return false;
        if (opponent->turn_pending == -1) {
            delete opponent;
            opponent = new COpponent(slot, slot);
        }
    }

    int32_t active = -1;
    if (!le::ReadI32(file, active) || active < -1 || active >= kOpponentCount) active = -1;
    state.active_opponent = active;
    for (COpponent* opponent : state.opponents) {
        if (!le::ReadI32(file, opponent->takeover_year)) return true;
    }
    for (COpponent* opponent : state.opponents) {
        if (!le::ReadI32(file, opponent->takeover_percent)) return true;
    }
    return true;
}

bool SkipOpponentRecords(plat::FileHandle file, const std::function<int32_t(int32_t)>& owner_of,
                         int32_t* records_end) {
    std::set<const CVehicle*> claimed;
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        COpponent staged(slot, 0, COpponent::Detached{});
        if (staged.Load(file) == OpponentLoadResult::Damaged) return false;
        if (owner_of && !PlannedPropertySound(staged, owner_of, claimed)) return false;
    }
    if (records_end != nullptr) *records_end = plat::SeekFile(file, 0, plat::SeekFrom::Current);
    int32_t ignored = 0;
    for (int word = 0; word < 7; ++word) {
        if (!le::ReadI32(file, ignored)) break;
    }
    return true;
}

void ResetOpponentTakeOverTerms() {
    if (g_pGameState == nullptr) return;
    for (COpponent* opponent : g_pGameState->opponents) {
        if (opponent == nullptr) continue;
        opponent->takeover_year = 2060;
        opponent->takeover_percent = 100;
    }
}

void ResetOpponentsForLevelStart() {
    if (g_pGameState == nullptr) return;
    for (COpponent* opponent : g_pGameState->opponents) {
        if (opponent != nullptr) opponent->turn_pending = 0;
    }
    ResetOpponentTakeOverTerms();
}
