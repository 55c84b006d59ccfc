#pragma once
// The building table as the main loop and the world map use it. The buildings
// subsystem owns these classes and completes them (the operation is declared
// abstract only until it exists); until then g_ppBuildings stays null and the
// calls are skipped.

#include <cstdint>

class CBuilding {
  public:
    virtual ~CBuilding() = default;
    // The periodic step (a terminal lets its catchment's factories produce).
    virtual void Update() {}
    // Hands out up to `amount` whole units of `product` to player `buyer`;
    // the result is the amount handed out.
    virtual int32_t TakeGoods(int32_t /*product*/, int32_t /*amount*/, int32_t /*denominator*/,
                              int32_t /*buyer*/) {
        return 0;
    }
    // Takes `amount` units of `product`, shared among `sharers` buildings.
    virtual int32_t PutGoods(int32_t /*product*/, int32_t /*amount*/, int32_t /*sharers*/) {
        return 0;
    }
    // Rebuilds what the building derives from its surroundings (a terminal's
    // catchment list).
    virtual void Refresh() {}
    // Train stations: platform rows 1..4; truck depots 1; others 0.
    virtual int32_t GetLength() const { return 0; }

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
