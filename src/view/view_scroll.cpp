// Scrolling: the camera moves by whole steps, the buffers are shifted in
// place, and only the band that came into view and the rows the pictures of
// the fields entering or leaving the field scan reach are drawn and composed.

#include <cmath>

#include "state/game_state.h"
#include "view/world_view.h"

namespace {

// +1 when the "down"/"right" code adds to the axis in this rotation.
int32_t Direction(bool vertical, int32_t r) {
    if (vertical) return r <= 1 ? 1 : -1;
    return r == 0 || r == 3 ? 1 : -1;
}

// One scroll axis of the camera: B (vertical) or A (horizontal), the centre
// coordinate behind it in the current rotation, and where it started.
struct ScrollAxis {
    SPIEL_FELD& view;
    bool vertical;
    double& centre;
    double old;
    int32_t down;  // +1 when the down/right codes add to the axis

    // Puts `wanted` through the axis clamp and reads it back into the
    // centre; true when the clamp changed it.
    bool Set(double wanted) {
        if (vertical) {
            view.SetValueB(wanted);
            centre = view.GetValueB();
        } else {
            view.SetValueA(wanted);
            centre = view.GetValueA();
        }
        return centre != wanted;
    }
    void Restore() { centre = old; }
    // Axis units moved since the start, positive down or right.
    int32_t Progress() const { return static_cast<int32_t>(std::lround((centre - old) * down)); }
};

ScrollAxis AxisOf(SPIEL_FELD& view, bool vertical) {
    const int32_t r = g_pGameState->rotation & 3;
    // Axis B is centre_y in rotations 0 and 2, axis A centre_x there.
    double& centre = vertical == (r % 2 == 0) ? view.centre_y : view.centre_x;
    return {view, vertical, centre, centre, Direction(vertical, r)};
}

// Moves the centre back along its axis until a coordinate of the centre
// field that left the map lies exactly on its edge: 0 below, 255 beyond.
void SnapToMap(ScrollAxis& axis) {
    const SPIEL_FELD& v = axis.view;
    const bool moves_x = &axis.centre == &v.centre_x;
    double correction = 0.0;
    // `slope` is how the coordinate follows the axis (+1 or -1).
    auto snap = [&](double coordinate, double slope) {
        const int32_t field = static_cast<int32_t>(coordinate);
        if (field >= 0 && field <= 255) return;
        const double c = ((field < 0 ? 0.0 : 255.0) - coordinate) * slope;
        if (std::fabs(c) > std::fabs(correction)) correction = c;
    };
    snap(v.centre_x + v.centre_y + v.view_origin, 1.0);
    snap(v.centre_y - v.centre_x + v.view_origin, moves_x ? -1.0 : 1.0);
    axis.centre += correction;
}

}  // namespace

void SPIEL_FELD::ShiftBuffers(int32_t dx, int32_t dy) {
    LayersChanged();
    CGameState& gs = *g_pGameState;
    GameImages& im = gs.images;
    const int32_t w = gs.view_width;
    const int32_t h = gs.view_height;
    WinGBitmap* buffers[4] = {&im.background_layer, &im.object_layer_a, &im.object_layer_b,
                              &im.composite_buffer};
    if (std::abs(dx) >= w || std::abs(dy) >= h) {
        // The whole view came into view.
        for (WinGBitmap* b : buffers) b->FillRect(0, 0, w, h, 0);
        scroll_strip[0] = 0;
        scroll_strip[1] = 0;
        scroll_strip[2] = w;
        scroll_strip[3] = h;
    } else {
        for (WinGBitmap* b : buffers) {
            b->Shift(dx, dy);
            if (dy > 0) b->FillRect(0, 0, w, dy, 0);
            if (dy < 0) b->FillRect(0, h + dy, w, -dy, 0);
            if (dx > 0) b->FillRect(0, 0, dx, h, 0);
            if (dx < 0) b->FillRect(w + dx, 0, -dx, h, 0);
        }
        scroll_strip[0] = dx < 0 ? w + dx : 0;
        scroll_strip[1] = dy < 0 ? h + dy : 0;
        scroll_strip[2] = dx > 0 ? dx : w;
        scroll_strip[3] = dy > 0 ? dy : h;
    }
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    full_redraw = 1;
    for (const ClipRect& area : DrawObjectLayerScrolled(dx, dy)) {
        ComposeRect(area.left, area.top, area.right, area.bottom);
    }
}

