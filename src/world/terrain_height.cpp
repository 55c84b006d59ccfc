// Raising and lowering field corners. A change first marks every corner it
// would push along (the `heben_senken` marks), tests the fields around them
// and only then writes heights: one step of the corner and a cascade that
// keeps every corner within one step of its eight neighbours.

#include <vector>

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/panel_events.h"
#include "state/view_events.h"
#include "world/construction_costs.h"
#include "world/slope_shape.h"
#include "world/terrain.h"
#include "world/tile_marker.h"

namespace {

constexpr int32_t kMaxRaisedHeight = 14;
constexpr int32_t kStepPrice = 1000;
constexpr int32_t kCheckRadius = 20;

struct Corner {
    int32_t x, y;
};

int32_t BrushSize() {
    const int32_t n = Panel().BrushSize();
    return n < 0 ? 0 : n > 6 ? 6 : n;
}

int32_t Mark(const MapField& f) {
    return f.heben_senken() ? 1 : 0;
}

// The four fields that share corner (x, y).
template <typename Visit>
void ForCornerFields(int32_t x, int32_t y, Visit visit) {
    for (const Corner c :
         {Corner{x, y}, Corner{x - 1, y}, Corner{x, y - 1}, Corner{x - 1, y - 1}}) {
        if (MapField* f = FieldAt(c.x, c.y)) visit(c.x, c.y, *f);
    }
}

void SetCornerChanged(int32_t x, int32_t y) {
    ForCornerFields(x, y, [](int32_t, int32_t, MapField& f) { f.set_feldchange(true); });
}

void MarkBrushCorner(int32_t x, int32_t y) {
    if (g_pGameState == nullptr) return;
    ForCornerFields(x, y, [](int32_t fx, int32_t fy, MapField&) {
        g_pGameState->path_exit_mask[FieldIndex(fx, fy)] = 1;
    });
}

void ClearHeightMarks(int32_t x, int32_t y) {
    for (int32_t fx = x - kCheckRadius; fx <= x + kCheckRadius; ++fx) {
        for (int32_t fy = y - kCheckRadius; fy <= y + kCheckRadius; ++fy) {
            if (MapField* f = FieldAt(fx, fy)) f->set_heben_senken(false);
        }
    }
}

// A corner may rise to h + 1 only when it is at least h + 1 fields from the
// map edge (counted to 254) and below the highest raised height.
bool MayRaise(int32_t x, int32_t y, int32_t h) {
    return h < kMaxRaisedHeight && x >= h + 1 && y >= h + 1 && 254 - x >= h + 1 && 254 - y >= h + 1;
}

// The slope shape field (x, y) would get from its corners lowered by their
// marks (the corner limits of GetSlopeShape apply).
int32_t LoweredShape(int32_t x, int32_t y) {
    auto lowered = [](int32_t cx, int32_t cy) {
        const MapField& f = *FieldAt(cx, cy);
        return f.hoehe() - Mark(f);
    };
    const int32_t h = lowered(x, y);
    const int32_t d10 = x < 254 && y < 255 ? lowered(x + 1, y) - h : 0;
    const int32_t d01 = x < 255 && y < 254 ? lowered(x, y + 1) - h : 0;
    const int32_t d11 = x < 254 && y < 254 ? lowered(x + 1, y + 1) - h : 0;
    return SlopeShapeFromDiffs(d10, d01, d11);
}

bool IsThinRoofShape(int32_t shape) {
    return shape == 1 || shape == 4 || shape == 8 || shape == 9 || shape > 10;
}

void RecomputeCornerFields(CTerrain& terrain, int32_t x, int32_t y, bool resetKind) {
    ForCornerFields(x, y, [&](int32_t fx, int32_t fy, MapField& f) {
        if (resetKind) f.set_teile_art(0);
        f.set_feldchange(true);
        terrain.UpdateSlopeShapes(fx, fy);
        ClearForestAt(fx, fy);
    });
}

void Book(int32_t amount, int32_t p) {
    if (!IsEditor()) ChargeCost(p, amount, StatPair::F);
}

}  // namespace

