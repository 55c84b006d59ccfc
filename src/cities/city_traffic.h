#pragma once
// The link from the cities to their traffic cars. The vehicles subsystem
// installs the maker of a city traffic car: it constructs the car on field
// (x, y) with its name counter, model and city number and registers it in the
// vehicle list. While no maker is installed the cities make no cars.

#include <cstdint>

class CVehicle;

using CityCarMaker = CVehicle* (*)(int32_t x, int32_t y, const char* name, int32_t model,
                                   int32_t city);
inline CityCarMaker g_MakeCityCar = nullptr;

// Takes every city car out of the vehicle list, lowers the car count of its
// city by one and deletes it.
void RemoveAllCityCars();
