#include "screens/vehicles/schedule_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "panel/control_panel.h"
#include "platform/gdi.h"
#include "screens/vehicles/vehicle_layout.h"
#include "screens/vehicles/vehicle_overview.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "transport/vehicle.h"
#include "transport/vehicle_list.h"
#include "transport/vehicle_purchase.h"
#include "transport/vehicle_references.h"
#include "view/world_view.h"

namespace vs = vehicle_screens;

namespace {

constexpr int32_t kStops = 10;
constexpr int32_t kColumns = 6;
constexpr int8_t kNoGoods = -1;
constexpr int32_t kInfoRowTop = 63;  // panel y of stop row 0
constexpr int32_t kInfoCellTop = 85;
constexpr int32_t kInfoCellLeft = 4;
constexpr int32_t kInfoWaitX = 272;
constexpr int32_t kInfoBarX = 44;
constexpr int32_t kInfoNameX = 60;
constexpr int32_t kInfoTextX = 72;
constexpr uint8_t kTextColour = 10;
constexpr uint8_t kSelectedTextColour = 0;
constexpr int32_t kFreeCursorPopup = 1;
constexpr int32_t kPages = 3;

constexpr ButtonLayout Arrow(int32_t x, int32_t y, uint16_t command, int32_t face) {
    return {.x = x,
            .y = y,
            .command = command,
            .width = vs::kArrowFaceWidth,
            .height = vs::kArrowFaceWidth,
            .normal = {face, 0},
            .pressed = {face, vs::kPressedY}};
}
constexpr ButtonLayout Big(int32_t x, int32_t y, uint16_t command, int32_t face) {
    return {.x = x,
            .y = y,
            .command = command,
            .width = vs::kBigFaceWidth,
            .height = vs::kBigFaceHeight,
            .normal = {face, 0},
            .pressed = {face, vs::kPressedY}};
}

constexpr ButtonLayout kButtons[] = {
    Arrow(284, 187, kCmdMapUp, 0),
    Arrow(284, 219, kCmdMapDown, 24),
    Arrow(120, 346, kCmdMapLeft, 48),
    Arrow(152, 346, kCmdMapRight, 72),
    Big(32, 445, kCmdScrapVehicle, vs::kScrapFaceX),
    Big(32, 411, kCmdNewVehicle, vs::kNewVehicleFaceX),
    Big(176, 445, kCmdScheduleCancel, vs::kScheduleCancelFaceX),
    Big(176, 411, kCmdScheduleOk, vs::kScheduleOkFaceX),
    {.x = 68,
     .y = 377,
     .command = kCmdDeleteStop,
     .width = vs::kDeleteStopWidth,
     .height = vs::kDeleteStopHeight,
     .normal = {vs::kDeleteStopFaceX, 0},
     .pressed = {vs::kDeleteStopFaceX, vs::kPressedY}},
};

bool Inside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

// The page (0..2) a field coordinate lies on.
int8_t PageOf(uint8_t coordinate) {
    if (coordinate > 127) return 2;
    if (coordinate > 64) return 1;
    return 0;
}

const char* BuildingName(const ScheduleStop& stop) {
    const MapField* f = FieldAt(stop.x[0], stop.y[0]);
    if (f == nullptr || !f->building_flag() || g_ppBuildings == nullptr) return nullptr;
    CBuilding* b = g_ppBuildings->At(f->geb_num());
    return b != nullptr ? b->GetName() : nullptr;
}

}  // namespace

std::string TravelCostsText(int32_t cost) {
    char text[64];
    if (cost < 1000) {
        std::snprintf(text, sizeof text, "Travel costs: %d", cost);
    } else {
        std::snprintf(text, sizeof text, "Travel costs: %d,%03d", cost / 1000, cost % 1000);
    }
    return text;
}

FS_FAHRPLAN_NEU::FS_FAHRPLAN_NEU() : EconomyScreen(kMsgScheduleDone) {
    RegisterVehicleReference(&vehicle);
}

FS_FAHRPLAN_NEU::~FS_FAHRPLAN_NEU() {
    if (vehicle != nullptr) vehicle->running_flag = saved_running;
    UnregisterVehicleReference(&vehicle);
    if (g_pGameState != nullptr) {
        for (int32_t x = 0; x < 255; ++x) {
            for (int32_t y = 0; y < 255; ++y) g_pGameState->path_exit_mask[x * 256 + y] = 0;
        }
    }
    delete popup;
    panel.Free();
    map.Free();
    label.Free();
    pictures.Free();
}

