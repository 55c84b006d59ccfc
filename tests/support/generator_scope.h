#pragma once
// A game scope ready for the world generator: the game's data read from one
// folder, with fresh look-up tables, terrain, cities and buildings.

#include <cstdint>
#include <string>

#include "support/game_scope.h"

class CBuildingTable;
class CCityManager;
class CTerrain;

namespace fvtest {

class GeneratorScope {
  public:
    // Every data path at `folder`, a free game in `season`.
    GeneratorScope(const std::string& folder, int32_t season);
    CGameState& state() { return scope_.state(); }
    CTerrain& terrain() { return *terrain_; }
    CCityManager& cities() { return *cities_; }
    CBuildingTable& buildings() { return *buildings_; }

  private:
    GameScope scope_;
    CTerrain* terrain_ = nullptr;
    CCityManager* cities_ = nullptr;
    CBuildingTable* buildings_ = nullptr;
};

}  // namespace fvtest
