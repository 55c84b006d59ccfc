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
    virtual ~CCity() = default;
    // Rebuilds the city's list of stores of one store or attraction type and
    // the shared store coverage grid (nothing until the cities override it).
    virtual void RefreshStores(int32_t /*type*/) {}
    // 1 when the city's 27 x 27 area meets the rectangle x .. x + w - 1,
    // y .. y + h - 1.
    int32_t OverlapsRect(int32_t x, int32_t y, int32_t w, int32_t h) const {
        return origin_x < x + w && x < origin_x + kCityAreaSize && origin_y < y + h &&
                       y < origin_y + kCityAreaSize
                   ? 1
                   : 0;
    }

    // Attraction counters, one per attraction type 27..31.
    int32_t attraction_counts[5] = {};
    // North-west field of the city's 27 x 27 area.
    int32_t origin_x = 0;
    int32_t origin_y = 0;
    int32_t car_count = 0;  // city traffic cars of this city on the vehicle list

    // What the world generator needs of a city (the bodies are what a city
    // without the feature does; the cities subsystem overrides them).
    // Removes the city's traces (city number, city streets with their network
    // nodes, city buildings) from the fields of its area and frees its name.
    virtual void ClearFields() {}
    // Frees the city's store list.
    virtual void ClearBuildingList() {}
    int32_t residents = 0;
};

class CCityManager {
  public:
    virtual ~CCityManager() = default;
    // One growth tick of every city.
    virtual void Tick() = 0;
    // The monthly update of every city.
    virtual void MonthlyUpdate() = 0;
    // Removes the whole city that owns field (x, y) and clears its fields
    // (nothing until the cities override it).
    virtual void RemoveCityAt(int32_t /*x*/, int32_t /*y*/) {}

    // The city of a city number 1..63, or null.
    CCity* City(int32_t number) const {
        return number >= 1 && number <= kCitySlots ? cities[number - 1] : nullptr;
    }

    CCity* cities[kCitySlots] = {};

    // What the world generator needs of the manager (nothing until the
    // cities subsystem overrides them).
    // The slot 0..62 of a new city around field (x, y) (for a field of a city:
    // that city's slot after it grew one stage); -1 when no city came into
    // being, -2 off the map.
    virtual int32_t GetOrCreateCityAt(int32_t /*x*/, int32_t /*y*/) { return -1; }
    // Clears the fields of every city, frees them and empties the slots.
    virtual void RemoveAllCities() {}
};

inline CCityManager* g_pCityManager = nullptr;

// Size class 0..7 of a city building number b (`stadtb`): 0 for 1..10, 1 for
// 11..20, 2 for 21..28, 3 for 29..34, 4 for 35..38, 5 for 39..41, 6 for
// 42..47, 7 for 48 and above (building sites); 0 for no building.
constexpr int32_t GetCityBuildingClass(int32_t b) {
    return b <= 10   ? 0
           : b <= 20 ? 1
           : b <= 28 ? 2
           : b <= 34 ? 3
           : b <= 38 ? 4
           : b <= 41 ? 5
           : b <= 47 ? 6
                     : 7;
}
