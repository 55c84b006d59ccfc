// The schedule screen's network map: which way fields the vehicle can reach,
// the map drawn into its 512 x 512 buffer, the terminals marked for picking,
// the stop markers, the hover label and the picking of a stop.

#include <cctype>
#include <string>
#include <vector>

#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/vehicle_layout.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/field_queries.h"
#include "world/way_queries.h"

namespace vs = vehicle_screens;

namespace {

constexpr int32_t kDrawn = 255;  // fields 0..254 are drawn
constexpr uint8_t kBackground = 235;
constexpr uint8_t kFlatLand = 96;
constexpr uint8_t kSlopeLight = 101;
constexpr uint8_t kSlopeDark = 93;
constexpr uint8_t kUnreached = 11;
constexpr uint8_t kReached = 10;
constexpr uint8_t kNotPickable = 139;
constexpr uint8_t kPickable = 195;
constexpr uint8_t kMarker = 28;
constexpr uint8_t kMarkerNumber = 237;
constexpr uint8_t kLabelText = 10;
constexpr int32_t kSquare = 8;
constexpr int32_t kLabelWidth = 120;
constexpr int32_t kLabelHeight = 10;
constexpr int32_t kBufferBytes = vs::kMapBufferSize * vs::kMapBufferSize;
constexpr int32_t kFirstStationType = kTypeTrainStation;
constexpr int32_t kLastStationType = kTypeTrainStation + 3;

bool IsPickColour(uint8_t c) {
    return c == kPickable || c == kMarker || c == kMarkerNumber;
}

struct Step {
    uint8_t bit;
    int32_t dx;
    int32_t dy;
    uint8_t portal_shape;  // slope shape of a tunnel portal entered this way
    uint8_t bridge_a;      // bridge codes of an end entered this way
    uint8_t bridge_b;
};
// North, south, east, west: the order in which the fill looks around.
constexpr Step kSteps[4] = {{kDirN, 0, -1, 1, 1, 3},
                            {kDirS, 0, 1, 3, 2, 4},
                            {kDirE, 1, 0, 2, 5, 7},
                            {kDirW, -1, 0, 4, 6, 8}};

const Step* StepOfPortal(uint8_t shape) {
    for (const Step& s : kSteps) {
        if (s.portal_shape == shape) return &s;
    }
    return nullptr;
}
const Step* StepOfBridge(uint8_t code) {
    for (const Step& s : kSteps) {
        if (s.bridge_a == code || s.bridge_b == code) return &s;
    }
    return nullptr;
}

// The building of the table on a field, or null.
CBuilding* BuildingOn(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    if (f == nullptr || !f->building_flag() || g_ppBuildings == nullptr) return nullptr;
    return g_ppBuildings->At(f->geb_num());
}

bool IsDepotType(int32_t type) {
    return type >= kTypeTruckDepot && type <= kTypeTruckDepot + 3;
}
bool IsStationType(int32_t type) {
    return type >= kFirstStationType && type <= kLastStationType;
}

// The 8 x 8 mark square of a terminal (buffer pixels, top-left).
plat::Point MarkSquare(const CBuilding& b) {
    const int32_t x = b.anchor_x;
    const int32_t y = b.anchor_y;
    const int32_t n = const_cast<CBuilding&>(b).GetLength();
    switch (b.type) {
        case kFirstStationType:
            return {2 * x, 2 * (y - n)};
        case kFirstStationType + 1:
            return {2 * x + 2, 2 * y};
        case kFirstStationType + 2:
            return {2 * x, 2 * y + 2};
        case kFirstStationType + 3:
            return {2 * (x - n), 2 * y};
        default:
            return {2 * x, 2 * y};
    }
}

// Calls `fn` (building number, building) for the terminals of the kind
// `is_kind` accepts, in the order of their anchor fields (x, then y, over
// the drawn fields): where two mark squares overlap, the later one is drawn
// on top and its pick entry comes later, so it is the one picked.
template <typename Fn>
void ForEachTerminalByField(bool (*is_kind)(int32_t), Fn fn) {
    for (int32_t x = 0; x < kDrawn; ++x) {
        for (int32_t y = 0; y < kDrawn; ++y) {
            CBuilding* b = BuildingOn(x, y);
            if (b == nullptr || b->anchor_x != x || b->anchor_y != y || !is_kind(b->type)) continue;
            fn(static_cast<int32_t>(FieldAt(x, y)->geb_num()), *b);
        }
    }
}

// The exit field of a depot.
plat::Point DepotExit(const CBuilding& b) {
    static constexpr int32_t kDx[4] = {0, 1, 0, -1};
    static constexpr int32_t kDy[4] = {-1, 0, 1, 0};
    const int32_t side = (b.type - kTypeTruckDepot) & 3;
    return {b.anchor_x + kDx[side], b.anchor_y + kDy[side]};
}

}  // namespace

