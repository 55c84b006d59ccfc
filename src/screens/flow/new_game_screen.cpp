#include "screens/flow/new_game_screen.h"

#include "game/opponent_roster.h"
#include "screens/flow/flow_screen_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace fs = flow_screens;
namespace ws = world_screens;

namespace {

constexpr int32_t kSeasonRows = 3;
constexpr int32_t kPresetRows = 4;
constexpr int32_t kLevelRows = 5;
// The levels a preset sets, and the value it gives them and `events_off`.
constexpr FS_SPIELSTART::Group kPresetGroups[] = {
    FS_SPIELSTART::kLandscapeB, FS_SPIELSTART::kLandscapeA, FS_SPIELSTART::kWoods,
    FS_SPIELSTART::kIndustries, FS_SPIELSTART::kCities,     FS_SPIELSTART::kCapital,
};
struct Preset {
    int32_t level;
    int32_t events_off;
};
constexpr Preset kPresets[3] = {{4, 1}, {2, 0}, {0, 0}};
constexpr int8_t kEventsOff = -2;
constexpr int8_t kNoEventRunning = -1;

}  // namespace

FS_SPIELSTART::FS_SPIELSTART()
    : ChoiceScreen(fs::kSetupPicture, fs::kSetupSheet, kMsgStartGame,
                   {.marker_x = fs::kSetupMarkerX,
                    .ok_face_x = fs::kSetupOkFaceX,
                    .back_face_x = fs::kSetupBackFaceX}) {
    using D = ChoiceDisplay;
    const int32_t* up = ws::kUpperRows;
    const int32_t* low = ws::kLowerRows;
    const int32_t* col = ws::kColumns;
    const int32_t season = fs::kSetupSeasonStrip;
    const int32_t strip = fs::kSetupStrip;
    const int32_t long_strip = fs::kSetupLongStrip;
    groups = {
        {col[0], up, kSeasonRows, D::Single, season}, {col[1], up, kLevelRows, D::Bar, strip},
        {col[2], up, kLevelRows, D::Bar, strip},      {col[3], up, kLevelRows, D::Bar, long_strip},
        {col[4], up, kLevelRows, D::Bar, long_strip}, {col[0], low, kLevelRows, D::Bar, long_strip},
        {col[1], low, kLevelRows, D::Single, strip},  {col[3], low, kLevelRows, D::Single, strip},
        {col[4], low, kPresetRows, D::Single, strip},
    };
    choices = {0, 2, 2, 2, 2, 2, 2, 0, 1};
}

int64_t FS_SPIELSTART::StartCapital() const {
    return static_cast<int64_t>(choices[kCapital] + 1) * fs::kStartCapitalStep;
}

void FS_SPIELSTART::TakeChoices() {
    CGameState& gs = *g_pGameState;
    gs.ng_land = choices[kLandscapeA];
    gs.ng_mountains = 4 - choices[kLandscapeB];
    gs.ng_forests = choices[kWoods];
    gs.ng_site_distance = choices[kIndustries];
    gs.ng_towns = choices[kCities];
    gs.names_list_number = choices[kNameList];
    gs.regen_cities = gs.regen_industries = gs.regen_woods = gs.regen_world = 1;
    gs.season = 3 - choices[kSeason];
    gs.active_event = events_off == 1 ? kEventsOff : kNoEventRunning;
}

void FS_SPIELSTART::OnChoiceChanged(int32_t group) {
    if (group == kSeason || group == kNameList) return;
    if (group != kPreset) {
        choices[kPreset] = kCustomPreset;
        RedrawGroup(kPreset, true);
        return;
    }
    const int32_t preset = choices[kPreset];
    if (preset >= kCustomPreset) return;
    for (Group g : kPresetGroups) choices[g] = kPresets[preset].level;
    events_off = kPresets[preset].events_off;
    Invalidate();
    UpdateWindow();
}

const ScreenEntry kNewGameScreenEntry = {
    .slot = FrameScreen::NewGame,
    .open_message = kMsgOpenNewGameSetup,
    .cancel_command = kCmdBack,
    .open_steps = kOpenCommon,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_SPIELSTART>(frame); },
    .before_open =
        [](plat::Window&, plat::WParam, plat::LParam) {
            CGameState& gs = *g_pGameState;
            gs.paused = 1;
            // A game started from here is no longer one begun at the start
            // screen: a load cancelled in it does not end it.
            gs.start_marker = 0;
            gs.start_screen_marker = 0;
            StopOpponentTurns();
        },
};
