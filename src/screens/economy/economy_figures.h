#pragma once
// Figures the economy screens share: the building a screen about one
// building is opened for, and the prices of a good as the market pays them.

#include <cstdint>

// The building an open overview screen has chosen (0 none); it is the
// building the screens about one building open for while it is set.
int32_t& OverviewBuilding();

// The overview's building when set and of a type in [first_type,
// last_type], else the building on the world view's selected field when its
// type lies there; 0 when there is none (no view, no field, no building,
// another kind).
int32_t SelectedBuildingOfTypes(int32_t first_type, int32_t last_type);

// The store price of a good as it sells this year: lowered to the first
// decline percentage from its first decline year until the second decline
// year, and to the second percentage from then on. 0 for a good outside the
// table.
int64_t CurrentStorePrice(int32_t good);
// The margin of one unit: the current store price less the factory price;
// 0 for no good (-1) or one outside the table.
int64_t UnitMargin(int32_t good);
