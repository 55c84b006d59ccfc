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

TEST_F(LevelRoundTrip, StateAfterReadingEqualsTheStateWritten) {
    MakeGame(3);
    ASSERT_TRUE(SaveGameFile(FilePath("game.lvl")));
    // What went into the file, kept aside.
    std::vector<MapField> fields(gs.fields, gs.fields + kMapFieldCount);
    std::vector<WayNode> nodes;
    std::vector<int32_t> numbers;
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        if (network->nodes[n] == nullptr) continue;
        numbers.push_back(n);
        nodes.push_back(*network->nodes[n]);
    }
    int64_t cash[4];
    std::memcpy(cash, gs.cash, sizeof cash);
    const StatisticsBlock statistics = g_Statistics;
    const NewGameCountersBlock counters = g_NewGameCounters;
    std::vector<MarketEvent> events(gs.market_events, gs.market_events + kMarketEventSlots);
    const double centre_x = view.centre_x;
    const double centre_y = view.centre_y;
    const int32_t zoom = view.zoom;
    const int32_t week = gs.week, month = gs.month, year = gs.year, season = gs.season;
    const int32_t rotation = gs.rotation, votes = gs.board_votes;
    const int8_t event = gs.active_event;
    const uint8_t pause = gs.event_pause;
    char names[4][kCompanyNameLength];
    std::memcpy(names, gs.company_names, sizeof names);
    int32_t years[3], percents[3];
    for (int i = 0; i < 3; ++i) {
        years[i] = gs.opponents[i]->takeover_year;
        percents[i] = gs.opponents[i]->takeover_percent;
    }
    const int32_t active_opponent = gs.active_opponent;
    Bookmark marks[kBookmarkCount];
    std::memcpy(marks, gs.bookmarks, sizeof marks);
    const int32_t grid = gs.show_grid, trees = gs.show_trees;

    MakeGame(8);
    gs.goal_reached = 1;
    gs.news_ids[3] = 17;
    ASSERT_EQ(LoadSavedGame(FilePath("game.lvl")), LevelLoadResult::Loaded);

    EXPECT_EQ(std::memcmp(fields.data(), gs.fields, sizeof gs.fields), 0);
    ASSERT_EQ(network->NodeCount(), static_cast<int32_t>(nodes.size()));
    for (size_t k = 0; k < numbers.size(); ++k) {
        const WayNode* node = network->Node(numbers[k]);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(std::memcmp(node, &nodes[k], sizeof(WayNode)), 0) << numbers[k];
    }
    for (int p = 0; p < 4; ++p) EXPECT_EQ(gs.cash[p], cash[p]);
    EXPECT_EQ(gs.cash[0], (int64_t{1} << 40) + 3);  // all 64 bits
    EXPECT_EQ(gs.cash_shown[0], gs.cash[0]);
    EXPECT_EQ(std::memcmp(statistics.words, g_Statistics.words, sizeof statistics.words), 0);
    EXPECT_EQ(std::memcmp(counters.words, g_NewGameCounters.words, sizeof counters.words), 0);
    for (int32_t i = 0; i < kMarketEventSlots; ++i) {
        uint8_t a[92], b[92];
        EncodeMarketEvent(events[i], a);
        EncodeMarketEvent(gs.market_events[i], b);
        EXPECT_EQ(std::memcmp(a, b, 92), 0) << i;
    }
    EXPECT_EQ(view.centre_x, centre_x);
    EXPECT_EQ(view.centre_y, centre_y);
    EXPECT_EQ(view.zoom, zoom);
    EXPECT_EQ(gs.week, week);
    EXPECT_EQ(gs.month, month);
    EXPECT_EQ(gs.year, year);
    EXPECT_EQ(gs.season, season);
    EXPECT_EQ(gs.rotation, rotation);
    EXPECT_EQ(gs.board_votes, votes);
    EXPECT_EQ(gs.active_event, event);
    EXPECT_EQ(gs.event_pause, pause);
    EXPECT_EQ(std::memcmp(names, gs.company_names, sizeof names), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(gs.opponents[i]->takeover_year, years[i]);
        EXPECT_EQ(gs.opponents[i]->takeover_percent, percents[i]);
    }
    EXPECT_EQ(gs.active_opponent, active_opponent);
    EXPECT_EQ(std::memcmp(marks, gs.bookmarks, sizeof marks), 0);
    EXPECT_EQ(gs.show_grid, grid);
    EXPECT_EQ(gs.show_trees, trees);
    // Colours follow the human player's; the rest of a load's fix-ups.
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
    EXPECT_EQ(gs.redraw_objects, 1);
}

TEST_F(LevelRoundTrip, ZoomSixteenMarksTheOverview) {
    MakeGame(1);  // odd seeds save zoom 16
    ASSERT_TRUE(SaveGameFile(FilePath("z.lvl")));
    std::memset(panel.legend_flags, 0, sizeof panel.legend_flags);
    ASSERT_EQ(LoadSavedGame(FilePath("z.lvl")), LevelLoadResult::Loaded);
    for (uint8_t mark : panel.legend_flags) EXPECT_EQ(mark, 1);
}

