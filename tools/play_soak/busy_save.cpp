// The busy game as a saved game, for the runs that start from it: the test
// fixture's world (a building of every class, a city with every store, own
// stations, depots, trucks and a train, opponents) with sales in its stores'
// books, in the free game or as a mission whose goal is already met.

#include <unistd.h>

#include <cstdio>

#include "app/busy_game.h"
#include "app/game_app.h"
#include "app/level_file.h"
#include "economy/building_table.h"
#include "economy/store.h"
#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "soak_run.h"
#include "state/game_state.h"

namespace soak {

namespace {

// Every store sold some of every product in every month of its books.
void GiveStoresSales() {
    for (int32_t n = 1; n < kBuildingSlots; ++n) {
        auto* store = dynamic_cast<CStore*>(g_ppBuildings->At(n));
        if (store == nullptr) continue;
        for (int32_t p = 0; p < store->products(); ++p) {
            store->sold_month[p] = 3 + n + p;
            store->profit_product[p] = 250 * (n + p);
            for (int32_t m = 0; m < kStoreMonths; ++m) {
                store->deliveries[m][p] = 5 + (m * 7 + p) % 13;
                store->profit_monthly[m][p] = 100 * (1 + (m + n + p) % 9);
                store->demand_monthly[m][p] = 10 + (m * 3 + p) % 11;
            }
        }
        store->profit_month = 1200 + n;
        store->profit_total = 36000 + 100 * n;
        store->customers = 400 + n;
    }
}

}  // namespace

bool WriteBusySave(const std::string& work, const std::string& name, int32_t mode) {
    if (chdir(work.c_str()) != 0) return false;
    plat::HeadlessBackend host;
    CGameApp app;
    plat::ApplicationStepper stepper(app, host);
    if (!stepper.Start()) return false;
    bool written = false;
    {
        fvtest::BusyGame busy;
        busy.Build(7);
        fvtest::BusyGame::Run(host, 150);
        GiveStoresSales();
        g_pGameState->game_mode = mode;
        written = SaveGameFile(SavedGamePath(name));
    }
    // The program is left as it is: the process ends here.
    std::fflush(nullptr);
    return written;
}

}  // namespace soak
