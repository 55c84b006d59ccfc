// The base behaviour of every building, and the city attractions, which are
// plain CBuilding objects with an effect on their city.

#include "economy/building.h"

#include "cities/city_manager.h"
#include "economy/attraction_rings.h"
#include "economy/building_kinds.h"
#include "state/data_tables.h"
#include "state/map_field.h"

void CBuilding::Load(RecordReader&) {}
void CBuilding::Save(RecordWriter&) const {}

int32_t CBuilding::FindGoodsSlot(int32_t) {
    return -1;
}
int32_t CBuilding::FindFreeGoodsSlot() {
    return -1;
}
int32_t CBuilding::TakeGoods(int32_t, int32_t, int32_t, int32_t) {
    return 0;
}
int32_t CBuilding::PutGoods(int32_t, int32_t, int32_t) {
    return 0;
}
int32_t CBuilding::AcceptsProduct(int32_t) {
    return 0;
}
int32_t CBuilding::IsTileOccupied(int32_t, int32_t) const {
    return 0;
}
void CBuilding::OccupyTile(int32_t, int32_t) {}
void CBuilding::ReleaseTile(int32_t, int32_t) {}
void CBuilding::SetName(const char*) {}
void CBuilding::SetProduct(int32_t) {}
int32_t CBuilding::GetStock(int32_t, int32_t&, int32_t&) {
    return 0;
}
int32_t CBuilding::GetUnitsSoldThisMonth(int32_t) {
    return 0;
}
int32_t CBuilding::GetProductProfitTotal(int32_t) {
    return 0;
}
int32_t CBuilding::GetMonthlyDeliveries(int32_t, int32_t) {
    return 0;
}
int32_t CBuilding::GetMonthlyProfit(int32_t, int32_t) {
    return 0;
}
int32_t CBuilding::GetCapacity(int32_t) {
    return 0;
}
int32_t CBuilding::GetProductCost(int32_t) {
    return 0;
}
void CBuilding::SetPriceSteps(int32_t, int32_t) {}
void CBuilding::SetAdvertising(int32_t) {}
void CBuilding::SetSiteFlag(int32_t) {}
int32_t CBuilding::GetMonthlyDemand(int32_t, int32_t) {
    return 0;
}
int32_t CBuilding::GetDeliveredUnits(int32_t, int32_t) {
    return 0;
}
int32_t CBuilding::GetDemolitionCost(int32_t, int32_t) {
    return -1;
}

void CBuilding::SetOwnerFromAnchor() {
    const MapField* anchor = FieldAt(anchor_x, anchor_y);
    owner = anchor != nullptr ? anchor->spieler() : 0;
}

// City attractions: only for the city their anchor stands in. The count of
// attractions of the type follows the sign; ring 1 gets the sign (twice it
// for the stadium and the race track).
void CBuilding::ApplyAttraction(int32_t city, int32_t sign) {
    if (type < kTypeCulturalCenter || type > kTypeRaceTrack) return;
    const MapField* anchor = FieldAt(anchor_x, anchor_y);
    CCity* target = CityOfSlot(city);
    if (anchor == nullptr || target == nullptr || anchor->stadtnum() != city + 1) return;
    target->attraction_counts[type - kTypeCulturalCenter] += sign;
    const int32_t ring1 = type >= kTypeCulturalCenter + 3 ? 2 * sign : sign;
    const Floor floor = FloorOfType(type);
    AddAttractionRings(*target, anchor_x, anchor_y, floor.width, floor.depth, ring1, 0);
}
