// The mark overlay: an item for every marked field in view, drawn with GDI
// pens onto the view window after the picture (and, while vehicles move,
// after each vehicle frame).

#include "view/mark_overlay.h"

#include <vector>

#include "gfx/palette.h"
#include "platform/gdi.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "transport/vehicle.h"
#include "view/map_layers.h"
#include "view/world_view.h"

namespace {

// Per tile shape the y of the right, bottom and left corner of the tile
// picture at zoom 1 (the top corner is at y 0).
constexpr int32_t kShapeCorners[kSlopeCodeCount][3] = {
    {16, 30, 16}, {16, 38, 24}, {8, 22, 16},  {16, 22, 8},  {24, 38, 16},
    {8, 30, 16},  {16, 22, 16}, {16, 30, 8},  {24, 38, 24}, {16, 30, 24},
    {8, 22, 8},   {24, 30, 16}, {16, 38, 16}, {24, 30, 24}, {8, 30, 8},
};

// The orientation arrow of the building tool, as offsets from the field's
// corner at zoom 1, by orientation on screen.
constexpr int32_t kArrows[4][7][2] = {
    {{29, 9}, {42, 9}, {42, 16}, {37, 13}, {21, 21}, {19, 20}, {35, 12}},
    {{22, 9}, {37, 17}, {43, 14}, {43, 21}, {30, 21}, {36, 18}, {20, 10}},
    {{21, 15}, {26, 18}, {43, 10}, {44, 11}, {28, 19}, {34, 22}, {21, 22}},
    {{21, 9}, {34, 9}, {28, 12}, {44, 20}, {43, 21}, {27, 13}, {21, 16}},
};

constexpr int32_t kOutlinePoints = 5;

void AppendOutline(std::vector<plat::Point>& points, const OverlayItem& item, int32_t d) {
    const int32_t* c =
        kShapeCorners[item.shape >= 0 && item.shape < kSlopeCodeCount ? item.shape : 0];
    const int32_t l = item.left;
    const int32_t t = item.top;
    points.push_back({l + 32 / d, t + 1});
    points.push_back({l + 62 / d, t + c[0] / d});
    points.push_back({l + 32 / d, t + c[1] / d + 1});
    points.push_back({l + 1, t + c[2] / d});
    points.push_back({l + 32 / d, t + 1});
}

}  // namespace

void SPIEL_FELD::ClearOverlay() {
    overlay_list.clear();
}

void SPIEL_FELD::DrawMarkOverlay() {
    ClearOverlay();
    const CGameState& gs = *g_pGameState;
    if (g_pLookupTables == nullptr) return;
    const int32_t r = gs.rotation & 3;
    const int32_t s = Shift();
    const int32_t arrow = (gs.build_orientation + gs.rotation) & 3;
    // At zoom 16 too the walk starts from the camera's start field, as the
    // overview's cells do: a fixed start field per rotation would draw the
    // outlines beside the cells of their fields (at 1024 x 768 in rotation
    // 0, with the overview's first camera, 64 pixels left and 50 up).
    ScanFields(ViewScan(*this), [&](const ScanField& sf) {
        const MapField& f = gs.fields[FieldIndex(sf.x, sf.y)];
        const int32_t mark = f.cursor();
        if (mark == 0) return;
        const int32_t h = TopCornerHeight(r, sf.x, sf.y);
        OverlayItem item;
        item.left = sf.screen_x;
        item.top = sf.y_base - ((8 * h) >> s);
        item.right = item.left + (64 >> s);
        item.bottom = item.top + (40 >> s);
        item.shape = g_pLookupTables->tile_shapes[r][f.teile_diff() % kSlopeCodeCount];
        if (tool == kToolRaiseLower) {
            item.kind = mark == 1 ? OverlayKind::Square : OverlayKind::ThickOutline;
            if (mark == 1) item.left += 28 >> s;
            AddOverlayItem(item);
            return;
        }
        if (tool == kToolBuilding && mark == 1 && f.cursorricht()) {
            OverlayItem head = item;
            head.kind = OverlayKind::Arrow;
            head.colour = arrow;
            AddOverlayItem(head);
        }
        item.flag_a = item.flag_b = 1;
        item.colour = mark - 1;
        AddOverlayItem(item);
    });
    if (g_pVehicleList == nullptr) {
        DrawOverlayItems();
    } else if (!overlay_list.empty()) {
        overlay_pending = true;
    }
}

int32_t SPIEL_FELD::DrawOverlayItems() {
    overlay_pending = false;
    if (overlay_list.empty()) return 0;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    if (!dc) return 0;
    const GameImages& im = g_pGameState->images;
    if (im.palette_a) {
        plat::SelectPalette(*dc, im.palette_a, false);
        plat::RealizePalette(*dc);
    }
    const int32_t d = zoom;
    const plat::ColourRef white = plat::PaletteRgb(255, 255, 255);
    const plat::BrushHandle white_brush = plat::CreateSolidBrush(white);
    std::vector<plat::Point> outlines[3];
    int32_t counts[3] = {};
    for (const OverlayItem& item : overlay_list) {
        if (counts[0] >= kMaxOverlayOutlines || counts[1] >= kMaxOverlayOutlines ||
            counts[2] >= kMaxOverlayOutlines) {
            break;
        }
        switch (item.kind) {
            case OverlayKind::Outline: {
                const int32_t colour = item.colour >= 0 && item.colour <= 2 ? item.colour : 0;
                AppendOutline(outlines[colour], item, d);
                ++counts[colour];
                break;
            }
            case OverlayKind::Arrow: {
                plat::Point points[7];
                for (int32_t i = 0; i < 7; ++i) {
                    const int32_t* p = kArrows[item.colour & 3][i];
                    points[i] = {item.left + p[0] / d, item.top + p[1] / d};
                }
                dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 1, white));
                dc->SelectBrush(white_brush);
                plat::Polygon(*dc, points);
                break;
            }
            case OverlayKind::Square: {
                const plat::Rect square{item.left, item.top, item.left + 8 / d, item.top + 8 / d};
                plat::FillRect(*dc, square, white_brush);
                break;
            }
            case OverlayKind::ThickOutline: {
                std::vector<plat::Point> points;
                AppendOutline(points, item, d);
                dc->SelectPen(
                    plat::CreatePen(plat::PenStyle::Solid, 3, plat::PaletteRgb(255, 0, 0)));
                plat::Polyline(*dc, points);
                break;
            }
        }
    }
    // Yellow, then white, then red on top.
    constexpr int32_t kOrder[3] = {1, 0, 2};
    const plat::ColourRef colours[3] = {white, plat::PaletteRgb(255, 255, 8),
                                        plat::PaletteRgb(255, 0, 0)};
    for (const int32_t colour : kOrder) {
        if (counts[colour] == 0) continue;
        const std::vector<uint32_t> lengths(static_cast<size_t>(counts[colour]), kOutlinePoints);
        dc->SelectPen(plat::CreatePen(plat::PenStyle::Solid, 1, colours[colour]));
        plat::PolyPolyline(*dc, outlines[colour], lengths);
    }
    RestoreDefaultPalette(*dc);
    return counts[0] + counts[1] + counts[2];
}
