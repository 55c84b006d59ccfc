#pragma once
// Vehicles as the main loop uses them. The vehicles subsystem owns these
// classes and completes them (Move is declared abstract only until it
// exists); until then g_pVehicleList stays empty.

#include <cstdint>

#include "transport/schedule_stop.h"

constexpr int32_t kScheduleStops = 10;
constexpr int32_t kWagonSlots = 6;

// Vehicle class codes.
constexpr int32_t kVehicleTruck = 1;
constexpr int32_t kVehicleCityCar = 8;

class CVehicle {
  public:
    virtual ~CVehicle() = default;
    // One step of the frame update.
    virtual void Move() = 0;

    int32_t removal_flag = 0;  // 1 = the frame update deletes the vehicle
    int32_t visible = 0;       // the vehicle's field is in the visible part of the view
    uint8_t pos_x = 0;         // the field the vehicle is on
    uint8_t pos_y = 0;
    uint8_t direction = 0;  // high nibble: the direction bits (1, 2, 4, 8) of its travel
    int32_t vehicle_class = 0;
    int32_t owner = 0;         // player 0..3; city cars: city number 1..63
    int32_t monthly_flag = 0;  // 1 = the monthly counters are cleared at the next month
    int32_t monthly_counters[2] = {};

    // The schedule: ten stops, of which `stop_count` are in use, with the
    // cargo plan per stop and wagon slot ({product to load, flag}), the
    // wait-until-loaded and halt-at-stop flags. The building table removes stops of demolished
    // terminals and rewrites the stops of lengthened stations.
    ScheduleStop schedule[kScheduleStops] = {};
    int32_t stop_count = 0;
    int32_t target_stop = 0;       // stop driven to
    int32_t schedule_changed = 0;  // 1 = the next route planning starts anew
    uint8_t cargo_plan[kScheduleStops][kWagonSlots][2] = {};
    int32_t wait_until_loaded[kScheduleStops] = {};
    int32_t halt_at_stop[kScheduleStops] = {};
};

struct VehicleListNode {
    CVehicle* vehicle = nullptr;
    VehicleListNode* next = nullptr;
};

// Every vehicle of the game, city cars included; new nodes go at the head.
inline VehicleListNode* g_pVehicleList = nullptr;

// A computer opponent's train that is unloading at this moment (null for the
// human player's vehicles); stores it delivers to may halt it at its stop.
inline CVehicle* g_pVehicleAtTerminal = nullptr;

// The vehicle overview screen as the frame update uses it (null while closed).
class FS_FZ_UEBER {
  public:
    virtual ~FS_FZ_UEBER() = default;
    // Removes a vehicle that is about to be deleted from the list shown.
    virtual void RemoveVehicle(CVehicle* vehicle) = 0;
};

inline FS_FZ_UEBER* g_pVehicleOverview = nullptr;
