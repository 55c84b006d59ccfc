#pragma once
// A small world for the opponents' play: flat land with its terrain, the
// real building table and city manager, and the main loop on the headless
// clock with a short game tick; sites and cities made as the generator does.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/game_app.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_chain.h"
#include "platform/headless/headless_backend.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"
#include "world/terrain.h"

namespace fvtest {

class OpponentWorld : public ::testing::Test {
  protected:
    OpponentWorld();
    ~OpponentWorld() override;

    CGameState& GS() { return game_.state(); }
    COpponent& Opponent(int32_t slot) { return *GS().opponents[slot]; }
    // A raw-material site (mines dig gold) at (x, y); its building number.
    int32_t PlaceSite(int32_t type, int32_t x, int32_t y);
    // A city founded on (x, y) and grown to at least `residents`; its slot.
    int32_t FoundCity(int32_t x, int32_t y, int32_t residents);
    void Months(int32_t months);  // idle passes of the main loop
    // Turns of `slot` a month apart until its chain runs; true when it does.
    bool TurnUntilRunning(int32_t slot, int32_t turns);
    std::vector<Chain> Chains(int32_t slot);
    // Units of the chain's product its store took from `months` months ago on.
    int32_t Delivered(const Chain& chain, int32_t months);

    plat::HeadlessBackend host_;
    fvtest::GameScope game_;
    std::unique_ptr<CLookupTables> tables_;
    std::unique_ptr<CTerrain> terrain_;
    CBuildingTable buildings_;
    CCityManager cities_;
    CGameApp app_;
};

}  // namespace fvtest
