#pragma once
// Vehicles as the main loop uses them. The vehicles subsystem owns these
// classes and completes them (Move is declared abstract only until it
// exists); until then g_pVehicleList stays empty.

#include <cstdint>

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
};

struct VehicleListNode {
    CVehicle* vehicle = nullptr;
    VehicleListNode* next = nullptr;
};

// Every vehicle of the game, city cars included; new nodes go at the head.
inline VehicleListNode* g_pVehicleList = nullptr;

// The vehicle overview screen as the frame update uses it (null while closed).
class FS_FZ_UEBER {
  public:
    virtual ~FS_FZ_UEBER() = default;
    // Removes a vehicle that is about to be deleted from the list shown.
    virtual void RemoveVehicle(CVehicle* vehicle) = 0;
};

inline FS_FZ_UEBER* g_pVehicleOverview = nullptr;
