#pragma once
// What other subsystems need of the vehicle list to store a vehicle as its
// number and to find it again after loading. The vehicle list implements it
// and g_pVehicleLookup points at it from the start; tests may point it at a
// double (null: stored vehicle numbers resolve to no vehicle).

#include <cstdint>

class CVehicle;

class CVehicleLookup {
  public:
    virtual ~CVehicleLookup() = default;
    // The first listed vehicle with this number; null when none matches or it
    // is a city car.
    virtual CVehicle* FindVehicleByNumber(int32_t number) const = 0;
    // The number a record stores for this vehicle.
    virtual int32_t VehicleNumber(const CVehicle& vehicle) const = 0;
};

extern CVehicleLookup* g_pVehicleLookup;
