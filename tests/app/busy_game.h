#pragma once
// A busy running game for the level-file tests and the level-reader fuzzer (no
// test framework here): a building of every class, a city with streets, houses
// and stores, two trucks, a train, and opponents whose plans name them.

#include <array>
#include <cstdint>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/headless/headless_backend.h"
#include "world/build_helper.h"

class CTruck;

namespace fvtest {

class BusyGame {
  public:
    // Puts its building table and city manager into the globals; the game
    // state, lookup tables and way network must exist. Cleans up after itself.
    BusyGame();
    ~BusyGame();
    BusyGame(const BusyGame&) = delete;
    BusyGame& operator=(const BusyGame&) = delete;
    // Replaces the running game's world by the busy one of `seed`.
    void Build(int32_t seed);
    // Runs `frames` frame updates (vehicles move), 26 fake ms apart.
    static void Run(plat::HeadlessBackend& host, int32_t frames);
    // Two trucks carrying gold between the busy game's two depots, (103, 103)
    // and (121, 103), one starting at each.
    static std::array<CTruck*, 2> AddDepotTrucks();
    // Places a building of `type` with its corner at (x, y) and marks its
    // fields; its number, or 0 when it cannot be placed.
    int32_t Place(int32_t type, int32_t x, int32_t y);
    CBuildingTable buildings;
    CCityManager cities;

  private:
    void Way(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t way_type, int32_t city = 0);
    // Fits the way pieces in the box, gives depots and junctions their nodes
    // and links the network.
    void FinishWays(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    int32_t PlaceStation(int32_t x, int32_t y);
    CBuildHelper helper_;
};

}  // namespace fvtest
