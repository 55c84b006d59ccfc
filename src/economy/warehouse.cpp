#include "economy/warehouse.h"

#include "economy/building_kinds.h"
#include "economy/record_io.h"

CDepot::CDepot(int32_t x, int32_t y) : CProducer(x, y, kWarehouseSlots) {
    type = kTypeDepot;
}

void CDepot::Load(RecordReader& in) {
    LoadSlots(in);
    SetOwnerFromAnchor();
}

void CDepot::Save(RecordWriter& out) const {
    SaveSlots(out);
}

int32_t CDepot::AcceptsProduct(int32_t product) {
    if (product < 0) return 0;
    return FindGoodsSlot(product) >= 0 || FindFreeGoodsSlot() >= 0 ? 1 : 0;
}

int32_t CDepot::GetDemolitionCost(int32_t, int32_t) {
    if (owner != 0) return -1;
    const Floor floor = FloorOfType(type);
    MarkForDemolition(anchor_x, anchor_y, floor.width, floor.depth);
    return PriceOfType(type) / 10;
}
