#include <algorithm>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/game_tick.h"
#include "cities/city_manager.h"
#include "game/final_score.h"
#include "game/level_goal.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "platform/clock.h"
#include "platform/compositor.h"
#include "screens/vehicles/vehicle_overview.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "transport/vehicle.h"
#include "transport/wagon.h"
#include "view/world_view.h"

namespace {

constexpr uint32_t kMouseReplayDelay = 250;
constexpr uint32_t kOpponentStepMs = 11;
constexpr uint32_t kAnimationStepMs = 125;
constexpr uint32_t kFrameStepMs = 25;
constexpr int64_t kVotesDivisor = 20000000;

bool SimulationStopped(const CGameState& gs) {
    return gs.paused != 0 || gs.sim_halted != 0 || gs.user_pause != 0;
}

// The ambient sounds decide by passes of a loop that ran one pass a
// millisecond: each millisecond since the last pass counts as one pass, at
// most this many at once.
constexpr uint32_t kMostAmbientPasses = 1000;

// Unlinks a node whose predecessor is `prev` (or, when the list changed
// under the walk, whatever node now precedes it).
void Unlink(VehicleListNode* prev, VehicleListNode* node) {
    if (prev != nullptr && prev->next == node) {
        prev->next = node->next;
        return;
    }
    for (VehicleListNode** link = &g_pVehicleList; *link != nullptr; link = &(*link)->next) {
        if (*link == node) {
            *link = node->next;
            return;
        }
    }
}

// Whether the vehicle's picture may still be on the view. Besides a visible
// vehicle, that is one whose last picture, or a wagon's, still meets the
// view: it left the view while a screen covered it (the loop draws nothing
// then) or in this very pass. The picture stays until the vehicle is drawn
// again, which a removed one never is.
bool PictureShown(const CVehicle& vehicle, const CGameState& gs) {
    auto meets = [&gs](const int32_t box[4]) {
        return RectMeetsView(box, gs.view_width, gs.view_height);
    };
    if (vehicle.visible != 0 || meets(vehicle.screen_box)) return true;
    for (const CWagon* wagon : vehicle.wagons) {
        if (wagon != nullptr && meets(wagon->screen_box)) return true;
    }
    return false;
}

void ForgetRemovedVehicle(CVehicle* vehicle) {
    if (vehicle->vehicle_class == kVehicleCityCar && g_pCityManager != nullptr) {
        const int32_t slot = vehicle->owner - 1;
        if (slot >= 0 && slot < kCitySlots && g_pCityManager->cities[slot] != nullptr) {
            g_pCityManager->cities[slot]->car_count -= 1;
        }
    }
    if (g_pVehicleOverview != nullptr) g_pVehicleOverview->RemoveVehicle(vehicle);
}

}  // namespace

bool CGameApp::OnIdle(long count) {
    plat::Application::OnIdle(count);
    g_NowTime = plat::TimeGetTime();
    g_MusicElapsed = g_NowTime - g_MusicTime;

    CGameState* gs = g_pGameState;
    if (gs == nullptr) return true;
    if (RunCityGrowthPass()) return true;

    if (gs->screen_open == 0 && g_pSound != nullptr && g_pSound->music_wait > 0 &&
        g_MusicElapsed > static_cast<uint32_t>(g_pSound->music_wait)) {
        g_pSound->OnMusicNotify();
    }
    ReplayDeferredMouseMove();

    FrameTimers& t = gs->timers;
    t.tick_now = plat::TimeGetTime();
    t.tick_elapsed = t.tick_now - t.tick_time;
    t.opponent_now = t.tick_now;
    t.opponent_elapsed = t.opponent_now - t.opponent_time;
    StepOpponents();

    UpdateFrame();

    if (t.tick_elapsed <= g_TickLength || gs->game_mode == kModeEditor || SimulationStopped(*gs) ||
        gs->goal_reached != 0) {
        return true;
    }
    RunGameTick(mainWindow);
    // A month's processing runs on the month's first tick.
    if (gs->week == 0) ApplyLevelGoal(gs->month == 0);
    return true;
}

bool CGameApp::RunCityGrowthPass() {
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel == nullptr || panel->city_growth_screen == nullptr) return false;
    FS_CITY_GROWTH* screen = panel->city_growth_screen;
    if (g_pCityManager != nullptr) g_pCityManager->Tick();
    screen->step_count += 1;
    screen->DrawProgress();
    if (screen->finished == 0) return true;

    panel->city_growth_screen = nullptr;
    delete screen;
    MarkGoodsAvailableByDate();
    if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    CGameState& gs = *g_pGameState;
    gs.city_growth_running = 0;
    if (g_pSound != nullptr) {
        g_pSound->ResumeEffects();
        g_pSound->music_playing = 1;
        g_pSound->OnMusicNotify();
    }
    gs.sim_halted = 0;
    gs.screen_open = 0;
    plat::SendMessage(mainWindow, kMsgCityGrowthDone);
    return true;
}

