#pragma once
// The city manager as the main loop uses it. The cities subsystem owns these
// classes and completes them (the operations are declared abstract only until
// it exists); until then g_pCityManager stays null and every call is skipped.

#include <cstdint>

constexpr int32_t kCitySlots = 63;  // city number n (1..63) is slot n - 1

class CCity {
  public:
    int32_t car_count = 0;  // city traffic cars of this city on the vehicle list
};

class CCityManager {
  public:
    virtual ~CCityManager() = default;
    // One growth tick of every city.
    virtual void Tick() = 0;
    // The monthly update of every city.
    virtual void MonthlyUpdate() = 0;

    CCity* cities[kCitySlots] = {};
};

inline CCityManager* g_pCityManager = nullptr;