bool FS_FAHRPLAN_NEU::Open(plat::Window* parent, CVehicle* edited) {
    CGameState& gs = *g_pGameState;
    if (edited == nullptr) return false;
    const int32_t cls = edited->vehicle_class;
    if (cls == kVehicleTruck) {
        screen_kind = kScheduleKindTruck;
        last_goods_column = 0;
    } else if (cls >= kVehicleRail && cls <= kVehicleSuperconductor) {
        screen_kind = kScheduleKindTrain;
        last_goods_column = kColumns - 1;
        track_way = cls + 2;
    } else {
        return false;
    }
    const std::string number = std::to_string(screen_kind);
    if (!LoadPage("scr_" + number + ".jgd", "scb_" + number + ".jgd")) return false;
    pictures.LoadJgd(std::string(gs.DataPath(kPathBase)) + "\\uefs" +
                     std::to_string(gs.player_colors[0]) + ".jgd");
    if (!panel.Create(sheet, vs::kSchedulePanelSize.width, vs::kSchedulePanelSize.height) ||
        !map.Create(sheet, vs::kMapBufferSize, vs::kMapBufferSize) ||
        !label.Create(sheet, 120, 10)) {
        return false;
    }
    vehicle = edited;
    saved_running = vehicle->running_flag;
    vehicle->running_flag = 0;

    // A truck just bought at the depot where the last truck of its variant
    // was confirmed takes that schedule at once, kept even on cancel.
    TruckScheduleMemory& memory = gs.truck_schedule_memory;
    if (screen_kind == kScheduleKindTruck && gs.schedule_source == 1 && g_pSpielFeld != nullptr &&
        memory.depot_x == g_pSpielFeld->cursor_x && memory.depot_y == g_pSpielFeld->cursor_y &&
        memory.truck_variant == vehicle->model % 3) {
        for (int32_t i = 0; i < kStops; ++i) {
            vehicle->schedule[i] = memory.stops[i];
            for (int32_t c = 0; c < kColumns; ++c) {
                vehicle->cargo_plan[i][c][0] = memory.goods[2 * (i * kColumns + c)];
            }
            vehicle->wait_until_loaded[i] = memory.wait_flags[i];
            vehicle->halt_at_stop[i] = memory.halt_flags[i];
        }
    }
    stop_count = 0;
    for (int32_t i = 0; i < kStops; ++i) {
        gs.schedule_edit[i] = vehicle->schedule[i];
        for (int32_t c = 0; c < kColumns; ++c) {
            stop_goods[i][c] = static_cast<int8_t>(vehicle->cargo_plan[i][c][0]);
        }
        if (!gs.schedule_edit[i].IsEmpty()) ++stop_count;
        wait_flags[i] = vehicle->wait_until_loaded[i];
        halt_flags[i] = vehicle->halt_at_stop[i];
    }
    page_x = PageOf(gs.schedule_edit[0].x[0] == kNoStopField ? 0 : gs.schedule_edit[0].x[0]);
    page_y = PageOf(gs.schedule_edit[0].x[0] == kNoStopField ? 0 : gs.schedule_edit[0].y[0]);

    if (!CreatePage(parent, kButtons, kCmdScheduleOk, true)) return false;
    popup = new FS_POPUP_LIST;
    popup->Create(this, kFreeCursorPopup, sheet.palette);
    FillGoodsList();
    BuildPanel();
    MarkFromVehicle();
    DrawNetworkMap();
    ShowPanel();
    ShowMapView();
    return true;
}

void FS_FAHRPLAN_NEU::MarkFromVehicle() {
    CGameState& gs = *g_pGameState;
    for (uint8_t& m : gs.path_exit_mask) m = 0;
    const int32_t x = vehicle->pos_x;
    const int32_t y = vehicle->pos_y;
    const MapField* f = FieldAt(x, y);
    if (f == nullptr) return;
    if (vehicle->draw_layer == 1) return;  // inside a tunnel: nothing reachable
    if (vehicle->draw_layer == 2 && f->bridge_flag()) {
        // On a bridge: from the first field off the bridge behind it.
        const uint8_t code = f->bridge_piece();
        int32_t dx = 0;
        int32_t dy = 0;
        if ((code >= 1 && code <= 4) || code == 9) dy = -1;
        if ((code >= 5 && code <= 8) || code == 11) dx = -1;
        if (dx == 0 && dy == 0) return;
        const int32_t way = f->bridge_wegtyp();
        int32_t bx = x;
        int32_t by = y;
        while (InMap(bx, by) && FieldAt(bx, by)->bridge_flag()) {
            bx += dx;
            by += dy;
        }
        if (InMap(bx, by)) MarkReachableFields(bx, by, way);
        return;
    }
    MarkReachableFields(x, y, f->wegtyp());
}

