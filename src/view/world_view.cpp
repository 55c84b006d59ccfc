// The world view window: its life cycle, its creation with the per-size
// constants, the panel and the edge strips, and its message map.

#include "view/world_view.h"

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "panel/control_panel.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "state/game_state.h"
#include "state/view_events.h"
#include "transport/vehicle_list.h"
#include "view/scroll_strip.h"

namespace {

constexpr int32_t kBuildingTableSlots = 1024;

// The view's constants by screen height: half extents, the field offset of
// the camera centre, and the upper bound of the vertical range.
struct SizeConstants {
    int32_t screen_height;
    int32_t half_x;
    int32_t half_y;
    int32_t origin;
    double vertical_range;
};
constexpr SizeConstants kSizes[] = {
    {768, 21, 5, 23, 220.0},
    {600, 16, 4, 21, 224.0},
    {480, 14, 4, 18, 229.0},
};

// clang-format off
constexpr int32_t kBridgeColumns[4][12] = {
    {0, 64, 128, 192, 256, 320, 384, 448, 512, 576, 640, 704},
    {256, 320, 384, 448, 64, 0, 192, 128, 640, 704, 512, 576},
    {64, 0, 192, 128, 320, 256, 448, 384, 512, 576, 640, 704},
    {320, 256, 448, 384, 0, 64, 128, 192, 640, 704, 512, 576},
};
// clang-format on

// Creation order of the strips, then window order (left, top, bottom,
// right, top-right, top-left, bottom-right, bottom-left).
constexpr StripSide kStripSides[8] = {
    StripSide::Left,     StripSide::Top,     StripSide::Bottom,      StripSide::Right,
    StripSide::TopRight, StripSide::TopLeft, StripSide::BottomRight, StripSide::BottomLeft};

}  // namespace

ViewHooks& GetViewHooks() {
    static ViewHooks hooks;
    return hooks;
}

SPIEL_FELD::SPIEL_FELD(WatchOnlyTag) {
    InitTables();
}

SPIEL_FELD::SPIEL_FELD() {
    InitTables();
    owns_world_ = true;
    g_pCityManager = new CCityManager;
    g_ppBuildings = new CBuildingTable;
    static_assert(kBuildingTableSlots == kBuildingSlots);
    last_pick_time = plat::TimeGetTime();
    g_MouseMoveTime = MouseMoveTimes{};
}

void SPIEL_FELD::InitTables() {
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t c = 0; c < 12; ++c) bridge_columns[r][c] = kBridgeColumns[r][c];
    }
}

SPIEL_FELD::~SPIEL_FELD() {
    if (!owns_world_) return;
    ClearOverlay();
    ClearAnimations();
    DeleteAllVehicles();
    for (auto& strip : strips_) strip.reset();
    // The city container and the building table go with their globals
    // nulled: left pointing at freed memory, the next caller that tests them
    // for null (ambient sounds, a building or city lookup before the next
    // game's view exists) would use deleted objects. The cities leave their
    // fields and streets on the map: the frame resets the map and the way
    // network after closing the view, or destroys the terrain on quitting.
    if (g_pCityManager != nullptr) g_pCityManager->FreeAll();
    delete g_pCityManager;
    g_pCityManager = nullptr;
    HAUPTDIALOG* panel = g_pHauptDialog;
    g_pHauptDialog = nullptr;
    delete panel;
    if (g_ppBuildings != nullptr) g_ppBuildings->FreeAll();
    delete g_ppBuildings;
    g_ppBuildings = nullptr;
}

void SPIEL_FELD::ApplyScreenSize() {
    const CGameState& gs = *g_pGameState;
    for (const SizeConstants& size : kSizes) {
        if (size.screen_height != gs.screen_height) continue;
        half_extent_x = size.half_x;
        half_extent_y = size.half_y;
        view_origin = size.origin;
        vertical_range = size.vertical_range;
    }
    horizontal_half_range = 123.0;
}