int32_t CTerrain::MarkPushedCorners(Direction direction, int32_t x, int32_t y) {
    const bool raise = direction == Direction::Raise;
    auto value = [raise](const MapField& f) { return f.hoehe() + (raise ? Mark(f) : -Mark(f)); };
    const int32_t centre = value(*FieldAt(x, y));
    int32_t count = 0;
    std::vector<Corner> marked;
    for (int32_t fx = x - 1; fx <= x + 1; ++fx) {
        for (int32_t fy = y - 1; fy <= y + 1; ++fy) {
            MapField* f = FieldAt(fx, fy);
            if (f == nullptr || f->heben_senken()) continue;
            const int32_t v = value(*f);
            const bool pushed = raise ? centre - v >= 2 && v < kMaxRaisedHeight
                                      : (centre - v >= 2 || v - centre >= 2) && v > 0;
            if (!pushed) continue;
            f->set_heben_senken(true);
            count += 1 + (raise && f->hoehe() == 0 ? 1 : 0);
            marked.push_back({fx, fy});
        }
    }
    for (const Corner c : marked) {
        count += MarkPushedCorners(direction, c.x, c.y);
        SetCornerChanged(c.x, c.y);
    }
    return count;
}

void CTerrain::CheckChangedFields(int32_t x, int32_t y, bool forPlayer0) {
    for (int32_t fx = x - kCheckRadius; fx <= x + kCheckRadius; ++fx) {
        for (int32_t fy = y - kCheckRadius; fy < y + kCheckRadius; ++fy) {
            MapField* f = FieldAt(fx, fy);
            if (f == nullptr || !f->feldchange()) continue;
            f->set_feldchange(false);
            bool obstacle = f->wegtyp() != kWayNone || f->BuildingNumber() != 0 || f->tportal() ||
                            f->bridge_flag();
            if (lowering == 1 && f->tunnel()) {
                const int32_t h = f->hoehe() - Mark(*f);
                if (h < f->tunnel_hoehe()) obstacle = true;
                if (h == f->tunnel_hoehe() && IsThinRoofShape(LoweredShape(fx, fy))) {
                    obstacle = true;
                }
            }
            if (!obstacle) continue;
            refused = 1;
            if (forPlayer0) {
                f->set_cursor(2);
                Views().RequestRepick();
                obstacle_x = fx;
                obstacle_y = fy;
            }
            return;
        }
    }
}

void CTerrain::Cascade(Direction direction, int32_t x, int32_t y, int32_t p, int32_t brush) {
    const bool raise = direction == Direction::Raise;
    const int32_t h = FieldAt(x, y)->hoehe();
    std::vector<Corner> changed;
    for (int32_t fx = x - 1; fx <= x + 1; ++fx) {
        for (int32_t fy = y - 1; fy <= y + 1; ++fy) {
            MapField* f = FieldAt(fx, fy);
            if (f == nullptr) continue;
            const int32_t fh = f->hoehe();
            if (raise && h - fh >= 2 && fh < kMaxRaisedHeight) {
                f->set_hoehe(static_cast<uint32_t>(fh + 1));
                Book(fh == 0 ? 2 * kStepPrice : kStepPrice, p);
            } else if (!raise && (h - fh >= 2 || fh - h >= 2) && fh > 0) {
                f->set_hoehe(static_cast<uint32_t>(fh - 1));
                Book(kStepPrice, p);
            } else {
                continue;
            }
            changed.push_back({fx, fy});
        }
    }
    for (const Corner c : changed) {
        Cascade(direction, c.x, c.y, p, brush);
        if (brush > 1) MarkBrushCorner(c.x, c.y);
        RecomputeCornerFields(*this, c.x, c.y, false);
    }
}

void CTerrain::RaiseLand(int32_t x, int32_t y, int32_t p) {
    ChangeLand(Direction::Raise, x, y, p);
}

void CTerrain::LowerLand(int32_t x, int32_t y, int32_t p) {
    ChangeLand(Direction::Lower, x, y, p);
}

void CTerrain::ChangeLand(Direction direction, int32_t x, int32_t y, int32_t p) {
    const bool raise = direction == Direction::Raise;
    lowering = raise ? 0 : 1;
    const int32_t brush = BrushSize();
    if (brush == 1) ClearAllFieldsChanged();
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
    MapField* field = FieldAt(x, y);
    const int32_t h = field != nullptr ? field->hoehe() : 0;
    if (field == nullptr || (raise ? !MayRaise(x, y, h) : h == 0)) {
        lowering = 0;
        return;
    }

    refused = 0;
    field->set_heben_senken(true);
    SetCornerChanged(x, y);
    MarkPushedCorners(direction, x, y);
    CheckChangedFields(x, y, p == 0);
    ClearHeightMarks(x, y);
    if (refused == 0) {
        if (raise) {
            if (h == 0) Book(kStepPrice, p);  // filling water
            field->set_hoehe(static_cast<uint32_t>(h + 1));
        } else {
            field->set_hoehe(static_cast<uint32_t>(h - 1));
        }
        Book(kStepPrice, p);
        if (brush > 1) MarkBrushCorner(x, y);
        RecomputeCornerFields(*this, x, y, true);
        Cascade(direction, x, y, p, brush);
    }
    lowering = 0;
}

