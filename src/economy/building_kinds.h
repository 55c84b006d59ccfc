#pragma once
// What the economy needs to know of a building type: its family, floor size
// and price (from the building-type table of the game state).

#include <cstdint>

#include "state/data_tables.h"

constexpr bool IsTruckDepotType(int32_t t) {
    return t >= kTypeTruckDepot && t <= kTypeTruckDepot + 3;
}
constexpr bool IsStationType(int32_t t) {
    return t >= kTypeTrainStation && t <= kTypeTrainStation + 3;
}
constexpr bool IsTerminalType(int32_t t) {
    return IsTruckDepotType(t) || IsStationType(t);
}
constexpr bool IsRawSiteType(int32_t t) {
    return t >= kTypeMine && t <= kTypeSteelMill;
}
constexpr bool IsFactoryType(int32_t t) {
    return t >= kTypeMotorIndustry && t <= kTypeJewelryIndustry;
}
constexpr bool IsStoreType(int32_t t) {
    return t >= kTypeToyStore && t <= kTypeCarDealership;
}
// The sidebar kind that shows a store of type `t` (the selected object type
// the view sets when the store is picked): 24..27 for the toy, sports,
// lumber and jewelry stores, 29 for the electronics store and 28 for the car
// dealership.
constexpr int32_t StorePanelKind(int32_t t) {
    if (t == kTypeCarDealership) return 28;
    if (t == kTypeElectronicsOutlet) return 29;
    return t + 3;
}
constexpr bool IsAttractionType(int32_t t) {
    return t >= kTypeCulturalCenter && t <= kTypeRaceTrack;
}
// Buildings that count into the company's worth and building count.
constexpr bool IsInvestmentType(int32_t t) {
    return IsTerminalType(t) || IsFactoryType(t) || t == kTypeDepot || IsStoreType(t);
}
// The types that have a building class: every type 0..31 but the platform
// kinds 4 and 5.
constexpr bool HasBuildingClass(int32_t t) {
    return t >= 0 && t < kBuildingTypeCount && t != kTypeTerminalX && t != kTypeTerminalY;
}

struct Floor {
    int32_t width;  // fields along x
    int32_t depth;  // fields along y
};

// Floor size of a type (1 x 1 outside the table).
Floor FloorOfType(int32_t type);
// Building price of a type (0 outside the table).
int32_t PriceOfType(int32_t type);
// What the demolition of a building of a type books: a tenth of the price
// of an investment, nothing for other types.
inline int32_t DemolitionPriceOfType(int32_t type) {
    return IsInvestmentType(type) ? PriceOfType(type) / 10 : 0;
}
// Kind of the field animation of a type, -1 for none.
int32_t AnimationKindOfType(int32_t type);
// Index into `built_counts` of a factory type, -1 for other types.
int32_t BuiltCountIndex(int32_t type);

// Marks the fields of a rectangle for demolition (`laenge` := 1).
void MarkForDemolition(int32_t x, int32_t y, int32_t w, int32_t h);
