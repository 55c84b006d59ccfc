#pragma once
// The cities' record of the level file: the 2,048-byte block of name flags,
// the number of cities, then per city its number, origin and body.
//
// Until the cities save their own records the record is written in its empty
// form (a zero block and count 0), and a file is readable only when it holds
// no city: a non-zero count cannot be walked and marks the file as damaged.

#include <cstdint>

#include "platform/file.h"

constexpr uint32_t kCityNameBlockSize = 2048;

// Writes the record; a short write sets g_WriteError.
void WriteCityRecords(plat::FileHandle file);
// Walks over the record with the reader's checks and changes nothing; false
// when it is damaged.
bool SkipCityRecords(plat::FileHandle file);
// Deletes every city and reads the record; false when it is damaged.
bool ReadCityRecords(plat::FileHandle file);

// Before the map grid is written: every city writes back the field it holds
// marked for a moment.
void PrepareCitiesForSave();
// After the cities were read and their cars counted: every city spawns its
// traffic car.
void AfterLoadCities();