void FS_FAHRPLAN_NEU::FillGoodsList() {
    const CGameState& gs = *g_pGameState;
    if (popup == nullptr) return;
    popup->Reset();
    popup->AddItem(0, "Raw materials");
    for (int32_t g = 0; g < 8; ++g) popup->AddToGroup(0, g);
    // Every store type's goods: toys, sports equipment, lumber, jewelry,
    // cars and electronics, each group once its first good is on the market.
    // With toys and sports equipment alone, furniture, jewelry, cars and
    // electronics could never be carried to their stores. Electronic
    // components (38), which no store sells, go with the electronics: only
    // an electronics industry makes them, and without them no video player,
    // car, computer or telephone that needs them could ever be made.
    struct Group {
        const char* name;
        int32_t first;
        int32_t last;
    };
    static constexpr Group kGroups[] = {{"Toys", 8, 16},    {"Sports equip.", 17, 25},
                                        {"Lumber", 26, 28}, {"Jewelry", 29, 31},
                                        {"Cars", 32, 34},   {"Electronics", 35, 43}};
    int32_t group = 1;
    for (const Group& g : kGroups) {
        if (gs.goods[g.first].available != 1) continue;
        popup->AddItem(group, g.name);
        for (int32_t id = g.first; id <= g.last; ++id) {
            if (gs.goods[id].available == 1) popup->AddToGroup(group, id);
        }
        ++group;
    }
    popup->closable = 1;  // the close box chooses "none"
    const plat::Rect own = popup->GetClientRect();
    const int32_t x = origin_x + vs::kGoodsPopup.x;
    const int32_t y = origin_y + vs::kGoodsPopup.y;
    popup->MoveWindow({x, y, x + own.Width(), y + own.Height()}, false);
}

void FS_FAHRPLAN_NEU::RecountStops() {
    const CGameState& gs = *g_pGameState;
    stop_count = 0;
    for (int32_t i = 0; i < vs::kStopRows; ++i) {
        if (!gs.schedule_edit[i].IsEmpty()) ++stop_count;
    }
}