TEST_F(LevelRoundTrip, RecordsStandAtTheirOffsets) {
    gs.game_mode = kModeCareer;
    gs.board_votes = 31;
    gs.built_counts[5] = 9;
    gs.season = 2;
    gs.week = 1;
    gs.month = 4;
    gs.year = 1977;
    gs.rotation = 2;
    gs.player_colors[0] = 3;
    gs.active_event = 4;
    gs.event_pause = 6;
    view.centre_x = 1.5;
    view.zoom = 2;
    g_Statistics.words[0] = 111;
    g_NewGameCounters.words[19] = 222;
    gs.bookmarks[9] = {7, 8};
    gs.show_production = 0;
    network->CreateNode(10, 10);
    const Bytes file = SaveToBytes("layout.lvl");
    const auto at = OffsetsOf(file);

    EXPECT_EQ(GetI32(file, 0), kModeCareer);
    EXPECT_EQ(GetI32(file, 4 + 5 * 4), 9);
    EXPECT_EQ(GetI32(file, 28), 31);
    EXPECT_EQ(GetI32(file, at.network), 1);
    EXPECT_EQ(GetI32(file, at.network + 4), 1);  // node number
    EXPECT_EQ(at.cash, 32u + 786432u + 4u + 44u);
    EXPECT_EQ(GetI32(file, at.cash), 300000);
    EXPECT_EQ(GetI32(file, at.cash + 32), 2);  // season
    EXPECT_EQ(GetI32(file, at.calendar), 1);
    EXPECT_EQ(GetI32(file, at.calendar + 4), 4);
    EXPECT_EQ(GetI32(file, at.calendar + 8), 1977);
    double centre_x;
    std::memcpy(&centre_x, &file[at.camera], 8);  // IEEE 754, little-endian
    EXPECT_EQ(centre_x, 1.5);
    EXPECT_EQ(GetI32(file, at.camera + 16), 2);
    EXPECT_EQ(GetI32(file, at.camera + 20), 2);  // rotation
    EXPECT_EQ(file[at.camera + 24], 3);          // colour
    EXPECT_EQ(std::memcmp(&file[at.names], "Player 1", 9), 0);
    EXPECT_EQ(file[at.event], 4);
    EXPECT_EQ(file[at.event + 1], 6);
    EXPECT_EQ(GetI32(file, at.statistics), 111);
    EXPECT_EQ(GetI32(file, at.counters + 19 * 4), 222);
    EXPECT_EQ(GetI32(file, at.event_count), 40);
    EXPECT_EQ(GetI32(file, at.events), gs.market_events[0].event_year);
    EXPECT_EQ(GetI32(file, at.bookmarks + 9 * 8 + 4), 8);
    EXPECT_EQ(GetI32(file, at.options + 5 * 4), 0);
    EXPECT_EQ(GetI32(file, at.options), 1);
    // Between the events and the bookmarks: three opponents and 28 bytes.
    EXPECT_GT(at.bookmarks, at.opponents + 28);
    EXPECT_EQ(GetI32(file, at.bookmarks - 28), gs.active_opponent);
}

TEST_F(LevelRoundTrip, EditorWritesALevelStart) {
    MakeGame(5);
    gs.game_mode = kModeEditor;
    gs.news_ids[2] = 4;
    const Bytes file = SaveToBytes("s_0.lvl");
    const auto at = OffsetsOf(file);

    EXPECT_EQ(GetI32(file, 0), kModeGame);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(GetI32(file, 4 + 4 * i), 0);  // built counts, votes
    EXPECT_EQ(GetI32(file, at.calendar + 4), 0);
    EXPECT_EQ(GetI32(file, at.calendar + 8), 1960);
    EXPECT_EQ(file[at.event + 1], 11);
    for (int i = 0; i < kStatisticsWords; ++i) ASSERT_EQ(GetI32(file, at.statistics + 4 * i), 0);
    EXPECT_EQ(GetI32(file, at.counters), 300000);  // reset counters
    EXPECT_EQ(GetI32(file, at.event_count), 40);
    InitMarketEvents();
    for (int i = 0; i < kMarketEventSlots; ++i) {
        uint8_t expected[92];
        EncodeMarketEvent(gs.market_events[i], expected);
        ASSERT_EQ(std::memcmp(&file[at.events + 92 * size_t(i)], expected, 92), 0) << i;
    }
    EXPECT_EQ(at.opponents - at.events, 3680u);
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
    EXPECT_EQ(gs.board_votes, 0);
    for (int32_t id : gs.news_ids) EXPECT_EQ(id, -1);
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
    EXPECT_EQ(gs.game_mode, kModeCareer);
    EXPECT_EQ(g_TakeOverCount[0], 0);
    // The level's availability: building years from the counters, the two
    // switched-off categories gone with their stores.
    const int32_t year_types[6] = {15, 17, 18, 19, 16, 14};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(gs.building_types[year_types[i]].intro_year, 1980 + i);
    for (int g : {26, 27, 28, 32, 33, 34}) EXPECT_EQ(gs.goods[g].available, 0) << g;
    EXPECT_EQ(gs.building_types[23].intro_year, 2079);
    EXPECT_EQ(gs.building_types[26].intro_year, 2079);
    EXPECT_NE(gs.building_types[21].intro_year, 2079);
    // The opponents stay and rest; no bookmarks; display options on.
    EXPECT_EQ(gs.opponents[0], first);
    for (const COpponent* o : gs.opponents) {
        EXPECT_EQ(o->turn_pending, 0);
        EXPECT_EQ(o->takeover_year, 2060);
        EXPECT_EQ(o->takeover_percent, 100);
    }
    for (const Bookmark& mark : gs.bookmarks) EXPECT_EQ(mark.x, -1);
    EXPECT_EQ(gs.show_grid, 1);
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
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/save/lastsave.lvl"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/save/autosave.lvl"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/save/autosave.lvl.tmp"));
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
