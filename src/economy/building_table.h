#pragma once
// The building table as the main loop and the world map use it. The buildings
// subsystem owns these classes and completes them (the operation is declared
// abstract only until it exists); until then g_ppBuildings stays null and the
// calls are skipped.

#include <cstdint>

class CBuilding {
  public:
    virtual ~CBuilding() = default;

    // Operations the world map calls. The bodies here are what a building
    // without the feature answers; the building classes override them.
    // Adds (amount 1) or removes (-1) the building's effect on the 27 x 27
    // grid of the city in slot 0..62.
    virtual void ApplyAttraction(int32_t /*city_slot*/, int32_t /*amount*/) {}
    // Lengthens a train station by one line, charges its owner and returns
    // the amount charged.
    virtual int32_t Extend() { return 0; }
    // A train station's length in lines (1..4), a truck depot 1, others 0.
    virtual int32_t GetLength() const { return 0; }
    // 1 when a terminal reports field (x, y) as occupied by a vehicle.
    virtual int32_t IsTileOccupied(int32_t /*x*/, int32_t /*y*/) const { return 0; }

    // North-west field of the footprint; for a train station the first field
    // of its head line.
    int32_t anchor_x = 0;
    int32_t anchor_y = 0;
};

constexpr int32_t kBuildingSlots = 1024;

class CBuildingTable {
  public:
    virtual ~CBuildingTable() = default;
    // The monthly update of every raw-material site (building types 10..13).
    virtual void UpdateRawMaterialSites() = 0;
    // Removes a building from the map and the table with every reference to
    // it (nothing until the building table overrides it).
    virtual void DemolishBuilding(int32_t /*number*/) {}
    // Rewrites the schedule stops that name the station whose first field is
    // (x, y) to its current lines (types 6..9).
    virtual void RewriteStationStops(int32_t /*x*/, int32_t /*y*/, int32_t /*type*/,
                                     int32_t /*number*/) {}

    // The building of a building number 1..1023, or null (slot 0 never holds one).
    CBuilding* At(int32_t number) const {
        return number > 0 && number < kBuildingSlots ? buildings[number] : nullptr;
    }

    CBuilding* buildings[kBuildingSlots] = {};

    // What the world generator needs of the table (nothing until the
    // buildings subsystem overrides them).
    // Creates a building of the construction kind `selected_building_type`
    // with its north-west field at (x, y) in the first free slot and answers
    // the slot; 0 or less when none was made.
    virtual int32_t PlaceBuilding(int32_t /*x*/, int32_t /*y*/) { return 0; }
    // Deletes the buildings of slots 1..1023 and empties the slots.
    virtual void DeleteAll() {}
};

inline CBuildingTable* g_ppBuildings = nullptr;
