#include "economy/lumber_mill.h"

#include <algorithm>
#include <limits>

#include "economy/record_io.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"

namespace {

constexpr int32_t kReachBefore = 4;  // the square starts 4 fields before the anchor
constexpr int32_t kLoadedCapacity = 48;

uint32_t TreeCountA(const MapField& f) {
    return (f.data_word() >> 7) & 0x7F;
}
uint32_t TreeCountB(const MapField& f) {
    return f.data_word() & 0x7F;
}

}  // namespace

CLumberMill::CLumberMill(int32_t x, int32_t y, bool loading) : CSingleGoodSite(x, y, kWood) {
    if (loading) return;
    capacity = DecadeCapacity();
    if (CutForest(false)) {
        stock = {kWood, capacity, 1};
        wood_left = kWoodPerTreeCount - capacity;
    } else {
        capacity = 0;
    }
    EmptyIfZero(stock);
}

int32_t CLumberMill::DecadeCapacity() const {
    return Decade() * 5 + 24;
}

void CLumberMill::Load(RecordReader& in) {
    last_x = in.GetI32();
    last_y = in.GetI32();
    in.GetBytes(tree_state, 3);
    // Two 7-bit tree counts and the field's two extra bits.
    in.Require(tree_state[0] <= 127 && tree_state[1] <= 127 && tree_state[2] <= 3);
    wood_left = in.GetI32();
    for (auto& column : forest_grid) {
        for (int32_t& cell : column) {
            cell = in.GetI32();
            in.Require(cell == 0 || cell == 1);
        }
    }
    stock = in.GetSlot();
    capacity = in.GetI32();
    cost = in.GetI32();
    site_flag = in.GetI32();
    in.Require(stock.product == kWood || stock.product == -1);
    if (stock.product != kWood) stock = kEmptySlot;
    EmptyIfZero(stock);
    capacity = kLoadedCapacity;
}

void CLumberMill::Save(RecordWriter& out) const {
    out.PutI32(last_x);
    out.PutI32(last_y);
    out.PutBytes(tree_state, 3);
    out.PutI32(wood_left);
    for (const auto& column : forest_grid) {
        for (int32_t cell : column) out.PutI32(cell);
    }
    out.PutSlot(stock);
    out.PutI32(capacity);
    out.PutI32(cost);
    out.PutI32(site_flag);
}

void CLumberMill::AfterLoad() {
    if (capacity == 0) return;
    capacity = DecadeCapacity();
    CutToCapacity(stock, capacity);
}

void CLumberMill::Update() {
    AfterLoad();
    const int32_t held = stock.product == kWood ? WholeUnits(stock) : 0;
    if (capacity > held) {
        const int32_t need = capacity - held;
        if (wood_left < need) CutForest(true);
        if (wood_left < need) {
            stock = {kWood, held + wood_left, 1};
            wood_left = 0;
            capacity = 0;
        } else {
            stock = {kWood, capacity, 1};
            wood_left -= need;
        }
        EmptyIfZero(stock);
    }
    RefreshScreens();
}

bool CLumberMill::CutForest(bool redraw) {
    // 1. The forest fields of the square.
    for (int32_t i = 0; i < kForestGridSize; ++i) {
        for (int32_t j = 0; j < kForestGridSize; ++j) {
            const MapField* f = FieldAt(anchor_x - kReachBefore + i, anchor_y - kReachBefore + j);
            forest_grid[i][j] = f != nullptr && f->forest_flag() ? 1 : 0;
        }
    }
    // 2. The first of them that was not cut last.
    MapField* field = nullptr;
    for (int32_t i = 0; i < kForestGridSize && field == nullptr; ++i) {
        for (int32_t j = 0; j < kForestGridSize; ++j) {
            const int32_t fx = anchor_x - kReachBefore + i;
            const int32_t fy = anchor_y - kReachBefore + j;
            if (forest_grid[i][j] == 0 || (fx == last_x && fy == last_y)) continue;
            field = FieldAt(fx, fy);
            last_x = fx;
            last_y = fy;
            break;
        }
    }
    if (field == nullptr) return false;
    const uint32_t a = TreeCountA(*field);
    const uint32_t b = TreeCountB(*field);
    tree_state[0] = static_cast<uint8_t>(a);
    tree_state[1] = static_cast<uint8_t>(b);
    tree_state[2] = static_cast<uint8_t>(field->data_word() >> 14);
    // 3.-5. One tree count goes: the upper one first.
    if (a == 0 && b == 0) return false;
    if (a == 0 || b == 0) {
        field->set_data_word(0);
        field->set_forest_flag(false);
    } else {
        field->set_data_word(b);
    }
    wood_left += kWoodPerTreeCount;
    // 6. The object layer shows the forest change.
    if (g_pGameState != nullptr) g_pGameState->redraw_objects = 1;
    if (redraw) Views().RedrawView();
    return true;
}

int32_t CLumberMill::GetPeriodFigure() {
    int64_t counts = 0;
    for (int32_t i = 0; i < kForestGridSize; ++i) {
        for (int32_t j = 0; j < kForestGridSize; ++j) {
            const MapField* f = FieldAt(anchor_x - kReachBefore + i, anchor_y - kReachBefore + j);
            if (f == nullptr || !f->forest_flag()) continue;
            counts += (TreeCountA(*f) != 0 ? 1 : 0) + (TreeCountB(*f) != 0 ? 1 : 0);
        }
    }
    const int64_t wood = wood_left + kWoodPerTreeCount * counts;
    return static_cast<int32_t>(std::min<int64_t>(wood, std::numeric_limits<int32_t>::max()));
}
