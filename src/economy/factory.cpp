#include "economy/factory.h"

#include <algorithm>

#include "economy/attraction_rings.h"
#include "economy/building_kinds.h"
#include "economy/economy_bookings.h"
#include "economy/record_io.h"
#include "state/data_tables.h"

namespace {

// One input good of a recipe with the units one unit of output takes.
//
// The goods table names each input once with an amount above 0, so the two
// guards below never act on it; they only keep a recipe that broke those
// rules from breaking the stock arithmetic. A good named in two places is
// merged into one amount: checked place by place, both places would be
// bounded by the same stock and then both taken from it, driving the slot
// below zero. An amount of 0 or less is no input: 0 would divide the
// production bound by zero, and a negative amount would add to the input's
// stock while taking from it.
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

CFactory::CFactory(int32_t x, int32_t y, const FactoryKind& kind) : CProducer(x, y, kind.slots) {
    type = kind.type;
}

void CFactory::Load(RecordReader& in) {
    LoadSlots(in);
    // The product made as the record holds it: -1 for none, else a goods
    // number, which the record does not tie to the industry's family. A
    // number outside the goods table marks the record damaged.
    const int32_t p = in.GetI32();
    const bool known = p >= -1 && p < kGoodsCount;
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
    // A recipe without inputs makes nothing (the raw materials have none,
    // and a factory may hold any product): nothing would bound the units
    // made, and every update would create 5,000 of the product from nothing.
    if (count == 0) return;

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