void FS_FAHRPLAN_NEU::BuildPanel() {
    const CGameState& gs = *g_pGameState;
    for (int32_t i = 0; i < vs::kStopRows; ++i) {
        if (!gs.schedule_edit[i].IsEmpty()) continue;
        for (int8_t& g : stop_goods[i]) g = kNoGoods;
    }
    RecountStops();
    if (!panel.Loaded()) return;
    BlitDC(*panel.dc, 0, 0, vs::kSchedulePanelSize.width, vs::kSchedulePanelSize.height,
           *background.dc, vs::kSchedulePanel.x, vs::kSchedulePanel.y);
    const PaletteImage& font = gs.images.main_font;
    if (vehicle != nullptr) {
        if (pictures.Loaded()) {
            BlitDC(*panel.dc, 0, 0, vs::kVehicleCellWidth, vs::kVehicleCellHeight, *pictures.dc,
                   vs::VehicleCell(vehicle->model) * vs::kVehicleCellWidth, 0);
        }
        if (vehicle->model >= 0 && vehicle->model < kVehicleModelCount) {
            panel.DrawText(gs.vehicle_models[vehicle->model].model_name, kFont1Advances, kInfoTextX,
                           -1, font, 16, 16, kTextColour);
        }
        panel.DrawText(("Vehicle number: " + std::to_string(vehicle->number)).c_str(),
                       kFont1Advances, kInfoTextX, 16, font, 16, 16, kTextColour);
        panel.DrawText(TravelCostsText(vehicle->cost_last_trip).c_str(), kFont1Advances, kInfoTextX,
                       36, font, 16, 16, kTextColour);
    }
    const WinGBitmap* icons = g_pHauptDialog != nullptr ? &g_pHauptDialog->goods_icons : nullptr;
    for (int32_t i = 0; i < vs::kStopRows; ++i) {
        const int32_t y = kInfoRowTop + vs::kStopRowStep * i;
        if (sheet.Loaded()) {
            panel.BlitImageKeyed(sheet, kInfoWaitX, y + 30, vs::kWaitFaceX,
                                 vs::kPressedY * (wait_flags[i] != 0 ? 1 : 0), vs::kWaitBoxSize,
                                 vs::kWaitBoxSize, 255);
        }
        const ScheduleStop& stop = gs.schedule_edit[i];
        if (!stop.IsEmpty()) {
            const bool selected = i == selected_stop;
            if (selected && sheet.Loaded()) {
                panel.BlitImageKeyed(sheet, kInfoBarX, y, 0, vs::kHighlightY,
                                     vs::kSelectionBarWidth, vs::kSelectionBarHeight, 255);
            }
            if (const char* name = BuildingName(stop); name != nullptr) {
                panel.DrawText(name, kFont1Advances, kInfoNameX, y, font, 16, 16,
                               selected ? kSelectedTextColour : kTextColour);
            }
        }
        for (int32_t c = 0; c <= last_goods_column; ++c) {
            if (icons == nullptr || !icons->Loaded()) break;
            const int32_t g = stop_goods[i][c];
            const int32_t icon = g < 0 ? 0 : g + 1;
            BlitDC(*panel.dc, kInfoCellLeft + vs::kGoodsCellStep * c, kInfoCellTop + 66 * i,
                   vs::kGoodsCellSize, vs::kGoodsCellSize, *icons->dc, icon * vs::kGoodsCellSize,
                   0);
        }
    }
    if (edited_row >= 0 && edited_column >= 0 && sheet.Loaded()) {
        panel.BlitImageKeyed(sheet, kInfoCellLeft + vs::kGoodsCellStep * edited_column,
                             kInfoCellTop + vs::kStopRowStep * edited_row, vs::kSelectionFrameX, 0,
                             vs::kGoodsCellSize, vs::kGoodsCellSize, 0);
    }
}

void FS_FAHRPLAN_NEU::MoveCargoSelection() {
    BuildPanel();
    ShowPanel();
}

void FS_FAHRPLAN_NEU::ForgetTruckCargo() {
    for (auto& goods : stop_goods) goods[0] = kNoGoods;
    BuildPanel();
    MoveCargoSelection();
    FillGoodsList();
}

void FS_FAHRPLAN_NEU::ShowPanel() {
    if (!panel.Loaded() || !canvas.Loaded()) return;
    BlitDC(*canvas.dc, vs::kSchedulePanel.x, vs::kSchedulePanel.y, vs::kSchedulePanelSize.width,
           vs::kSchedulePanelSize.height, *panel.dc, 0, 0);
    ShowCanvas({vs::kSchedulePanel.x, vs::kSchedulePanel.y,
                vs::kSchedulePanel.x + vs::kSchedulePanelSize.width,
                vs::kSchedulePanel.y + vs::kSchedulePanelSize.height});
}

void FS_FAHRPLAN_NEU::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    BuildPanel();
    RestoreCanvas();
    if (map.Loaded()) {
        BlitDC(*canvas.dc, vs::kMapView.x, vs::kMapView.y, vs::kMapViewSize, vs::kMapViewSize,
               *map.dc, 128 * page_x, 128 * page_y);
    }
    if (panel.Loaded()) {
        BlitDC(*canvas.dc, vs::kSchedulePanel.x, vs::kSchedulePanel.y, vs::kSchedulePanelSize.width,
               vs::kSchedulePanelSize.height, *panel.dc, 0, 0);
    }
    ShowCanvas(dc);
    if (selected_stop == kNoGoodsRow) ShowPopup();
}

// Shows the goods popup where the goods list placed it. Only a hidden popup
// is shown: the paint shows it, and moving a shown popup would give the
// screen under it a paint again.
void FS_FAHRPLAN_NEU::ShowPopup() {
    if (popup == nullptr || popup->IsWindowVisible()) return;
    popup->choice = kPopupNoChoice;
    popup->ShowWindow(SW_SHOW);
    popup->BringWindowToTop();
    popup->UpdateWindow();
}