bool WriteStopFields(const CBuilding& terminal, ScheduleStop& stop) {
    const int32_t x = terminal.anchor_x;
    const int32_t y = terminal.anchor_y;
    if (IsDepotType(terminal.type)) {
        for (int32_t i = 0; i < 4; ++i) {
            stop.x[i] = static_cast<uint8_t>(x);
            stop.y[i] = static_cast<uint8_t>(y);
        }
        return true;
    }
    if (!IsStationType(terminal.type)) return false;
    const int32_t n = const_cast<CBuilding&>(terminal).GetLength();
    const int32_t dx = terminal.type == 7 ? 1 : terminal.type == 9 ? -1 : 0;
    const int32_t dy = terminal.type == 6 ? -1 : terminal.type == 8 ? 1 : 0;
    for (int32_t i = 0; i < 4; ++i) {
        const bool used = i < n;
        stop.x[i] = used ? static_cast<uint8_t>(x + dx * (1 + i)) : kNoStopField;
        stop.y[i] = used ? static_cast<uint8_t>(y + dy * (1 + i)) : kNoStopField;
    }
    return true;
}

void FS_FAHRPLAN_NEU::MarkReachableFields(int32_t x, int32_t y, int32_t way_type) {
    uint8_t* mask = g_pGameState->path_exit_mask;
    for (int32_t fx = 0; fx < kDrawn; ++fx) {
        for (int32_t fy = 0; fy < kDrawn; ++fy) mask[fx * 256 + fy] = 0;
    }
    if (!InMap(x, y)) return;
    // Every field is queued at most once, and a tunnel or bridge walk adds at
    // most two: the queue never drops a field.
    std::vector<uint16_t> queue;
    queue.reserve(kMapFieldCount);
    auto mark = [&](int32_t fx, int32_t fy) { mask[fx * 256 + fy] = 1; };
    auto marked = [&](int32_t fx, int32_t fy) { return mask[fx * 256 + fy] != 0; };
    auto push = [&](int32_t fx, int32_t fy) {
        queue.push_back(static_cast<uint16_t>(fx * 256 + fy));
        mark(fx, fy);
    };
    // From (fx, fy) on over the fields that carry `inside`; pushes the last
    // one and the first beyond.
    auto walk = [&](int32_t fx, int32_t fy, const Step& s, bool tunnel) {
        mark(fx, fy);
        int32_t cx = fx + s.dx;
        int32_t cy = fy + s.dy;
        int32_t lx = fx;
        int32_t ly = fy;
        while (InMap(cx, cy)) {
            const MapField* f = FieldAt(cx, cy);
            if (tunnel ? !f->tunnel() : !f->bridge_flag()) break;
            mark(cx, cy);
            lx = cx;
            ly = cy;
            cx += s.dx;
            cy += s.dy;
        }
        if (!InMap(cx, cy)) return;
        queue.push_back(static_cast<uint16_t>(lx * 256 + ly));
        if (!marked(cx, cy)) push(cx, cy);
    };
    push(x, y);
    const MapField* start = FieldAt(x, y);
    if (start->tportal()) {
        if (const Step* s = StepOfPortal(start->teile_diff()); s != nullptr) walk(x, y, *s, true);
    } else if (start->bridge_end() && start->bridge_flag()) {
        if (const Step* s = StepOfBridge(start->bridge_piece()); s != nullptr) {
            walk(x, y, *s, false);
        }
    }
    for (size_t head = 0; head < queue.size(); ++head) {
        const int32_t cx = queue[head] / 256;
        const int32_t cy = queue[head] % 256;
        const MapField* f = FieldAt(cx, cy);
        int32_t d = GetWayDirections(cx, cy, way_type);
        if (f->spieler() != 0) {
            // Another player's way ends the fill.
            mask[cx * 256 + cy] = 0;
            d = 0;
        }
        for (const Step& s : kSteps) {
            if ((d & s.bit) == 0) continue;
            const int32_t nx = cx + s.dx;
            const int32_t ny = cy + s.dy;
            if (!InMap(nx, ny) || marked(nx, ny)) continue;
            const MapField* n = FieldAt(nx, ny);
            if (n->tportal() && n->teile_diff() == s.portal_shape) {
                walk(nx, ny, s, true);
            } else if (n->bridge_end() && n->bridge_flag() &&
                       (n->bridge_piece() == s.bridge_a || n->bridge_piece() == s.bridge_b)) {
                walk(nx, ny, s, false);
            } else {
                push(nx, ny);
            }
        }
    }
}

