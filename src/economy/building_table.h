#pragma once
// The building table as the main loop and the world map use it. The buildings
// subsystem owns these classes and completes them (the operation is declared
// abstract only until it exists); until then g_ppBuildings stays null and the
// calls are skipped.

#include <cstdint>

class CBuilding {
  public:
    virtual ~CBuilding() = default;

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

    // The building of a building number 1..1023, or null (slot 0 never holds one).
    CBuilding* At(int32_t number) const {
        return number > 0 && number < kBuildingSlots ? buildings[number] : nullptr;
    }

    CBuilding* buildings[kBuildingSlots] = {};
};

inline CBuildingTable* g_ppBuildings = nullptr;
