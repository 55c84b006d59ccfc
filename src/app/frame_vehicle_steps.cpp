#include "app/frame_vehicle_steps.h"

#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/vehicle_overview.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace {

HAUPTFENSTER& Frame(plat::Window& frame) {
    return static_cast<HAUPTFENSTER&>(frame);
}

// The game stays halted: a screen is still open.
void KeepHalted() {
    if (g_pGameState != nullptr) g_pGameState->screen_open = 1;
    if (g_pHauptDialog != nullptr) g_pHauptDialog->screen_open_flag = 1;
}

void BackToGame(plat::Window& frame) {
    Frame(frame).ReleaseScreen();
    Frame(frame).ResumeAfterScreen(true);
}

// The world view's camera on its selected field.
void CentreViewOnSelectedField() {
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr || view->cursor_x < 0 || view->cursor_y < 0) return;
    view->JumpToField(view->cursor_x, view->cursor_y);
}

}  // namespace

const ScreenEntry kPurchaseFrameSteps = {
    .after_done =
        [](plat::Window& frame, plat::WParam result, plat::LParam) {
            if (result != 0 && g_pScheduleEditor == nullptr) return BackToGame(frame);
            // Bought, or back to the schedule being edited.
            KeepHalted();
            plat::PostMessage(&frame, kMsgOpenSchedule);
        },
};

const ScreenEntry kScheduleFrameSteps = {
    .after_done =
        [](plat::Window& frame, plat::WParam, plat::LParam) {
            if (g_pVehicleOverview != nullptr) {
                KeepHalted();
                g_pVehicleOverview->SetShown(true);
                return;
            }
            BackToGame(frame);
        },
};

const ScreenEntry kVehicleOverviewFrameSteps = {
    .after_done =
        [](plat::Window&, plat::WParam, plat::LParam centre) {
            if (centre == 1) CentreViewOnSelectedField();
        },
};
