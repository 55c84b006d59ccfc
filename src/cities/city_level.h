#pragma once
// The cities' record of the level file: the 2,048-byte block of name flags,
// the number of cities, then per city its number, origin and body (see
// CCityManager::Save). Without a city manager the record is written empty.

#include <cstdint>

#include "platform/file.h"

constexpr uint32_t kCityNameBlockSize = 2048;

// Writes the record; a short write sets g_WriteError.
void WriteCityRecords(plat::FileHandle file);
// Walks over the record with the reader's checks and changes nothing; false
// when it is damaged. With `present`, bit n-1 tells whether city n exists.
bool SkipCityRecords(plat::FileHandle file, uint64_t* present = nullptr);
// Deletes every city and reads the record; false when it is damaged.
bool ReadCityRecords(plat::FileHandle file);

// Before the map grid is written: every city finishes its pending building
// site. True when a site became its building.
bool PrepareCitiesForSave();
// After the cities were read and their cars counted: every city spawns its
// traffic car.
void AfterLoadCities();
