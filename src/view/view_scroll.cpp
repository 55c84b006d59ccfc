// Scrolling: the camera moves by whole steps, the buffers are shifted in
// place and only the band that came into view is drawn and composed.

#include <cmath>

#include "state/game_state.h"
#include "view/world_view.h"

namespace {

// +1 when the "down"/"right" code adds to the axis in this rotation.
int32_t Direction(bool vertical, int32_t r) {
    if (vertical) return r <= 1 ? 1 : -1;
    return r == 0 || r == 3 ? 1 : -1;
}

}  // namespace

void SPIEL_FELD::ShiftBuffers(int32_t dx, int32_t dy) {
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
    DrawObjectLayerScrolled();
    ComposeRect(scroll_strip[0], scroll_strip[1], scroll_strip[2], scroll_strip[3]);
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
    const int32_t r = g_pGameState->rotation & 3;
    const bool even = r % 2 == 0;
    // Axis B is vertical, A horizontal; B is centre_y in rotations 0 and 2.
    double& centre = vertical == even ? centre_y : centre_x;
    const double old_centre = centre;
    const int32_t sign = (code == SB_LINEDOWN ? 1 : -1) * Direction(vertical, r);
    auto apply = [&](int32_t lines) {
        const double wanted = old_centre + sign * lines * zoom;
        if (vertical) {
            SetValueB(wanted);
            centre = GetValueB();
        } else {
            SetValueA(wanted);
            centre = GetValueA();
        }
        return centre != wanted;
    };
    if (count <= 0) return;
    if (apply(count)) {
        const int32_t n = static_cast<int32_t>(std::fabs(centre - old_centre));
        if (n <= 0 || apply(n / zoom)) {
            centre = old_centre;
            return;
        }
        count = n / zoom;
        if (count <= 0) {
            centre = old_centre;
            return;
        }
    }
    if (!InMap(CentreP(), CentreQ())) {
        centre = old_centre;
        return;
    }
    const int32_t content = code == SB_LINEUP ? 1 : -1;
    if (vertical) {
        ShiftBuffers(0, content * count * 32);
    } else {
        ShiftBuffers(content * count * 64, 0);
    }
}

void SPIEL_FELD::ScrollPage(bool vertical, int32_t code) {
    const int32_t r = g_pGameState->rotation & 3;
    const bool even = r % 2 == 0;
    double& centre = vertical == even ? centre_y : centre_x;
    const double old_centre = centre;
    const int32_t sign = (code == SB_PAGEDOWN ? 1 : -1) * Direction(vertical, r);
    centre += sign * 10 * zoom;
    // A page that would take the centre field off the map stays where it was.
    if (!InMap(CentreP(), CentreQ())) centre = old_centre;
    if (vertical) {
        SetValueB(centre);
        centre = GetValueB();
    } else {
        SetValueA(centre);
        centre = GetValueA();
    }
    const int32_t moved = static_cast<int32_t>(std::lround(centre - old_centre)) * sign;
    if (moved == 0) return;
    const int32_t units = std::abs(moved);
    const int32_t content = code == SB_PAGEUP ? 1 : -1;
    if (vertical) {
        ShiftBuffers(0, content * units * 32 / zoom);
    } else {
        ShiftBuffers(content * units * 64 / zoom, 0);
    }
}

void SPIEL_FELD::ScrollOverview(bool vertical, int32_t code) {
    const int32_t r = g_pGameState->rotation & 3;
    const bool even = r % 2 == 0;
    double& centre = vertical == even ? centre_y : centre_x;
    const double old_centre = centre;
    const bool down = code == SB_LINEDOWN || code == SB_PAGEDOWN;
    const int32_t sign = (down ? 1 : -1) * Direction(vertical, r);
    const double step = vertical ? 25.0 : (g_pGameState->screen_width <= 640 ? 70.0 : 60.0);
    const double wanted = old_centre + sign * step;
    if (vertical) {
        SetValueB(wanted);
        centre = GetValueB();
    } else {
        SetValueA(wanted);
        centre = GetValueA();
    }
    if (!InMap(CentreP(), CentreQ())) {
        centre = old_centre;
        return;
    }
    if (centre != wanted) return;
    DrawOverviewMap();
    RedrawView();
}
