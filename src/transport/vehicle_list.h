#pragma once
// The vehicle list: registering vehicles, the lookups by number, field and
// screen point, and deleting vehicles. All lookups walk the list.

#include <cstdint>

#include "platform/geometry.h"
#include "transport/vehicle.h"
#include "transport/vehicle_services.h"

// Puts a vehicle at the head of g_pVehicleList (the constructors of the
// vehicle classes call it; the loader too, so a loaded list holds the
// vehicles in the reverse of the file's order).
void RegisterVehicle(CVehicle* vehicle);
// Takes the vehicle's node out of the list (the vehicle is not deleted).
// False when it is not listed.
bool UnlinkVehicle(CVehicle* vehicle);

// The first listed vehicle with number n; null when none matches or it is a
// city car.
CVehicle* FindVehicleByNumber(int32_t n);
// The speed limit (a model index) of the first listed truck or city car on
// (x, y) in `lane`; 1000 when none.
int32_t GetRoadVehicleValueAt(int32_t x, int32_t y, int32_t lane);
// The player vehicle whose screen box (or, for a train, a wagon's box) holds
// the point; among several engines the one drawn in front (larger y-max, ties
// to the later entry). City cars and vehicles hidden in tunnels are skipped.
CVehicle* PickVehicleAt(plat::Point point);

// Number of listed vehicles.
int32_t CountVehicles();
// Deletes every vehicle and frees the list (a new game, a load, the end of
// the world view); vehicle numbers start again from 1.
void DeleteAllVehicles();
