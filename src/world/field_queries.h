#pragma once
// Small read-mostly queries on the field grid shared by many parts of the
// game: the building type on a field, the demolition cost of a tunnel or a
// bridge and the customers a store site reaches in its city.

#include <cstdint>

#include "world/map_field.h"

// Building type 0..31 of the building-table building on the field; -2 off
// the map or without one. Station fields outside the head line report 4 (a
// station along y) or 5 (along x).
int32_t GetBuildingTypeAt(int32_t x, int32_t y);

// Demolition cost of the tunnel whose portal is (x, y): -1 when a vehicle
// stands in it, 0 when (x, y) is not a portal or no far portal is found.
// Marks the far portal (`laenge` := 1).
int32_t MeasureTunnelRun(int32_t x, int32_t y);
// The same for the bridge with an end at (x, y).
int32_t MeasureBridgeRun(int32_t x, int32_t y);

// Customers that a store of `type` (21..26) with anchor (x, y) reaches in the
// city `city`; preview = 1 when the store is not yet in the coverage grid.
int32_t CountCityNeighbourClasses(int32_t x, int32_t y, int32_t city, int32_t type,
                                  int32_t preview);

// Walks from (x, y) in direction bit d until a field for which `isEnd` holds;
// the number of steps, or 0 when the walk leaves the map first.
template <typename IsEnd>
int32_t WalkToRunEnd(int32_t x, int32_t y, uint8_t d, IsEnd isEnd, int32_t& endX, int32_t& endY) {
    const int32_t index = DirIndexFromBit(d);
    int32_t cx = x;
    int32_t cy = y;
    for (int32_t steps = 1; steps < kMapSize; ++steps) {
        cx += DirDx(index);
        cy += DirDy(index);
        const MapField* field = FieldAt(cx, cy);
        if (field == nullptr) return 0;
        if (isEnd(*field)) {
            endX = cx;
            endY = cy;
            return steps;
        }
    }
    return 0;
}
