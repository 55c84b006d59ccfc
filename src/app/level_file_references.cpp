// The cross-record checks of a level file: every number that names
// something in another record (a building slot, a city, a network node, a
// terminal) must name something that exists and fits, and every table index
// must lie in its table. They run in the check walk on what it read into
// scratch values, before the running game is touched.

#include <bitset>
#include <cstring>
#include <iterator>
#include <set>
#include <vector>

#include "app/level_records.h"
#include "economy/building_kinds.h"
#include "state/game_records.h"
#include "state/map_field.h"
#include "transport/vehicle.h"
#include "world/way_network.h"

namespace {

// The highest way type a field or a vehicle can hold.
constexpr int32_t kLastWayType = kWaySuperconductor;

MapField FieldOf(const LevelReferences& refs, int32_t x, int32_t y) {
    MapField field;
    std::memcpy(field.bytes, refs.grid.data() + size_t(FieldIndex(x, y)) * 12, 12);
    return field;
}

// The type of the company building a field names, -1 when it names none;
// -2 when it names a building that does not exist or does not fit.
int32_t CompanyBuildingOf(const LevelReferences& refs, const MapField& field) {
    if (field.no_building_mask() || (field.stadtnum() != 0 && !field.building_flag())) return -1;
    const int32_t slot = field.geb_num();
    if (slot == 0) return -1;
    const int32_t type = refs.building_types[slot];
    const int32_t on_field = field.geb_typ();
    // Depots and stations carry their orientation on the field as well; a
    // station's platform fields name the station.
    const bool fits = type == on_field || (IsTruckDepotType(type) && IsTruckDepotType(on_field)) ||
                      (IsStationType(type) && on_field >= 4 && on_field <= 9);
    return type >= 0 && fits ? type : -2;
}

bool FieldsSound(const LevelReferences& refs) {
    std::bitset<kWayNodeSlots> node_used;
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) {
            const MapField field = FieldOf(refs, x, y);
            if (field.wegtyp() > kLastWayType) return false;
            const int32_t city = field.stadtnum();
            if (city != 0 && (refs.cities >> (city - 1) & 1) == 0) return false;
            if (CompanyBuildingOf(refs, field) == -2) return false;
            const int32_t node = field.knotennummer();
            if (node == 0) continue;
            // One node per field, and the node is in the network.
            if (node >= kWayNodeSlots || refs.network->Node(node) == nullptr ||
                node_used.test(node)) {
                return false;
            }
            node_used.set(node);
        }
    }
    return true;
}

bool IsTerminalOf(int32_t vehicle_class, int32_t building_type) {
    if (vehicle_class == kVehicleTruck) return IsTruckDepotType(building_type);
    return IsStationType(building_type);
}

bool VehicleSound(const LevelReferences& refs, const CVehicle& vehicle) {
    if (vehicle.way_kind < 0 || vehicle.way_kind > kLastWayType) return false;
    if (vehicle.vehicle_class == kVehicleCityCar) return true;
    if (vehicle.number < 0 || vehicle.model < 0 || vehicle.model >= kVehicleModelCount) {
        return false;
    }
    for (const ScheduleStop& stop : vehicle.schedule) {
        if (stop.IsEmpty()) continue;
        for (int32_t k = 0; k < 4; ++k) {
            if (stop.x[k] == kNoStopField) continue;
            const int32_t type = CompanyBuildingOf(refs, FieldOf(refs, stop.x[k], stop.y[k]));
            if (type < 0 || !IsTerminalOf(vehicle.vehicle_class, type)) return false;
        }
    }
    return true;
}

// Every building's anchor field names it: a store works with the city of its
// anchor field (which FieldsSound found to exist or to be none), a terminal
// with the owner bits there.
bool AnchorsSound(const LevelReferences& refs) {
    for (int32_t slot = 0; slot < 1024; ++slot) {
        const int32_t type = refs.building_types[slot];
        if (type < 0) continue;
        const int32_t at = refs.building_anchors[slot];
        const MapField field = FieldOf(refs, at / kMapSize, at % kMapSize);
        if (CompanyBuildingOf(refs, field) != type || field.geb_num() != slot) return false;
    }
    return true;
}

}  // namespace

bool LevelReferencesSound(const LevelReferences& refs) {
    if (refs.grid.size() != kFieldGridBytes || refs.network == nullptr) return false;
    if (!FieldsSound(refs) || !AnchorsSound(refs)) return false;
    std::set<int32_t> numbers;
    for (const auto& vehicle : refs.vehicles) {
        if (!VehicleSound(refs, *vehicle)) return false;
        if (vehicle->vehicle_class == kVehicleCityCar) continue;
        // Two vehicles of one number: the lists and screens would mix them up.
        if (!numbers.insert(vehicle->number).second) return false;
    }
    return true;
}

std::vector<int32_t> FileBuildingOwners(const LevelReferences& refs) {
    std::vector<int32_t> owners(std::size(refs.building_types), -1);
    if (refs.grid.size() < size_t(kMapFieldCount) * 12) return owners;
    // Field order runs x-major: a footprint's first field is its north-west one.
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) {
            const MapField field = FieldOf(refs, x, y);
            if (CompanyBuildingOf(refs, field) < 0) continue;
            int32_t& owner = owners[field.geb_num()];
            if (owner < 0) owner = field.spieler();
        }
    }
    return owners;
}