int32_t FS_FAHRPLAN_NEU::IsStationReachable(int32_t building) const {
    const CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(building) : nullptr;
    if (b == nullptr || !IsStationType(b->type)) return 0;
    int32_t x0 = b->anchor_x;
    int32_t y0 = b->anchor_y;
    switch (b->type) {
        case kFirstStationType:
            y0 -= 4;
            break;
        case kFirstStationType + 1:
            x0 += 1;
            break;
        case kFirstStationType + 2:
            y0 += 1;
            break;
        default:
            x0 -= 4;
            break;
    }
    const uint8_t* mask = g_pGameState->path_exit_mask;
    for (int32_t fx = x0; fx < x0 + 4; ++fx) {
        for (int32_t fy = y0; fy < y0 + 4; ++fy) {
            const MapField* f = FieldAt(fx, fy);
            if (f == nullptr || !f->building_flag() || f->geb_num() != building) continue;
            if (mask[fx * 256 + fy] != 0) return 1;
        }
    }
    return 0;
}

void FS_FAHRPLAN_NEU::DrawNetworkMap() {
    if (!map.Loaded()) return;
    map.FillRect(0, 0, vs::kMapBufferSize, vs::kMapBufferSize, kBackground);
    for (int32_t x = 0; x < kDrawn; ++x) {
        for (int32_t y = 0; y < kDrawn; ++y) {
            const MapField* f = FieldAt(x, y);
            const int32_t shape = f->teile_diff();
            uint8_t colour = 0;
            if (shape == 0) {
                if (f->hoehe() > 0) colour = kFlatLand;
            } else if (shape == 1 || shape == 4 || shape == 5 || shape == 8 || shape == 9 ||
                       shape == 11 || shape == 12) {
                colour = kSlopeLight;
            } else if (shape != 15) {
                colour = kSlopeDark;
            }
            if (colour != 0) map.FillRect(2 * x, 2 * y, 2, 2, colour);
        }
    }
    pick_count = -1;
    if (screen_kind == kScheduleKindTruck) {
        PlotTruckNetwork();
    } else {
        PlotTrainNetwork();
    }
    DrawStopMarkers();
}

void FS_FAHRPLAN_NEU::PlotTruckNetwork() {
    const uint8_t* mask = g_pGameState->path_exit_mask;
    for (int32_t x = 0; x < kDrawn; ++x) {
        for (int32_t y = 0; y < kDrawn; ++y) {
            const int32_t way = FieldAt(x, y)->wegtyp();
            if (mask[x * 256 + y] == 0 && way >= 1 && way <= 3) {
                map.FillRect(2 * x, 2 * y, 2, 2, kUnreached);
            }
        }
    }
    DrawDepotSquares(false);
    for (int32_t x = 0; x < kDrawn; ++x) {
        for (int32_t y = 0; y < kDrawn; ++y) {
            if (mask[x * 256 + y] != 0) map.FillRect(2 * x, 2 * y, 2, 2, kReached);
        }
    }
    DrawDepotSquares(true);
}

void FS_FAHRPLAN_NEU::PlotTrainNetwork() {
    const uint8_t* mask = g_pGameState->path_exit_mask;
    for (int32_t x = 0; x < kDrawn; ++x) {
        for (int32_t y = 0; y < kDrawn; ++y) {
            const int32_t way = FieldAt(x, y)->wegtyp();
            if (mask[x * 256 + y] == 0 && (way == 1 || way == track_way)) {
                map.FillRect(2 * x, 2 * y, 2, 2, kUnreached);
            }
        }
    }
    DrawStationSquares(false);
    for (int32_t x = 0; x < kDrawn; ++x) {
        for (int32_t y = 0; y < kDrawn; ++y) {
            if (mask[x * 256 + y] != 0) map.FillRect(2 * x, 2 * y, 2, 2, kReached);
        }
    }
    DrawStationSquares(true);
}

