// The control panel's window: its pictures, the heading grid, the open list
// of entry rows, and the clicks that press headings and rows.

#include <cstdio>
#include <cstring>
#include <utility>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "panel/control_panel.h"
#include "platform/messages.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "transport/vehicle_references.h"
#include "view/world_view.h"
#include "world/tile_marker.h"

namespace {

constexpr int32_t kWindowWidth = kPanelWidth + 2;
constexpr int32_t kCell = 32;
constexpr int32_t kCheckedRowsTop = 236;
constexpr int32_t kUncheckedRowsTop = 96;
constexpr uint8_t kCheckedText = 0;
constexpr uint8_t kUncheckedText = 10;

// Where the editor's headings 15..24 stand.
constexpr plat::Point kEditorCells[10] = {{0, 39},    {32, 39},  {96, 39},  {128, 71}, {0, 103},
                                          {128, 103}, {32, 103}, {96, 103}, {64, 103}, {64, 71}};

// The row labels of each heading, by label index.
constexpr const char* kLabels[kPanelHeadingCount][kPanelRowCount] = {
    {"End", "New Game", "New Mission", "New Scenario", "Retire", "Pause", "Next Level"},
    {"Load", "Save"},
    {"Music", "Vehicle effects", "Environment effects", "City traffic", "Auto Save"},
    {"Show grid", "Trees", "Buildings (city)", "Name of the city", "Names of buildings",
     "Production"},
    {},
    {"Northern view", "East view", "Southern view", "Western view"},
    {"Statistics", "Board of Directors", "Goal of the Game", "Opponent information", "Stores",
     "Industries", "Vehicles"},
    {},
    {"Product news", "Transportation news", "Building news", "Business news", "Opponent news"},
    {"Rename the city", "Rename the terminal"},
    {"1:1-View", "1:2-View", "1:4-View", "1:16-Overview", "Find"},
    {"New buildings"},
    {"Street", "Rails", "Monorail", "Super conductor", "Bridge", "Tunnel", "New platform"},
    {"Demolish", "Lift / Sink", "Lift / Sink (2x2)", "Lift / Sink (3x3)", "Lift / Sink (4x4)",
     "Lift / Sink (5x5)"},
    {},
    {},
    {"Load", "Save"},
    {"Show grid", "Trees", "Buildings (city)", "Name of the city", "Names of buildings",
     "Production"},
    {"Rename the city", "Rename the terminal"},
    {"1:1-View", "1:2-View", "1:4-View", "1:16-Overview"},
    {"Setting", "Generate new"},
    {"Village", "Market", "Small town", "City", "Metropolis"},
    {"Demolish", "Lift / Sink", "Lift / Sink (2x2)", "Lift / Sink (3x3)", "Lift / Sink (4x4)",
     "Lift / Sink (5x5)"},
    {"Highway", "Bridge", "Tunnel"},
    {"Chemical plant", "Steel mill", "Lumber mill", "Silver mine", "Gold mine", "Diamond mine"},
};

constexpr const char* kMonths[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

bool Inside(const plat::Rect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool InEditor() {
    return g_pGameState->game_mode == kModeEditor;
}

int32_t ViewZoom() {
    return g_pSpielFeld != nullptr ? g_pSpielFeld->zoom : 1;
}

}  // namespace

HAUPTDIALOG::HAUPTDIALOG() {
    RegisterVehicleReference(&selected_vehicle);
    // A new panel asks for no zoom until its view list opens.
    if (g_pGameState != nullptr) g_pGameState->zoom_request = 0;
    for (int32_t h = 0; h < kPanelHeadingCount; ++h) {
        for (int32_t i = 0; i < kPanelRowCount; ++i) {
            if (kLabels[h][i] != nullptr) {
                std::snprintf(entry_labels[h][i], kPanelLabelBytes, "%s", kLabels[h][i]);
            }
        }
    }
    for (int32_t m = 0; m < 12; ++m) std::snprintf(month_names[m], 20, "%s", kMonths[m]);
    for (int32_t i = 0; i < 15; ++i) {
        const int32_t left = kCell * (i % 5);
        const int32_t top = kPanelGridTop + kCell * (i / 5);
        heading_rects[i] = {left, top, left + kCell, top + kCell};
    }
    for (int32_t i = 0; i < 10; ++i) {
        const plat::Point c = kEditorCells[i];
        heading_rects[15 + i] = {c.x, c.y, c.x + kCell, c.y + kCell};
    }
    for (int32_t r = 0; r < kPanelRowCount; ++r) {
        const int32_t top = kPanelRowTop + kPanelRowHeight * r;
        row_rects[r] = {0, top, kPanelWidth, top + kPanelRowHeight};
    }
}

HAUPTDIALOG::~HAUPTDIALOG() {
    UnregisterVehicleReference(&selected_vehicle);
    if (g_pHauptDialog == this) g_pHauptDialog = nullptr;
    DeleteChildren();
}

bool HAUPTDIALOG::LoadImages() {
    const CGameState& gs = *g_pGameState;
    const char* base = gs.DataPath(kPathBase);
    const char* panel = gs.screen_width <= 640   ? "butt640"
                        : gs.screen_width <= 800 ? "butt800"
                                                 : "butt102";
    const char* rows = gs.screen_width > 800 ? "butt002" : "butt001";
    const char* e = InEditor() ? "e" : "";
    auto path = [&](const char* name, const char* variant) {
        char buffer[kDataPathLength + 32];
        std::snprintf(buffer, sizeof buffer, "%s\\%s%s.jgd", base, name, variant);
        return std::string(buffer);
    };
    bool ok = back_buffer.LoadJgd(path(panel, e));
    ok = clean_background.LoadJgd(path(panel, e)) && ok;
    ok = button_strip.LoadJgd(path("butt000", e)) && ok;
    ok = row_strip.LoadJgd(path(rows, e)) && ok;
    ok = goods_icons.LoadJgd(path("inf_ps", "")) && ok;
    return ok;
}

HAUPTDIALOG* CreateControlPanel(SPIEL_FELD& view) {
    auto* panel = new HAUPTDIALOG;
    panel->LoadImages();
    if (!panel->CreatePanel(&view)) {
        delete panel;
        return nullptr;
    }
    return panel;
}

bool HAUPTDIALOG::CreatePanel(plat::Window* view) {
    const CGameState& gs = *g_pGameState;
    const plat::Rect rect{gs.origin_x, gs.origin_y, gs.origin_x + kWindowWidth,
                          gs.origin_y + gs.screen_height};
    return Create(view, rect, WS_POPUP | WS_CHILD | WS_VISIBLE | WS_BORDER, WS_EX_TOPMOST);
}

void HAUPTDIALOG::OnCreate() {
    if (InEditor()) {
        current_heading = previous_heading = kHeadingEditorWorld;
        DrawHeadings();
        DrawDropDown();
        plat::SendMessage(this, WM_COMMAND, kCmdHeadingFirst + kHeadingEditorWorld);
    } else {
        current_heading = previous_heading = kHeadingNoTool;
        DrawHeadings();
    }
}

void HAUPTDIALOG::PresentArea(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!back_buffer.Loaded() || !IsWindow()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    if (!dc) return;
    SelectPictureOutputPalette(*dc, back_buffer.dc.get(), g_pGameState->images.palette_a);
    BlitDC(*dc, x, y, w, h, *back_buffer.dc, x, y);
    RestoreDefaultPalette(*dc);
}

void HAUPTDIALOG::DrawHeadings() {
    if (back_buffer.Loaded() && clean_background.Loaded()) {
        const int32_t grid_height = kPanelGridBottom - kPanelGridTop;
        BlitDC(*back_buffer.dc, 0, kPanelGridTop, kPanelWidth, grid_height, *clean_background.dc, 0,
               kPanelGridTop);
        if (button_strip.Loaded() && current_heading >= 0 && current_heading < kPanelHeadingCount) {
            const plat::Rect& cell = heading_rects[current_heading];
            BlitDC(*back_buffer.dc, cell.left, cell.top, kCell, kCell, *button_strip.dc, cell.left,
                   cell.top - kPanelGridTop);
        }
        PresentArea(0, kPanelGridTop, kPanelWidth, grid_height);
    }
    previous_heading = current_heading;
}

void HAUPTDIALOG::DrawDropDown() {
    if (!back_buffer.Loaded()) return;
    const PaletteImage& font = g_pGameState->images.main_font;
    const int32_t heading =
        current_heading >= 0 && current_heading < kPanelHeadingCount ? current_heading : 0;
    for (int32_t r = 0; r < entry_count && r < kPanelRowCount; ++r) {
        const bool checked = entry_checked[r] != 0;
        const int32_t top = row_rects[r].top;
        if (row_strip.Loaded()) {
            BlitDC(*back_buffer.dc, 0, top, kPanelWidth, kPanelRowHeight, *row_strip.dc, 0,
                   (checked ? kCheckedRowsTop : kUncheckedRowsTop) + kPanelRowHeight * r);
        }
        const int32_t label = entry_label[r];
        if (label < 0 || label >= kPanelRowCount) continue;
        const char* text = entry_labels[heading][label];
        const int32_t width = static_cast<int32_t>(GetTextWidth(text, kFont1Advances));
        back_buffer.DrawText(text, kFont1Advances, (kPanelWidth - width) / 2, top + 2, font, 16, 16,
                             checked ? kCheckedText : kUncheckedText);
    }
    PresentArea(0, kPanelRowTop, kPanelWidth, kPanelRowHeight * entry_count);
}

void HAUPTDIALOG::PressHeading(int32_t heading) {
    current_heading = heading;
    DrawHeadings();
    plat::SendMessage(this, WM_COMMAND, kCmdHeadingFirst + static_cast<uint32_t>(heading));
}

void HAUPTDIALOG::MarkRow(int32_t row, uint32_t command) {
    if (row >= 0 && row < kPanelRowCount - 1) entry_checked[row] = 1;
    DrawDropDown();
    plat::SendMessage(this, WM_COMMAND, command);
}

void HAUPTDIALOG::ClearRowOf(std::initializer_list<int32_t> commands) {
    for (int32_t r = 0; r < entry_count; ++r) {
        for (const int32_t command : commands) {
            if (entry_command[r] == command) entry_checked[r] = 0;
        }
    }
    DrawDropDown();
}

void HAUPTDIALOG::ClearTunnelCheck() {
    ClearRowOf({kCmdTunnel, kCmdEditorTunnel});
}

void HAUPTDIALOG::ClearBridgeCheck() {
    ClearRowOf({kCmdBridge, kCmdEditorBridge});
}

void HAUPTDIALOG::CloseDropDown() {
    CGameState& gs = *g_pGameState;
    if (back_buffer.Loaded() && clean_background.Loaded()) {
        BlitDC(*back_buffer.dc, 0, kPanelListTop, kPanelWidth, back_buffer.Rows() - kPanelListTop,
               *clean_background.dc, 0, kPanelListTop);
    }
    if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
    gs.redraw_terrain = 0;
    gs.redraw_objects = 0;
    if (g_pSpielFeld != nullptr) {
        g_pSpielFeld->ClearOverlay();
        g_pSpielFeld->RedrawView();
    }
    entry_count = 0;
    std::memset(entry_checked, 0, sizeof entry_checked);
    std::memset(entry_label, 0, sizeof entry_label);
    std::memset(entry_command, 0, sizeof entry_command);
}

void HAUPTDIALOG::RedrawSidebar() {
    // With the view list open the legend is drawn at 1:16 and wiped at any
    // other zoom.
    if (g_pSpielFeld != nullptr && g_pSpielFeld->tool == kToolOverviewZoom) DrawOverviewLegend();
    PresentArea(0, 0, kPanelWidth, back_buffer.Rows());
}

void HAUPTDIALOG::Repaint() {
    RedrawSidebar();
}

void HAUPTDIALOG::DeleteChildren() {
    delete info_window;
    info_window = nullptr;
    // Every popup screen too, shown or waiting: the end of a game or a level
    // must not leave news of it to appear over what follows.
    for (const PopupEntry& entry : popup_table_) DeletePopup(entry);
    // A game left while its cities grow takes the growth screen with it.
    delete std::exchange(city_growth_screen, nullptr);
}

int32_t HAUPTDIALOG::HitHeading(int32_t x, int32_t y) {
    const CGameState& gs = *g_pGameState;
    const bool map_view = ViewZoom() < kOverviewZoomLevel;
    const bool running = map_view && gs.user_pause == 0;
    int32_t hit = current_heading;
    if (InEditor()) {
        for (int32_t h = 15; h < kPanelHeadingCount; ++h) {
            if (!Inside(heading_rects[h], x, y)) continue;
            const bool needs_map = h == 18 || (h >= 21 && h <= 24);
            if (!needs_map || map_view) hit = h;
        }
        return hit;
    }
    for (int32_t h = 0; h < 15; ++h) {
        if (!Inside(heading_rects[h], x, y)) continue;
        if (h == 9 && !map_view) continue;
        if ((h == 12 || h == 13 || h == 14) && !running) continue;
        if (h == 11) {
            if (!running) continue;
            // Without a chosen building type the heading fires again, to
            // reopen the purchase screen.
            if (gs.selected_building_type < 0 && previous_heading == 11) previous_heading = 14;
        }
        hit = h;
    }
    return hit;
}

void HAUPTDIALOG::ToggleLegendRow(int32_t y) {
    const bool editor = InEditor();
    const int32_t last = editor ? 310 : 470;
    if (y < 270 || y >= last) return;
    const int32_t element = (editor ? 4 : 0) + (y - 270) / 10;
    legend_flags[element] = legend_flags[element] != 0 ? 0 : 1;
    RedrawSidebar();
    if (g_pSpielFeld != nullptr) {
        g_pSpielFeld->DrawOverviewMap();
        g_pSpielFeld->RedrawView();
    }
}

void HAUPTDIALOG::OnLButtonDown(int32_t x, int32_t y) {
    // While a screen is open a click changes nothing: a heading remembered
    // here would be drawn later from the wrong set.
    if (g_pGameState->screen_open != 0) return;
    previous_heading = current_heading;
    current_heading = HitHeading(x, y);
    int32_t row = -1;
    for (int32_t r = 0; r < kPanelRowCount; ++r) {
        if (Inside(row_rects[r], x, y)) row = r;
    }
    if (g_pSpielFeld != nullptr && g_pSpielFeld->tool == kToolOverviewZoom &&
        g_pSpielFeld->zoom == kOverviewZoomLevel) {
        ToggleLegendRow(y);
    }
    if (current_heading != previous_heading) {
        DrawHeadings();
        plat::SendMessage(this, WM_COMMAND, kCmdHeadingFirst + current_heading);
    }
    if (row >= 0 && row < entry_count) {
        // The check mark flips first, so the command decides the final mark.
        entry_checked[row] = entry_checked[row] != 0 ? 0 : 1;
        DrawDropDown();
        plat::SendMessage(this, WM_COMMAND, static_cast<plat::WParam>(entry_command[row]));
    }
}

plat::LResult HAUPTDIALOG::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_PAINT:
            BeginPaint();
            RedrawSidebar();
            EndPaint();
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(plat::XFromLParam(lParam), plat::YFromLParam(lParam));
            return 0;
        case WM_COMMAND:
            OnPanelCommand(static_cast<uint32_t>(wParam & 0xFFFF));
            return 0;
        case kMsgRefreshInfoPanel:
            DrawInfoPanel(*this);
            return 0;
        default:
            if (message >= WM_USER && OnPopupMessage(message, wParam, lParam)) return 0;
            return DefaultMessage(message, wParam, lParam);
    }
}
