// Level files: what the writer writes, what the readers make of it, and the
// two readers' differences (saved game, level start).

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/level_file.h"
#include "app/level_file_fixture.h"
#include "app/level_records.h"
#include "app/loop_doubles.h"
#include "game/opponent.h"
#include "game/opponent_fill.h"
#include "game/opponent_level.h"
#include "game/opponent_roster.h"
#include "state/data_tables.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "view/world_view.h"

namespace {

using fvtest::Bytes;
using fvtest::GetI32;
using fvtest::LevelFileTest;
using fvtest::OffsetsOf;
using fvtest::PutI32;
using fvtest::ReadFileBytes;
using fvtest::WriteFileBytes;

class LevelRoundTrip : public LevelFileTest {
  protected:
    LevelRoundTrip() {
        EXPECT_TRUE(view.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        EXPECT_TRUE(panel.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
    }
    fvtest::RecordingView& view = scope.UseView();
    fvtest::RecordingPanel& panel = scope.UsePanel();
};

TEST_F(LevelRoundTrip, SaveLoadSaveIsByteIdentical) {
    MakeGame(1);
    const Bytes first = SaveToBytes("first.lvl");
    MakeGame(2);  // a different running game
    ASSERT_EQ(LoadSavedGame(FilePath("first.lvl")), LevelLoadResult::Loaded);
    const Bytes second = SaveToBytes("second.lvl");
    ASSERT_EQ(first.size(), second.size());
    EXPECT_TRUE(first == second);
    EXPECT_TRUE(host.MessageBoxes().empty());
}

// What the byte-identical round trip cannot show: the fix-ups of a load.
TEST_F(LevelRoundTrip, ALoadSetsWhatNoRecordHoldsAndRefreshesTheView) {
    MakeGame(3);
    ASSERT_TRUE(SaveGameFile(FilePath("game.lvl")));
    MakeGame(8);
    gs.goal_reached = 1;
    gs.news_ids[3] = 17;
    gs.selected_building_type = 5;
    ASSERT_EQ(LoadSavedGame(FilePath("game.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.cash[0], (int64_t{1} << 40) + 3);  // all 64 bits
    EXPECT_EQ(gs.cash_shown[0], gs.cash[0]);
    // Colours follow the human player's.
    for (int k = 0; k < 4; ++k) EXPECT_EQ(gs.player_colors[k], (gs.player_colors[0] + k) % 4);
    for (int32_t id : gs.news_ids) EXPECT_EQ(id, -1);
    EXPECT_EQ(gs.goal_reached, 0);
    EXPECT_EQ(gs.selected_building_type, -1);
    EXPECT_EQ(gs.construction_word, -1);
    // The running event's prices are back on its goods.
    const MarketEvent& running = gs.market_events[gs.active_event];
    for (int k = 0; k < 9; ++k) {
        if (running.event_goods[k] < kGoodsCount) {
            EXPECT_EQ(gs.goods[running.event_goods[k]].price, running.event_prices[k]);
        }
    }
    // The view and the panel were refreshed once.
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(panel.dates, 1);
    EXPECT_EQ(panel.capitals, 1);
    EXPECT_EQ(gs.redraw_terrain, 1);
}

TEST_F(LevelRoundTrip, ZoomSixteenMarksTheOverview) {
    MakeGame(1);  // odd seeds save zoom 16
    ASSERT_TRUE(SaveGameFile(FilePath("z.lvl")));
    std::memset(panel.legend_flags, 0, sizeof panel.legend_flags);
    ASSERT_EQ(LoadSavedGame(FilePath("z.lvl")), LevelLoadResult::Loaded);
    for (uint8_t mark : panel.legend_flags) EXPECT_EQ(mark, 1);
}

TEST_F(LevelRoundTrip, EditorWritesALevelStart) {
    MakeGame(5);
    gs.game_mode = kModeEditor;
    gs.news_ids[2] = 4;
    const Bytes file = SaveToBytes("s_0.lvl");
    const auto at = OffsetsOf(file);

    EXPECT_EQ(GetI32(file, 0), kModeGame);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(GetI32(file, 4 + 4 * i), 0);  // built counts, votes
    EXPECT_EQ(GetI32(file, at.calendar + 8), 1960);
    EXPECT_EQ(file[at.event + 1], 11);
    for (int i = 0; i < kStatisticsWords; ++i) ASSERT_EQ(GetI32(file, at.statistics + 4 * i), 0);
    EXPECT_EQ(GetI32(file, at.counters), 300000);  // reset counters
    InitMarketEvents();
    for (int i = 0; i < kMarketEventSlots; ++i) {
        uint8_t expected[92];
        EncodeMarketEvent(gs.market_events[i], expected);
        ASSERT_EQ(std::memcmp(&file[at.events + 92 * size_t(i)], expected, 92), 0) << i;
    }
    // Three fresh opponents, as a new editor level would have them.
    const Bytes written(file.begin() + at.opponents, file.begin() + at.bookmarks);
    RecreateOpponents();
    const std::string fresh = FilePath("fresh.bin");
    const plat::FileHandle h = plat::OpenFile(fresh, plat::OpenMode::Create);
    WriteOpponentRecords(h);
    plat::CloseFile(h);
    const Bytes expected_opponents = ReadFileBytes(fresh);
    EXPECT_EQ(
        std::vector<uint8_t>(written.begin(), written.begin() + expected_opponents.size() - 28),
        std::vector<uint8_t>(expected_opponents.begin(), expected_opponents.end() - 28));
    // The running editor level was normalised with it and stays in the editor.
    EXPECT_EQ(gs.game_mode, kModeEditor);
    EXPECT_EQ(gs.year, 1960);
}

TEST_F(LevelRoundTrip, ReadingInTheEditorStaysInTheEditor) {
    MakeGame(2);
    gs.game_mode = kModeMission;
    ASSERT_TRUE(SaveGameFile(FilePath("m.lvl")));
    gs.game_mode = kModeEditor;
    ASSERT_EQ(LoadSavedGame(FilePath("m.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.game_mode, kModeEditor);
    // Outside the editor the file's mode is taken; outside a free game the
    // opponents rest.
    gs.game_mode = kModeGame;
    ASSERT_EQ(LoadSavedGame(FilePath("m.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.game_mode, kModeMission);
    for (const COpponent* o : gs.opponents) EXPECT_EQ(o->turn_pending, 0);
}

TEST_F(LevelRoundTrip, LevelStartKeepsNamesAndVotesAndAppliesAvailability) {
    MakeGame(4);
    gs.game_mode = kModeCareer;
    g_NewGameCounters.words[kNgcLumber] = -1;  // no furniture
    g_NewGameCounters.words[kNgcMotor] = -3;   // no cars
    for (int i = 0; i < 6; ++i)
        g_NewGameCounters.words[kNgcBuildingYearFirst + i] = 0x70000 + 1980 + i;
    g_TakeOverCount[0] = 1;
    std::snprintf(gs.company_names[0], kCompanyNameLength, "Level maker");
    gs.board_votes = 77;
    Bytes file = SaveToBytes("k1_0.lvl");
    // A level is read up to its market events: what follows is never looked at.
    const auto at = OffsetsOf(file);
    file.resize(at.opponents);
    file.insert(file.end(), 100, 0xEE);
    WriteFileBytes(FilePath("k1_0.lvl"), file);

    MakeGame(6);
    gs.game_mode = kModeCareer;
    std::snprintf(gs.company_names[0], kCompanyNameLength, "Running company");
    gs.board_votes = 42;
    const uint8_t colour = gs.player_colors[0];
    COpponent* const first = gs.opponents[0];
    ASSERT_EQ(LoadLevel(FilePath("k1_0.lvl")), LevelLoadResult::Loaded);

    EXPECT_STREQ(gs.company_names[0], "Running company");
    EXPECT_EQ(gs.board_votes, 42);
    EXPECT_EQ(gs.player_colors[0], colour);
    EXPECT_EQ(g_TakeOverCount[0], 0);
    // The level's availability: building years from the counters, the two
    // switched-off categories gone with their stores.
    const int32_t year_types[6] = {15, 17, 18, 19, 16, 14};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(gs.building_types[year_types[i]].intro_year, 1980 + i);
    for (int g : {26, 27, 28, 32, 33, 34}) EXPECT_EQ(gs.goods[g].available, 0) << g;
    EXPECT_EQ(gs.building_types[23].intro_year, 2079);
    EXPECT_NE(gs.building_types[21].intro_year, 2079);
    // The opponents stay and rest; no bookmarks; display options on.
    EXPECT_EQ(gs.opponents[0], first);
    for (const COpponent* o : gs.opponents) {
        EXPECT_EQ(o->turn_pending, 0);
        EXPECT_EQ(o->takeover_year, 2060);
        EXPECT_EQ(o->takeover_percent, 100);
    }
    for (const Bookmark& mark : gs.bookmarks) EXPECT_EQ(mark.x, -1);
    EXPECT_EQ(gs.show_city_buildings, 1);
}

TEST_F(LevelRoundTrip, GoodsAvailabilityOfTheTwoReaders) {
    // Good 11 comes in 1962; a file dated January 1962.
    MakeGame(1);
    gs.year = 1962;
    gs.month = 0;
    ASSERT_TRUE(SaveGameFile(FilePath("g.lvl")));
    ASSERT_EQ(LoadSavedGame(FilePath("g.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.goods[11].intro_year, 1962);
    EXPECT_EQ(gs.goods[11].available, 0);  // not before March
    EXPECT_EQ(gs.goods[12].available, 0);
    ASSERT_EQ(LoadLevel(FilePath("g.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.goods[11].available, 1);  // a level start has no month test
    EXPECT_EQ(gs.goods[12].available, 0);
}

TEST_F(LevelRoundTrip, LastGameAndAutosaveLiveInTheSavedGamesFolder) {
    MakeGame(2);
    ASSERT_TRUE(SaveLastGame());
    ASSERT_TRUE(SaveAutosave());
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/save/autosave.lvl"));
    gs.start_marker = 1;
    MakeGame(3);
    ASSERT_EQ(LoadLastGame(), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.start_marker, 0);
    EXPECT_EQ(gs.year, 1972);
}

TEST_F(LevelRoundTrip, LoadsDropTheVehiclesAndTheOpponentsForgetThem) {
    MakeGame(1);
    ASSERT_TRUE(SaveGameFile(FilePath("v.lvl")));
    int deletions = 0;
    auto* vehicle = new fvtest::TestVehicle(1, &deletions);
    fvtest::AddVehicle(vehicle);
    gs.opponents[0]->plan_list_a.push_back(fvtest::MakePlanNode(1, vehicle));
    gs.game_mode = kModeCareer;
    ASSERT_EQ(LoadLevel(FilePath("v.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(g_pVehicleList, nullptr);
    EXPECT_EQ(deletions, 1);
    // The opponents stay through a level start; none keeps the deleted vehicle.
    for (const PlanNode& node : gs.opponents[0]->plan_list_a) EXPECT_EQ(node.vehicle, nullptr);
}

}  // namespace
