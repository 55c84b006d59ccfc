#pragma once
// The street field a city offers its traffic car: a uniformly random
// city-street field of the city's area with a straight or ramp piece (1, 2,
// 12..15) and no occupancy mark.

#include <cstdint>

// (x, y) of such a field of city `city` (1..63); (-1, -1) when there is none
// or the city does not exist.
void FindCityStreetField(int32_t city, int32_t& x, int32_t& y);