void FS_FAHRPLAN_NEU::OnClick(int32_t x, int32_t y) {
    const int32_t lx = x - origin_x;
    const int32_t ly = y - origin_y;
    if (lx > 20 && lx < 277 && ly > 85 && ly < 343) PickStopAt(lx, ly);
    for (int32_t i = 0; i < vs::kStopRows; ++i) {
        const int32_t top = vs::kStopRowStep * i;
        if (Inside(lx, ly, vs::kStopRowLeft, vs::kStopRowTop + top, vs::kStopRowRight,
                   vs::kStopRowTop + top + 18)) {
            if (popup != nullptr) popup->Hide();
            selected_stop = std::min(i, stop_count);
            previous_row = edited_row;
            previous_column = edited_column;
            edited_row = edited_column = -1;
            MoveCargoSelection();
        }
        const bool row_open = i == 0 || stop_count > i;
        if (row_open &&
            Inside(lx, ly, vs::kWaitBoxLeft, vs::kWaitBoxTop + top,
                   vs::kWaitBoxLeft + vs::kWaitBoxSize, vs::kWaitBoxTop + top + vs::kWaitBoxSize)) {
            wait_flags[i] = 1 - wait_flags[i];
            BuildPanel();
            ShowPanel();
        }
        if (row_open && Inside(lx, ly, vs::kGoodsCellLeft, vs::kGoodsCellTop + top, 556,
                               vs::kGoodsCellTop + top + vs::kGoodsCellSize + 1)) {
            goods_row = i;
            goods_column = (lx - vs::kGoodsCellLeft) / vs::kGoodsCellStep;
            if (goods_column <= last_goods_column) {
                previous_row = edited_row;
                previous_column = edited_column;
                edited_row = i;
                edited_column = goods_column;
                selected_stop = kNoGoodsRow;
                MoveCargoSelection();
                if (popup != nullptr) popup->SelectById(stop_goods[i][goods_column]);
                ShowPopup();
            }
        }
    }
}

void FS_FAHRPLAN_NEU::OnGoodsChosen() {
    if (popup == nullptr || popup->choice == kPopupNoChoice) return;
    if (goods_row < 0 || goods_row >= kStops || goods_column < 0 ||
        goods_column > last_goods_column) {
        return;
    }
    const auto chosen = static_cast<int8_t>(popup->choice < 0 ? kNoGoods : popup->choice);
    stop_goods[goods_row][goods_column] = chosen;
    if (screen_kind == kScheduleKindTrain && chosen_button == 1) {
        for (int32_t c = goods_column; c <= last_goods_column; ++c)
            stop_goods[goods_row][c] = chosen;
    }
    popup->choice = kPopupNoChoice;
    BuildPanel();
    ShowPanel();
}

void FS_FAHRPLAN_NEU::OnDeleteStop() {
    CGameState& gs = *g_pGameState;
    if (selected_stop < 0 || selected_stop >= vs::kStopRows || stop_count < 2) return;
    if (gs.schedule_edit[selected_stop].IsEmpty()) return;
    for (int32_t i = selected_stop; i < kStops - 1; ++i) {
        ScheduleStop& to = gs.schedule_edit[i];
        const ScheduleStop& from = gs.schedule_edit[i + 1];
        std::copy(std::begin(from.x), std::end(from.x), std::begin(to.x));
        std::copy(std::begin(from.y), std::end(from.y), std::begin(to.y));
        std::copy(std::begin(stop_goods[i + 1]), std::end(stop_goods[i + 1]),
                  std::begin(stop_goods[i]));
        wait_flags[i] = wait_flags[i + 1];
    }
    ScheduleStop& last = gs.schedule_edit[kStops - 1];
    std::fill(std::begin(last.x), std::end(last.x), kNoStopField);
    std::fill(std::begin(last.y), std::end(last.y), kNoStopField);
    for (int8_t& g : stop_goods[kStops - 1]) g = 0;
    wait_flags[kStops - 1] = 0;
    --stop_count;
    if (selected_stop >= stop_count) selected_stop = stop_count - 1;
    BuildPanel();
    RefreshTerminalMarks();
    ShowPanel();
    ShowMapView();
}

bool FS_FAHRPLAN_NEU::VehicleListed() const {
    if (vehicle == nullptr) return false;
    for (const VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        if (n->vehicle == vehicle) return true;
    }
    return false;
}

