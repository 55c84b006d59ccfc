#pragma once
// Small read-mostly queries on the field grid shared by many parts of the
// game: the building type on a field, the demolition cost of a tunnel or a
// bridge and the customers a store site reaches in its city.

#include <cstdint>

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

// A tunnel or bridge seen from one of its ends: the direction bit towards the
// other end, that end, and the number of steps to it.
struct RunSpan {
    uint8_t dir = 0;
    int32_t farX = 0;
    int32_t farY = 0;
    int32_t length = 0;
};
// False when (x, y) is no tunnel portal (no bridge end) or the other end is
// not found before the map edge.
bool FindTunnelSpan(int32_t x, int32_t y, RunSpan& span);
bool FindBridgeSpan(int32_t x, int32_t y, RunSpan& span);
