#include "cities/city_level.h"

#include "app/le_io.h"
#include "cities/city_manager.h"

void WriteCityRecords(plat::FileHandle file) {
    const uint8_t block[kCityNameBlockSize] = {};
    le::WriteBytes(file, block, kCityNameBlockSize);
    le::WriteU32(file, 0);
}

bool SkipCityRecords(plat::FileHandle file) {
    uint8_t block[kCityNameBlockSize];
    if (le::ReadBytes(file, block, kCityNameBlockSize) != kCityNameBlockSize) return false;
    uint32_t count = 0;
    return le::ReadU32(file, count) && count == 0;
}

bool ReadCityRecords(plat::FileHandle file) {
    if (g_pCityManager != nullptr) {
        for (CCity*& city : g_pCityManager->cities) {
            delete city;
            city = nullptr;
        }
    }
    return SkipCityRecords(file);
}

void PrepareCitiesForSave() {}

void AfterLoadCities() {}
