#include "support/game_scope.h"

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "cities/city_level.h"
#include "cities/city_manager.h"
#include "cities/city_traffic.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "gfx/picture_load.h"
#include "platform/random.h"
#include "screens/vehicles/vehicle_overview.h"
#include "sound/ambient_sounds.h"
#include "state/le_io.h"
#include "state/lookup_tables.h"
#include "state/progress_events.h"
#include "state/world_images.h"
#include "transport/city_car.h"
#include "transport/vehicle_lookup.h"
#include "view/world_view.h"
#include "world/build_helper.h"
#include "world/terrain.h"
#include "world/tile_marker.h"
#include "world/way_network.h"

namespace fvtest {

namespace {

void ResetRandom() {
    plat::SetRandSourceForTests({});
    plat::Srand(1);
}

}  // namespace

GameScope::GameScope(StateOwner owner)
    : state_(owner == StateOwner::Scope ? std::make_unique<CGameState>() : nullptr),
      state_ptr_(state_ != nullptr ? state_.get() : new CGameState) {
    Set(g_pGameState, state_ptr_);
    Set(g_Statistics, StatisticsBlock{});
    Set(g_NewGameCounters, NewGameCountersBlock{});
    ResetGameCounters();
    // The interface objects: none until the test asks for its doubles.
    SPIEL_FELD* const view = g_pSpielFeld;
    HAUPTDIALOG* const panel = g_pHauptDialog;
    CSoundManager* const sound = g_pSound;
    undo_.push_back([view, panel, sound] {
        SetWorldView(view);
        SetControlPanel(panel);
        SetSoundManager(sound);
    });
    SetWorldView(nullptr);
    SetControlPanel(nullptr);
    SetSoundManager(nullptr);
    // The simulation's other globals: none until the test asks.
    Set(g_pWayNetwork, nullptr);
    Set(g_pTerrain, nullptr);
    Set(g_pTileMarker, nullptr);
    Set(g_pBuildHelper, nullptr);
    Set(g_ppBuildings, nullptr);
    Set(g_pCityManager, nullptr);
    Set(g_pLookupTables, nullptr);
    Set(g_pVehicleList, nullptr);
    Set(g_pVehicleAtTerminal, nullptr);
    Set(g_pVehicleOverview, nullptr);
    Set(g_MaxVehicleNumber, 0);
    Set(g_VehicleNameCounter[0], 'A');
    Set(g_CityCarPlaceAttempts, 0);
    // The program's start-up installs the city-car maker and the panel maker;
    // a test that ran it must not hand them on to the next one.
    Set(g_MakeCityCar, nullptr);
    Set(g_pVehicleLookup, g_pVehicleLookup);
    // Module-level state of the frame, the loop and the files.
    Set(g_WriteError, 0);
    Set(g_MouseMoveTime, MouseMoveTimes{});
    Set(g_AnimPending, 0);
    Set(g_LogoShown[0], 0);
    Set(g_LogoShown[1], 0);
    Set(g_NowTime, 0u);
    Set(g_MusicTime, 0u);
    Set(g_MusicElapsed, 0u);
    Set(g_AmbientCounter, 0);
    Set(g_TickLength, 15000u);
    Set(g_CdDrive, 'Z');
    Set(g_ProgramDrive, '\0');
    Set(GetFrameHooks(), FrameHooks{});
    Set(GetPictureLoadHooks(), PictureLoadHooks{});
    Set(GetWorldImageHooks(), WorldImageHooks{});
    Set(GetLevelPictureHooks(), LevelPictureHooks{});
    Set(GetViewHooks(), ViewHooks{});
    SetProgressEvents(nullptr);
    undo_.push_back([] { SetProgressEvents(nullptr); });
    ResetRandom();
    plat::SetWriteLimitForTests(-1);
}

GameScope::~GameScope() {
    if (state_ != nullptr) {
        if (g_pGameState == state_.get()) DeleteOpponents();
        state_->Destroy();
    }
    for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) (*it)();
    ResetRandom();
    plat::SetWriteLimitForTests(-1);
}

RecordingView& GameScope::UseView() {
    view_ = std::make_unique<RecordingView>();
    SetWorldView(view_.get());
    return *view_;
}

RecordingPanel& GameScope::UsePanel() {
    panel_ = std::make_unique<RecordingPanel>();
    SetControlPanel(panel_.get());
    return *panel_;
}

RecordingSound& GameScope::UseSound() {
    sound_ = std::make_unique<RecordingSound>();
    SetSoundManager(sound_.get());
    return *sound_;
}

CWayNetwork& GameScope::UseWayNetwork() {
    return Make<CWayNetwork>(g_pWayNetwork);
}

CTerrain& GameScope::UseTerrain() {
    return Make<CTerrain>(g_pTerrain);
}

void GameScope::UseOpponents() {
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        delete state_ptr_->opponents[slot];
        state_ptr_->opponents[slot] = new COpponent(slot, slot);
    }
}

void EvaluateCitiesForSave() {
    PrepareCitiesForSave();
    if (g_pCityManager == nullptr) return;
    for (CCity* city : g_pCityManager->cities) {
        if (city != nullptr) city->Evaluate();
    }
}

}  // namespace fvtest
