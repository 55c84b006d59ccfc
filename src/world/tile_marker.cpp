#include "world/tile_marker.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "economy/building.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/view_events.h"
#include "world/field_queries.h"

namespace {

constexpr int32_t kLargeRectArea = 999;

bool OnMarkRange(int32_t v) {
    return v >= 0 && v <= 254;
}

// The catchment rectangle of a building by its type, anchor (bx, by),
// station length l and floor w x h; false for types without one.
bool CatchmentOf(int32_t type, int32_t bx, int32_t by, int32_t l, int32_t w, int32_t h,
                 int32_t (&r)[4]) {
    auto set = [&r](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        r[0] = x1;
        r[1] = y1;
        r[2] = x2;
        r[3] = y2;
        return true;
    };
    if (type >= 0 && type <= 3) return set(bx - 5, by - 5, bx + 5, by + 5);
    switch (type) {
        case 6:
            return set(bx - 5, by - l - 5, bx + 8, by + 5);
        case 7:
            return set(bx - 5, by - 5, bx + l + 5, by + 8);
        case 8:
            return set(bx - 5, by - 5, bx + 8, by + l + 5);
        case 9:
            return set(bx - l - 5, by - 5, bx + 5, by + 8);
        default:
            break;
    }
    if (type == 10 || type == 11 || (type >= 21 && type <= 26)) {
        return set(bx - 3, by - 3, bx + w + 2, by + h + 2);
    }
    return false;
}

}  // namespace

void CTileMarker::ClearAll() {
    marks_changed = 0;
    if (g_pGameState == nullptr) return;
    for (MapField& field : g_pGameState->fields) {
        field.set_cursor(0);
        field.set_cursorricht(false);
    }
}

void CTileMarker::MarkField(int32_t x, int32_t y, int32_t mark) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    field->set_cursor(static_cast<uint32_t>(mark));
    marks_changed = 1;
}

void CTileMarker::MarkArrow(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    field->set_cursorricht(true);
    marks_changed = 1;
}

void CTileMarker::MarkRunX(int32_t x1, int32_t x2, int32_t y, int32_t mark) {
    marks_changed = 1;
    if (!OnMarkRange(x1) || !OnMarkRange(x2) || !OnMarkRange(y)) return;
    for (int32_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x) MarkField(x, y, mark);
}

void CTileMarker::MarkRunY(int32_t y1, int32_t y2, int32_t x, int32_t mark) {
    marks_changed = 1;
    if (!OnMarkRange(y1) || !OnMarkRange(y2) || !OnMarkRange(x)) return;
    for (int32_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y) MarkField(x, y, mark);
}

void CTileMarker::MarkRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t mark) {
    marks_changed = 1;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if ((x2 - x1) * (y2 - y1) >= kLargeRectArea) {
        MarkRunX(x1, x2, y1, 1);
        MarkRunX(x1, x2, y2, 1);
        MarkRunY(y1, y2, x1, 1);
        MarkRunY(y1, y2, x2, 1);
        return;
    }
    for (int32_t x = std::max(x1, 0); x <= std::min(x2, 255); ++x) {
        for (int32_t y = std::max(y1, 0); y <= std::min(y2, 255); ++y) MarkField(x, y, mark);
    }
}

void CTileMarker::MarkSquare(int32_t cx, int32_t cy, int32_t px, int32_t py, int32_t mark) {
    marks_changed = 1;
    const int32_t r = std::max(std::abs(px - cx), std::abs(py - cy));
    const int32_t x1 = cx - r;
    const int32_t y1 = cy - r;
    const int32_t x2 = cx + r;
    const int32_t y2 = cy + r;
    if (!OnMarkRange(x1) || !OnMarkRange(y1) || !OnMarkRange(x2) || !OnMarkRange(y2)) return;
    MarkRunX(x1, x2, y1, mark);
    MarkRunX(x1, x2, y2, mark);
    MarkRunY(y1, y2, x1, mark);
    MarkRunY(y1, y2, x2, mark);
}

void CTileMarker::MarkStructureAt(int32_t x, int32_t y) {
    ClearAll();
    marks_changed = 1;
    // A station is outlined from a field of its head line (the panels pass
    // the anchor); its other fields answer the platform kinds 4 and 5, which
    // have no catchment of their own.
    const int32_t type = GetBuildingTypeAt(x, y);
    const MapField* field = FieldAt(x, y);
    const CBuilding* building = nullptr;
    if (type >= 0 && field != nullptr && g_ppBuildings != nullptr) {
        building = g_ppBuildings->At(field->geb_num());
    }
    if (building != nullptr && type < kBuildingTypeSlots) {
        const BuildingType& bt = g_pGameState->building_types[type];
        int32_t r[4] = {};
        if (CatchmentOf(type, building->anchor_x, building->anchor_y, building->GetLength(),
                        bt.floor_width, bt.floor_depth, r)) {
            MarkRect(r[0], r[1], r[2], r[3], 2);
        }
    }
    Views().RedrawView();
}
