#include "economy/raw_material_site.h"

#include "economy/attraction_rings.h"
#include "economy/building_kinds.h"
#include "economy/economy_bookings.h"
#include "economy/economy_notify.h"
#include "state/data_tables.h"
#include "state/game_state.h"

namespace {
constexpr int32_t kFirstYear = 1960;
}

int32_t CRawMaterialSite::GetDemolitionCost(int32_t, int32_t) {
    const Floor floor = FloorOfType(type);
    MarkForDemolition(anchor_x, anchor_y, floor.width, floor.depth);
    return -1;
}

void CRawMaterialSite::ApplyAttraction(int32_t city, int32_t sign) {
    AddIndustryRings(*this, city, sign);
}

int32_t CRawMaterialSite::Decade() {
    const int32_t year = g_pGameState != nullptr ? g_pGameState->year : kFirstYear;
    return year > kFirstYear ? (year - kFirstYear) / 10 : 0;
}

int32_t CRawMaterialSite::CostOf(int32_t product) {
    const GoodsRecord* good = GoodsAt(product);
    return good != nullptr ? good->own_cost : 0;
}

void CRawMaterialSite::CutToCapacity(GoodsSlot& stock, int32_t capacity) {
    if (capacity < 0) capacity = 0;
    if (stock.denominator < 1) stock.denominator = 1;
    if (int64_t{stock.numerator} > int64_t{capacity} * stock.denominator) {
        stock.numerator = capacity;
        stock.denominator = 1;
    }
}

int32_t CRawMaterialSite::StockOf(const GoodsSlot& stock, int32_t product, int32_t& numerator,
                                  int32_t& denominator) {
    if (product < 0 || stock.product != product) return 0;
    numerator = stock.numerator;
    denominator = stock.denominator;
    return WholeUnits(stock);
}

int32_t CRawMaterialSite::SellPortion(GoodsSlot& stock, int32_t product, int32_t n, int32_t d,
                                      int32_t buyer, int32_t cost) {
    if (product < 0 || stock.product != product || !TakePortion(stock, n, d)) return 0;
    EmptyIfZero(stock);
    ChargeCost(buyer, int64_t{n} * (cost / d), kCostGoods);
    RefreshScreens();
    return n;
}

void CRawMaterialSite::RefreshScreens() {
    RefreshStructureInfoFor(*this);
    RefreshInfoPanelFor(*this, {PanelObjectType()});
}

int32_t CSingleGoodSite::TakeGoods(int32_t product, int32_t amount, int32_t denominator,
                                   int32_t buyer) {
    if (product != GetProduct()) return 0;
    return SellPortion(stock, product, amount, denominator, buyer, cost);
}

int32_t CSingleGoodSite::GetStock(int32_t product, int32_t& numerator, int32_t& denominator) {
    return product == GetProduct() ? StockOf(stock, product, numerator, denominator) : 0;
}
