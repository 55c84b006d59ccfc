#include "screens/vehicles/rail_purchase_screen.h"

#include <string>

#include "economy/building_table.h"
#include "economy/train_station.h"
#include "panel/list_box.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/vehicle_layout.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "transport/vehicle.h"
#include "transport/vehicle_purchase.h"
#include "view/world_view.h"
#include "world/field_queries.h"

namespace vs = vehicle_screens;

namespace {

constexpr uint32_t kRailListId = 1019;
constexpr int32_t kMph = 25;
constexpr int32_t kSlowestMph = 30;

struct TrackClass {
    int32_t vehicle_class;
    int32_t first_model;
    int32_t models;
};
// By way type 4 (rails), 5 (monorail), 6 (superconductor).
constexpr TrackClass kClasses[3] = {{2, 10, 5}, {3, 15, 3}, {4, 18, 1}};
constexpr int32_t kFirstTrackWay = 4;

const TrackClass& ClassOfWay(int32_t way_type) {
    const int32_t i = way_type - kFirstTrackWay;
    return kClasses[i >= 0 && i < 3 ? i : 0];
}

}  // namespace

std::string RailSpeedLine(int32_t model) {
    const VehicleModel& m = g_pGameState->vehicle_models[model];
    const int32_t grade = m.speed_b == 1 ? kSlowestMph : m.speed_b * kMph;
    return "Speed:" + std::to_string(m.speed_a * kMph) + "/" + std::to_string(grade) + " mph";
}

bool TrainStartField(int32_t x, int32_t y, int32_t* start_x, int32_t* start_y,
                     CTrainStation** station) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || !field->building_flag() || g_ppBuildings == nullptr) return false;
    auto* st = dynamic_cast<CTrainStation*>(g_ppBuildings->At(field->geb_num()));
    if (st == nullptr || st->owner != 0) return false;
    const int32_t reported = GetBuildingTypeAt(x, y);
    *start_x = x;
    *start_y = y;
    if (reported >= kTypeTrainStation && reported <= kTypeTrainStation + 3) {
        // The head line carries no track: the train starts on the first field
        // of platform row 1.
        const StationGeometry g = st->geometry();
        *start_x = g.line_x(1, 0);
        *start_y = g.line_y(1, 0);
    } else if (reported != kTypeTerminalX && reported != kTypeTerminalY) {
        return false;
    }
    *station = st;
    return true;
}

FS_FAHRZEUG_KAUF::FS_FAHRZEUG_KAUF()
    : VehiclePurchaseScreen(kMsgRailPurchaseDone, kMsgRailModelClicked) {}

FS_FAHRZEUG_KAUF::~FS_FAHRZEUG_KAUF() {
    // Closed without an answer (the game ended under it): the terminal is
    // given back all the same.
    ReleaseTerminal();
}

bool FS_FAHRZEUG_KAUF::Open(plat::Window* parent, int32_t way) {
    CGameState& gs = *g_pGameState;
    if (way < kFirstTrackWay || way > kFirstTrackWay + 2) {
        // A head-line field carries no track: the way of the platform row.
        int32_t x = 0;
        int32_t y = 0;
        CTrainStation* st = nullptr;
        way = kFirstTrackWay;
        if (g_pSpielFeld != nullptr &&
            TrainStartField(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y, &x, &y, &st)) {
            const int32_t found = FieldAt(x, y)->wegtyp();
            if (found >= kFirstTrackWay && found <= kFirstTrackWay + 2) way = found;
        }
    }
    way_type = way;
    kind = ClassOfWay(way).vehicle_class;
    row = kind == 2 ? gs.last_rail_model_row : kind == 3 ? gs.last_monorail_model_row : 0;
    return OpenPage(parent, vs::kRailPicture, vs::kRailSheet, vs::kRailModelList, kRailListId);
}

void FS_FAHRZEUG_KAUF::CollectRows() {
    const TrackClass& c = ClassOfWay(way_type);
    row_count = 0;
    for (int32_t m = c.first_model; m < c.first_model + c.models; ++m) {
        if (IsModelAvailable(m)) row_models[row_count++] = m;
    }
}

void FS_FAHRZEUG_KAUF::FillInfo() {
    const int32_t model = ChosenModel();
    if (model < 0) return;
    const VehicleModel& m = g_pGameState->vehicle_models[model];
    AddInfo(m.model_name);
    AddInfo(m.model_description);
    AddInfo(RailSpeedLine(model));
    AddInfo("Travel costs/square: " + std::to_string(m.running_cost));
    AddInfo(PriceLine(static_cast<int32_t>(m.model_price)));
}

void FS_FAHRZEUG_KAUF::RememberRow() {
    CGameState& gs = *g_pGameState;
    if (kind == 2) gs.last_rail_model_row = row;
    if (kind == 3) gs.last_monorail_model_row = row;
}

void FS_FAHRZEUG_KAUF::HoldTerminal() {
    if (g_pSpielFeld == nullptr) return;
    int32_t x = 0;
    int32_t y = 0;
    CTrainStation* st = nullptr;
    if (!TrainStartField(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y, &x, &y, &st)) return;
    // Only a free row is taken, through reservations of this screen's own:
    // giving them back never clears what an arriving train holds.
    if (st->IsTileOccupied(x, y) != 0) return;
    LinkEnd ends[3];
    const int count = LinkEndsOfRow(st->geometry(), x, y, ends);
    for (int k = 0; k < count; ++k) {
        held_links.ReserveLink(ends[k].node, DirIndexFromBit(ends[k].direction));
    }
    held_x = x;
    held_y = y;
}

void FS_FAHRZEUG_KAUF::ReleaseTerminal() {
    held_links.ReleaseAllLinks();
    held_x = held_y = -1;
}

void FS_FAHRZEUG_KAUF::OnBuy() {
    RememberRow();
    const int32_t model = ChosenModel();
    if (!ModelAffordable(model)) return;
    if (g_pScheduleEditor != nullptr) {
        CVehicle* vehicle = EditedVehicle();
        if (vehicle == nullptr || !ReplaceVehicleModel(0, vehicle, model)) return;
        return Report(0);
    }
    int32_t x = 0;
    int32_t y = 0;
    CTrainStation* st = nullptr;
    if (g_pSpielFeld == nullptr ||
        !TrainStartField(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y, &x, &y, &st)) {
        return OnCancel();  // no station of the player here: nothing to buy on
    }
    // A row another train holds: nothing happens.
    if (held_links.LinkCount() == 0 && st->IsTileOccupied(x, y) != 0) return;
    ReleaseTerminal();
    bought = BuyVehicle(0, model, x, y, way_type);
    if (bought == nullptr) return;
    Report(0);
}

const ScreenEntry kRailPurchaseScreenEntry = {
    .slot = FrameScreen::RailPurchase,
    .open_message = kMsgOpenRailPurchase,
    .done_message = kMsgRailPurchaseDone,
    .cancel_command = kCmdVehiclePurchaseCancel,
    .open_steps = kOpenCommon,
    .done_steps = 0,  // the frame decides after the result
    .open = OpenPurchaseScreen<FS_FAHRZEUG_KAUF>,
    .before_open = HideScheduleForPurchase,
    .before_delete = RememberPurchase,
    .notify = NotifyPurchaseScreen,
};
