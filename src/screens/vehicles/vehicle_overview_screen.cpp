#include "screens/vehicles/vehicle_overview_screen.h"

#include <string>

#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "panel/control_panel.h"
#include "panel/list_box.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/vehicle_layout.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "transport/vehicle.h"
#include "transport/vehicle_references.h"
#include "view/world_view.h"

namespace vs = vehicle_screens;

namespace {

constexpr uint32_t kKindListId = 1020;
constexpr int32_t kShownStops = 6;
constexpr int32_t kStopTop = 78;
constexpr int32_t kStopStep = 56;
constexpr int32_t kTextX = 72;
constexpr int32_t kIconStep = 36;
constexpr int32_t kIconSize = 32;

constexpr ButtonLayout Button(int32_t x, int32_t y, uint16_t command, int32_t face, int32_t w,
                              int32_t h) {
    return {.x = x,
            .y = y,
            .command = command,
            .width = w,
            .height = h,
            .normal = {face, 0},
            .pressed = {face, vs::kOverviewPressedY}};
}

constexpr ButtonLayout kButtons[] = {
    Button(8, 415, kCmdOk, 80, 92, 37),
    Button(8, 246, kCmdOverviewBack, 0, 40, 37),
    Button(60, 246, kCmdOverviewOn, 40, 40, 37),
    Button(184, 444, kCmdOverviewOpen, 172, 68, 20),
    Button(444, 444, kCmdOverviewOpen + 1, 172, 68, 20),
    Button(260, 444, kCmdOverviewGoTo, 240, 68, 20),
    Button(520, 444, kCmdOverviewGoTo + 1, 240, 68, 20),
};

int32_t ListOf(const CVehicle& v) {
    return v.vehicle_class >= kVehicleRail && v.vehicle_class <= kVehicleSuperconductor ? 1 : 0;
}

}  // namespace

VehicleOverviewPage::VehicleOverviewPage() : EconomyScreen(kMsgVehicleOverviewDone) {
    RegisterVehicleReference(&chosen_vehicle);
}

VehicleOverviewPage::~VehicleOverviewPage() {
    UnregisterVehicleReference(&chosen_vehicle);
    delete kind_list;
    pictures.Free();
}

bool VehicleOverviewPage::Open(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    if (!LoadPage(vs::kOverviewPicture, vs::kOverviewSheet)) return false;
    pictures.LoadJgd(std::string(gs.DataPath(kPathBase)) + "\\uefs" +
                     std::to_string(gs.player_colors[0]) + ".jgd");
    FillLists();
    kind = gs.last_overview_kind == 1 ? 1 : 0;
    if (!CreatePage(parent, kButtons, kCmdOk, false)) return false;
    kind_list = MakeList(vs::kKindList, kKindListId, true, kMsgFirstListClicked);
    kind_list->Clear();
    kind_list->AddLine("Truck");
    kind_list->AddLine("Train");
    kind_list->SelectLine(kind);
    DrawVehicles();
    return true;
}

void VehicleOverviewPage::FillLists() {
    counts[0] = counts[1] = 0;
    for (auto& list : lists) {
        for (CVehicle*& v : list) v = nullptr;
    }
    first = 0;
    // Only the player's own vehicles, trucks as well as trains. The computer
    // opponents run trucks of their own in the same vehicle list; listed
    // here, any of them could be given the player's stops or scrapped
    // through its schedule screen, which a click on the map never opens
    // for another player's vehicle.
    for (const VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        CVehicle* v = n->vehicle;
        if (v->owner != 0) continue;
        if (v->vehicle_class == kVehicleTruck) {
            if (counts[0] < kOverviewListSize) lists[0][counts[0]++] = v;
        } else if (v->vehicle_class >= kVehicleRail && v->vehicle_class <= kVehicleSuperconductor) {
            if (counts[1] < kOverviewListSize) lists[1][counts[1]++] = v;
        }
    }
}

void VehicleOverviewPage::RemoveVehicle(CVehicle* vehicle) {
    if (vehicle == nullptr) return;
    const int32_t l = ListOf(*vehicle);
    for (int32_t i = 0; i < counts[l]; ++i) {
        if (lists[l][i] != vehicle) continue;
        for (int32_t j = i; j + 1 < kOverviewListSize; ++j) lists[l][j] = lists[l][j + 1];
        lists[l][kOverviewListSize - 1] = nullptr;
        --counts[l];
        if (IsWindow()) DrawVehicles();
        return;
    }
}

CVehicle* VehicleOverviewPage::Shown(int32_t column) const {
    const int32_t i = first + column;
    return i >= 0 && i < counts[kind] ? lists[kind][i] : nullptr;
}

