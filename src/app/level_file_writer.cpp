// Writing level files: the records in their order, the editor's
// normalisation to a level start, and the safe replacement of the file.

#include <vector>

#include "app/app_globals.h"
#include "app/career_record.h"
#include "app/level_file.h"
#include "app/level_records.h"
#include "cities/city_level.h"
#include "economy/building_level.h"
#include "game/opponent_level.h"
#include "game/opponent_roster.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "transport/vehicle_level.h"
#include "view/world_view.h"
#include "world/way_network.h"

namespace {

void WriteFieldGrid(plat::FileHandle file, const CGameState& gs) {
    std::vector<uint8_t> bytes(kFieldGridBytes);
    for (int32_t i = 0; i < kMapFieldCount; ++i) {
        for (int32_t b = 0; b < 12; ++b) bytes[size_t(i) * 12 + b] = gs.fields[i].bytes[b];
    }
    le::WriteBytes(file, bytes.data(), kFieldGridBytes);
}

void WriteWayNetwork(plat::FileHandle file) {
    if (g_pWayNetwork != nullptr) {
        g_pWayNetwork->Save(file);
    } else {
        le::WriteU32(file, 0);  // no network: no nodes
    }
}

void WriteCamera(plat::FileHandle file) {
    // Without a view the camera of a freshly created one is written.
    const SPIEL_FELD* view = g_pSpielFeld;
    le::WriteDouble(file, view != nullptr ? view->centre_x : 0.0);
    le::WriteDouble(file, view != nullptr ? view->centre_y : -12.0);
    le::WriteI32(file, view != nullptr ? view->zoom : 1);
}

// The level the editor writes is a level start: the calendar at January
// 1960, no statistics, fresh counters, events and opponents, nothing built.
void NormaliseEditorLevel(CGameState& gs) {
    gs.year = 1960;
    gs.event_pause = kEventPauseAfterEvent;
    gs.month = 0;
    ClearStatistics();
    ResetGameCounters();
    InitMarketEvents();
    for (int32_t& count : gs.built_counts) count = 0;
    gs.board_votes = 0;
    RecreateOpponents();
    for (int32_t& id : gs.news_ids) id = -1;
}

// The building sites a save finished are drawn once everything is written:
// nothing else on a save's way draws, and the next tick or a closing list
// drops the redraw request unseen. Drawing clears the fields' change marks,
// which the field grid has written as they stood. A scroll step's pending
// presentation goes first, as it leaves the request standing.
void DrawFinishedBuildingSites(const CGameState& gs) {
    SPIEL_FELD* view = g_pSpielFeld;
    if (view == nullptr || gs.redraw_objects != 1) return;
    if (view->full_redraw == 1) view->RedrawView();
    view->RedrawView();
}

// Walks the file just written from its start with every check of the loader.
bool WrittenFileLoads(plat::FileHandle file) {
    return plat::SeekFile(file, 0, plat::SeekFrom::Begin) == 0 &&
           WalkLevelFile(file, LevelWalkMode::Check, LevelWalkPart::WholeGame);
}

}  // namespace

void WriteLevelRecords(plat::FileHandle file, int32_t mode_to_write) {
    CGameState& gs = *g_pGameState;
    le::WriteI32(file, mode_to_write);
    le::WriteI32Array(file, gs.built_counts, 6);
    le::WriteI32(file, gs.board_votes);
    const bool sites_finished = PrepareCitiesForSave();
    WriteFieldGrid(file, gs);
    WriteWayNetwork(file);
    for (int64_t cash : gs.cash) le::WriteI64(file, cash);
    le::WriteI32(file, gs.season);
    WriteBuildingRecords(file);
    WriteVehicleRecords(file);
    WriteCityRecords(file);
    le::WriteI32(file, gs.week);
    le::WriteI32(file, gs.month);
    le::WriteI32(file, gs.year);
    WriteCamera(file);
    le::WriteI32(file, gs.rotation);
    le::WriteU8(file, gs.player_colors[0]);
    le::WriteBytes(file, gs.company_names, sizeof gs.company_names);
    le::WriteI8(file, gs.active_event);
    le::WriteU8(file, gs.event_pause);
    le::WriteI32Array(file, g_Statistics.words, kStatisticsWords);
    le::WriteI32Array(file, g_NewGameCounters.words, kNewGameCounterWords);
    le::WriteI32Array(file, gs.news_ids, 2);
    le::WriteI32(file, kMarketEventsWritten);
    for (const MarketEvent& event : gs.market_events) WriteMarketEvent(file, event);
    WriteOpponentRecords(file);  // records 23 to 26
    for (const Bookmark& mark : gs.bookmarks) {
        le::WriteI32(file, mark.x);
        le::WriteI32(file, mark.y);
    }
    for (int32_t option : {gs.show_grid, gs.show_trees, gs.show_city_buildings, gs.show_city_names,
                           gs.show_building_names, gs.show_production}) {
        le::WriteI32(file, option);
    }
    if (sites_finished) DrawFinishedBuildingSites(gs);
}

bool SaveGameFile(const std::string& path) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return false;
    g_WriteError = 0;
    plat::FileReplacement replacement(path);
    while (!replacement.Open()) {
        if (!AskRetryUnwritableLevel(path)) return false;
    }

    int32_t mode_to_write = gs->game_mode;
    if (gs->game_mode == kModeEditor) {
        NormaliseEditorLevel(*gs);
        mode_to_write = kModeGame;
    }
    WriteLevelRecords(replacement.Handle(), mode_to_write);
    // A short write keeps the older file: the replacement is then dropped.
    if (g_WriteError != 0) {
        ShowWriteErrorBox(path);
        return false;
    }
    // So does a file the loader would refuse: a good older file is worth more
    // than a new one that cannot be loaded.
    if (!WrittenFileLoads(replacement.Handle())) {
        ShowUnloadableSaveBox(path);
        return false;
    }
    // The career record goes with the level: written before the level is
    // replaced, put in place after it.
    const std::string career_path = CareerRecordPath(path);
    plat::FileReplacement career(career_path);
    if (!WriteCareerRecord(career)) {
        g_WriteError = 1;
        ShowWriteErrorBox(career_path);
        return false;
    }
    if (!replacement.Commit()) {
        g_WriteError = 1;
        ShowWriteErrorBox(path);
        return false;
    }
    if (!career.Commit()) {
        // The game is saved; a record of an older save must not go with it
        // (without one a load keeps the running values).
        plat::RemoveFile(career_path);
        g_WriteError = 1;
        ShowWriteErrorBox(career_path);
    }
    return true;
}

std::string SavedGamePath(const std::string& name) {
    if (g_pGameState == nullptr) return name;
    return std::string(g_pGameState->DataPath(kPathSave)) + "\\" + name;
}

bool SaveLastGame() {
    return SaveGameFile(SavedGamePath("lastsave.lvl"));
}

bool SaveAutosave() {
    return SaveGameFile(SavedGamePath("autosave.lvl"));
}
