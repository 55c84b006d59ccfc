// Picking: the map field under a point of the view, taking the terrain
// height into account, refined by the mask of the ground-tile shapes.

#include <algorithm>
#include <cstdlib>

#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "view/world_view.h"

namespace {

struct RotationRule {
    int32_t walk[2];      // step of the walk
    int32_t height[2];    // offset of the height (and shape) field
    int32_t pixel1[2];    // mask pixel 1 moves the field
    int32_t pixel3[2];    // mask pixel 3 moves the field
    int32_t tool_adj[2];  // the move for tools other than 0
};
constexpr RotationRule kRules[4] = {
    {{1, 1}, {0, 0}, {-1, 0}, {0, 1}, {0, 0}},
    {{1, -1}, {0, -1}, {0, 1}, {1, 0}, {0, -1}},
    {{-1, -1}, {-1, -1}, {1, 0}, {0, -1}, {-1, -1}},
    {{-1, 1}, {-1, 0}, {0, -1}, {-1, 0}, {-1, 0}},
};

bool WalkEnds(int32_t r, int32_t x, int32_t y) {
    switch (r) {
        case 0:
            return y >= 255;
        case 1:
            return y < 0;
        case 2:
            return y <= 0;
        default:
            return x < 0;
    }
}

}  // namespace

void AdjustCorner(int32_t rotation, int32_t& x, int32_t& y) {
    const RotationRule& rule = kRules[rotation & 3];
    x += rule.tool_adj[0];
    y += rule.tool_adj[1];
}

void SPIEL_FELD::PickField(int32_t px, int32_t py) {
    const CGameState& gs = *g_pGameState;
    const int32_t r = gs.rotation & 3;
    const int32_t z = zoom;
    const int32_t step = 32 / z;
    static constexpr int32_t kShiftA[] = {0, 16, 24, 32};
    static constexpr int32_t kShiftB[] = {0, 32, 48, 64};
    const int32_t zi = z == 2 ? 1 : z == 4 ? 2 : z == 16 ? 3 : 0;
    const int32_t xp = px + kShiftA[zi];
    const int32_t yp = py - 48 + kShiftB[zi];
    const int32_t e = gs.screen_width == 800 ? 35 : 50;
    const int32_t col = (xp + e) / step + (r == 3 ? 3 : 1);
    const int32_t q = (col + 1) / 2;
    const int32_t rr = (col + 1) % 2;
    const int32_t s = CentreP();
    const int32_t d = CentreQ();
    const int32_t hx = half_extent_x;
    const int32_t hy = half_extent_y;
    const int32_t hxm = gs.screen_width <= 640 ? hx - 2 : hx;
    const int32_t hym = gs.screen_width <= 640 ? hy - 2 : hy;
    int32_t x0 = 0;
    int32_t y0 = 0;
    switch (r) {
        case 0:
            x0 = s - hx * z + q + 2;
            y0 = d - hy * z + 2 - q - rr;
            break;
        case 1:
            // One field nearer than the written start: the walk would
            // otherwise find the field behind the one drawn at the point.
            x0 = s - hy * z + 2 - q - rr;
            y0 = d + hxm * z - q - 1;
            break;
        case 2:
            x0 = s + hxm * z - q - 1;
            y0 = d + hym * z + q + rr - 1;
            break;
        default:
            // As in rotation 1, one field nearer than the written start.
            x0 = s + hym * z + q + rr - 2;
            y0 = d - hx * z + q + 1;
            break;
    }
    const RotationRule& rule = kRules[r];
    // Walk down the column to the last field whose top line lies at or
    // above the point.
    int32_t t = 0;
    int32_t fx = x0 - rule.walk[0];
    int32_t fy = y0 - rule.walk[1];
    for (int32_t i = 0; i < 4 * kMapSize; ++i) {
        const int32_t wx = x0 + i * rule.walk[0];
        const int32_t wy = y0 + i * rule.walk[1];
        if (InMap(wx, wy)) {
            const int32_t hfx = wx + rule.height[0];
            const int32_t hfy = wy + rule.height[1];
            const int32_t h = InMap(hfx, hfy) ? GetHeightAt(hfx, hfy) : -2;
            t = step * i - (16 / z) * rr - (8 / z) * h;
            if (t > yp && t != 0) break;
        }
        fx = wx;
        fy = wy;
        if (WalkEnds(r, wx, wy)) {
            fx = wx - rule.walk[0];
            fy = wy - rule.walk[1];
            break;
        }
    }
    auto store = [&](int32_t x, int32_t y) {
        cursor_x = std::clamp(x, 0, 254);
        cursor_y = std::clamp(y, 0, 254);
    };
    if (InMap(fx, fy)) {
        const int32_t sx = fx + rule.height[0];
        const int32_t sy = fy + rule.height[1];
        const MapField* shape_field = FieldAt(sx, sy);
        const int32_t code = shape_field != nullptr ? shape_field->teile_diff() : 0;
        const int32_t k = g_pLookupTables->tile_shapes[r][code % kSlopeCodeCount];
        const int32_t u = (xp + e) % step;
        // The row of the found field counted from the scan's start field
        // (on a 640-wide screen the start of rotations 1-3 is the reduced one).
        int32_t row = 0;
        switch (r) {
            case 0:
                row = (fx - (s - hx * z)) + (fy - (d - hy * z)) - 4;
                break;
            case 1:
                row = (d + hxm * z) - fy - (s - hy * z) + fx - 3;
                break;
            case 2:
                row = (d + hym * z) + (s + hxm * z) - fx - fy - 2;
                break;
            default:
                row = (s + hym * z) - (d - hx * z) + fy - fx - 3;
                break;
        }
        int32_t dist = yp + (8 / z) * GetHeightAt(fx, fy) - (16 / z) * row;
        if (r == 0) dist = std::abs(dist);
        const int32_t v = dist % 40;
        const int64_t index = (static_cast<int64_t>(v) * 960 + u) * z + 64 * k;
        const RawImage& mask = gs.images.terrain_mask;
        const int64_t count = static_cast<int64_t>(mask.width) * mask.Rows();
        if (index < 0 || index >= count || mask.pixels == nullptr) {
            if (r == 0) store(fx, fy);
            return;
        }
        const uint8_t pixel = mask.pixels[index];
        if (pixel == 1) {
            fx += rule.pixel1[0];
            fy += rule.pixel1[1];
        } else if (pixel == 3) {
            fx += rule.pixel3[0];
            fy += rule.pixel3[1];
        }
    }
    if (tool != kToolRaiseLower) AdjustCorner(r, fx, fy);
    store(fx, fy);
}
