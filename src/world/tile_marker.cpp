#include "world/tile_marker.h"

#include <algorithm>
#include <utility>

#include "state/game_state.h"
#include "state/map_field.h"

namespace {

constexpr int32_t kLargeRectArea = 999;

bool OnMarkRange(int32_t v) {
    return v >= 0 && v <= 254;
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

void CTileMarker::MarkRunX(int32_t x1, int32_t x2, int32_t y, int32_t mark) {
    if (!OnMarkRange(x1) || !OnMarkRange(x2) || !OnMarkRange(y)) return;
    for (int32_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x) MarkField(x, y, mark);
}

void CTileMarker::MarkRunY(int32_t y1, int32_t y2, int32_t x, int32_t mark) {
    if (!OnMarkRange(y1) || !OnMarkRange(y2) || !OnMarkRange(x)) return;
    for (int32_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y) MarkField(x, y, mark);
}

void CTileMarker::MarkRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t mark) {
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