void CGameApp::ReplayDeferredMouseMove() {
    if (g_MouseMoveTime.pending != 1) return;
    g_MouseMoveTime.elapsed = g_NowTime - g_MouseMoveTime.time;
    if (g_MouseMoveTime.elapsed <= kMouseReplayDelay) return;
    if (g_pSpielFeld != nullptr) {
        const plat::WParam buttons = g_pSpielFeld->drag_start_x != -1 ? MK_LBUTTON : 0;
        g_pSpielFeld->SendMessage(WM_MOUSEMOVE, buttons, 0);
    }
    g_MouseMoveTime.pending = 0;
}

void CGameApp::StepOpponents() {
    CGameState& gs = *g_pGameState;
    FrameTimers& t = gs.timers;
    if (t.opponent_elapsed < kOpponentStepMs || gs.game_mode == kModeEditor) return;
    if (SimulationStopped(gs)) return;
    if (gs.active_opponent == -1) {
        int32_t lowest = 1;
        for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
            const COpponent* opponent = gs.opponents[slot];
            if (opponent != nullptr && opponent->turn_countdown < lowest) {
                lowest = opponent->turn_countdown;
                gs.active_opponent = slot;
            }
        }
    }
    if (gs.active_opponent != -1) {
        const int32_t slot = gs.active_opponent;
        COpponent* opponent = slot >= 0 && slot < kOpponentCount ? gs.opponents[slot] : nullptr;
        if (opponent != nullptr) {
            opponent->TakeTurn();
        } else {
            gs.active_opponent = -1;  // a slot without an opponent never gets a turn
        }
    }
    t.opponent_time = t.opponent_now;
}

void CGameApp::UpdateFrame() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    FrameTimers& t = gs->timers;
    t.frame_now = plat::TimeGetTime();
    t.frame_elapsed = t.frame_now - t.frame_time;
    t.anim_now = t.frame_now;
    t.anim_elapsed = t.anim_now - t.anim_time;
    // The field animations step whenever the game is not paused: also under
    // P, while a popup halts the simulation and after the goal.
    if (t.anim_elapsed > kAnimationStepMs && gs->paused == 0) {
        if (g_pSpielFeld != nullptr) g_pSpielFeld->TickAnimations();
        t.anim_time = t.anim_now;
        if (g_AnimPending == 1) {
            g_AnimPending = 2;
            plat::SendMessage(mainWindow, kMsgAnimImagesChanged);
        }
    }

    if (t.frame_elapsed > kFrameStepMs && gs->paused == 0) {
        RefreshMoneyDisplay();
        seen_changed_ = MoveVehicles() || seen_changed_;
        // While the vehicles stand they are drawn again only when the view
        // moved, one of them came into or went out of it, an animation's
        // picture changed or the mark overlay waits for a vehicle frame. A
        // view that a screen covers draws once it shows again (each
        // vehicle's last drawn place, each animation's shown frame, a change
        // of what is seen and a waiting overlay are kept until then).
        const bool still = VehiclesStand(*gs);
        // A waiting overlay is drawn also when the last vehicle left the map
        // after it was built: otherwise it would never show, and the loop
        // would go on waking for it.
        SPIEL_FELD* view = g_pSpielFeld;
        if (view != nullptr &&
            (g_pVehicleList != nullptr || view->sprite_pending != 0 || view->overlay_pending)) {
            const bool due = !still || seen_changed_ || ViewMovedSinceFrameDraw() ||
                             AnimationsWaitForDrawing() || OverlayWaitsForDrawing();
            if (due && !plat::WindowCovered(view)) {
                view->DrawVehicles(1);
                drawn_camera_ = CurrentCamera();
                seen_changed_ = false;
            } else {
                // The drawing plays the running one-shot animations' sounds.
                // A frame not drawn plays them all the same: otherwise they
                // would be silent under a screen, and under P whenever their
                // picture lies outside the view.
                view->PlayOneShotSounds();
            }
        }
        t.frame_time = t.frame_now;
    }

    TestBoardVoteGoal();

    const uint32_t ambient_passes = std::min(t.frame_now - ambient_time_, kMostAmbientPasses);
    ambient_time_ = t.frame_now;
    if (gs->game_mode != kModeEditor && gs->paused == 0 && gs->sim_halted == 0 &&
        gs->opt_ambient_sounds == 1 && g_pSound != nullptr) {
        for (uint32_t pass = 0; pass < ambient_passes; ++pass) g_pSound->PlayAmbientSounds();
    }
}

bool CGameApp::VehiclesStand(const CGameState& gs) {
    return gs.sim_halted != 0 || gs.user_pause != 0 || gs.goal_reached != 0;
}

CGameApp::Camera CGameApp::CurrentCamera() {
    const SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr || g_pGameState == nullptr) return {};
    return {view, view->centre_x, view->centre_y, view->zoom, g_pGameState->rotation};
}

