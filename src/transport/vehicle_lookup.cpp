#include "transport/vehicle_lookup.h"

CVehicleLookup* g_pVehicleLookup = nullptr;
