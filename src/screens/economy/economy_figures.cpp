#include "screens/economy/economy_figures.h"

#include "economy/building.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/world_view.h"

namespace {

const GoodsRecord* Good(int32_t good) {
    if (g_pGameState == nullptr || good < 0 || good >= kGoodsCount) return nullptr;
    return &g_pGameState->goods[good];
}

}  // namespace

int32_t& OverviewBuilding() {
    static int32_t building = 0;
    return building;
}

int32_t SelectedBuildingOfTypes(int32_t first_type, int32_t last_type) {
    if (g_ppBuildings == nullptr) return 0;
    if (const CBuilding* chosen = g_ppBuildings->At(OverviewBuilding());
        OverviewBuilding() != 0 && chosen != nullptr && chosen->type >= first_type &&
        chosen->type <= last_type) {
        return OverviewBuilding();
    }
    if (g_pSpielFeld == nullptr) return 0;
    const MapField* field = FieldAt(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y);
    if (field == nullptr || !field->building_flag()) return 0;
    const int32_t number = field->geb_num();
    const CBuilding* b = g_ppBuildings->At(number);
    if (b == nullptr || b->type < first_type || b->type > last_type) return 0;
    return number;
}

int64_t CurrentStorePrice(int32_t good) {
    const GoodsRecord* g = Good(good);
    if (g == nullptr) return 0;
    const int32_t year = g_pGameState->year;
    int64_t price = g->price;
    const bool first = g->decline_year_1 != 0 && g->decline_year_1 <= year;
    const bool second = g->decline_year_2 != 0 && g->decline_year_2 <= year;
    if (first && !second) price = price * g->decline_percent_1 / 100;
    if (second) price = price * g->decline_percent_2 / 100;
    return price;
}

int64_t UnitMargin(int32_t good) {
    const GoodsRecord* g = Good(good);
    return g != nullptr ? CurrentStorePrice(good) - g->production_cost : 0;
}
