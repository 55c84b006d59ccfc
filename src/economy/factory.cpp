#include "economy/factory.h"

#include <algorithm>

#include "economy/attraction_rings.h"
#include "economy/building_kinds.h"
#include "economy/economy_bookings.h"
#include "economy/record_io.h"
#include "state/data_tables.h"

namespace {

// One input good of a recipe with the units one unit of output takes; a good
// named in two places counts with the sum of both amounts.
struct RecipeInput {
    int32_t good;
    int32_t units;
};

int32_t RecipeInputs(const GoodsRecord& recipe, RecipeInput (&inputs)[3]) {
    int32_t count = 0;
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t good = recipe.inputs[k];
        const int32_t units = recipe.input_amounts[k];
        if (good == kNoGood || good >= kGoodsCount || units <= 0) continue;
        bool merged = false;
        for (int32_t j = 0; j < count; ++j) {
            if (inputs[j].good == good) {
                inputs[j].units += units;
                merged = true;
            }
        }
        if (!merged) inputs[count++] = {good, units};
    }
    return count;
}

}  // namespace

CFactory::CFactory(int32_t x, int32_t y, const FactoryKind& kind)
    : CProducer(x, y, kind.slots), kind_(kind) {
    type = kind.type;
}

void CFactory::Load(RecordReader& in) {
    LoadSlots(in);
    const int32_t p = in.GetI32();
    const bool known = p == -1 || (p >= kind_.first_product && p <= kind_.last_product);
    in.Require(known);
    product = known ? p : -1;
    SetOwnerFromAnchor();
}

void CFactory::Save(RecordWriter& out) const {
    SaveSlots(out);
    out.PutI32(product);
}

void CFactory::SetProduct(int32_t p) {
    product = p;
}

int32_t CFactory::AcceptsProduct(int32_t p) {
    const GoodsRecord* recipe = GoodsAt(product);
    if (p < 0 || recipe == nullptr) return 0;
    RecipeInput inputs[3];
    const int32_t count = RecipeInputs(*recipe, inputs);
    for (int32_t j = 0; j < count; ++j) {
        if (inputs[j].good == p) return inputs[j].units;
    }
    return 0;
}

void CFactory::Update() {
    const GoodsRecord* recipe = GoodsAt(product);
    if (recipe == nullptr) return;
    RecipeInput inputs[3];
    const int32_t count = RecipeInputs(*recipe, inputs);
    // 1. The output's slot, bound to the product even when nothing is made.
    const int32_t out = SlotFor(product);
    if (out < 0) return;
    if (count == 0) return;  // nothing is made from nothing

    // 2. The units the scarcest input allows.
    int32_t made = kProductionBound;
    int32_t inputSlot[3] = {};
    for (int32_t j = 0; j < count; ++j) {
        inputSlot[j] = FindGoodsSlot(inputs[j].good);
        if (inputSlot[j] < 0) return;
        made = std::min(made, WholeUnits(stock[inputSlot[j]]) / inputs[j].units);
        if (made < 1) return;
    }

    // 3. Whole units of the inputs go; their fractions stay.
    for (int32_t j = 0; j < count; ++j) {
        GoodsSlot& input = stock[inputSlot[j]];
        TakeWholeUnits(input, int64_t{inputs[j].units} * made);
        EmptyIfZero(input);
    }
    // 4. The output.
    AddWholeUnits(stock[out], made);
    // 5. The cost.
    ChargeCost(OwnerPlayer(*this), int64_t{made} * recipe->own_cost, kCostGoods);
}

void CFactory::ApplyAttraction(int32_t city, int32_t sign) {
    AddIndustryRings(*this, city, sign);
}