bool CGameApp::ViewMovedSinceFrameDraw() const {
    return !(CurrentCamera() == drawn_camera_) && g_pSpielFeld != nullptr &&
           !plat::WindowCovered(g_pSpielFeld);
}

bool CGameApp::AnimationsWaitForDrawing() {
    SPIEL_FELD* view = g_pSpielFeld;
    return view != nullptr && view->AnimationsBehind() && !plat::WindowCovered(view);
}

bool CGameApp::OverlayWaitsForDrawing() {
    const SPIEL_FELD* view = g_pSpielFeld;
    return view != nullptr && view->overlay_pending && !plat::WindowCovered(view);
}

void CGameApp::RefreshMoneyDisplay() {
    CGameState& gs = *g_pGameState;
    bool changed = false;
    for (int32_t p = 0; p < kPlayerCount; ++p) changed = changed || gs.cash[p] != gs.cash_shown[p];
    if (!changed) return;

    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel != nullptr && panel->opponent_info != nullptr) {
        const int32_t shown = panel->opponent_info->shown_player;
        if (shown >= 1 && shown < kPlayerCount && gs.cash[shown] != gs.cash_shown[shown]) {
            panel->opponent_info->DrawFigures();
        }
    }
    for (int32_t p = 1; p < kPlayerCount; ++p) gs.cash_shown[p] = gs.cash[p];
    if (gs.cash[0] == gs.cash_shown[0]) return;
    gs.cash_shown[0] = gs.cash[0];
    plat::SendMessage(mainWindow, kMsgCashChanged);
    if (panel != nullptr) {
        panel->DrawSidebarCapital();
        if (panel->year_summary != nullptr) panel->year_summary->Draw();
    }
}

bool CGameApp::MoveVehicles() {
    CGameState& gs = *g_pGameState;
    if (VehiclesStand(gs)) {
        // Halted: only the visible flags follow the view.
        if (g_pSpielFeld == nullptr) return false;
        bool changed = false;
        for (VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
            CVehicle* v = node->vehicle;
            if (v == nullptr) continue;
            const int32_t visible = g_pSpielFeld->IsTileInView(v->pos_x, v->pos_y);
            changed = changed || visible != v->visible;
            v->visible = visible;
        }
        return changed;
    }

    bool removedShown = false;
    VehicleListNode* prev = nullptr;
    VehicleListNode* node = g_pVehicleList;
    while (node != nullptr) {
        CVehicle* vehicle = node->vehicle;
        if (vehicle != nullptr) vehicle->Move();
        VehicleListNode* next = node->next;
        if (vehicle == nullptr || vehicle->removal_flag != 1) {
            prev = node;
            node = next;
            continue;
        }
        Unlink(prev, node);
        removedShown = removedShown || PictureShown(*vehicle, gs);
        ForgetRemovedVehicle(vehicle);
        delete vehicle;
        delete node;
        node = next;
    }
    if (removedShown) {
        gs.redraw_terrain = 1;
        gs.redraw_objects = 1;
        if (g_pSpielFeld != nullptr) g_pSpielFeld->RedrawView();
    }
    return true;
}

void CGameApp::TestBoardVoteGoal() {
    CGameState& gs = *g_pGameState;
    if (gs.game_mode != kModeGame || gs.goal_reached != 0 || gs.sim_halted != 0 ||
        gs.user_pause != 0 || g_pHauptDialog == nullptr) {
        return;
    }
    const int64_t takeOvers =
        static_cast<int64_t>(g_TakeOverCount[0]) + g_TakeOverCount[1] + g_TakeOverCount[2];
    const int64_t votes = CompanyValue(gs) / kVotesDivisor + 10 * takeOvers;
    gs.board_votes = static_cast<int32_t>(votes);
    if (gs.board_votes < 100) return;
    gs.sim_halted = 1;
    plat::SendMessage(mainWindow, kMsgGameEnd, 0, kEndPictureWon);
    gs.goal_reached = 1;
}

void CGameApp::ApplyLevelGoal(bool new_year) {
    CGameState& gs = *g_pGameState;
    if (g_pHauptDialog == nullptr) return;
    uint32_t open = 0;
    switch (TestLevelGoal(gs, new_year)) {
        case GoalStep::None:
            return;
        case GoalStep::MissionDone:
            open = kMsgPanelOpenMissionDone;
            break;
        case GoalStep::MissionFailed:
            open = kMsgPanelOpenMissionFailed;
            break;
        case GoalStep::AssignmentDone:
            gs.assignment_votes = kAssignmentVoteReward;
            open = kMsgPanelOpenAssignmentDone;
            break;
        case GoalStep::AssignmentFailed:
            open = kMsgPanelOpenAssignmentFailed;
            break;
    }
    // The clock stands until the result reloads or advances the level. The
    // level ends by its goal: a "next level" the game heading asked for
    // earlier no longer counts (it would take the score sheet's year points).
    gs.goal_reached = 1;
    g_pHauptDialog->answer_code = kNoAnswer;
    plat::SendMessage(g_pHauptDialog, open);
}
