#include "economy/warehouse.h"

#include "economy/building_kinds.h"
#include "economy/record_io.h"

CDepot::CDepot(int32_t x, int32_t y) : CProducer(x, y, kWarehouseSlots) {
    type = kTypeDepot;
    for (GoodsSlot& s : stock) s = {-1, 0, 0};
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
    return SlotFor(product) >= 0 ? 1 : 0;
}
