#pragma once
// The part of the building table that the world map reads: the building record
// behind a field's building number and its anchor field. The buildings
// subsystem owns and implements these; this header holds only what the way
// builders and field queries use.

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
    // The building of a building number 1..1023, or null (slot 0 never holds one).
    CBuilding* At(int32_t number) const {
        return number > 0 && number < kBuildingSlots ? buildings[number] : nullptr;
    }

    CBuilding* buildings[kBuildingSlots] = {};
};

extern CBuildingTable* g_ppBuildings;