void VehicleOverviewPage::DrawVehicles() {
    const CGameState& gs = *g_pGameState;
    RestoreCanvas();
    const PaletteImage& font = gs.images.main_font;
    const WinGBitmap* icons = g_pHauptDialog != nullptr ? &g_pHauptDialog->goods_icons : nullptr;
    for (int32_t c = 0; c < 2; ++c) {
        const CVehicle* v = Shown(c);
        if (v == nullptr) continue;
        const int32_t x = vs::kOverviewCanvas.x + vs::kOverviewColumn * c;
        const int32_t y = vs::kOverviewCanvas.y;
        if (pictures.Loaded()) {
            BlitDC(*canvas.dc, x, y, vs::kVehicleCellWidth, vs::kVehicleCellHeight, *pictures.dc,
                   vs::VehicleCell(v->model) * vs::kVehicleCellWidth, 0);
        }
        if (v->model >= 0 && v->model < kVehicleModelCount) {
            canvas.DrawText(gs.vehicle_models[v->model].model_name, kFont1Advances, x + kTextX,
                            y - 1, font, 16, 16, 10);
        }
        canvas.DrawText(("Vehicle number: " + std::to_string(v->number)).c_str(), kFont1Advances,
                        x + kTextX, y + 16, font, 16, 16, 10);
        canvas.DrawText(TravelCostsText(v->cost_last_trip).c_str(), kFont1Advances, x + kTextX,
                        y + 36, font, 16, 16, 10);
        const int32_t icons_shown = v->vehicle_class == kVehicleTruck ? 1 : kWagonSlots;
        for (int32_t i = 0; i < kShownStops; ++i) {
            const ScheduleStop& stop = v->schedule[i];
            if (stop.x[0] > 254) continue;
            const int32_t sy = y + kStopTop + kStopStep * i;
            const MapField* f = FieldAt(stop.x[0], stop.y[0]);
            CBuilding* b = f != nullptr && f->building_flag() && g_ppBuildings != nullptr
                               ? g_ppBuildings->At(f->geb_num())
                               : nullptr;
            if (b != nullptr && b->GetName() != nullptr) {
                canvas.DrawText(b->GetName(), kFont1Advances, x, sy - 19, font, 16, 16, 10);
            }
            for (int32_t k = 0; k < icons_shown && icons != nullptr && icons->Loaded(); ++k) {
                // The goods byte taken in 8 bits: 255 (none) gives icon 0.
                const auto icon = static_cast<uint8_t>(v->cargo_plan[i][k][0] + 1);
                BlitDC(*canvas.dc, x + kIconStep * k, sy, kIconSize, kIconSize, *icons->dc,
                       icon * kIconSize, 0);
            }
        }
    }
    ShowCanvas({vs::kOverviewCanvas.x, vs::kOverviewCanvas.y,
                vs::kOverviewCanvas.x + vs::kOverviewCanvasSize.width,
                vs::kOverviewCanvas.y + vs::kOverviewCanvasSize.height});
}

void VehicleOverviewPage::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    ShowCanvas(dc);
    if (kind_list != nullptr) kind_list->Redraw(true);
}

void VehicleOverviewPage::SetShown(bool shown) {
    if (!IsWindow()) return;
    ShowWindow(shown ? SW_SHOW : SW_HIDE);
    if (shown) {
        // The lists already lost every deleted vehicle; the page stays.
        chosen_vehicle = nullptr;
        DrawVehicles();
        Invalidate();
        UpdateWindow();
    }
}

void VehicleOverviewPage::OnKindChosen() {
    const int32_t row = kind_list->last_clicked;
    if (row == 0 || row == 1) {
        if (row != kind) {
            kind = row;
            first = 0;
            DrawVehicles();
        }
    }
    kind_list->SelectLine(kind);
    kind_list->Redraw(true);
}

void VehicleOverviewPage::AskSchedule(int32_t column) {
    CVehicle* v = Shown(column);
    if (v == nullptr) return;
    chosen_vehicle = v;
    g_pGameState->schedule_source = 0;
    if (Frame() != nullptr) plat::SendMessage(Frame(), kMsgOpenSchedule);
}

void VehicleOverviewPage::GoTo(int32_t column) {
    const CVehicle* v = Shown(column);
    if (v == nullptr) return;
    SelectFieldInView(v->pos_x, v->pos_y);
    g_pGameState->last_overview_kind = kind;
    Close(1);
}

bool VehicleOverviewPage::OnCommand(uint16_t command) {
    switch (command) {
        case kCmdOk:
            g_pGameState->last_overview_kind = kind;
            Close(0);
            return true;
        case kCmdOverviewBack:
            if (first >= 1) {
                --first;
                DrawVehicles();
            }
            return true;
        case kCmdOverviewOn:
            if (first + 1 < counts[kind] - 1) {
                ++first;
                DrawVehicles();
            }
            return true;
        case kCmdOverviewOpen:
        case kCmdOverviewOpen + 1:
            AskSchedule(command == kCmdOverviewOpen ? 0 : 1);
            return true;
        case kCmdOverviewGoTo:
        case kCmdOverviewGoTo + 1:
            GoTo(command == kCmdOverviewGoTo ? 0 : 1);
            return true;
        default:
            return false;
    }
}

bool VehicleOverviewPage::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam) {
    if (message != kMsgFirstListClicked) return false;
    OnKindChosen();
    return true;
}

const ScreenEntry kVehicleOverviewScreenEntry = {
    .slot = FrameScreen::VehicleOverview,
    .open_message = kMsgOpenVehicleOverview,
    .done_message = kMsgVehicleOverviewDone,
    .cancel_command = kCmdOk,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommonResumeMusic,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<VehicleOverviewPage>(frame); },
    .publish =
        [](plat::Window* screen) {
            g_pVehicleOverview =
                screen != nullptr ? static_cast<VehicleOverviewPage*>(screen) : nullptr;
        },
};
