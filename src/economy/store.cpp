// The store's record, slots, getters and setters.

#include "economy/store.h"

#include <algorithm>

#include "cities/city_manager.h"
#include "economy/attraction_rings.h"
#include "economy/building_kinds.h"
#include "economy/record_io.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/field_queries.h"

CStore::CStore(int32_t x, int32_t y, const StoreKind& kind, bool loading)
    : CProducer(x, y, kind.products), kind_(kind) {
    type = kind.type;
    selected_product = kind.first_product;
    for (int32_t i = 0; i < kind.products; ++i) {
        stock[i] = {kind.first_product + i, 0, 1};
        delivered_last[i] = {kind.first_product + i, 0, 1};
        delivered_this[i] = {kind.first_product + i, 0, 1};
    }
    if (loading) return;
    const int32_t city = g_pGameState != nullptr ? g_pGameState->placement_city : -1;
    if (city >= 1 && city <= kCitySlots) customers = CountCityNeighbourClasses(x, y, city, type, 1);
    RecomputeDemand();
}

int32_t CStore::IndexOf(int32_t product) const {
    const int32_t i = product - kind_.first_product;
    return i >= 0 && i < kind_.products ? i : -1;
}

int32_t CStore::FindGoodsSlot(int32_t product) {
    return IndexOf(product);
}

int32_t CStore::AcceptsProduct(int32_t product) {
    const GoodsRecord* good = GoodsAt(product);
    return good != nullptr && good->store_type == kind_.type ? 1 : 0;
}

CCity* CStore::StoreCity() const {
    if (g_pCityManager == nullptr) return nullptr;
    static constexpr int32_t kOffsets[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const auto& offset : kOffsets) {
        const MapField* field = FieldAt(anchor_x + offset[0], anchor_y + offset[1]);
        if (field != nullptr && field->stadtnum() != 0) {
            return g_pCityManager->City(field->stadtnum());
        }
    }
    return nullptr;
}

int32_t CStore::RecalcCustomers() {
    const MapField* anchor = FieldAt(anchor_x, anchor_y);
    const int32_t city = anchor != nullptr ? anchor->stadtnum() : 0;
    customers = CountCityNeighbourClasses(anchor_x, anchor_y, city, type, 0);
    RecomputeDemand();
    return customers;
}

void CStore::ApplyAttraction(int32_t city, int32_t sign) {
    const MapField* anchor = FieldAt(anchor_x, anchor_y);
    CCity* target = CityOfSlot(city);
    if (anchor == nullptr || target == nullptr || anchor->stadtnum() != city + 1) return;
    AddAttractionRings(*target, anchor_x, anchor_y, 2, 2, 3 * sign, 2 * sign);
}

void CStore::SetProduct(int32_t product) {
    if (IndexOf(product) >= 0) selected_product = product;
}

int32_t CStore::GetUnitsSoldThisMonth(int32_t product) {
    const int32_t i = IndexOf(product);
    return i >= 0 ? sold_month[i] : 0;
}

int32_t CStore::GetProductProfitTotal(int32_t product) {
    const int32_t i = IndexOf(product);
    return i >= 0 ? profit_product[i] : 0;
}

int32_t CStore::GetMonthlyDeliveries(int32_t month, int32_t product) {
    const int32_t i = IndexOf(product);
    return i >= 0 && month >= 0 && month < kStoreMonths ? deliveries[month][i] : 0;
}

int32_t CStore::GetMonthlyProfit(int32_t month, int32_t product) {
    const int32_t i = IndexOf(product);
    return i >= 0 && month >= 0 && month < kStoreMonths ? profit_monthly[month][i] : 0;
}

int32_t CStore::GetMonthlyDemand(int32_t month, int32_t product) {
    const int32_t i = IndexOf(product);
    return i >= 0 && month >= 0 && month < kStoreMonths ? demand_monthly[month][i] : 0;
}

int32_t CStore::GetDeliveredUnits(int32_t which, int32_t product) {
    const int32_t i = IndexOf(product);
    if (i < 0) return 0;
    return WholeUnits(which == 0 ? delivered_last[i] : delivered_this[i]);
}

int32_t CStore::GetProductCost(int32_t product) {
    const int32_t i = IndexOf(product);
    return i >= 0 ? price_step[i] : 0;
}

