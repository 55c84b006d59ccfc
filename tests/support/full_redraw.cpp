#include "support/full_redraw.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "panel/control_panel.h"
#include "platform/surface.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/field_scan.h"
#include "view/map_layers.h"
#include "view/world_view.h"

namespace fvtest {

namespace {

void CountDifference(ViewDifference& d, int32_t x, int32_t y) {
    d.box = d.pixels++ == 0 ? plat::Rect{x, y, x + 1, y + 1}
                            : plat::Rect{std::min(d.box.left, x), d.box.top,
                                         std::max(d.box.right, x + 1), y + 1};
}

// How far the pictures of a field may reach above its lifted base: a tree
// (its picture and its offset), the ground's slope sides, and the bridge
// decks; the tallest building picture is looked up.
constexpr int32_t kTreeReach = 72 + 16;
constexpr int32_t kGroundReach = 32;
constexpr int32_t kHighestField = 15;

}  // namespace

int32_t FirstRowBelowTheScan() {
    const SPIEL_FELD& view = *g_pSpielFeld;
    const CGameState& gs = *g_pGameState;
    const int32_t z = view.zoom;
    if (z == kOverviewZoomLevel) return gs.view_height;
    const ScanView scan = ViewScan(view);
    std::vector<bool> drawn(kMapFieldCount);
    ScanFields(scan, [&](const ScanField& sf) { drawn[FieldIndex(sf.x, sf.y)] = true; });
    int32_t tallest = kTreeReach;
    for (const RawImage& picture : gs.images.building_pictures) {
        tallest = std::max(tallest, picture.Rows());
    }
    // The same scan so many field rows further down, where every field the
    // scan leaves out but whose pictures could reach into the view lies.
    const int32_t rows = (8 * kHighestField + tallest) / 32 + 2;
    static constexpr int32_t kDown[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
    ScanView below = scan;
    below.centre_p += kDown[scan.rotation][0] * rows;
    below.centre_q += kDown[scan.rotation][1] * rows;
    int32_t first = gs.view_height;
    ScanFields(below, [&](const ScanField& sf) {
        if (drawn[FieldIndex(sf.x, sf.y)]) return;
        if (sf.screen_x + 64 / z <= 0 || sf.screen_x >= gs.view_width) return;
        const MapField& f = gs.fields[FieldIndex(sf.x, sf.y)];
        const bool city_building = f.stadtnum() > 0 && !f.no_building_mask() && f.stadtb() > 0;
        const int32_t above = city_building || f.building_flag() ? tallest
                              : f.forest_flag()                  ? kTreeReach
                                                                 : kGroundReach;
        const int32_t lift = 8 * TopCornerHeight(scan.rotation, sf.x, sf.y);
        first = std::min(first, sf.y_base + 32 * rows / z - (lift + above) / z - 1);
    });
    return std::max(first, 0);
}

ViewDifference DifferenceFromFullRedraw(int32_t rows, bool drawn_only) {
    CGameState& gs = *g_pGameState;
    const WinGBitmap& c = gs.images.composite_buffer;
    const int32_t w = std::min(gs.view_width, c.width);
    const int32_t h = std::min({gs.view_height, c.Rows(), rows});
    const auto row = [&c](int32_t y) { return &c.pixels[static_cast<size_t>(y) * c.Stride()]; };
    std::vector<uint8_t> shown;
    for (int32_t y = 0; y < h; ++y) shown.insert(shown.end(), row(y), row(y) + w);

    const auto fields = std::make_unique<MapField[]>(kMapFieldCount);
    std::copy(std::begin(gs.fields), std::end(gs.fields), fields.get());
    const int32_t flags[2] = {gs.redraw_terrain, gs.redraw_objects};
    g_pSpielFeld->ForceFullRedraw();
    std::copy(fields.get(), fields.get() + kMapFieldCount, std::begin(gs.fields));
    gs.redraw_terrain = flags[0];
    gs.redraw_objects = flags[1];

    ViewDifference d;
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* full = row(y);
        for (int32_t x = 0; x < w; ++x) {
            if (full[x] == shown[static_cast<size_t>(y) * w + x] || (drawn_only && full[x] == 0)) {
                continue;
            }
            CountDifference(d, x, y);
        }
    }
    return d;
}

ViewDifference PanelDifferenceFromRedraw() {
    HAUPTDIALOG& panel = *g_pHauptDialog;
    const plat::Surface shown = panel.GetSurface();
    const int32_t previous = panel.previous_heading;  // drawing the headings sets it
    panel.DrawHeadings();
    panel.DrawDropDown();
    panel.previous_heading = previous;
    panel.PresentArea(0, 0, kPanelWidth, panel.back_buffer.Rows());
    const plat::Surface& anew = panel.GetSurface();
    ViewDifference d;
    for (int32_t y = 0; y < std::min(shown.height, anew.height); ++y) {
        for (int32_t x = 0; x < std::min(shown.width, anew.width); ++x) {
            if (shown.Row(y)[x] != anew.Row(y)[x]) CountDifference(d, x, y);
        }
    }
    return d;
}

}  // namespace fvtest