void FS_FAHRPLAN_NEU::OnOk() {
    CGameState& gs = *g_pGameState;
    if (popup != nullptr) popup->Hide();
    if (VehicleListed()) {
        CVehicle& v = *vehicle;
        const int32_t target = v.target_stop;
        if (target >= 0 && target < kStops &&
            (v.schedule[target].x[0] != gs.schedule_edit[target].x[0] ||
             v.schedule[target].y[0] != gs.schedule_edit[target].y[0])) {
            v.schedule_changed = 1;
        }
        for (int32_t i = 0; i < kStops; ++i) v.schedule[i] = gs.schedule_edit[i];
        if (screen_kind == kScheduleKindTruck && gs.group_edit == 1) {
            // Every truck of the variant with the same stops and the same
            // goods as this one had gets the new goods as well.
            for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
                CVehicle* other = n->vehicle;
                if (other == vehicle || other->vehicle_class != kVehicleTruck ||
                    other->model % 3 != v.model % 3) {
                    continue;
                }
                bool same = true;
                for (int32_t i = 0; i < kStops && same; ++i) {
                    same = other->schedule[i].x[0] == v.schedule[i].x[0] &&
                           other->schedule[i].y[0] == v.schedule[i].y[0];
                    for (int32_t c = 0; c < kColumns && same; ++c) {
                        same = other->cargo_plan[i][c][0] == v.cargo_plan[i][c][0];
                    }
                }
                if (!same) continue;
                for (int32_t i = 0; i < stop_count && i < kStops; ++i) {
                    for (int32_t c = 0; c < kColumns; ++c) {
                        other->cargo_plan[i][c][0] = static_cast<uint8_t>(stop_goods[i][c]);
                    }
                }
            }
        }
        v.stop_count = stop_count;
        for (int32_t i = 0; i < stop_count && i < kStops; ++i) {
            for (int32_t c = 0; c < kColumns; ++c) {
                v.cargo_plan[i][c][0] = static_cast<uint8_t>(stop_goods[i][c]);
            }
        }
        for (int32_t i = 0; i < kStops; ++i) {
            v.wait_until_loaded[i] = wait_flags[i];
            v.halt_at_stop[i] = halt_flags[i];
        }
        if (gs.schedule_source == 1 && screen_kind == kScheduleKindTruck &&
            g_pSpielFeld != nullptr) {
            TruckScheduleMemory& memory = gs.truck_schedule_memory;
            memory.depot_x = g_pSpielFeld->cursor_x;
            memory.depot_y = g_pSpielFeld->cursor_y;
            memory.truck_variant = v.model % 3;
            for (int32_t i = 0; i < kStops; ++i) {
                memory.stops[i] = v.schedule[i];
                for (int32_t c = 0; c < kColumns; ++c) {
                    memory.goods[2 * (i * kColumns + c)] = v.cargo_plan[i][c][0];
                }
                memory.wait_flags[i] = v.wait_until_loaded[i];
                memory.halt_flags[i] = v.halt_at_stop[i];
            }
        }
    }
    Finish();
}

void FS_FAHRPLAN_NEU::Finish() {
    Close(0);
}

void FS_FAHRPLAN_NEU::OnCancel() {
    if (popup != nullptr && popup->IsWindow()) popup->Hide();
    Finish();
}

void FS_FAHRPLAN_NEU::OnNewVehicle() {
    if (popup != nullptr) popup->Hide();
    Blacken();
    if (Frame() == nullptr || vehicle == nullptr) return;
    const uint32_t message =
        screen_kind == kScheduleKindTruck ? kMsgOpenTruckPurchase : kMsgOpenRailPurchase;
    plat::PostMessage(Frame(), message, static_cast<plat::WParam>(vehicle->way_kind), 0);
}

void FS_FAHRPLAN_NEU::OnScrap() {
    if (popup != nullptr) popup->Hide();
    if (!VehicleListed()) return;
    CVehicle* scrapped = vehicle;
    // The running flag is not given back to a vehicle about to go.
    if (g_pVehicleOverview != nullptr) g_pVehicleOverview->RemoveVehicle(scrapped);
    if (!ScrapVehicle(0, scrapped)) return;
    CGameState& gs = *g_pGameState;
    gs.redraw_terrain = 1;
    gs.redraw_objects = 1;
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    Finish();
}