void CStore::SetPriceSteps(int32_t product, int32_t step) {
    const int32_t i = IndexOf(product);
    if (i >= 0) price_step[i] = static_cast<int8_t>(std::clamp(step, kMinPriceStep, kMaxPriceStep));
}

void CStore::SetAdvertising(int32_t level) {
    advertising = static_cast<uint8_t>(std::clamp(level, 0, kMaxAdvertising));
}

// Record: sold_month, profit_product, deliveries, profit_monthly, customers,
// profit_total, profit_month, selected_product, stock, price_step,
// advertising, demand_monthly, then delivered_last and delivered_this as
// {numerator, denominator} pairs. Tables are month by month, each month
// product by product.
void CStore::Save(RecordWriter& out) const {
    const int32_t n = kind_.products;
    for (int32_t i = 0; i < n; ++i) out.PutI32(sold_month[i]);
    for (int32_t i = 0; i < n; ++i) out.PutI32(profit_product[i]);
    for (const auto& month : deliveries) {
        for (int32_t i = 0; i < n; ++i) out.PutI32(month[i]);
    }
    for (const auto& month : profit_monthly) {
        for (int32_t i = 0; i < n; ++i) out.PutI32(month[i]);
    }
    out.PutI32(customers);
    out.PutI32(profit_total);
    out.PutI32(profit_month);
    out.PutI32(selected_product);
    for (int32_t i = 0; i < n; ++i) out.PutSlot(stock[i]);
    for (int32_t i = 0; i < n; ++i) out.PutI8(price_step[i]);
    out.PutU8(advertising);
    for (const auto& month : demand_monthly) {
        for (int32_t i = 0; i < n; ++i) out.PutI32(month[i]);
    }
    for (int32_t i = 0; i < n; ++i) {
        out.PutFraction(delivered_last[i].numerator, delivered_last[i].denominator);
    }
    for (int32_t i = 0; i < n; ++i) {
        out.PutFraction(delivered_this[i].numerator, delivered_this[i].denominator);
    }
}

namespace {

// A delivered amount as read: a broken fraction counts as nothing.
GoodsSlot ReadDelivered(RecordReader& in, int32_t product) {
    GoodsSlot f{product, in.GetI32(), 0};
    f.denominator = in.GetI32();
    GoodsSlot safe = SanitizedSlot(f);
    return {product, safe.numerator, safe.denominator};
}

}  // namespace

void CStore::Load(RecordReader& in) {
    const int32_t n = kind_.products;
    const int32_t first = kind_.first_product;
    for (int32_t i = 0; i < n; ++i) sold_month[i] = in.GetI32();
    for (int32_t i = 0; i < n; ++i) profit_product[i] = in.GetI32();
    for (auto& month : deliveries) {
        for (int32_t i = 0; i < n; ++i) month[i] = in.GetI32();
    }
    for (auto& month : profit_monthly) {
        for (int32_t i = 0; i < n; ++i) month[i] = in.GetI32();
    }
    customers = in.GetI32();
    profit_total = in.GetI32();
    profit_month = in.GetI32();
    const int32_t selected = in.GetI32();
    selected_product = IndexOf(selected) >= 0 ? selected : first;
    in.Require(selected_product == selected);
    for (int32_t i = 0; i < n; ++i) {
        // Every slot stays bound to its own product.
        GoodsSlot s = in.GetSlot();
        in.Require(s.product == first + i || s.product == -1);
        if (s.product != first + i) s = kEmptySlot;
        stock[i] = {first + i, s.numerator, s.denominator};
    }
    for (int32_t i = 0; i < n; ++i) {
        const int32_t step = in.GetI8();
        in.Require(step >= kMinPriceStep && step <= kMaxPriceStep);
        price_step[i] =
            static_cast<int8_t>(std::clamp<int32_t>(step, kMinPriceStep, kMaxPriceStep));
    }
    const int32_t advert = in.GetU8();
    in.Require(advert <= kMaxAdvertising);
    advertising = static_cast<uint8_t>(std::min<int32_t>(advert, kMaxAdvertising));
    for (auto& month : demand_monthly) {
        for (int32_t i = 0; i < n; ++i) month[i] = in.GetI32();
    }
    for (int32_t i = 0; i < n; ++i) delivered_last[i] = ReadDelivered(in, first + i);
    for (int32_t i = 0; i < n; ++i) delivered_this[i] = ReadDelivered(in, first + i);
    SetOwnerFromAnchor();
}
