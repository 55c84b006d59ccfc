#include "screens/vehicles/truck_purchase_screen.h"

#include <string>

#include "economy/building.h"
#include "economy/building_table.h"
#include "economy/truck_depot.h"
#include "panel/list_box.h"
#include "platform/random.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/vehicle_layout.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "transport/vehicle.h"
#include "transport/vehicle_purchase.h"
#include "view/world_view.h"

namespace vs = vehicle_screens;

namespace {

constexpr uint32_t kTruckListId = 1020;
constexpr int32_t kTruckTypes = 4;
constexpr int32_t kLastTruckType = 3;  // one variant only
constexpr int32_t kVariants = 3;
constexpr int32_t kMph = 25;
constexpr int32_t kSlowestMph = 30;

int32_t Mph(uint8_t speed) {
    return speed == 1 ? kSlowestMph : speed * kMph;
}

// The truck depot on the world view's selected field, or null.
CBuilding* SelectedDepot(int32_t* x, int32_t* y) {
    if (g_pSpielFeld == nullptr || g_ppBuildings == nullptr) return nullptr;
    *x = g_pSpielFeld->cursor_x;
    *y = g_pSpielFeld->cursor_y;
    const MapField* field = FieldAt(*x, *y);
    if (field == nullptr || !field->building_flag()) return nullptr;
    CBuilding* b = g_ppBuildings->At(field->geb_num());
    if (b == nullptr || b->type < kTypeTruckDepot || b->type > kTypeTruckDepot + 3) return nullptr;
    return b;
}

}  // namespace

std::string TruckSpeedLine(int32_t model) {
    const VehicleModel& m = g_pGameState->vehicle_models[model];
    return "Speed: " + std::to_string(Mph(m.speed_b)) + "/" + std::to_string(Mph(m.speed_d)) +
           " mph";
}

FS_FAHRZEUG_KAUF_LKW::FS_FAHRZEUG_KAUF_LKW()
    : VehiclePurchaseScreen(kMsgTruckPurchaseDone, kMsgTruckModelClicked) {}

FS_FAHRZEUG_KAUF_LKW::~FS_FAHRZEUG_KAUF_LKW() {
    // Closed without an answer (the game ended under it): the terminal is
    // given back all the same.
    ReleaseTerminal();
}

bool FS_FAHRZEUG_KAUF_LKW::Open(plat::Window* parent, int32_t /*way_type*/) {
    const int32_t last = g_pGameState->last_truck_model;
    kind = last >= 0 ? last % kVariants : 0;
    // The row of the remembered type; FillModelList clamps it to the rows
    // listed.
    row = last >= 0 ? last / kVariants : 0;
    return OpenPage(parent, vs::kTruckPicture, vs::kTruckSheet, vs::kTruckModelList, kTruckListId);
}

void FS_FAHRZEUG_KAUF_LKW::CollectRows() {
    // The first fill finds the remembered type in `row`; a refill keeps the
    // highlighted type.
    const int32_t wanted_type = row_count > 0 ? Type() : row;
    row_count = 0;
    int32_t wanted_row = 0;
    for (int32_t type = 0; type < kTruckTypes; ++type) {
        const int32_t model = type * kVariants;
        if (type > 0 && !IsModelAvailable(model)) continue;
        if (type == kLastTruckType && kind != 0) continue;
        if (type == wanted_type) wanted_row = row_count;
        row_models[row_count++] = model;
    }
    row = wanted_row;
}

void FS_FAHRZEUG_KAUF_LKW::FillInfo() {
    const int32_t model = ChosenModel();
    if (model < 0) return;
    const VehicleModel& m = g_pGameState->vehicle_models[model];
    AddInfo(m.model_description);
    AddInfo(TruckSpeedLine(model));
    AddInfo("Travel costs/square: " + std::to_string(m.running_cost));
    AddInfo(PriceLine(static_cast<int32_t>(m.model_price)));
}

int32_t FS_FAHRZEUG_KAUF_LKW::PictureModel() const {
    const int32_t type = Type();
    // A random body of the type each time the picture is loaded.
    return type == kLastTruckType ? type * kVariants : type * kVariants + plat::Rand() % kVariants;
}

void FS_FAHRZEUG_KAUF_LKW::HoldTerminal() {
    int32_t x = 0;
    int32_t y = 0;
    const CBuilding* depot = SelectedDepot(&x, &y);
    if (depot == nullptr) return;
    MapField* field = FieldAt(x, y);
    // Only a free depot is taken, and only the lane bit a standing truck
    // takes, so that giving it back clears nothing of another vehicle.
    if (field->belegt() != 0) return;
    held_lane = static_cast<uint8_t>(DepotStandingLane(depot->type));
    field->set_belegt(held_lane);
    held_x = x;
    held_y = y;
}

void FS_FAHRZEUG_KAUF_LKW::ReleaseTerminal() {
    if (held_x < 0 || g_pGameState == nullptr) return;
    if (MapField* field = FieldAt(held_x, held_y); field != nullptr) {
        field->set_belegt(field->belegt() & ~held_lane);
    }
    held_x = held_y = -1;
    held_lane = 0;
}

void FS_FAHRZEUG_KAUF_LKW::OnBuy() {
    CGameState& gs = *g_pGameState;
    kind = 0;
    const int32_t model = Type() * kVariants;
    if (!ModelAffordable(model)) return;
    if (g_pScheduleEditor == nullptr) {
        int32_t x = 0;
        int32_t y = 0;
        if (SelectedDepot(&x, &y) == nullptr) return OnCancel();
        gs.last_truck_model = model;
        // The depot is given back first: the new truck takes its own lane.
        ReleaseTerminal();
        bought = BuyVehicle(0, model, x, y);
        if (bought == nullptr) return;
    } else {
        CVehicle* vehicle = EditedVehicle();
        if (vehicle == nullptr) return;
        const int32_t old_variant = vehicle->model % kVariants;
        if (!ReplaceVehicleModel(0, vehicle, model)) return;
        if (old_variant != model % kVariants) g_pScheduleEditor->ForgetTruckCargo();
    }
    Report(0);
}

const ScreenEntry kTruckPurchaseScreenEntry = {
    .slot = FrameScreen::TruckPurchase,
    .open_message = kMsgOpenTruckPurchase,
    .done_message = kMsgTruckPurchaseDone,
    .cancel_command = kCmdVehiclePurchaseCancel,
    .open_steps = kOpenCommon,
    .done_steps = 0,  // the frame decides after the result
    .open = OpenPurchaseScreen<FS_FAHRZEUG_KAUF_LKW>,
    .before_open = HideScheduleForPurchase,
    .before_delete = RememberPurchase,
    .notify = NotifyPurchaseScreen,
};
