#pragma once
// The vehicle queries that the world map calls: the vehicle standing on a
// field and the run queries of tunnel and bridge demolition.

#include <cstdint>

#include "transport/vehicle.h"

// The vehicle occupying field (x, y): its position, the field it is leaving,
// or (trains) a wagon's field or previous field. Null when the field carries
// no `belegt` mark, when none matches, or when the first match is a city car.
CVehicle* FindVehicleAtField(int32_t x, int32_t y);
// 1 when a vehicle or wagon in a tunnel or on a portal stands on the straight
// run between (x1, y1) and (x2, y2) (a column when x1 = x2, else a row when
// y1 = y2), in either order of the ends; else 0.
int32_t IsVehicleOnColumn(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The same for a vehicle or wagon on a bridge, or on a bridge end outside a
// tunnel.
int32_t IsVehicleOnRow(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
