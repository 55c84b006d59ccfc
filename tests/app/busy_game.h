#pragma once
// A busy running game for the level-file tests and the level-reader fuzzer
// (no test framework here): on flat ground, a building of every class placed
// through a real building table, a city with streets, houses and a store of
// every type, two trucks between a mine and a jewellery factory on a road, a
// train between a steel mill and a sports factory on a rail line, and
// opponents whose plans name those vehicles.

#include <cstdint>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "platform/headless/headless_backend.h"
#include "world/build_helper.h"

namespace fvtest {

class BusyGame {
  public:
    // Puts its building table and city manager into the globals. The game
    // state (with its opponents), the lookup tables and the way network must
    // exist already.
    BusyGame();
    // Deletes the vehicles, buildings and cities and clears the globals.
    ~BusyGame();
    BusyGame(const BusyGame&) = delete;
    BusyGame& operator=(const BusyGame&) = delete;

    // Replaces the running game's world by the busy one; `seed` varies the
    // calendar, the stocks and the opponents' plans.
    void Build(int32_t seed);
    // Runs `frames` frames of the main loop's frame update (vehicles move),
    // 26 ms of the back end's fake clock apart.
    static void Run(plat::HeadlessBackend& host, int32_t frames);

    CBuildingTable buildings;
    CCityManager cities;

  private:
    int32_t Place(int32_t type, int32_t x, int32_t y);
    void Way(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t way_type, int32_t city = 0);
    // Fits the pieces of the ways in the box, gives the depots and the
    // junctions their nodes and links the network.
    void FinishWays(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    int32_t PlaceStation(int32_t x, int32_t y);

    CBuildHelper helper_;
};

}  // namespace fvtest
