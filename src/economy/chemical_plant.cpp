#include "economy/chemical_plant.h"

#include "economy/record_io.h"
#include "sound/sound_manager.h"
#include "view/spiel_feld.h"

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
    if (g_pSpielFeld != nullptr && g_pSound != nullptr &&
        g_pSpielFeld->IsTileInView(anchor_x, anchor_y) != 0) {
        g_pSound->PlayEffect(kRefillEffect, kRefillChannel,
                             g_pSpielFeld->GetSoundPan(anchor_x, anchor_y));
    }
    RefreshScreens();
}
