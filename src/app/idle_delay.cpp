// How long the main loop may wait for input before its next idle pass has
// work: the passes run on the cadences of OnIdle (opponents every 11 ms,
// vehicles 25 ms, animations 125 ms, the deferred mouse move 250 ms, the game
// tick, the wait between music tracks), so between them the program sleeps.
// The ambient sounds count the milliseconds between passes as passes, so
// they need no pass of their own. While the vehicles stand (halted, paused
// by the player, after the goal) only the field animations go on: the loop
// wakes for their steps, and for a frame step only when a view moved since
// the vehicles were last drawn or an animation's picture or the mark overlay
// waits for drawing.

#include <algorithm>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "platform/clock.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"

namespace {

// The longest wait: input wakes the loop anyway, and nothing is missed.
constexpr uint32_t kLongestIdleWait = 250;
// The cadences of the idle pass (main_loop.cpp): a step runs once more than
// its interval has passed; the opponents' once at least 11 ms have.
constexpr uint32_t kOpponentStepMs = 11;
constexpr uint32_t kFrameStepMs = 25;
constexpr uint32_t kAnimationStepMs = 125;
constexpr uint32_t kMouseReplayDelay = 250;

// Whether an opponent step would do anything: an opponent's turn runs, or
// one is due (the countdowns change only at the game tick).
bool OpponentStepDue(const CGameState& gs) {
    if (gs.active_opponent != -1) return true;
    for (const COpponent* opponent : gs.opponents) {
        if (opponent != nullptr && opponent->turn_countdown < 1) return true;
    }
    return false;
}

// Milliseconds until `now - since > step` holds (0 when it already does).
uint32_t UntilPast(uint32_t now, uint32_t since, uint32_t step) {
    const uint32_t elapsed = now - since;
    return elapsed > step ? 0 : step + 1 - elapsed;
}

}  // namespace

uint32_t CGameApp::IdleDelay() {
    const CGameState* gs = g_pGameState;
    if (gs == nullptr) return kLongestIdleWait;
    // The city-growth pass counts passes, not time: it keeps the continuous
    // passes while its screen shows.
    if (g_pHauptDialog != nullptr && g_pHauptDialog->city_growth_screen != nullptr) return 1;
    const uint32_t now = plat::TimeGetTime();
    const FrameTimers& t = gs->timers;
    const bool stopped = gs->paused != 0 || gs->sim_halted != 0 || gs->user_pause != 0;
    uint32_t wait = kLongestIdleWait;
    if (!stopped && gs->game_mode != kModeEditor) {
        if (OpponentStepDue(*gs)) {
            wait = std::min(wait, UntilPast(now, t.opponent_time, kOpponentStepMs - 1));
        }
        if (gs->goal_reached == 0) wait = std::min(wait, UntilPast(now, t.tick_time, g_TickLength));
    }
    if (gs->paused == 0) {
        wait = std::min(wait, UntilPast(now, t.anim_time, kAnimationStepMs));
        if (!VehiclesStand(*gs) || ViewMovedSinceFrameDraw() || AnimationsWaitForDrawing() ||
            OverlayWaitsForDrawing()) {
            wait = std::min(wait, UntilPast(now, t.frame_time, kFrameStepMs));
        }
    }
    if (g_MouseMoveTime.pending == 1) {
        wait = std::min(wait, UntilPast(now, g_MouseMoveTime.time, kMouseReplayDelay));
    }
    if (gs->screen_open == 0 && g_pSound != nullptr && g_pSound->music_wait > 0) {
        wait = std::min(wait, UntilPast(now, g_MusicTime, uint32_t(g_pSound->music_wait)));
    }
    return wait;
}