bool SPIEL_FELD::CreateView(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    ApplyScreenSize();
    SetRangeA(-horizontal_half_range, horizontal_half_range);
    value_a = 0.0;
    SetRangeB(-12.0, vertical_range);
    value_b = -12.0;
    drag_start_x = drag_start_y = -1;
    gs.rotation = 0;
    centre_x = 0.0;
    centre_y = -12.0;
    zoom = 1;
    tool = kToolNone;
    cursor_x = cursor_y = prev_cursor_x = prev_cursor_y = -1;
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;

    // The drawing buffers, in the world palette's colours.
    GameImages& im = gs.images;
    const PaletteImage& colours = im.tile_sheet.Loaded() ? im.tile_sheet : im.main_font;
    for (WinGBitmap* b :
         {&im.background_layer, &im.object_layer_a, &im.object_layer_b, &im.composite_buffer}) {
        b->Free();
        b->Create(colours, gs.view_width, gs.view_height);
    }
    BlackenBackBuffers();

    const plat::Rect rect{gs.origin_x + kViewLeft, gs.origin_y, gs.origin_x + gs.screen_width,
                          gs.origin_y + gs.screen_height};
    return Create(parent, rect, WS_POPUP | WS_CHILD | WS_VISIBLE | WS_BORDER, WS_EX_TOPMOST);
}

void SPIEL_FELD::OnCreate() {
    plat::Window* strip_owner = this;
    if (GetViewHooks().create_panel != nullptr) {
        g_pHauptDialog = GetViewHooks().create_panel(*this);
        if (g_pHauptDialog != nullptr) {
            g_pHauptDialog->UpdateWindow();
            strip_owner = g_pHauptDialog;
        }
    }
    for (int32_t i = 0; i < 8; ++i) {
        strips_[i] = std::make_unique<ScrollStrip>(kStripSides[i]);
        strips_[i]->CreateStrip(strip_owner);
    }
}

void SPIEL_FELD::OnPaint() {
    CGameState& gs = *g_pGameState;
    BeginPaint();
    plat::Rect all{0, 0, gs.view_width, gs.view_height};
    PresentRect(all);
    EndPaint();
    // The composite just presented covers the marks drawn on the window.
    // Without a new drawing they would stay away while the vehicles stand
    // (under P, after the goal): nothing else makes the next vehicle frame
    // due then, though the list still holds them.
    if (!overlay_list.empty()) overlay_pending = true;
}

plat::CursorId SPIEL_FELD::ClassCursor() const {
    switch (tool) {
        case kToolRaiseLower:
            return 198;
        case kToolDemolish:
            return 204;
        case kToolTrack:
        case kToolRoad:
        case kToolPlatform:
            return 210;
        case kToolBuilding:
            return 209;
        case kInformationTool:
            return 201;
        case kToolOverviewZoom:
            return 200;
        case kToolNone:
            return g_pGameState != nullptr && g_pGameState->game_mode == kModeEditor ? IDC_ARROW
                                                                                     : 211;
        default:
            return IDC_ARROW;
    }
}

plat::LResult SPIEL_FELD::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    const plat::Point point{plat::XFromLParam(lParam), plat::YFromLParam(lParam)};
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, point);
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, point);
            return 0;
        case WM_RBUTTONDOWN:
            OnRButtonDown(wParam, point);
            return 0;
        case WM_RBUTTONUP:
            return 0;
        case WM_PALETTECHANGED: {
            const plat::LResult result = DefaultMessage(message, wParam, lParam);
            OnPaletteChanged(reinterpret_cast<const plat::Window*>(wParam));
            return result;
        }
        case WM_VSCROLL:
            OnVScroll(plat::LoWord(wParam), plat::HiWord(wParam));
            return 0;
        case WM_HSCROLL:
            OnHScroll(plat::LoWord(wParam), plat::HiWord(wParam));
            return 0;
        default:
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}
