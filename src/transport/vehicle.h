#pragma once
// CVehicle: the common part of every moving object on the map (trucks, trains
// and city traffic cars). The derived classes hold it as a virtual base; every
// pointer that the list, the lookups, the screens and the buildings keep points
// at this part. It carries the position and movement state, the speeds, the
// schedule of up to ten stops, the goods on board, the running costs, the
// tunnel and bridge flags, the screen box used for picking and the planned
// path over the way network.
//
// All vehicles live in one singly linked list, g_pVehicleList (see
// vehicle_list.h for the operations on it).

#include <cstdint>

#include "platform/file.h"
#include "state/schedule_stop.h"
#include "transport/movement_head.h"
#include "transport/road_marks.h"
#include "world/pair_list.h"

class CBuilding;
class CWagon;

// Vehicle class codes.
constexpr int32_t kVehicleTruck = 1;
constexpr int32_t kVehicleRail = 2;
constexpr int32_t kVehicleMonorail = 3;
constexpr int32_t kVehicleSuperconductor = 4;
constexpr int32_t kVehicleNoDeparture = 7;  // never created: skips the move out of a station
constexpr int32_t kVehicleCityCar = 8;

constexpr int32_t kScheduleStops = 10;
constexpr int32_t kWagonSlots = 6;
constexpr int32_t kPhasesPerField = 32;
constexpr int32_t kDecisionPhase = 16;  // the middle of a field
constexpr int32_t kWaitPhase = 15;
constexpr uint8_t kNoProduct = 255;  // cargo plan byte for "none"

// Classes below this one may have wagons.
constexpr bool MayHaveWagons(int32_t vehicle_class) {
    return vehicle_class < 5;
}

// Tag of the constructors that only make room for a record about to be read:
// they touch neither the map, the network nor the vehicle numbers.
struct VehicleLoadOnly {};

class CVehicle {
  public:
    virtual ~CVehicle();
    CVehicle(const CVehicle&) = delete;
    CVehicle& operator=(const CVehicle&) = delete;

    // One frame; the base does nothing and answers 1.
    virtual int32_t Move() { return 1; }
    virtual void Reverse() {}
    virtual int32_t IsPathBlocked() { return 0; }
    // The vehicle record: the fields, the wagons (classes below 5) and the
    // path. Short writes set g_WriteError.
    virtual void Save(plat::FileHandle file);
    // Reads the record written by Save and puts back the vehicle's marks on
    // the map. False for a record that ended early or does not make sense
    // (the vehicle then holds no marks and is to be deleted).
    virtual bool Load(plat::FileHandle file);
    // Reads and checks the record as Load does, without any effect outside
    // the object (the level file's check before a load).
    virtual bool ReadFields(plat::FileHandle file);
    virtual void PlanRoute() {}
    virtual void SearchRoute() {}
    virtual void SearchRouteExcluding() {}
    virtual void TurnAround() {}
    virtual void AlignWagons() {}
    virtual void Drive() {}
    virtual int32_t IsAtStop() { return 0; }
    virtual void AddWagon(const char* /*name*/, int32_t /*product*/, int32_t /*cargo_slot*/) {}
    virtual void AdvanceWagons() {}
    virtual void RemoveWagon(int32_t /*index*/) {}
    virtual void UnloadGoods() {}
    virtual int32_t LoadGoods() { return 0; }
    virtual void UpdateSpeed() {}

    // The goods hand-over with the terminal building on the vehicle's field
    // (none: 0). The vehicle's own fields stay unchanged.
    int32_t UnloadAtTerminal(int32_t product, int32_t amount);
    int32_t LoadAtTerminal(int32_t product, int32_t amount);

    // The lowest free vehicle number up to g_MaxVehicleNumber, -1 when none.
    int32_t FindFreeNumber() const;
    // Position 0..count-1 of the first wagon with this cargo key and index.
    int32_t FindWagon(int32_t cargo_key, int32_t index) const;

    // The heading (direction bit) of the current direction byte.
    uint8_t Heading() const { return static_cast<uint8_t>(direction >> 4); }
    // True while the vehicle holds an occupancy mark on the map.
    bool HoldsMark() const { return mark.kind != MarkKind::None; }

