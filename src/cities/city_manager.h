#pragma once
// The part of the city manager that the world map reads: the city slots and
// each city's 27 x 27 area. The city subsystem owns and implements these.

#include <cstdint>

class CCity {
  public:
    // Attraction counters, one per attraction type 27..31.
    int32_t attraction_counts[5] = {};
    // North-west field of the city's 27 x 27 area.
    int32_t origin_x = 0;
    int32_t origin_y = 0;
};

constexpr int32_t kCitySlots = 63;
constexpr int32_t kCityAreaSize = 27;

class CCityManager {
  public:
    // The city of a city number 1..63 (slot number - 1), or null.
    CCity* City(int32_t number) const {
        return number >= 1 && number <= kCitySlots ? cities[number - 1] : nullptr;
    }

    CCity* cities[kCitySlots] = {};
};

extern CCityManager* g_pCityManager;
