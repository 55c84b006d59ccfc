// The level file's calls into the cities: the cities' record and the steps
// before a save and after a load.

#include "cities/city_level.h"

#include "cities/city_manager.h"
#include "state/le_io.h"

void WriteCityRecords(plat::FileHandle file) {
    if (g_pCityManager != nullptr) {
        g_pCityManager->Save(file);
        return;
    }
    const uint8_t block[kCityNameBlockSize] = {};
    le::WriteBytes(file, block, kCityNameBlockSize);
    le::WriteU32(file, 0);
}

bool SkipCityRecords(plat::FileHandle file, uint64_t* present) {
    return CCityManager::CheckRecord(file, present);
}

bool ReadCityRecords(plat::FileHandle file) {
    if (g_pCityManager != nullptr) return g_pCityManager->Load(file);
    return CCityManager::CheckRecord(file);
}

bool PrepareCitiesForSave() {
    return g_pCityManager != nullptr && g_pCityManager->FinishAllBuildingSites();
}

void AfterLoadCities() {
    if (g_pCityManager != nullptr) g_pCityManager->SpawnAllTrafficCars();
}
