// Demand, sales, deliveries and the monthly step of the stores.

#include <algorithm>

#include "cities/city_manager.h"
#include "economy/building_kinds.h"
#include "economy/economy_bookings.h"
#include "economy/economy_notify.h"
#include "economy/store.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "transport/vehicle.h"

namespace {

// Demand change in percent points by price step -5..5 and by advertising.
constexpr int8_t kPriceStepChange[11] = {-30, -25, -20, -15, -10, 0, 10, 20, 30, 40, 50};
constexpr int8_t kAdvertisingChange[4] = {0, -10, -35, -50};

// The store's coverage square: 8 x 8 fields from 3 before the anchor.
constexpr int32_t kReachBefore = 3;
constexpr int32_t kReachAfter = 4;

int32_t Wrap(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

// The city building on a field of city `city` (its `stadtb`), 0 for none.
int32_t CityBuildingOf(const MapField& field, int32_t city) {
    if (field.no_building_mask() || field.building_flag() || field.stadtnum() != city) return 0;
    return field.stadtb();
}

// Calls visit(city building of the field, its cell of the shared city grid)
// for every field of the coverage square of a store anchored at (x, y) that
// lies on the map and inside the city's area.
template <typename Visit>
void ForEachCoveredField(int32_t x, int32_t y, const CCity& city, Visit visit) {
    auto& grid = g_pGameState->shared_city_grid;
    for (int32_t fx = x - kReachBefore; fx <= x + kReachAfter; ++fx) {
        for (int32_t fy = y - kReachBefore; fy <= y + kReachAfter; ++fy) {
            const int32_t gx = fx - city.origin_x;
            const int32_t gy = fy - city.origin_y;
            if (gx < 0 || gx >= kCityAreaSize || gy < 0 || gy >= kCityAreaSize) continue;
            const MapField* field = FieldAt(fx, fy);
            if (field != nullptr) visit(CityBuildingOf(*field, city.number), grid[gx][gy]);
        }
    }
}

// Residents band of a city building number, -1 when it houses nobody.
int32_t ResidentsBand(int32_t k) {
    if (k <= 10) return 0;
    if (k <= 20) return 1;
    if (k <= 28) return 2;
    if (k <= 34) return 3;
    if (k <= 38) return 4;
    if (k <= 41) return 5;
    return -1;
}

}  // namespace

int32_t PriceStepChange(int32_t step) {
    const int32_t i = std::clamp(step, kMinPriceStep, kMaxPriceStep) - kMinPriceStep;
    return g_pLookupTables != nullptr ? g_pLookupTables->price_steps[i] : kPriceStepChange[i];
}

int32_t AdvertisingChange(int32_t level) {
    const int32_t i = std::clamp(level, 0, kMaxAdvertising);
    return g_pLookupTables != nullptr ? g_pLookupTables->advertising[i] : kAdvertisingChange[i];
}

int32_t CStore::DemandOf(int32_t i) const {
    const GoodsRecord* good = GoodsAt(kind_.first_product + i);
    if (good == nullptr || i < 0 || i >= kind_.products) return 0;
    const int64_t percent = 100 + PriceStepChange(price_step[i]) + AdvertisingChange(advertising);
    const int64_t factor = percent * good->demand_per_1000 / 100;
    if (factor <= 0 || customers <= 0) return 0;
    return static_cast<int32_t>(customers / factor);
}

int32_t CStore::UnitPrice(int32_t i) const {
    const GoodsRecord* good = GoodsAt(kind_.first_product + i);
    if (good == nullptr || i < 0 || i >= kind_.products) return 0;
    const int64_t price = good->price;
    return Wrap(price + price * 5 * price_step[i] / 100);
}

void CStore::RecomputeDemand() {
    for (int32_t i = 0; i < kind_.products; ++i) demand_monthly[kCurrentMonth][i] = DemandOf(i);
}

void CStore::Sell(int32_t i, int32_t n) {
    const GoodsRecord* good = GoodsAt(kind_.first_product + i);
    if (good == nullptr || n < 1) return;
    // Revenue at the price step, lowered as the product ages.
    int64_t revenue = int64_t{UnitPrice(i)} * n;
    const int32_t year = g_pGameState != nullptr ? g_pGameState->year : 0;
    const int32_t y1 = good->decline_year_1;
    const int32_t y2 = good->decline_year_2;
    if (y1 != 0 && y1 <= year && (y2 == 0 || y2 > year)) {
        revenue = revenue * good->decline_percent_1 / 100;
    }
    if (y2 != 0 && y2 <= year) revenue = revenue * good->decline_percent_2 / 100;
    BookSalesIncome(OwnerPlayer(*this), revenue, kind_.revenue);

    const int64_t profit = revenue - int64_t{good->production_cost} * n;
    profit_total = Wrap(profit_total + profit);
    profit_month = Wrap(profit_month + profit);
    profit_monthly[kCurrentMonth][i] = Wrap(profit_monthly[kCurrentMonth][i] + profit);
    profit_product[i] = Wrap(profit_product[i] + profit);
    sold_month[i] = Wrap(int64_t{sold_month[i]} + n);

    TakeWholeUnits(stock[i], n);
    stock[i].product = kind_.first_product + i;
}

void CStore::SellFromStock(int32_t i) {
    // Wide: the sales figure of a stored game may hold any value.
    const int64_t demand = demand_monthly[kCurrentMonth][i];
    if (demand < sold_month[i]) return;
    const int64_t sell = std::min<int64_t>(demand - sold_month[i], WholeUnits(stock[i]));
    if (sell >= 1) Sell(i, static_cast<int32_t>(sell));
}

int32_t CStore::PutGoods(int32_t product, int32_t amount, int32_t sharers) {
    if (amount <= 0 || sharers <= 0) return 0;
    const int32_t i = IndexOf(product);
    if (i < 0) return 0;
    RecomputeDemand();
    AddShare(delivered_this[i], amount, sharers);
    deliveries[kCurrentMonth][i] = WholeUnits(delivered_this[i]);
    stock[i].product = product;
    AddShare(stock[i], amount, sharers);
    SellFromStock(i);
    RefreshInfoPanelFor(*this, {StorePanelKind(type)});
    // A computer opponent's train stays once the month's demand is delivered.
    const bool opponent = owner >= 1 && owner <= 3;
    if (opponent && g_pVehicleAtTerminal != nullptr &&
        demand_monthly[kCurrentMonth][i] <= deliveries[kCurrentMonth][i]) {
        g_pVehicleAtTerminal->halt_at_stop[0] = 1;
    }
    return amount;
}

void CStore::StartMonth() {
    profit_month = 0;
    for (auto* table : {&deliveries, &profit_monthly, &demand_monthly}) {
        for (int32_t m = 0; m < kCurrentMonth; ++m) {
            std::copy(std::begin((*table)[m + 1]), std::end((*table)[m + 1]),
                      std::begin((*table)[m]));
        }
        std::fill(std::begin((*table)[kCurrentMonth]), std::end((*table)[kCurrentMonth]), 0);
    }
    for (int32_t i = 0; i < kind_.products; ++i) {
        delivered_last[i] = delivered_this[i];
        delivered_this[i] = {kind_.first_product + i, 0, 1};
        sold_month[i] = 0;
    }
    customers = 0;
}

int32_t CStore::CountCustomers() const {
    const CCity* city = StoreCity();
    if (city == nullptr || g_pGameState == nullptr) return 0;
    int64_t count = 0;
    ForEachCoveredField(anchor_x, anchor_y, *city, [&](int32_t k, int32_t stores) {
        const int32_t band = ResidentsBand(k);
        if (stores >= 1 && band >= 0) count += g_pGameState->geb_einw[band] / stores;
    });
    return Wrap(count);
}

void CStore::Update() {
    if (g_pGameState != nullptr && g_pGameState->week != 0) return;
    StartMonth();
    if (advertising > 0) {
        ChargeCost(OwnerPlayer(*this), int64_t{kAdvertisingCostPerLevel} * advertising,
                   kCostAdvertising);
    }
    customers = CountCustomers();
    for (int32_t i = 0; i < kind_.products; ++i) {
        demand_monthly[kCurrentMonth][i] = DemandOf(i);
        SellFromStock(i);
    }
}

void CStore::Refresh() {
    const CCity* city = StoreCity();
    if (city == nullptr || g_pGameState == nullptr) return;
    ForEachCoveredField(anchor_x, anchor_y, *city, [](int32_t k, int32_t& stores) {
        if (k >= 1 && k <= 41) ++stores;
    });
}