void CTerrain::EditRaiseLand(int32_t x, int32_t y) {
    EditLand(Direction::Raise, x, y);
}

void CTerrain::EditLowerLand(int32_t x, int32_t y) {
    EditLand(Direction::Lower, x, y);
}

namespace {

// The lowest (raise) or highest (lower) corner height of the brush square.
int32_t BrushTarget(bool raise, int32_t x, int32_t y, int32_t n) {
    int32_t m = raise ? 20 : -1;
    for (int32_t cx = x; cx < x + n; ++cx) {
        for (int32_t cy = y; cy < y + n; ++cy) {
            const MapField* f = FieldAt(cx, cy);
            if (f == nullptr) continue;
            if (raise ? f->hoehe() < m : f->hoehe() > m) m = f->hoehe();
        }
    }
    return m;
}

}  // namespace

void CTerrain::EditLand(Direction direction, int32_t x, int32_t y) {
    if (g_pGameState == nullptr) return;
    const bool raise = direction == Direction::Raise;
    const int32_t n = BrushSize();
    ClearAllFieldsChanged();
    for (int32_t fx = 0; fx < 255; ++fx) {
        for (int32_t fy = 0; fy < 255; ++fy) g_pGameState->path_exit_mask[FieldIndex(fx, fy)] = 0;
    }
    const int32_t m = BrushTarget(raise, x, y, n);
    for (int32_t cx = x; cx < x + n; ++cx) {
        for (int32_t cy = y; cy < y + n; ++cy) {
            const MapField* f = FieldAt(cx, cy);
            if (f != nullptr && f->hoehe() == m) ChangeLand(direction, cx, cy, 0);
        }
    }
    for (int32_t fx = 0; fx < 255; ++fx) {
        for (int32_t fy = 0; fy < 255; ++fy) {
            uint8_t& mark = g_pGameState->path_exit_mask[FieldIndex(fx, fy)];
            if (mark != 1) continue;
            mark = 0;
            FieldAt(fx, fy)->set_feldchange(true);
        }
    }
}

int32_t CTerrain::PreviewRaiseCost(int32_t x, int32_t y) {
    return PreviewCost(Direction::Raise, x, y);
}

int32_t CTerrain::PreviewLowerCost(int32_t x, int32_t y) {
    return PreviewCost(Direction::Lower, x, y);
}

int32_t CTerrain::PreviewCost(Direction direction, int32_t x, int32_t y) {
    const bool raise = direction == Direction::Raise;
    preview_steps = 0;
    lowering = raise ? 0 : 1;
    ClearAllFieldsChanged();
    MapField* field = FieldAt(x, y);
    const int32_t h = field != nullptr ? field->hoehe() : 0;
    if (field == nullptr || (raise ? !MayRaise(x, y, h) : h < 1)) {
        refused = 1;
    } else {
        refused = 0;
        field->set_heben_senken(true);
        SetCornerChanged(x, y);
        preview_steps = raise && h == 0 ? 2 : 1;
        preview_steps += MarkPushedCorners(direction, x, y);
        CheckChangedFields(x, y, false);
        // A brush keeps the marks so that its next corners do not count a
        // pushed corner twice.
        if (BrushSize() == 1) ClearHeightMarks(x, y);
    }
    ClearAllFieldsChanged();
    lowering = 0;
    if (refused == 1) {
        refused = 0;
        return -1;
    }
    return preview_steps;
}

int32_t CTerrain::GetRaiseCost(int32_t x, int32_t y) {
    return GetBrushCost(Direction::Raise, x, y);
}

int32_t CTerrain::GetLowerCost(int32_t x, int32_t y) {
    return GetBrushCost(Direction::Lower, x, y);
}

int32_t CTerrain::GetBrushCost(Direction direction, int32_t x, int32_t y) {
    const int32_t n = BrushSize();
    if (n < 1) return 0;
    const int32_t m = BrushTarget(direction == Direction::Raise, x, y, n);
    int32_t total = 0;
    for (int32_t cx = x; cx < x + n && total >= 0; ++cx) {
        for (int32_t cy = y; cy < y + n; ++cy) {
            const MapField* f = FieldAt(cx, cy);
            if (f == nullptr || f->hoehe() != m) continue;
            const int32_t steps = PreviewCost(direction, cx, cy);
            if (steps == -1) {
                total = -1;
                break;
            }
            total += steps;
        }
    }
    ClearHeightMarks(x, y);
    return total;
}
