// The camera of the world view: the two clamped scroll axes and their ranges
// by rotation, zoom and screen width, the default camera, the visibility test
// and the stereo pan of sounds.

#include <cstdlib>

#include "gfx/wing_bitmap.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/field_scan.h"
#include "view/world_view.h"

namespace {

int32_t WidthIndex() {
    const int32_t w = g_pGameState->screen_width;
    return w >= 1024 ? 0 : w >= 800 ? 1 : 2;
}

struct Ranges {
    double a1, a2, b1, b2;
};

// Ranges at zoom 16 by rotation and screen width (1024, 800, 640).
constexpr Ranges kOverviewRanges[4][3] = {
    {{-60, 60, 112, 112}, {-60, 60, 108, 108}, {-70, 70, 100, 150}},
    {{44, 164, 9, 9}, {46, 166, 2, 2}, {55, 195, 25, -25}},
    {{60, -60, 95, 95}, {60, -60, 103, 103}, {70, -70, 100, 150}},
    {{43, 163, -9, -9}, {45, 165, -2, -2}, {55, 195, 25, -25}},
};

Ranges MapRanges(int32_t rotation, int32_t width_index, double h, double v) {
    const bool small = width_index == 2;
    switch (rotation) {
        case 0:
            return {-h, small ? h + 3 : h, -12, v};
        case 1:
            return small ? Ranges{v + 1, -18, -h, h} : Ranges{v + 4, -17, 5 - h, h - 4};
        case 2:
            return small ? Ranges{h - 1, -h, v, -13} : Ranges{h, -h, v - 1, -13};
        default:
            return small ? Ranges{-15, v + 5, h - 2, 2 - h} : Ranges{-17, v + 4, h - 5, 4 - h};
    }
}

// Default centre (centre_x, centre_y) by screen width and rotation.
constexpr double kDefaultCentres[3][4][2] = {
    {{0.0, 112.0}, {9.0, 104.0}, {0.0, 95.0}, {-9.0, 103.0}},
    {{0.0, 108.0}, {2.0, 106.0}, {0.0, 103.0}, {-2.0, 105.0}},
    {{0.0, 125.0}, {0.0, 125.0}, {0.0, 125.0}, {0.0, 125.0}},
};

}  // namespace

double ClampRange::Clamp(double v) const {
    if (first < second) {
        if (v > second) return second;
        if (v < first) return first;
        return v;
    }
    if (v < second) return second;
    if (v > first) return first;
    return v;
}

int32_t SPIEL_FELD::Shift() const {
    return ZoomShift(zoom);
}

int32_t SPIEL_FELD::CentreP() const {
    return static_cast<int32_t>(centre_x + centre_y) + view_origin;
}

int32_t SPIEL_FELD::CentreQ() const {
    return static_cast<int32_t>(centre_y - centre_x) + view_origin;
}

void SPIEL_FELD::SetupProjection() {
    const int32_t r = g_pGameState->rotation & 3;
    const Ranges ranges = zoom == kOverviewZoomLevel
                              ? kOverviewRanges[r][WidthIndex()]
                              : MapRanges(r, WidthIndex(), horizontal_half_range, vertical_range);
    SetRangeA(ranges.a1, ranges.a2);
    SetRangeB(ranges.b1, ranges.b2);
    // A is centre_x in rotations 0 and 2, centre_y in 1 and 3.
    const bool even = r % 2 == 0;
    SetValueA(even ? centre_x : centre_y);
    SetValueB(even ? centre_y : centre_x);
    (even ? centre_x : centre_y) = GetValueA();
    (even ? centre_y : centre_x) = GetValueB();
}

void SPIEL_FELD::RedrawAfterJump() {
    CGameState& gs = *g_pGameState;
    SetupProjection();
    // Nothing of the old place may stay: every field is drawn anew on
    // blackened layers, the ground as well as the objects.
    MarkAllFieldsChanged();
    BlackenBackBuffers();
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    RedrawView();
}

void SPIEL_FELD::JumpToField(int32_t x, int32_t y) {
    centre_x = (x - y) / 2.0;
    centre_y = (x + y) / 2.0 - view_origin;
    RedrawAfterJump();
}

void SPIEL_FELD::ResetCamera() {
    CGameState& gs = *g_pGameState;
    zoom = kOverviewZoomLevel;
    const double* centre = kDefaultCentres[WidthIndex()][gs.rotation & 3];
    centre_x = centre[0];
    centre_y = centre[1];
    SetupProjection();
    MarkAllFieldsChanged();
    BlackenBackBuffers();
    gs.images.composite_buffer.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    DrawOverviewMap();
    RedrawView();
}

int32_t SPIEL_FELD::IsTileInView(int32_t x, int32_t y) {
    const int32_t s = Shift();
    const int32_t p = CentreP();
    const int32_t q = CentreQ();
    const int32_t a = (half_extent_x + 4) << s;
    const int32_t b = (half_extent_y + 4) << s;
    const bool even = (g_pGameState->rotation & 1) == 0;
    const int32_t sum_reach = even ? a + b : a - b;
    const int32_t diff_reach = even ? a - b : a + b;
    const int32_t sum = x + y;
    const int32_t diff = y - x;
    const bool in = sum >= p + q - sum_reach && sum <= p + q + sum_reach &&
                    diff >= q - p - diff_reach && diff <= q - p + diff_reach;
    return in ? 1 : 0;
}

int32_t SPIEL_FELD::GetSoundPan(int32_t x, int32_t y) {
    const int32_t d = (x - CentreP()) - (y - CentreQ());
    if (d == 0) return 0;
    const int32_t s = Shift();
    const int32_t span = std::abs((half_extent_x << s) - (half_extent_y << s));
    return span == 0 ? 0 : 2000 * d / span;
}
