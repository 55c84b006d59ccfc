#include "economy/truck_depot.h"

#include "economy/building_kinds.h"
#include "state/map_field.h"

namespace {

constexpr int32_t kCatchmentReach = 5;
constexpr int32_t kDepotDemolitionCost = 400;
constexpr uint32_t kLaneOne = 1;  // `belegt` bit 4
constexpr uint32_t kLaneTwo = 2;  // `belegt` bit 5

}  // namespace

void CTruckDepot::Load(RecordReader& in) {
    LoadName(in);
    SetOwnerFromAnchor();
}

void CTruckDepot::Save(RecordWriter& out) const {
    SaveName(out);
}

void CTruckDepot::GetScanRect(int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const {
    x0 = anchor_x - kCatchmentReach;
    y0 = anchor_y - kCatchmentReach;
    x1 = anchor_x + kCatchmentReach;
    y1 = anchor_y + kCatchmentReach;
}

int32_t CTruckDepot::IsTileOccupied(int32_t x, int32_t y) const {
    const MapField* field = FieldAt(x, y);
    return field != nullptr && field->belegt() != 0 ? 1 : 0;
}

uint32_t DepotStandingLane(int32_t depot_type) {
    const int32_t exit = depot_type - kTypeTruckDepot;
    return exit == 0 || exit == 3 ? kLaneTwo : kLaneOne;
}

void CTruckDepot::OccupyTile(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    field->set_belegt(DepotStandingLane(type));
}

void CTruckDepot::ReleaseTile(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field != nullptr) field->set_belegt(0);
}

int32_t CTruckDepot::GetDemolitionCost(int32_t, int32_t) {
    if (IsTileOccupied(anchor_x, anchor_y) != 0) return -1;
    MarkForDemolition(anchor_x, anchor_y, 1, 1);
    return kDepotDemolitionCost;
}
