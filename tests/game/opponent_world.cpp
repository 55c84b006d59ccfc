#include "opponent_world.h"

#include "app/app_globals.h"
#include "app/game_tick.h"
#include "economy/store.h"
#include "game/opponent_roster.h"
#include "platform/random.h"
#include "state/data_tables.h"
#include "transport/vehicle_list.h"

namespace fvtest {

constexpr uint32_t kFrameMs = 26;

OpponentWorld::OpponentWorld() : tables_(std::make_unique<CLookupTables>()) {
    InitGoodsTable();
    InitBuildingTypes();
    InitVehicleModels();
    g_pLookupTables = tables_.get();
    terrain_ = std::make_unique<CTerrain>();  // resets the grid
    for (MapField& field : GS().fields) {
        field = MapField{};
        field.set_teile_art(1);
        field.set_hoehe(2);
    }
    g_pTerrain = terrain_.get();
    g_ppBuildings = &buildings_;
    g_pCityManager = &cities_;
    GS().game_mode = kModeGame;
    GS().opt_city_traffic = 0;
    GS().opt_animations = 0;
    GS().opt_autosave = 0;
    GS().year = 1960;
    MarkGoodsAvailableByDate();
    g_TickLength = kFrameMs * 150;
    plat::Srand(7);
    RecreateOpponents();
}

// The game scope puts the globals back.
OpponentWorld::~OpponentWorld() {
    DeleteAllVehicles();
    DeleteOpponents();
    cities_.FreeAll();
    buildings_.FreeAll();
}

int32_t OpponentWorld::PlaceSite(int32_t type, int32_t x, int32_t y) {
    GS().selected_building_type = type;
    GS().build_orientation = 0;
    GS().mine_kind = 0;
    const int32_t number = buildings_.PlaceBuilding(x, y);
    const BuildingType& kind = GS().building_types[type];
    terrain_->PlaceStructure(x, y, number, kind.floor_width, kind.floor_depth);
    GS().selected_building_type = -1;
    buildings_.UpdateRawMaterialSites();
    return number;
}

int32_t OpponentWorld::FoundCity(int32_t x, int32_t y, int32_t residents) {
    GS().city_size_choice = 4;
    // A street plan may find no start on the centre cells: the next seed
    // plans another.
    int32_t slot = -1;
    for (uint32_t seed = 1; seed < 20 && slot < 0; ++seed) {
        plat::Srand(seed);
        slot = cities_.GetOrCreateCityAt(x, y);
    }
    if (slot < 0) return slot;
    CCity& city = *cities_.cities[slot];
    for (int32_t tick = 0; tick < 48 * 20 && city.residents < residents; ++tick) city.Tick();
    return slot;
}

void OpponentWorld::Months(int32_t months) {
    const int32_t end = GameMonth() + months;
    while (GameMonth() < end) {
        host_.AdvanceClock(kFrameMs);
        app_.OnIdle(0);
    }
}

bool OpponentWorld::TurnUntilRunning(int32_t slot, int32_t turns) {
    for (int32_t i = 0; i < turns; ++i) {
        Opponent(slot).TakeTurn();
        for (const Chain& chain : Chains(slot)) {
            if (chain.state == ChainState::Running) return true;
        }
        Months(1);
    }
    return false;
}

std::vector<Chain> OpponentWorld::Chains(int32_t slot) {
    std::vector<Chain> chains;
    for (const PlanNode& node : Opponent(slot).plan_list_b) chains.push_back(DecodeChain(node));
    return chains;
}

int32_t OpponentWorld::Delivered(const Chain& chain, int32_t months) {
    int32_t sum = 0;
    for (int32_t m = kCurrentMonth - months; m <= kCurrentMonth; ++m) {
        sum += buildings_.At(chain.store)->GetMonthlyDeliveries(m, chain.product);
    }
    return sum;
}

}  // namespace fvtest
