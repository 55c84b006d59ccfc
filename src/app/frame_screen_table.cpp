// The screen table: one line per screen the main frame opens, each the
// screen's own entry with what the frame itself does around it.

#include "app/frame_screens.h"
#include "app/frame_vehicle_steps.h"
#include "app/main_frame.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/depot_screen.h"
#include "screens/economy/product_help_screen.h"
#include "screens/economy/production_screen.h"
#include "screens/economy/store_sales_screen.h"
#include "screens/flow/logo_screen.h"
#include "screens/flow/title_screen.h"
#include "screens/vehicles/rail_purchase_screen.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/truck_purchase_screen.h"
#include "screens/vehicles/vehicle_overview_screen.h"
#include "screens/world/editor_start_screen.h"
#include "screens/world/gen_progress_screen.h"
#include "screens/world/new_world_screen.h"

namespace {

// The screen's entry with the frame's own steps added.
ScreenEntry With(ScreenEntry entry, const ScreenEntry& frame_steps) {
    if (frame_steps.before_delete != nullptr) entry.before_delete = frame_steps.before_delete;
    if (frame_steps.after_done != nullptr) entry.after_done = frame_steps.after_done;
    return entry;
}

HAUPTFENSTER& Frame(plat::Window& frame) {
    return static_cast<HAUPTFENSTER&>(frame);
}

const ScreenEntry kScreens[] = {
    kLogoScreenEntry,
    kBuildingPurchaseScreenEntry,
    kProductionScreenEntry,
    kStoreSalesScreenEntry,
    kProductHelpScreenEntry,
    kDepotScreenEntry,
    With(kScheduleScreenEntry, kScheduleFrameSteps),
    With(kTruckPurchaseScreenEntry, kPurchaseFrameSteps),
    With(kRailPurchaseScreenEntry, kPurchaseFrameSteps),
    With(kVehicleOverviewScreenEntry, kVehicleOverviewFrameSteps),
    With(kTitleScreenEntry, {.after_done =
                                 [](plat::Window& frame, plat::WParam, plat::LParam choice) {
                                     Frame(frame).OnStartScreenResult(static_cast<int32_t>(choice));
                                 }}),
    kGenProgressScreenEntry,
    kNewWorldScreenEntry,
    With(kEditorStartScreenEntry,
         {.before_delete =
              [](plat::Window& frame, plat::Window* screen, plat::WParam, plat::LParam) {
                  Frame(frame).editor_start_capital =
                      static_cast<FS_EDITORSTART*>(screen)->start_capital;
              },
          .after_done =
              [](plat::Window& frame, plat::WParam, plat::LParam result) {
                  if (result != 0) {
                      Frame(frame).SendMessage(kMsgShowStartScreen);
                  } else {
                      Frame(frame).StartEditor();
                  }
              }}),
};

}  // namespace

const ScreenEntry* FrameScreenTable(int32_t* count) {
    *count = static_cast<int32_t>(std::size(kScreens));
    return kScreens;
}