    // --- Fields, in the order of the design ---------------------------------
    int32_t monthly_flag = 0;  // 1 = the game tick clears the monthly counters
    int32_t depart_time = 0;   // trains: clock of the last departure (ms), not saved
    int32_t arrive_time = 0;
    int32_t trip_time = 0;
    int32_t removal_flag = 0;  // 1 = the frame update deletes the vehicle
    int32_t monthly_counters[2] = {};
    int32_t selected = 0;    // shown in the control panel's vehicle panel
    int32_t in_tunnel = 0;   // runs underground between two portals
    int32_t on_bridge = 0;   // runs on a bridge
    int32_t draw_layer = 0;  // 0 normal, 1 hidden in a tunnel, 2 drawn on a bridge
    int32_t halted = 0;      // stays at its stop: loading never completes
    uint8_t pos_x = 0;       // the field the vehicle is on
    uint8_t pos_y = 0;
    int32_t phase = 0;  // 0..31 across the field; 16 = the middle
    uint8_t drawn_x = 0;
    uint8_t drawn_y = 0;
    // Direction bytes: high nibble heading bit, low nibble the side entered
    // from; at phase 0 next -> current -> previous.
    uint8_t next_direction = 0;
    uint8_t direction = 0;
    uint8_t prev_direction = 0;
    uint8_t left_x = 0;  // the field given up at the last move
    uint8_t left_y = 0;
    int32_t stop_served = 0;    // stop being loaded or last served, -1 none
    int32_t stop_count = 0;     // schedule stops in use
    int32_t retry_count = 0;    // trains: returns to the stop just left
    int32_t running_cost = 0;   // running costs since the last stop
    int32_t junction_node = 0;  // node of the junction last entered
    int32_t junction_exit = 0;  // side 0..3 taken there
    int32_t steps_per_frame = 0;
    int32_t base_speed = 0;
    int32_t accel_counter = 0;
    // Trucks and city cars: the vehicle model whose speeds are used; trains:
    // the maximum speed itself.
    int32_t speed_limit = 0;
    int32_t turned = 0;
    uint8_t lane = 0;  // road lane 1 or 2; trains: the waiting flag
    uint8_t reversals = 0;
    int32_t needs_route = 0;
    int32_t state = 0;  // 1 after leaving a stop
    int32_t visible = 0;
    int32_t sound_pending = 0;
    int32_t schedule_changed = 0;              // the schedule changed under the vehicle
    CPairList path;                            // (node, direction index; -1 on the last node)
    int32_t screen_box[4] = {-1, -1, -1, -1};  // x-min, x-max, y-min, y-max
    int32_t screen_box_spare = 0;
    int32_t cost_this_trip = 0;
    int32_t cost_last_trip = 0;
    uint8_t three_step_counter = 0;
    CWagon* wagons[kWagonSlots] = {};
    int32_t wagon_count = 0;
    int32_t replan_x = 0;  // where the vehicle last had to re-plan
    int32_t replan_y = 0;
    int32_t target_stop = 0;  // stop being driven to
    uint8_t spare_bytes[5] = {};
    int32_t number = 0;  // 1.. for player vehicles, -1 for city cars
    int32_t model = 0;
    int32_t vehicle_class = 0;
    int32_t owner = 0;  // player 0..3; city cars: city number 1..63
    uint8_t cargo_plan[kScheduleStops][kWagonSlots][2] = {};  // {product, flag}
    int32_t product_carried = -1;
    int32_t amount_carried = 0;
    int32_t wait_until_loaded[kScheduleStops] = {};
    int32_t halt_at_stop[kScheduleStops] = {};
    int32_t loading_state = 0;
    int32_t running_flag = 0;  // 1 = Move steps the vehicle
    int32_t wait_counter = 0;  // frames left to stand still
    int32_t spare_word = 0;
    // Trucks and trains: consecutive decisions at which the field ahead
    // belonged to the target stop; city cars: fields left to drive.
    int32_t arrival_counter = 0;
    int32_t way_kind = 0;
    ScheduleStop schedule[kScheduleStops] = {};

