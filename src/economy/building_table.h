#pragma once
// CBuildingTable: owns every building of the game in 1024 numbered slots. The
// slot number is the building number that the map keeps in the `geb_num` bits
// of each field a building covers; slot 0 is never used. One table exists per
// game view, reached through g_ppBuildings; its owner empties it with FreeAll
// before deleting it (the table does not own the objects past that call, so
// test doubles may lend it buildings of their own).

#include <cstdint>

#include "economy/building.h"
#include "platform/file.h"

constexpr int32_t kBuildingSlots = 1024;
constexpr int32_t kFirstBuildingSlot = 1;
constexpr int32_t kLastBuildingSlot = kBuildingSlots - 1;
// The table's header before each building's record in the level file.
constexpr uint32_t kBuildingHeaderSize = 20;

class CBuildingTable {
  public:
    CBuildingTable() = default;
    virtual ~CBuildingTable() = default;
    CBuildingTable(const CBuildingTable&) = delete;
    CBuildingTable& operator=(const CBuildingTable&) = delete;

    // The building of a building number 1..1023, or null (slot 0 never holds one).
    CBuilding* At(int32_t number) const {
        return number > 0 && number < kBuildingSlots ? buildings[number] : nullptr;
    }

    // Deletes every building (slots 0..1023); teardown.
    void FreeAll();
    // Deletes the buildings of slots 1..1023 (before a load, at a new game).
    void DeleteAll();

    // Places a building of type `selected_building_type` (+ `build_orientation`
    // for truck depots and train stations) with the north-west field of its
    // footprint at (x, y), in the first free slot; charges and books its
    // price. Returns the building number, 0 when nothing was built (no free
    // slot, no valid type). The caller writes the footprint into the map.
    int32_t PlaceBuilding(int32_t x, int32_t y);
    // Removes a building with every reference to it (schedule stops, city
    // grids, its fields and ways) and books the demolition.
    virtual void DemolishBuilding(int32_t number);

    // AfterLoad of every building.
    void AfterLoadAll();
    // The monthly refill of every raw-material site (types 10..13).
    virtual void UpdateRawMaterialSites();
    // After station `number` was lengthened: every schedule stop that names
    // the station is rewritten to list the station's platform rows.
    virtual void RewriteStationStops(int32_t x, int32_t y, int32_t type, int32_t number);
    // Removes every schedule stop whose first field is (x, y).
    void ClearReferences(int32_t x, int32_t y, int32_t kind, int32_t number);
    void ClearScanMarks();

    // The table's record of the level file: the number of buildings, then per
    // building a 20-byte header and its own record. A short write sets
    // g_WriteError.
    void Save(plat::FileHandle file) const;
    // Deletes every building and reads the record. False when the record is
    // damaged (a type without a building class, a slot outside 1..1023 or
    // used twice, an anchor off the map, a record that runs past the file);
    // the table is then left empty.
    bool Load(plat::FileHandle file);
    // Walks over the record with the same checks and changes nothing; here a
    // record also counts as damaged when it holds a value that its building's
    // writer never writes (RecordReader::Require). With `types`, entry n
    // becomes the type of the building in slot n (-1 none); with `anchors`,
    // the field index of its anchor.
    static bool CheckRecord(plat::FileHandle file, int32_t (*types)[kBuildingSlots] = nullptr,
                            int32_t (*anchors)[kBuildingSlots] = nullptr);

    CBuilding* buildings[kBuildingSlots] = {};
};

inline CBuildingTable* g_ppBuildings = nullptr;

// The building on field (x, y) through the `geb_num` bits, or null.
CBuilding* BuildingOnField(int32_t x, int32_t y);
