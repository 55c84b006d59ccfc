// The screen table: one line per screen the main frame opens, each the
// screen's own entry with what the frame itself does around it.

#include "app/frame_screens.h"
#include "app/frame_vehicle_steps.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/depot_screen.h"
#include "screens/economy/factory_overview_screen.h"
#include "screens/economy/product_help_screen.h"
#include "screens/economy/production_screen.h"
#include "screens/economy/sales_statistics_screen.h"
#include "screens/economy/statistics_screen.h"
#include "screens/economy/store_overview_screen.h"
#include "screens/economy/store_sales_screen.h"
#include "screens/flow/career_screen.h"
#include "screens/flow/game_end_screen.h"
#include "screens/flow/high_score_screen.h"
#include "screens/flow/logo_screen.h"
#include "screens/flow/new_game_screen.h"
#include "screens/flow/opponent_select_screen.h"
#include "screens/flow/title_screen.h"
#include "screens/flow/tutorial_screen.h"
#include "screens/vehicles/rail_purchase_screen.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/truck_purchase_screen.h"
#include "screens/vehicles/vehicle_overview_screen.h"
#include "screens/world/editor_start_screen.h"
#include "screens/world/gen_progress_screen.h"
#include "screens/world/new_world_screen.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/world_view.h"

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

// An overview waits hidden while the screen it opened is open; when that
// closes, the overview comes back and the game stays halted.
void ShowOverviewAgain(plat::Window* overview) {
    if (overview == nullptr) return;
    if (g_pGameState != nullptr) g_pGameState->screen_open = 1;
    if (g_pHauptDialog != nullptr) g_pHauptDialog->screen_open_flag = 1;
    overview->ShowWindow(SW_SHOW);
    overview->Invalidate();
    overview->UpdateWindow();
}

// An overview's done with lParam 1: the view centred on its selected field.
void CentreViewAfterOverview(plat::Window&, plat::WParam, plat::LParam result) {
    SPIEL_FELD* view = g_pSpielFeld;
    if (result != 1 || view == nullptr) return;
    view->JumpToField(view->cursor_x, view->cursor_y);
}

const ScreenEntry kScreens[] = {
    kLogoScreenEntry,
    kBuildingPurchaseScreenEntry,
    With(kProductionScreenEntry, {.after_done =
                                      [](plat::Window&, plat::WParam, plat::LParam) {
                                          if (g_pFactoryOverview == nullptr) return;
                                          g_pFactoryOverview->RefreshRows();
                                          ShowOverviewAgain(g_pFactoryOverview);
                                      }}),
    With(kStoreSalesScreenEntry, {.after_done =
                                      [](plat::Window&, plat::WParam, plat::LParam) {
                                          if (g_pStoreOverview == nullptr) return;
                                          g_pStoreOverview->RefreshStoreSales();
                                          ShowOverviewAgain(g_pStoreOverview);
                                      }}),
    With(kFactoryOverviewScreenEntry, {.after_done = CentreViewAfterOverview}),
    With(kStoreOverviewScreenEntry, {.after_done = CentreViewAfterOverview}),
    kProductHelpScreenEntry,
    kDepotScreenEntry,
    kStatisticsScreenEntry,
    kSalesStatisticsScreenEntry,
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
    kNewGameScreenEntry,
    With(kCareerScreenEntry,
         {.after_done = [](plat::Window& frame, plat::WParam,
                           plat::LParam result) { Frame(frame).StartCareerGame(result); }}),
    With(kOpponentSelectScreenEntry,
         {.after_done = [](plat::Window& frame, plat::WParam,
                           plat::LParam) { Frame(frame).OnOpponentSelectDone(); }}),
    kTutorialScreenEntry,
    With(kGameEndScreenEntry,
         {.before_delete =
              [](plat::Window& frame, plat::Window* screen, plat::WParam, plat::LParam) {
                  Frame(frame).game_end_points = static_cast<FS_SPIELENDE*>(screen)->total_points;
              },
          .after_done =
              [](plat::Window& frame, plat::WParam, plat::LParam) {
                  Frame(frame).OnGameEndDone(Frame(frame).game_end_points);
              }}),
    kHighScoreScreenEntry,
};

}  // namespace

const ScreenEntry* FrameScreenTable(int32_t* count) {
    *count = static_cast<int32_t>(std::size(kScreens));
    return kScreens;
}