    // Spare bytes of the movement block (2, 3, 15, 62, 63), kept for the record.
    uint8_t movement_spare[5] = {};
    // The occupancy mark the vehicle holds on its position (not saved: Load
    // puts it back from the position and the flags).
    RoadMark mark;
    // False for a vehicle made for loading until its Load put it on the map:
    // one only read for the level file's check never touched the map, and
    // its end must leave the map and the network alone.
    bool on_map = true;

  protected:
    // A new vehicle at (x, y) of `vehicle_class` (see the class codes). Not
    // registered in the list: the derived constructors do that.
    CVehicle(int32_t x, int32_t y, const char* name, int32_t model, int32_t vehicle_class);
    explicit CVehicle(VehicleLoadOnly);

    // Reads every field of the record, the wagons and the path, and checks
    // them; puts nothing on the map. Shared by the loads of the classes.
    bool ReadRecord(plat::FileHandle file);
    // The 64-byte movement block of the record.
    // The movement block's position and direction bytes (the writer only
    // reads through it).
    MovementHead Head() const;
    void WriteMovementBlock(plat::FileHandle file) const;
    bool ReadMovementBlock(plat::FileHandle file);
    void WriteScreenBox(plat::FileHandle file) const;
    bool ReadScreenBox(plat::FileHandle file);
    // Frees the wagons (their fields' marks released) and the path.
    void FreeWagons();

    // --- The trip steps trucks and trains share (vehicle_trip.cpp) ---------
    // True when the vehicle does not move this frame: not running, or still
    // waiting (one frame of the wait is used up).
    bool StandsThisFrame();
    // Speed back to a standstill.
    void StopSpeed();
    // Every third departure is heard.
    void CountDepartureSound();
    // Standing at a stop: one try of the goods exchange. The vehicle then
    // waits `retry_wait` frames to try again, or, done, a short while before
    // it departs.
    void ExchangeGoods(int32_t retry_wait);
    // After a schedule change: plans from the first stop and departs.
    void RestartSchedule();
    // Phase 0: the field is taken over as drawn field, the directions move
    // on and the model's running cost of a field is added.
    void EndField();
    // At a stop: the running costs since the last stop are booked to the
    // owner and added to the trip's.
    void SettleRunningCosts();
    // At the first stop of the schedule the round trip's costs are closed.
    void CloseRoundTripCosts();
    // The stop just reached becomes the served one; the next stop of the
    // schedule (the first after the last) becomes the target.
    void AdvanceTargetStop();
    // The node at the front of the path, 0 when the path is empty.
    int32_t PathFrontNode() const;
    // A vehicle not at the station or depot of its served stop (one just
    // bought) plans its route there first; true when it did. `stop_served`
    // must be a schedule index.
    bool HeadForServedStop();
    // The first steps of loading at the served stop, shared by trucks and
    // trains. `result` is 0 when no stop is served and 1 when the vehicle
    // heads there first (loading ends with it), -1 otherwise; `building` is
    // then the stop's building, refreshed, or null when there is none or
    // the stop count is out of range.
    struct LoadingStop {
        int32_t result = -1;
        CBuilding* building = nullptr;
    };
    LoadingStop BeginLoading();
    // Refreshes the information panel when it shows this vehicle.
    void RefreshInfoPanelIfSelected() const;
    // The end of unloading at `building` (on the target stop): the delivering
    // vehicle is forgotten, a halt is taken up and the building redrawn.
    void FinishUnloading(CBuilding& building);
};

// One node of the vehicle list.
struct VehicleListNode {
    CVehicle* vehicle = nullptr;
    VehicleListNode* next = nullptr;
};

// Every vehicle of the game, city cars included; new nodes go at the head.
inline VehicleListNode* g_pVehicleList = nullptr;

// The highest vehicle number handed out; 0 at a new game, raised by loading.
inline int32_t g_MaxVehicleNumber = 0;
// The one-letter name counter the purchase screens pass to the constructors.
inline char g_VehicleNameCounter[2] = "A";
// The computer opponent's vehicle that is unloading at this moment (null for
// the human player's vehicles and between unloadings); the stores read it.
inline CVehicle* g_pVehicleAtTerminal = nullptr;
