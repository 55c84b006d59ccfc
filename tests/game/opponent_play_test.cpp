// Opponents play whole turns on a small world: they survey, build a road
// chain with the player's builders from their own cash, run trucks on it,
// keep it running and give up what does not pay; their plans and property
// survive the level record.

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "economy/building.h"
#include "economy/store.h"
#include "game/opponent_fleet.h"
#include "game/opponent_steps.h"
#include "game/opponent_roster.h"
#include "opponent_world.h"
#include "state/acting_player.h"
#include "state/data_tables.h"
#include "state/statistics.h"
#include "support/way_graph_check.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "world/way_network.h"

namespace fvtest {
namespace {

class OpponentPlayTest : public OpponentWorld {
  protected:
    void SetUp() override {
        site_ = PlaceSite(kTypeMine, 60, 100);
        city_ = FoundCity(100, 100, 1500);
        ASSERT_GE(city_, 0);
        ASSERT_GE(cities_.cities[city_]->residents, 1000);
    }
    int32_t site_ = 0;
    int32_t city_ = -1;
};

TEST_F(OpponentPlayTest, Probe) {
    Opponent(1).turn_pending = 0;
    Opponent(2).turn_pending = 0;
    std::printf("residents %d site %d cash %lld\n", cities_.cities[city_]->residents, site_, (long long)GS().cash[1]);
    for (int i = 0; i < 6; ++i) {
        Opponent(0).TakeTurn();
        for (const Chain& c : Chains(0)) std::printf("chain %d state %d q %d store %d fac %d dep %d %d %d\n", c.id, (int)c.state, c.product, c.store, c.factory, c.terminals[0], c.terminals[1], c.terminals[2]);
        for (const StepNode& n : Opponent(0).step_lists[0]) { BuildStep st = DecodeStep(n); std::printf("  step %d (%d,%d) ref %d\n", (int)st.kind, st.x, st.y, st.refusals); }
        std::printf("cash %lld survey %d\n", (long long)GS().cash[1], Opponent(0).state_9);
        Months(1);
    }
    ASSERT_TRUE(TurnUntilRunning(0, 12));
    const Chain chain = Chains(0).front();
    std::printf("chain q=%d r=%d store=%d factory=%d depots %d %d %d cash %lld\n", chain.product,
                chain.raw, chain.store, chain.factory, chain.terminals[0], chain.terminals[1],
                chain.terminals[2], static_cast<long long>(GS().cash[1]));
    for (int t : {0, 1, 2}) { CBuilding* d = buildings_.At(chain.terminals[t]); int fx, fy; DepotFront(chain.terminals[t], fx, fy); const MapField& f = *FieldAt(fx, fy); const MapField& a = *FieldAt(d->anchor_x, d->anchor_y); std::printf("depot %d type %d at %d,%d front %d,%d wegtyp %d teil %d richt %d knoten %d | depot teil %d richt %d node %d\n", t, d->type, d->anchor_x, d->anchor_y, fx, fy, f.wegtyp(), f.wegteil(), f.richtung(), f.knotennummer(), a.wegteil(), a.richtung(), a.knotennummer()); }
    std::printf("joined sf %d fs %d graph %d\n", DepotsJoined(chain.terminals[1], chain.terminals[2]), DepotsJoined(chain.terminals[2], chain.terminals[0]), (bool)GraphMatchesMap(*g_pWayNetwork, 0, 0, 255, 255));
    std::printf("vehicles now %d\n", CountVehicles());
    for (int i = 0; i < 4000; ++i) { host_.AdvanceClock(26); app_.OnIdle(0); if (i % 400 == 0) { for (VehicleListNode* n = g_pVehicleList; n; n = n->next) std::printf("[%d,%d ph%d ts%d ss%d car%d/%d w%d h%d] ", n->vehicle->pos_x, n->vehicle->pos_y, n->vehicle->phase, n->vehicle->target_stop, n->vehicle->stop_served, n->vehicle->product_carried, n->vehicle->amount_carried, n->vehicle->wait_counter, n->vehicle->halted); { int a=0,b=1; std::printf("stock %d ", buildings_.At(site_)->GetStock(5,a,b)); } std::printf("\n"); } }
    Months(6);
    CBuilding* store = buildings_.At(chain.store);
    int total = 0;
    for (int m = 0; m < 12; ++m) total += store->GetMonthlyDeliveries(m, chain.product);
    std::printf("delivered %d vehicles %d\n", total, CountVehicles());
}

}  // namespace
}  // namespace fvtest
