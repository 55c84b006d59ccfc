#pragma once
// The vehicle queries that the world map calls: the vehicle standing on a
// field and the run queries of tunnel and bridge demolition. The vehicle
// subsystem implements these.

#include <cstdint>

#include "transport/vehicle.h"

// The vehicle occupying field (x, y) (city cars skipped), or null.
CVehicle* FindVehicleAtField(int32_t x, int32_t y);
// 1 when a vehicle or wagon stands on the straight run from (x1, y1) to
// (x2, y2): a column when x1 = x2, else a row. The Row variant counts the
// fields of a bridge run.
int32_t IsVehicleOnColumn(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int32_t IsVehicleOnRow(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
