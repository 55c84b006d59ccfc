#include "screens/vehicles/purchase_screen.h"

#include <cstdio>
#include <string>

#include "gfx/blit_dc.h"
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

constexpr uint8_t kGreyColour = 28;
constexpr uint8_t kNormalColour = 10;
constexpr uint32_t kInfoListId = 1021;

constexpr ButtonLayout kButtons[] = {
    {.x = vs::kBuyButton.x,
     .y = vs::kBuyButton.y,
     .command = kCmdVehicleBuy,
     .width = vs::kPurchaseButtonWidth,
     .height = vs::kPurchaseButtonHeight,
     .normal = {vs::kBuyFaceX, 0},
     .pressed = {vs::kBuyFaceX, vs::kPressedY}},
    {.x = vs::kCancelButton.x,
     .y = vs::kCancelButton.y,
     .command = kCmdVehiclePurchaseCancel,
     .width = vs::kPurchaseButtonWidth,
     .height = vs::kPurchaseButtonHeight,
     .normal = {vs::kCancelFaceX, 0},
     .pressed = {vs::kCancelFaceX, vs::kPressedY}},
};

}  // namespace

bool ModelAffordable(int32_t model) {
    const CGameState& gs = *g_pGameState;
    if (model < 0 || model >= kVehicleModelCount) return false;
    return gs.cash[0] >= static_cast<int64_t>(gs.vehicle_models[model].model_price);
}

std::string PriceLine(int32_t price) {
    char text[64];
    std::snprintf(text, sizeof text, "Price: %d,%03d", price / 1000, price % 1000);
    return text;
}

CVehicle* EditedVehicle() {
    return g_pScheduleEditor != nullptr ? g_pScheduleEditor->vehicle : nullptr;
}

int32_t PurchaseWayType() {
    if (const CVehicle* v = EditedVehicle(); v != nullptr) return v->way_kind;
    if (g_pSpielFeld == nullptr) return 0;
    const MapField* f = FieldAt(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y);
    return f != nullptr ? f->wegtyp() : 0;
}

void HideScheduleForPurchase(plat::Window&, plat::WParam, plat::LParam) {
    if (g_pScheduleEditor != nullptr) g_pScheduleEditor->ShowWindow(SW_HIDE);
}

void RememberPurchase(plat::Window&, plat::Window* screen, plat::WParam, plat::LParam) {
    RememberBoughtVehicle(static_cast<VehiclePurchaseScreen*>(screen)->bought);
}

void NotifyPurchaseScreen(plat::Window* screen, FrameNotice notice) {
    if (notice == FrameNotice::CashChanged) {
        static_cast<VehiclePurchaseScreen*>(screen)->CheckAvailability();
    }
}

VehiclePurchaseScreen::VehiclePurchaseScreen(uint32_t done_message, uint32_t list_notify)
    : EconomyScreen(done_message), report_message_(done_message), list_notify_(list_notify) {
    RegisterVehicleReference(&bought);
}

VehiclePurchaseScreen::~VehiclePurchaseScreen() {
    UnregisterVehicleReference(&bought);
    delete model_list;
    delete info_list;
    picture.Free();
}

int32_t VehiclePurchaseScreen::ModelOfRow(int32_t r) const {
    return r >= 0 && r < row_count ? row_models[r] : -1;
}

bool VehiclePurchaseScreen::OpenPage(plat::Window* parent, const char* page, const char* sheet_name,
                                     const plat::Rect& list_rect, uint32_t list_id) {
    if (!LoadPage(page, sheet_name)) return false;
    if (g_pScheduleEditor == nullptr) HoldTerminal();
    if (!CreatePage(parent, kButtons, kCmdVehicleBuy, false)) {
        if (g_pScheduleEditor == nullptr) ReleaseTerminal();
        return false;
    }
    model_list = MakeList(list_rect, list_id, true, list_notify_);
    info_list = MakeList(vs::kModelInfoList, kInfoListId, false, 0);
    FillModelList();
    FillInfo();
    LoadModelPicture();
    RedrawLists();
    return true;
}

void VehiclePurchaseScreen::FillModelList() {
    const CGameState& gs = *g_pGameState;
    CollectRows();
    // A remembered row that is not listed (a new game, another date) falls
    // back to the first.
    if (row < 0 || row >= row_count) row = 0;
    model_list->Clear();
    for (int32_t r = 0; r < row_count; ++r) {
        const int32_t model = row_models[r];
        model_list->AddLine(gs.vehicle_models[model].model_name);
        row_colours[r] = ModelAffordable(model) ? kNormalColour : kGreyColour;
        model_list->SetLineColour(r, row_colours[r]);
    }
    if (row < row_count) model_list->SelectLine(row);
}

void VehiclePurchaseScreen::AddInfo(const std::string& line) {
    info_list->AddLine(line.c_str());
}

void VehiclePurchaseScreen::LoadModelPicture() {
    RestoreCanvas();
    const int32_t model = PictureModel();
    if (model >= 0) {
        const std::string name = std::string(g_pGameState->DataPath(kPathVehicles)) + "\\fks_" +
                                 std::to_string(model) +
                                 std::to_string(g_pGameState->player_colors[0]) + ".jgd";
        if (picture.ReloadJgd(name)) {
            BlitDC(*canvas.dc, vs::kModelPicture.x, vs::kModelPicture.y,
                   vs::kModelPictureSize.width, vs::kModelPictureSize.height, *picture.dc, 0, 0);
        }
    }
    ShowCanvas({vs::kModelPicture.x, vs::kModelPicture.y,
                vs::kModelPicture.x + vs::kModelPictureSize.width,
                vs::kModelPicture.y + vs::kModelPictureSize.height});
}

void VehiclePurchaseScreen::RedrawLists() {
    model_list->Redraw(true);
    info_list->Redraw(true);
}

void VehiclePurchaseScreen::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    ShowCanvas(dc);
    RedrawLists();
}

void VehiclePurchaseScreen::OnModelChosen() {
    const int32_t clicked = model_list->last_clicked;
    if (clicked >= 0 && clicked < row_count) row = clicked;
    model_list->SelectLine(row);
    info_list->Clear();
    info_list->SetTopLine(0);
    FillInfo();
    LoadModelPicture();
    RedrawLists();
}

void VehiclePurchaseScreen::CheckAvailability() {
    bool changed = false;
    for (int32_t r = 0; r < row_count; ++r) {
        const uint8_t colour = ModelAffordable(row_models[r]) ? kNormalColour : kGreyColour;
        changed = changed || colour != row_colours[r];
    }
    if (!changed) return;
    FillModelList();
    model_list->Redraw(true);
}

void VehiclePurchaseScreen::OnCancel() {
    if (g_pScheduleEditor == nullptr) ReleaseTerminal();
    Report(1);
}

void VehiclePurchaseScreen::Report(plat::WParam result) {
    // The purchase screens answer in wParam; the frame deletes the screen.
    Blacken();
    if (Frame() != nullptr) Frame()->SendMessage(report_message_, result, 0);
}

void VehiclePurchaseScreen::OnEnter() {
    BeforeEnter();
    if (ModelAffordable(ChosenModel())) PressButton(kCmdVehicleBuy);
}

bool VehiclePurchaseScreen::OnCommand(uint16_t command) {
    if (command == kCmdVehicleBuy) {
        OnBuy();
    } else if (command == kCmdVehiclePurchaseCancel) {
        OnCancel();
    } else {
        return false;
    }
    return true;
}

bool VehiclePurchaseScreen::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam) {
    if (message != list_notify_) return false;
    OnModelChosen();
    return true;
}
