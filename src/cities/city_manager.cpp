// The city manager: founding and removing cities, forwarding the growth
// tick and the monthly update, and naming terminals after the nearest city.

#include "cities/city_manager.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "state/map_field.h"

namespace {

constexpr const char* kLocationWords[kLocationWordCount] = {
    "North",  "East",  "South",  "West",     "Middle", "Central",
    "Forest", "Front", "Behind", "Mountain", "Lake",   "Next to",
};

}  // namespace

CCityManager::CCityManager() {
    for (int32_t i = 0; i < kLocationWordCount; ++i) {
        std::snprintf(location_words[i], sizeof location_words[i], "%s", kLocationWords[i]);
    }
}

void CCityManager::DeleteAllCities() {
    for (CCity*& city : cities) {
        if (city == nullptr) continue;
        city->ClearBuildingList();
        delete city;
        city = nullptr;
    }
}

void CCityManager::FreeAll() {
    // The slots are emptied with the cities. Left holding the deleted
    // cities, they would hand them to the next call on the manager, which
    // stays reachable through g_pCityManager until its owner deletes it: a
    // tick, a city lookup or a save would read freed memory, and a second
    // FreeAll or RemoveAllCities would delete the cities again.
    DeleteAllCities();
}

int32_t CCityManager::GetOrCreateCityAt(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return kCityFieldOffMap;
    const int32_t owner = field->stadtnum();
    if (owner != 0) {
        CCity* city = City(owner);
        if (city == nullptr) return kNoCityCreated;  // a stale mark of no living city
        city->GrowOneStage();
        return owner - 1;
    }
    int32_t slot = 0;
    while (slot < kCitySlots && cities[slot] != nullptr) ++slot;
    if (slot == kCitySlots) return kNoCityCreated;
    // The city stands in its slot while it is laid out and grows to its
    // start size, so that its traffic cars find it.
    CCity* city = new CCity(slot + 1, x, y);
    cities[slot] = city;
    city->layout_ok = city->LayOut();
    if (city->layout_ok == 0) {
        cities[slot] = nullptr;
        city->ClearBuildingList();
        delete city;
        return kNoCityCreated;
    }
    return slot;
}

void CCityManager::RemoveCityAt(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    const int32_t number = field->stadtnum();
    CCity* city = City(number);
    if (city == nullptr) return;
    cities[number - 1] = nullptr;
    city->ClearFields();
    city->ClearBuildingList();
    delete city;
}

void CCityManager::RemoveAllCities() {
    for (CCity*& city : cities) {
        if (city == nullptr) continue;
        city->ClearFields();
        city->ClearBuildingList();
        delete city;
        city = nullptr;
    }
    for (uint32_t& used : name_used) used = 0;
}

void CCityManager::Tick() {
    for (CCity* city : cities) {
        if (city != nullptr) city->Tick();
    }
}

void CCityManager::MonthlyUpdate() {
    for (CCity* city : cities) {
        if (city != nullptr) city->MonthlyUpdate();
    }
}

bool CCityManager::FinishAllBuildingSites() {
    bool finished = false;
    for (CCity* city : cities) {
        if (city != nullptr) finished = city->FinishBuildingSite() || finished;
    }
    return finished;
}

void CCityManager::SpawnAllTrafficCars() {
    for (CCity* city : cities) {
        if (city != nullptr) city->SpawnTrafficCar();
    }
}

void CCityManager::MakeTerminalName(int32_t x, int32_t y, char* out, size_t size) {
    if (out == nullptr || size == 0) return;
    out[0] = '\0';
    CCity* nearest = nullptr;
    int64_t best = 65535;
    for (CCity* city : cities) {
        if (city == nullptr) continue;
        const double ex = static_cast<double>(city->origin_x) - x + 13;
        const double ey = static_cast<double>(city->origin_y) - y + 13;
        const auto d = static_cast<int64_t>(std::sqrt(ex * ex + ey * ey));
        if (d < best) {
            best = d;
            nearest = city;
        }
    }
    if (nearest == nullptr) return;
    const int32_t k = nearest->terminal_names_given < 0 ? 0 : nearest->terminal_names_given;
    if (k < kLocationWordCount) {
        std::snprintf(out, size, "%s %s", nearest->name, location_words[k]);
    } else {
        std::snprintf(out, size, "%s %d", nearest->name, k - (kLocationWordCount - 1));
    }
    if (k < INT32_MAX) nearest->terminal_names_given = k + 1;
}
