// The vehicles of one frame: every truck, engine, wagon and city car gets a
// draw-list item that repairs its old and new rectangle and draws its picture
// in depth order; one start-up sound per frame.

#include <algorithm>
#include <array>

#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/vehicle.h"
#include "transport/wagon.h"
#include "view/map_layers.h"
#include "view/vehicle_frames.h"
#include "view/world_view.h"

namespace {

constexpr int32_t kStartSoundChannel = 1;
constexpr int32_t kWagonFrameGroup = 4;
constexpr int32_t kCityCarFrameGroup = 5;

// The bridge codes whose field carries the bridge deck on its top corner,
// by rotation (a bridge-level part is drawn 8 pixels higher there).
constexpr uint8_t kDeckCodes[4][4] = {{1, 3, 6, 8}, {2, 4, 6, 8}, {2, 4, 5, 7}, {1, 3, 5, 7}};
// The slope codes of a tunnel portal whose picture sits lower, by rotation.
constexpr uint8_t kLowPortals[4][2] = {{1, 4}, {3, 4}, {2, 3}, {1, 2}};
// The ramp a bridge-level part runs on, by rotation and bridge code 1, 2, 5, 6.
constexpr int32_t kBridgeRamps[4][4] = {{0, 2, 1, 3}, {1, 3, 2, 0}, {2, 0, 3, 1}, {3, 1, 0, 2}};

int32_t ZoomOffset(int32_t zoom) {
    return zoom == 2 ? 16 : zoom == 4 ? 24 : 0;
}

// n / zoom as the division rounds (toward 0), for the zoom levels without a
// division instruction: placing runs for every part in every frame.
inline int32_t ByZoom(int32_t n, int32_t zoom) {
    switch (zoom) {
        case 1:
            return n;
        case 2:
            return n / 2;
        case 4:
            return n / 4;
        default:
            return n / zoom;
    }
}

// The start-up sound of a vehicle model, 0 for none.
int32_t StartSoundOf(int32_t model) {
    if (model >= 0 && model <= 2) return 9;
    if (model >= 3 && model <= 8) return 10;
    if (model == 9) return 11;
    if (model == 10 || model == 11) return 4;
    if (model == 12) return 5;
    if (model == 13 || model == 14) return 6;
    if (model >= 15 && model <= 17) return 7;
    if (model == 18) return 8;
    return 0;
}

int32_t FrameGroupOf(int32_t vehicle_class) {
    if (vehicle_class == kVehicleTruck) return 0;
    if (vehicle_class >= kVehicleRail && vehicle_class <= kVehicleSuperconductor) return 1;
    if (vehicle_class >= 5 && vehicle_class <= 7) return vehicle_class - 3;
    return kCityCarFrameGroup;
}

// The picture row of a product (the goods table's mark), 0 for none.
int32_t PictureRow(int32_t product) {
    if (product < 0 || product >= kGoodsCount) return 0;
    return g_pGameState->goods[product].mark;
}

// The direction index of each heading nibble, -1 where it is not one bit.
constexpr auto kHeadingIndex = [] {
    std::array<int8_t, 16> index{};
    for (uint8_t bits = 0; bits < 16; ++bits) {
        index[bits] = static_cast<int8_t>(DirIndexFromBit(bits));
    }
    return index;
}();

// EdgesOf, inline for the placing of a frame's many parts.
inline EdgeIndices EdgesIn(uint8_t direction, int32_t rotation) {
    int32_t entry = kHeadingIndex[direction & 0x0F];
    int32_t exit = kHeadingIndex[direction >> 4];
    if (entry < 0) entry = exit;
    if (exit < 0) exit = entry;
    if (entry < 0) entry = exit = kDirIndexN;
    EdgeIndices e;
    e.from = (entry + rotation) & 3;
    e.to = entry == exit ? (e.from + 2) & 3 : (exit + rotation) & 3;
    e.k = e.to - (e.to > e.from ? 1 : 0);
    // The turns by (from, to): 2->3, 3->2, 2->1, 1->2, 0->3, 3->0, 0->1, 1->0.
    static constexpr int32_t kTurns[4][4] = {
        {-1, 6, -1, 4}, {7, -1, 3, -1}, {-1, 2, -1, 0}, {5, -1, 1, -1}};
    e.turn = kTurns[e.from][e.to];
    return e;
}

// The field record of (x, y), null off the map; inline, as placing looks up
// two fields for each part.
inline const MapField* MapFieldOf(const CGameState& gs, int32_t x, int32_t y) {
    return InMap(x, y) ? &gs.fields[FieldIndex(x, y)] : nullptr;
}

// PartFieldCorner with the part's own field `f` (null off the map) at hand.
inline void FieldCorner(const PartView& view, const CGameState& gs, int32_t x, int32_t y,
                        const MapField* f, int32_t level, int32_t& left, int32_t& top) {
    const int32_t r = view.rotation;
    const int32_t z = view.zoom;
    const int32_t a = view.scan_a;
    const int32_t b = view.scan_b;
    int32_t across = 0;  // the table's value before the constants
    int32_t down = 0;
    switch (r) {
        case 0:
            across = ByZoom((b - a + x - y) * 32, z);
            down = ByZoom((x + y - a - b) * 16, z);
            break;
        case 1:
            across = ByZoom((a + b - x - y) * 32, z);
            down = ByZoom((b - a + x - y) * 16, z);
            break;
        case 2:
            across = ByZoom((a - b + y - x) * 32, z);
            down = ByZoom((a + b - x - y) * 16, z);
            break;
        default:
            across = ByZoom((x + y - a - b) * 32, z);
            down = ByZoom((a - b + y - x) * 16, z);
            break;
    }
    int32_t cx = 0;
    int32_t cy = 0;
    TopCorner(r, x, y, cx, cy);
    const MapField* corner = MapFieldOf(gs, cx, cy);
    const int32_t h = corner != nullptr ? corner->hoehe() : 0;
    int32_t lift = 0;
    if (f != nullptr && level == 2 && f->bridge_flag()) {
        bool deck = !f->bridge_end();
        for (const uint8_t code : kDeckCodes[r]) deck = deck || f->bridge_piece() == code;
        if (deck) lift = 8;
    }
    left = across + view.left_offset;
    top = down - ByZoom(8 * h + lift, z) - 17;
    if (f != nullptr && f->tportal()) {
        const int32_t slope = f->teile_diff();
        if (slope == kLowPortals[r][0] || slope == kLowPortals[r][1]) top += ByZoom(8, z);
    }
}

// PlacePart, inline for a frame's many parts.
inline PartPicture PlacePartIn(const PartView& view, const CGameState& gs, const CLookupTables& t,
                               const MovingPart& part, int32_t group) {
    const int32_t r = view.rotation;
    const int32_t z = view.zoom;
    const int32_t phase = part.phase >= 0 && part.phase < kPathSteps ? part.phase : 0;
    const EdgeIndices e = EdgesIn(part.direction, r);
    const int32_t edge_frame = e.from * 3 + e.k;
    const int32_t record = group == kCityCarFrameGroup ? edge_frame : group * 12 + edge_frame;
    const MapField* f = MapFieldOf(gs, part.x, part.y);
    PathPoint point = t.flat_paths[edge_frame][phase];
    SpriteFrame frame = t.sprite_frames[record];
    const int32_t piece = f != nullptr ? f->wegteil() : 0;
    int32_t slope_path = -1;
    if (piece >= 12 && piece <= 15) {
        const int32_t half = e.from <= 1 ? 0 : 1;
        if (part.level == 2 && f->bridge_flag()) {
            static constexpr int32_t kRampColumn[7] = {-1, 0, 1, -1, -1, 2, 3};
            const int32_t code = f->bridge_piece();
            const int32_t column = code < 7 ? kRampColumn[code] : -1;
            if (column >= 0) slope_path = 2 * kBridgeRamps[r][column] + half;
        } else {
            const int32_t shape = t.tile_shapes[r][f->teile_diff() % kSlopeCodeCount];
            if (shape >= 1 && shape <= 4) slope_path = 2 * (shape - 1) + half;
        }
    }
    if (slope_path >= 0) {
        point = t.slope_paths[slope_path][phase];
    } else if ((group == 0 || group == kCityCarFrameGroup) && e.turn >= 0) {
        point = t.curve_paths[e.turn][phase];
        const int32_t stage = phase < 8 ? 0 : phase < 24 ? 1 : 2;
        frame = t.turn_frames[e.turn * 3 + stage];
    }
    int32_t field_left = 0;
    int32_t field_top = 0;
    FieldCorner(view, gs, part.x, part.y, f, part.level, field_left, field_top);
    PartPicture p;
    p.frame = frame;
    p.left = field_left + ByZoom(point.x + frame.dx, z);
    p.top = field_top + ByZoom(point.y + frame.dy, z);
    p.right = p.left + ByZoom(frame.width, z);
    p.bottom = p.top + ByZoom(frame.height, z);
    return p;
}

// What placing a frame's parts reads, and the list their items go to.
struct FrameParts {
    PartView view;
    const CGameState& gs;
    const CLookupTables& tables;
    DrawList& list;
};

// The item rules shared by engines and wagons: a repair of the old and new
// rectangle where either is visible, and the new rectangle kept.
void AddPartItem(const FrameParts& frame, int32_t last_rect[4], const PartPicture& p, DrawItem item,
                 int32_t row, bool make_item) {
    const int32_t width = frame.gs.view_width;
    const int32_t height = frame.gs.view_height;
    const int32_t now[4] = {p.left, p.right, p.top, p.bottom};
    const bool new_visible = RectMeetsView(now, width, height);
    // No rectangle (all -1) meets the view; a real one may start at -1.
    const bool old_visible = RectMeetsView(last_rect, width, height);
    if (!new_visible && !old_visible) return;
    item.left = p.left;
    item.right = p.right;
    item.top = p.top;
    item.bottom = p.bottom;
    if (old_visible) {
        item.left = std::min(item.left, last_rect[0]);
        item.right = std::max(item.right, last_rect[1]);
        item.top = std::min(item.top, last_rect[2]);
        item.bottom = std::max(item.bottom, last_rect[3]);
    }
    for (int32_t i = 0; i < 4; ++i) last_rect[i] = now[i];
    if (!make_item) return;
    item.dest_x = p.left;
    item.dest_y = p.top;
    item.src_x = p.frame.src_x;
    item.src_y = row * p.frame.height + p.frame.src_y;
    item.width = p.frame.width;
    item.height = p.frame.height;
    frame.list.Add(item, width, height);
}

// The items of a train's wagons.
void AddWagonItems(const CVehicle& vehicle, const FrameParts& frame) {
    if (vehicle.vehicle_class < kVehicleRail || vehicle.vehicle_class > kVehicleSuperconductor) {
        return;
    }
    for (CWagon* w : vehicle.wagons) {
        if (w == nullptr) continue;
        const MovingPart part{w->phase, w->drawn_x, w->drawn_y, w->direction, w->hidden};
        const PartPicture picture =
            PlacePartIn(frame.view, frame.gs, frame.tables, part, kWagonFrameGroup);
        DrawItem item;
        item.group = kWagonFrameGroup;
        item.has_sprite = w->hidden == 1 ? 0 : 1;
        item.on_top = w->hidden == 2 ? 1 : 0;
        item.kind = 0;
        const bool loaded = w->amount > 0;
        const int32_t offset =
            vehicle.vehicle_class == kVehicleRail ? (loaded ? 0 : 3) : (loaded ? 6 : 9);
        AddPartItem(frame, w->screen_box, picture, item, PictureRow(w->cargo_key) + offset, true);
    }
}

}  // namespace

