// City traffic: the cars a city puts on its streets, by its residents, and
// the free street fields they start on.

#include "cities/city_traffic.h"

#include <array>

#include "cities/city.h"
#include "cities/city_area.h"
#include "cities/city_manager.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "transport/vehicle.h"

namespace {

// Map fields collected by FindStreetField: at most one per area cell.
struct StreetField {
    int32_t x;
    int32_t y;
};
std::array<StreetField, kCityAreaCells> g_StreetFieldScratch;

bool IsCarStartPiece(int32_t wegteil) {
    return wegteil == 1 || wegteil == 2 || (wegteil >= 12 && wegteil <= 15);
}

// Cars are made in a running game with city traffic on, never in the editor
// or while the world generator runs.
bool TrafficAllowed() {
    const CGameState* gs = g_pGameState;
    if (gs == nullptr || gs->game_mode == kModeEditor || gs->opt_city_traffic != 1) return false;
    return g_pCityManager == nullptr || g_pCityManager->traffic_held == 0;
}

}  // namespace

void RemoveAllCityCars() {
    VehicleListNode** link = &g_pVehicleList;
    while (*link != nullptr) {
        VehicleListNode* node = *link;
        CVehicle* vehicle = node->vehicle;
        if (vehicle == nullptr || vehicle->vehicle_class != kVehicleCityCar) {
            link = &node->next;
            continue;
        }
        *link = node->next;
        CCity* city = g_pCityManager != nullptr ? g_pCityManager->City(vehicle->owner) : nullptr;
        if (city != nullptr) city->car_count -= 1;
        delete vehicle;
        delete node;
    }
}

void CCity::FindStreetField(int32_t& x, int32_t& y) {
    int32_t count = 0;
    ForEachAreaField(*this, [&](int32_t, int32_t, int32_t fx, int32_t fy, MapField& f) {
        if (f.stadtnum() != number || f.wegtyp() != kWayCityStreet) return;
        if (!IsCarStartPiece(f.wegteil()) || f.belegt() != 0) return;
        g_StreetFieldScratch[count++] = {fx, fy};
    });
    if (count == 0) {
        x = -1;
        y = -1;
        return;
    }
    const StreetField& chosen = g_StreetFieldScratch[plat::Rand() % count];
    x = chosen.x;
    y = chosen.y;
}

bool CCity::MakeTrafficCar() {
    if (g_MakeCityCar == nullptr) return false;
    int32_t x = -1;
    int32_t y = -1;
    FindStreetField(x, y);
    if (x < 0) return false;
    g_MakeCityCar(x, y, "A", 0, number);
    car_count += 1;
    return true;
}

void CCity::MakeTrafficByTick() {
    if (!TrafficAllowed() || residents <= g_pGameState->size_class_thresholds[0]) return;
    if (residents < 1000) {
        if (car_count == 0) MakeTrafficCar();
    } else if (residents / 1000 > car_count) {
        MakeTrafficCar();
    }
}

void CCity::SpawnTrafficCar() {
    if (g_pGameState == nullptr) return;
    if (g_pGameState->game_mode == kModeEditor || g_pGameState->opt_city_traffic != 1) {
        RemoveAllCityCars();
        return;
    }
    if (!TrafficAllowed() || residents <= g_pGameState->size_class_thresholds[0]) return;
    if (residents < 1000) {
        if (car_count == 0) MakeTrafficCar();
    } else if (car_count == 0) {
        for (int32_t k = 0; k < residents / 1000; ++k) {
            if (!MakeTrafficCar()) break;
        }
    } else if (car_count < residents / 1000) {
        MakeTrafficCar();
    }
}