void SPIEL_FELD::OnVScroll(int32_t code, int32_t count) {
    if (zoom == kOverviewZoomLevel) return ScrollOverview(true, code);
    if (code == SB_LINEUP || code == SB_LINEDOWN) return ScrollLine(true, code, count);
    if (code == SB_PAGEUP || code == SB_PAGEDOWN) ScrollPage(true, code);
}

void SPIEL_FELD::OnHScroll(int32_t code, int32_t count) {
    if (zoom == kOverviewZoomLevel) return ScrollOverview(false, code);
    if (code == SB_LINELEFT || code == SB_LINERIGHT) return ScrollLine(false, code, count);
    if (code == SB_PAGELEFT || code == SB_PAGERIGHT) ScrollPage(false, code);
}

void SPIEL_FELD::ScrollLine(bool vertical, int32_t code, int32_t count) {
    if (count <= 0) return;
    ScrollAxis axis = AxisOf(*this, vertical);
    const int32_t sign = code == SB_LINEDOWN ? axis.down : -axis.down;
    if (axis.Set(axis.old + sign * count * zoom)) {
        // Clamped: try once more with as many lines as the clamp let the
        // camera move units; still clamped, it does not scroll.
        count = static_cast<int32_t>(std::fabs(axis.centre - axis.old));
        if (count <= 0 || axis.Set(axis.old + sign * count * zoom)) return axis.Restore();
    }
    if (!InMap(CentreP(), CentreQ())) return axis.Restore();
    const int32_t content = code == SB_LINEUP ? 1 : -1;
    if (vertical) {
        ShiftBuffers(0, content * count * 32);
    } else {
        ShiftBuffers(content * count * 64, 0);
    }
}

void SPIEL_FELD::ScrollPage(bool vertical, int32_t code) {
    ScrollAxis axis = AxisOf(*this, vertical);
    const int32_t sign = code == SB_PAGEDOWN ? axis.down : -axis.down;
    axis.centre += sign * 10 * zoom;
    if (!InMap(CentreP(), CentreQ())) SnapToMap(axis);
    axis.Set(axis.centre);
    const int32_t units = axis.Progress();
    if (units == 0) return;
    if ((axis.centre - axis.old) * axis.down != units) {
        // The snap to the map's edge moved the centre by part of a unit: the
        // field scan takes another shape there, not the old one shifted, so
        // the whole view is drawn anew.
        const CGameState& gs = *g_pGameState;
        return vertical ? ShiftBuffers(0, gs.view_height) : ShiftBuffers(gs.view_width, 0);
    }
    // Content moves against the camera: 32 (64 sideways) pixels per unit at zoom 1.
    if (vertical) {
        ShiftBuffers(0, -units * 32 / zoom);
    } else {
        ShiftBuffers(-units * 64 / zoom, 0);
    }
}

void SPIEL_FELD::ScrollOverview(bool vertical, int32_t code) {
    ScrollAxis axis = AxisOf(*this, vertical);
    const bool down = code == SB_LINEDOWN || code == SB_PAGEDOWN;
    const int32_t sign = down ? axis.down : -axis.down;
    const double step = vertical ? 25.0 : (g_pGameState->screen_width <= 640 ? 70.0 : 60.0);
    const bool clamped = axis.Set(axis.old + sign * step);
    if (!InMap(CentreP(), CentreQ())) return axis.Restore();
    if (clamped) return;
    DrawOverviewMap();
    RedrawView();
}