EdgeIndices EdgesOf(uint8_t direction, int32_t rotation) {
    return EdgesIn(direction, rotation);
}

PartView PartViewOf(const SPIEL_FELD& view) {
    PartView v;
    v.rotation = g_pGameState->rotation & 3;
    v.zoom = view.zoom;
    ScanStart(ViewScan(view), v.scan_a, v.scan_b);
    v.left_offset = ScreenOffsetE(g_pGameState->screen_width) - 64 + ZoomOffset(view.zoom);
    return v;
}

void PartFieldCorner(const PartView& view, int32_t x, int32_t y, int32_t level, int32_t& left,
                     int32_t& top) {
    const CGameState& gs = *g_pGameState;
    FieldCorner(view, gs, x, y, MapFieldOf(gs, x, y), level, left, top);
}

PartPicture PlacePart(const PartView& view, const MovingPart& part, int32_t group) {
    return PlacePartIn(view, *g_pGameState, *g_pLookupTables, part, group);
}

void SPIEL_FELD::AddVehicleItems() {
    const CGameState& gs = *g_pGameState;
    const FrameParts frame{PartViewOf(*this), gs, *g_pLookupTables, draw_list};
    start_sound_effect_ = 0;
    for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        CVehicle* v = node->vehicle;
        if (v == nullptr) continue;
        if (v->visible != 1) {
            if (RectMeetsView(v->screen_box, gs.view_width, gs.view_height)) {
                DrawItem item;
                item.left = v->screen_box[0];
                item.right = v->screen_box[1];
                item.top = v->screen_box[2];
                item.bottom = v->screen_box[3];
                draw_list.Add(item, gs.view_width, gs.view_height);
            }
            for (int32_t& edge : v->screen_box) edge = -1;
            AddWagonItems(*v, frame);
            continue;
        }
        if (v->sound_pending == 1 && start_sound_effect_ == 0) {
            start_sound_effect_ = v->vehicle_class == kVehicleCityCar ? 0 : StartSoundOf(v->model);
            start_sound_x_ = v->drawn_x;
            start_sound_y_ = v->drawn_y;
            v->sound_pending = 0;
            // A vehicle without a sound of its own lets the next one sound.
        }
        const int32_t group = FrameGroupOf(v->vehicle_class);
        const MovingPart part{v->phase, v->drawn_x, v->drawn_y, v->direction, v->draw_layer};
        const PartPicture picture = PlacePartIn(frame.view, gs, frame.tables, part, group);
        DrawItem item;
        item.group = group;
        item.has_sprite = v->draw_layer == 1 ? 0 : 1;
        item.on_top = v->draw_layer == 2 ? 1 : 0;
        item.kind = 0;  // trains always draw from their first sheet
        int32_t row = 0;
        if (v->vehicle_class == kVehicleTruck) {
            const bool loaded = v->amount_carried > 0;
            if (v->model == 9) {
                row = loaded ? 9 : 19;
            } else {
                row = loaded ? v->model + PictureRow(v->product_carried) : v->model + 11;
            }
        } else if (v->vehicle_class == kVehicleCityCar) {
            row = v->model - 25;
        } else {
            row = v->model - 10;
        }
        const bool drawn = v->vehicle_class < 5 || v->vehicle_class == kVehicleCityCar;
        AddPartItem(frame, v->screen_box, picture, item, row, drawn);
        AddWagonItems(*v, frame);
    }
}

void SPIEL_FELD::DrawVehicles(int32_t present) {
    draw_list.Clear();
    start_sound_effect_ = 0;
    if (zoom != kOverviewZoomLevel) {
        AddVehicleItems();
        AddAnimationItems();
    }
    RunDrawPasses(present);
    if (start_sound_effect_ != 0 && zoom < kOverviewZoomLevel && g_pSound != nullptr) {
        g_pSound->PlayEffect(start_sound_effect_, kStartSoundChannel,
                             GetSoundPan(start_sound_x_, start_sound_y_));
    }
}

bool RectMeetsView(const int32_t r[4], int32_t width, int32_t height) {
    return r[0] < width && r[1] > 0 && r[2] < height && r[3] > 0;
}
