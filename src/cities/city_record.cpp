// The cities' record of the level file: the name-used block, the city count
// and each city's number, origin and body. All integers little-endian.

#include <cstring>

#include "cities/city_manager.h"
#include "state/le_io.h"
#include "world/way_piece_tables.h"

namespace {

// An area must meet the map; anything else is a damaged record.
constexpr int32_t kLowestOrigin = -(kCityAreaSize - 1);
constexpr int32_t kHighestOrigin = 255;

bool OriginOnMap(int32_t x, int32_t y) {
    return x >= kLowestOrigin && x <= kHighestOrigin && y >= kLowestOrigin && y <= kHighestOrigin;
}

void WriteGrid(plat::FileHandle file, const int32_t (&grid)[kCityAreaSize][kCityAreaSize]) {
    le::WriteI32Array(file, &grid[0][0], kCityAreaCells);
}

bool ReadGrid(plat::FileHandle file, int32_t (&grid)[kCityAreaSize][kCityAreaSize]) {
    return le::ReadI32Array(file, &grid[0][0], kCityAreaCells) == kCityAreaCells * 4u;
}

}  // namespace

void CCity::Save(plat::FileHandle file) const {
    le::WriteI32(file, origin_x);
    le::WriteI32(file, origin_y);
    le::WriteI32(file, countdown);
    le::WriteI32(file, evaluation);
    WriteGrid(file, street_grid);
    WriteGrid(file, zone_grid);
    le::WriteBytes(file, name, kCityNameLength);
    le::WriteI32(file, terminal_names_given);
    le::WriteI32Array(file, reserved_words, 3);
}

bool CCity::ReadBody(plat::FileHandle file) {
    bool ok = le::ReadI32(file, origin_x) && le::ReadI32(file, origin_y) &&
              le::ReadI32(file, countdown) && le::ReadI32(file, evaluation) &&
              ReadGrid(file, street_grid) && ReadGrid(file, zone_grid) &&
              le::ReadBytes(file, name, kCityNameLength) == kCityNameLength &&
              le::ReadI32(file, terminal_names_given) &&
              le::ReadI32Array(file, reserved_words, 3) == 12;
    name[kCityNameLength - 1] = '\0';
    ok = ok && OriginOnMap(origin_x, origin_y) && terminal_names_given >= 0;
    for (const auto& column : street_grid) {
        for (int32_t plan : column) ok = ok && plan >= 0 && plan <= kWayPieceCount;
    }
    return ok;
}

bool CCity::Load(plat::FileHandle file) {
    const bool ok = ReadBody(file);
    pending_site_x = -1;
    pending_site_y = -1;
    if (!ok) return false;
    // The counts and the evaluation follow from the map as loaded.
    Evaluate();
    CountResidents();
    return true;
}

void CCityManager::Save(plat::FileHandle file) const {
    uint8_t block[kNameBlockBytes] = {};
    for (int32_t i = 0; i < kCityNameCount; ++i) le::PutU32(block + 4 * i, name_used[i]);
    le::WriteBytes(file, block, kNameBlockBytes);
    uint32_t count = 0;
    for (const CCity* city : cities) count += city != nullptr ? 1 : 0;
    le::WriteU32(file, count);
    for (const CCity* city : cities) {
        if (city == nullptr) continue;
        le::WriteI32(file, city->number);
        le::WriteI32(file, city->origin_x);
        le::WriteI32(file, city->origin_y);
        city->Save(file);
    }
}

namespace {

// Reads the record into `slots` (empty on entry): city objects made without
// a layout and filled from their bodies, nothing else touched. False for a
// damaged record.
bool ReadCityRecord(plat::FileHandle file, CCity* (&slots)[kCitySlots],
                    uint32_t (&used)[kCityNameCount], bool settle) {
    uint8_t block[kNameBlockBytes] = {};
    uint32_t count = 0;
    if (le::ReadBytes(file, block, kNameBlockBytes) != kNameBlockBytes ||
        !le::ReadU32(file, count) || count > static_cast<uint32_t>(kCitySlots)) {
        return false;
    }
    for (int32_t i = 0; i < kCityNameCount; ++i) used[i] = le::GetU32(block + 4 * i) != 0;
    for (uint32_t k = 0; k < count; ++k) {
        int32_t number = 0;
        int32_t x = 0;
        int32_t y = 0;
        if (!le::ReadI32(file, number) || !le::ReadI32(file, x) || !le::ReadI32(file, y)) {
            return false;
        }
        if (number < 1 || number > kCitySlots || slots[number - 1] != nullptr) return false;
        auto* city = new CCity(number, x, y);
        slots[number - 1] = city;
        if (!(settle ? city->Load(file) : city->ReadBody(file))) return false;
    }
    return true;
}

void DeleteCities(CCity* (&slots)[kCitySlots]) {
    for (CCity*& city : slots) {
        delete city;
        city = nullptr;
    }
}

}  // namespace

bool CCityManager::CheckRecord(plat::FileHandle file, uint64_t* present) {
    CCity* slots[kCitySlots] = {};
    uint32_t used[kCityNameCount] = {};
    const bool ok = ReadCityRecord(file, slots, used, false);
    if (present != nullptr) {
        *present = 0;
        for (int32_t i = 0; i < kCitySlots; ++i) {
            if (slots[i] != nullptr) *present |= uint64_t{1} << i;
        }
    }
    DeleteCities(slots);
    return ok;
}

bool CCityManager::Load(plat::FileHandle file) {
    DeleteAllCities();
    if (!ReadCityRecord(file, cities, name_used, true)) {
        DeleteAllCities();
        return false;
    }
    return true;
}
