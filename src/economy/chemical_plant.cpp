#include "economy/chemical_plant.h"

#include "economy/record_io.h"
#include "state/sound_events.h"
#include "state/view_events.h"

namespace {

constexpr int32_t kLoadedCapacity = 96;
constexpr int32_t kRefillEffect = 23;
constexpr int32_t kRefillChannel = 3;

}  // namespace

CChemicalPlant::CChemicalPlant(int32_t x, int32_t y, bool loading)
    : CSingleGoodSite(x, y, kPlastic) {
    if (loading) return;
    AfterLoad();
    stock = {kPlastic, capacity, 1};
    EmptyIfZero(stock);
}

void CChemicalPlant::Load(RecordReader& in) {
    stock = in.GetSlot();
    capacity = in.GetI32();
    cost = in.GetI32();
    site_flag = in.GetI32();
    in.Require(stock.product == kPlastic || stock.product == -1);
    if (stock.product != kPlastic) stock = kEmptySlot;
    EmptyIfZero(stock);
    capacity = kLoadedCapacity;
}

void CChemicalPlant::Save(RecordWriter& out) const {
    out.PutSlot(stock);
    out.PutI32(capacity);
    out.PutI32(cost);
    out.PutI32(site_flag);
}

void CChemicalPlant::AfterLoad() {
    capacity = (Decade() + 8) * 5;
    CutToCapacity(stock, capacity);
}

void CChemicalPlant::Update() {
    AfterLoad();
    stock = {kPlastic, capacity, 1};
    EmptyIfZero(stock);
    if (Views().IsTileInView(anchor_x, anchor_y)) {
        Sounds().PlayEffect(kRefillEffect, kRefillChannel, Views().GetSoundPan(anchor_x, anchor_y));
    }
    RefreshScreens();
}
