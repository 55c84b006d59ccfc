#pragma once
// The city manager as the main loop and the world map use it. The cities
// subsystem owns these classes and completes them (the operations are
// declared abstract only until it exists); until then g_pCityManager stays
// null and every call is skipped.

#include <cstdint>

constexpr int32_t kCitySlots = 63;  // city number n (1..63) is slot n - 1
constexpr int32_t kCityAreaSize = 27;

class CCity {
  public:
    // Attraction counters, one per attraction type 27..31.
    int32_t attraction_counts[5] = {};
    // North-west field of the city's 27 x 27 area.
    int32_t origin_x = 0;
    int32_t origin_y = 0;
    int32_t car_count = 0;  // city traffic cars of this city on the vehicle list
};

class CCityManager {
  public:
    virtual ~CCityManager() = default;
    // One growth tick of every city.
    virtual void Tick() = 0;
    // The monthly update of every city.
    virtual void MonthlyUpdate() = 0;

    // The city of a city number 1..63, or null.
    CCity* City(int32_t number) const {
        return number >= 1 && number <= kCitySlots ? cities[number - 1] : nullptr;
    }

    CCity* cities[kCitySlots] = {};
};

inline CCityManager* g_pCityManager = nullptr;