void FS_FAHRPLAN_NEU::ScrollMap(int32_t dx, int32_t dy) {
    const int32_t x = page_x + dx;
    const int32_t y = page_y + dy;
    if (x < 0 || x >= kPages || y < 0 || y >= kPages) return;
    page_x = static_cast<int8_t>(x);
    page_y = static_cast<int8_t>(y);
    ShowMapView();
}

bool FS_FAHRPLAN_NEU::OnCommand(uint16_t command) {
    switch (command) {
        case kCmdScheduleOk:
            OnOk();
            return true;
        case kCmdScheduleCancel:
            OnCancel();
            return true;
        case kCmdNewVehicle:
            OnNewVehicle();
            return true;
        case kCmdScrapVehicle:
            OnScrap();
            return true;
        case kCmdDeleteStop:
            if (selected_stop != kNoGoodsRow) OnDeleteStop();
            return true;
        case kCmdMapUp:
            ScrollMap(0, -1);
            return true;
        case kCmdMapDown:
            ScrollMap(0, 1);
            return true;
        case kCmdMapLeft:
            ScrollMap(-1, 0);
            return true;
        case kCmdMapRight:
            ScrollMap(1, 0);
            return true;
        default:
            return false;
    }
}

bool FS_FAHRPLAN_NEU::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            OnClick(plat::XFromLParam(lParam), plat::YFromLParam(lParam));
            return true;
        case WM_MOUSEMOVE:
            HoverMap(plat::XFromLParam(lParam) - origin_x, plat::YFromLParam(lParam) - origin_y);
            return true;
        case kMsgPopupChosen:
            OnGoodsChosen();
            return true;
        default:
            return false;
    }
}

namespace {

// The vehicle a purchase screen just bought: its schedule opens next.
CVehicle* s_bought = nullptr;

// The vehicle whose schedule opens: the one asked for on the overview, the
// one just bought, the one under the view's last click, else the newest of
// the player's listed vehicles.
CVehicle* ScheduleVehicle() {
    if (g_pVehicleOverview != nullptr) {
        if (CVehicle* v = g_pVehicleOverview->ChosenVehicle(); v != nullptr) {
            g_pVehicleOverview->SetShown(false);
            return v;
        }
    }
    if (s_bought != nullptr) {
        CVehicle* v = s_bought;
        s_bought = nullptr;
        return v;
    }
    // No click yet (-1, -1) would hit every vehicle not yet drawn, whose
    // screen box is still (-1, -1).
    if (g_pSpielFeld != nullptr && g_pSpielFeld->last_hit_point.x >= 0 &&
        g_pSpielFeld->last_hit_point.y >= 0) {
        CVehicle* v = PickVehicleAt(g_pSpielFeld->last_hit_point);
        if (v != nullptr && v->owner == 0) return v;
    }
    for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        CVehicle* v = n->vehicle;
        if (v->owner == 0 && v->vehicle_class >= kVehicleTruck &&
            v->vehicle_class <= kVehicleSuperconductor) {
            return v;
        }
    }
    return nullptr;
}

}  // namespace

void RememberBoughtVehicle(CVehicle* vehicle) {
    static const bool registered = [] {
        RegisterVehicleReference(&s_bought);
        return true;
    }();
    (void)registered;
    s_bought = vehicle;
}

const ScreenEntry kScheduleScreenEntry = {
    .slot = FrameScreen::Schedule,
    .open_message = kMsgOpenSchedule,
    .done_message = kMsgScheduleDone,
    .cancel_command = kCmdScheduleCancel,
    .open_steps = kOpenCommon | kOpenShowAgain,
    .done_steps = 0,  // the frame decides: back to the overview or to the game
    .open = [](plat::Window& frame, plat::WParam, plat::LParam) -> plat::Window* {
        CVehicle* v = ScheduleVehicle();
        if (v == nullptr) return nullptr;
        auto* screen = new FS_FAHRPLAN_NEU;
        if (screen->Open(&frame, v)) return screen;
        delete screen;
        if (g_pVehicleOverview != nullptr) g_pVehicleOverview->SetShown(true);
        return nullptr;
    },
    .publish =
        [](plat::Window* screen) {
            auto* schedule = static_cast<FS_FAHRPLAN_NEU*>(screen);
            g_pScheduleEditor = schedule;
            g_pScheduleScreen = schedule;
        },
};