// The depots: the not-pickable squares (outside cities), or, with
// `pick_only`, the pickable ones with their pick entries.
void FS_FAHRPLAN_NEU::DrawDepotSquares(bool pick_only) {
    if (g_ppBuildings == nullptr) return;
    const uint8_t* mask = g_pGameState->path_exit_mask;
    ForEachTerminalByField(IsDepotType, [&](int32_t number, const CBuilding& b) {
        const int32_t x = b.anchor_x;
        const int32_t y = b.anchor_y;
        const plat::Point square = MarkSquare(b);
        if (!pick_only) {
            if (FieldAt(x, y)->stadtnum() == 0) {
                map.FillRect(square.x, square.y, kSquare, kSquare, kNotPickable);
            }
            return;
        }
        const plat::Point exit = DepotExit(b);
        if (GetTerminalKindAt(x, y) != 1 || mask[x * 256 + y] == 0 || !InMap(exit.x, exit.y) ||
            mask[exit.x * 256 + exit.y] == 0 || pick_count + 1 >= kMaxPicks) {
            return;
        }
        map.FillRect(square.x, square.y, kSquare, kSquare, kPickable);
        picks[++pick_count] = {square.x, square.y, square.x + kSquare, square.y + kSquare, number};
    });
}

void FS_FAHRPLAN_NEU::DrawStationSquares(bool pick_only) {
    if (g_ppBuildings == nullptr) return;
    ForEachTerminalByField(IsStationType, [&](int32_t number, const CBuilding& b) {
        const plat::Point square = MarkSquare(b);
        const bool reachable = IsStationReachable(number) != 0;
        if (!pick_only) {
            if (!reachable && FieldAt(b.anchor_x, b.anchor_y)->stadtnum() == 0) {
                map.FillRect(square.x, square.y, kSquare, kSquare, kNotPickable);
            }
            return;
        }
        if (!reachable || pick_count + 1 >= kMaxPicks) return;
        map.FillRect(square.x, square.y, kSquare, kSquare, kPickable);
        picks[++pick_count] = {square.x, square.y, square.x + kSquare, square.y + kSquare, number};
    });
}

void FS_FAHRPLAN_NEU::DrawStopMarkers() {
    const CGameState& gs = *g_pGameState;
    stop_count = 0;
    for (int32_t i = 0; i < vs::kStopRows; ++i) {
        const ScheduleStop& stop = gs.schedule_edit[i];
        if (stop.IsEmpty()) continue;
        ++stop_count;
        const CBuilding* b = BuildingOn(stop.x[0], stop.y[0]);
        if (b == nullptr) continue;
        const bool ours =
            screen_kind == kScheduleKindTruck ? IsDepotType(b->type) : IsStationType(b->type);
        if (!ours) continue;
        const plat::Point square = MarkSquare(*b);
        map.FillRect(square.x, square.y, kSquare, kSquare, kMarker);
        map.DrawTextRaw(std::to_string(i + 1).c_str(), kFont2Advances, square.x + 2, square.y,
                        gs.images.small_font, 8, 8, kMarkerNumber);
    }
}

void FS_FAHRPLAN_NEU::RefreshTerminalMarks() {
    if (!map.Loaded()) return;
    pick_count = -1;
    if (screen_kind == kScheduleKindTruck) {
        DrawDepotSquares(false);
        DrawDepotSquares(true);
    } else {
        DrawStationSquares(false);
        DrawStationSquares(true);
    }
    DrawStopMarkers();
}

void FS_FAHRPLAN_NEU::ShowMapView() {
    if (!map.Loaded() || !canvas.Loaded()) return;
    BlitDC(*canvas.dc, vs::kMapView.x, vs::kMapView.y, vs::kMapViewSize, vs::kMapViewSize, *map.dc,
           128 * page_x, 128 * page_y);
    ShowCanvas({vs::kMapView.x, vs::kMapView.y, vs::kMapView.x + vs::kMapViewSize,
                vs::kMapView.y + vs::kMapViewSize});
}

int32_t FS_FAHRPLAN_NEU::FindPickRect(int32_t lx, int32_t ly) const {
    const int32_t px = lx - vs::kMapView.x + 128 * page_x;
    const int32_t py = ly - vs::kMapView.y + 128 * page_y;
    for (int32_t k = pick_count; k >= 0; --k) {
        const PickRect& r = picks[k];
        if (r.left <= px && px <= r.right && r.top <= py && py <= r.bottom) return k;
    }
    return -1;
}

