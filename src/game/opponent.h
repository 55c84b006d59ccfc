#pragma once
// A computer opponent: one of the players 1..3, made from one of the five
// opponent profiles of the game state. It holds its turn schedule, its
// take-over terms and the plan lists it keeps between turns; the game state
// owns the three of them and the main loop runs their turns.

#include <array>
#include <cstdint>

#include "game/opponent_plans.h"
#include "platform/file.h"

class CVehicle;

// The opponent's table of slots: fifteen words and three bytes, stored as 63
// bytes.
struct OpponentSlotTable {
    std::array<int32_t, 15> words;
    std::array<uint8_t, 3> bytes;
    OpponentSlotTable() {
        words.fill(-1);
        bytes.fill(255);
    }
};

enum class OpponentLoadResult {
    Loaded,   // the record was read whole
    Absent,   // the file ended before the record: turn_pending is now -1
    Damaged,  // a count or value the record cannot hold: the opponent is unchanged
};

class COpponent {
  public:
    // Makes the opponent of `slot` (0..2, player slot + 1) from `profile`
    // (0..4): its start capital becomes the player's cash and its name the
    // player's company name.
    COpponent(int32_t slot, int32_t profile);
    // An opponent that leaves the players' money and names alone: the reader
    // fills it from a record before it takes part.
    struct Detached {};
    COpponent(int32_t slot, int32_t profile, Detached);
    ~COpponent() = default;
    COpponent(const COpponent&) = delete;
    COpponent& operator=(const COpponent&) = delete;

    // Ends the opponent's turn: the countdown starts again from its profile,
    // the turn's references are dropped and no opponent is active any more.
    // turn_pending is kept (non-zero: the opponent takes part).
    void ResetTurn();
    // The opponent's turn (opponent_turn.cpp): an opponent that takes part
    // keeps its chains, builds and surveys; every turn ends with ResetTurn.
    void TakeTurn();

    // Writes the level record; a short write sets the write-error flag.
    void Save(plat::FileHandle file) const;
    // Reads the level record written by Save. A record that is complete
    // replaces the saved fields and lists; a damaged one (a count past the end
    // of the file, a profile outside 0..4, a player number other than this
    // opponent's) changes nothing.
    OpponentLoadResult Load(plat::FileHandle file);

    // Frees every plan, step and pair list (a plan list's tag becomes 0) and
    // drops the turn references that pointed into them.
    void FreeLists();
    // The world the opponent planned in is going (its game ended, or a
    // level's world replaces it): every plan, step, chain, state word and
    // turn_pending becomes what a new opponent of its slot and profile has.
    // Its profile and its take-over terms stay.
    void ForgetWorld();
    // The vehicle is going away: its vehicle plans are dropped and every
    // other plan's reference to it cleared.
    void ForgetVehicle(const CVehicle* vehicle);

    // The profile's weeks between turns.
    int32_t ProfileTurnInterval() const;

    int32_t state_1 = 0;
    int32_t state_2 = 0;
    int32_t in_use = 1;
    int32_t turn_countdown = 0;  // game weeks until the next turn
    int32_t profile_index = 0;   // 0..4
    int32_t state_3 = 0;
    int32_t state_4 = 0;
    int32_t state_5 = 0;
    int32_t state_6 = 0;
    int32_t takeover_year = 2060;    // from this year on the player may buy the opponent
    int32_t takeover_percent = 100;  // share of the opponent's worth in the price
    int32_t state_7 = 0;
    int32_t state_8 = 0;
    int32_t turn_pending = 1000;  // non-zero: the weekly countdown runs; -1 after a load: absent
    int32_t player_number = 1;    // 1..3
    int32_t state_9 = 0;
    // The plan nodes the running turn works on; saved as their numbers,
    // empty after loading and after every turn.
    PlanNode* turn_ref_1 = nullptr;
    PlanList plan_list_a;
    int32_t plan_tag_a = 0;
    PlanList plan_list_b;
    int32_t plan_tag_b = 0;
    std::array<StepList, 2> step_lists;
    OpponentSlotTable slot_table;
    int32_t state_10 = 0;
    int32_t state_11 = 0;
    PlanNode* turn_ref_2 = nullptr;
    PlanNode* turn_ref_3 = nullptr;
    PlanNode* turn_ref_4 = nullptr;
    int32_t state_12 = 0;
    int32_t state_13 = 0;
    int32_t state_14 = 0;
    int32_t state_15 = 0;
    int32_t state_16 = 0;
    int32_t state_17 = 0;
    int32_t state_18 = 0;
    int32_t state_19 = 0;
    int32_t state_20 = 0;
    int32_t state_21 = 0;
    int32_t state_22 = 0;
    int32_t state_23 = 0;
    int32_t state_24 = 0;
    int32_t state_25 = 0;
    uint8_t state_byte = 0;
    StepList step_list_c;
    PairList pair_list;
    std::array<uint8_t, 12> state_block{};
    int32_t state_26 = 0;

  private:
    void ClearTurnReferences();
    // Moves everything the level record holds from `other` into this one.
    void TakeRecordFrom(COpponent& other);
};