void FS_FAHRPLAN_NEU::PickStopAt(int32_t lx, int32_t ly) {
    if (selected_stop < 0 || selected_stop >= vs::kStopRows || !map.Loaded()) return;
    // The hover's bounds: the last column and row of the view read no pixel
    // beyond the buffer.
    if (lx < vs::kMapView.x || lx > vs::kMapView.x + vs::kMapViewSize - 1 || ly < vs::kMapView.y ||
        ly > vs::kMapView.y + vs::kMapViewSize - 1) {
        return;
    }
    const int32_t px = lx - vs::kMapView.x + 128 * page_x;
    const int32_t py = ly - vs::kMapView.y + 128 * page_y;
    if (px < 0 || py < 0 || px >= vs::kMapBufferSize || py >= vs::kMapBufferSize) return;
    if (!IsPickColour(map.pixels[py * map.Stride() + px])) return;
    const int32_t k = FindPickRect(lx, ly);
    if (k < 0) return;
    const CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(picks[k].building) : nullptr;
    if (b == nullptr || b->owner != 0) return;
    if (!WriteStopFields(*b, g_pGameState->schedule_edit[selected_stop])) return;
    RefreshTerminalMarks();
    ShowMapView();
    BuildPanel();
    ShowPanel();
}

void FS_FAHRPLAN_NEU::HideTerminalLabel() {
    if (label_box[0] < 0 || !canvas.Loaded()) return;
    const int32_t w = label_box[2] - label_box[0];
    if (w > 0) {
        BlitDC(*canvas.dc, vs::kMapView.x + label_box[0], vs::kMapView.y + label_box[1], w,
               kLabelHeight, *map.dc, 128 * page_x + label_box[0], 128 * page_y + label_box[1]);
        ShowCanvas({vs::kMapView.x + label_box[0], vs::kMapView.y + label_box[1],
                    vs::kMapView.x + label_box[2], vs::kMapView.y + label_box[1] + kLabelHeight});
    }
}

void FS_FAHRPLAN_NEU::ShowTerminalLabel(int32_t k) {
    if (k < 0 || k > pick_count || !label.Loaded()) return;
    CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(picks[k].building) : nullptr;
    std::string text = b != nullptr && b->GetName() != nullptr ? b->GetName() : "";
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    label.FillRect(0, 0, kLabelWidth, kLabelHeight, 0);
    const auto w = static_cast<int32_t>(label.DrawTextRaw(
        text.c_str(), kFont2Advances, 2, 0, g_pGameState->images.small_font, 8, 8, kLabelText));
    const PickRect& e = picks[k];
    const int32_t r = e.right - 128 * page_x;
    if (r + w < vs::kMapViewSize) {
        label_box[0] = r;
        label_box[2] = r + w + 4;
    } else {
        label_box[0] = e.left - w - 128 * page_x - 4;
        label_box[2] = e.left - 128 * page_x;
    }
    int32_t top = e.top - 128 * page_y;
    if (top < 0) top = 0;
    if (top + kLabelHeight > vs::kMapViewSize) top = vs::kMapViewSize - kLabelHeight;
    label_box[1] = top;
    label_box[3] = top + kLabelHeight;
    // The label never leaves its buffer nor the view.
    int32_t left = label_box[0];
    int32_t width = std::min(label_box[2] - left, kLabelWidth);
    int32_t source = 0;
    if (left < 0) {
        source = -left;
        width -= source;
        left = 0;
    }
    if (width <= 0 || !canvas.Loaded()) return;
    BlitDC(*canvas.dc, vs::kMapView.x + left, vs::kMapView.y + top, width, kLabelHeight, *label.dc,
           source, 0);
    ShowCanvas({vs::kMapView.x + left, vs::kMapView.y + top, vs::kMapView.x + left + width,
                vs::kMapView.y + top + kLabelHeight});
}

void FS_FAHRPLAN_NEU::HoverMap(int32_t lx, int32_t ly) {
    const bool inside = lx >= vs::kMapView.x && lx <= vs::kMapView.x + vs::kMapViewSize - 1 &&
                        ly >= vs::kMapView.y && ly <= vs::kMapView.y + vs::kMapViewSize - 1;
    if (!inside) {
        if (label_box[0] != -1) {
            HideTerminalLabel();
            label_box[0] = -1;
        }
        return;
    }
    if (!map.Loaded()) return;
    const int32_t px = lx - vs::kMapView.x + 128 * page_x;
    const int32_t py = ly - vs::kMapView.y + 128 * page_y;
    const int32_t index = py * vs::kMapBufferSize + px;
    if (index < 0 || index >= kBufferBytes) return;
    const uint8_t colour = map.pixels[py * map.Stride() + px];
    if (IsPickColour(colour)) {
        const int32_t k = FindPickRect(lx, ly);
        if (k < 0) return;
        HideTerminalLabel();
        ShowTerminalLabel(k);
    } else {
        HideTerminalLabel();
    }
}
