// Level files: the round trip, what a load mends and resets, both readers,
// files of other shapes, and failures that lose nothing (the level-reader
// fuzzer feeds cut, flipped and random files with the same refusal check).

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "app/busy_game.h"
#include "app/level_file.h"
#include "app/level_file_fixture.h"
#include "app/level_records.h"
#include "app/loop_doubles.h"
#include "app/settings.h"
#include "economy/building_factory.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "game/opponent_fill.h"
#include "game/opponent_level.h"
#include "game/opponent_roster.h"
#include "platform/file.h"
#include "platform/headless/headless_backend.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/temp_folder.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "support/game_scope.h"
#include "transport/vehicle_list.h"
#include "view/world_view.h"
#include "world/way_network.h"

namespace {

using fvtest::Bytes;
using fvtest::GetI32;
using fvtest::PutI32;
using fvtest::ReadFileBytes;
using fvtest::WriteFileBytes;

// Offsets of the records of a written file (event: the active event). The
// network and the opponents vary in size; the rest follows from them.
struct RecordOffsets {
    size_t grid = 32, network = 0, cash = 0, calendar = 0, camera = 0, names = 0, event = 0;
    size_t statistics = 0, counters = 0, event_count = 0, events = 0, opponents = 0;
    size_t bookmarks = 0, options = 0, end = 0;
};
RecordOffsets OffsetsOf(const Bytes& file) {
    RecordOffsets at;
    at.network = at.grid + kFieldGridBytes;
    const uint32_t nodes = static_cast<uint32_t>(GetI32(file, at.network));
    at.cash = at.network + 4 + size_t{nodes} * (4 + kWayNodeRecordSize);
    // cash, season, empty buildings, empty vehicles, empty cities
    at.calendar = at.cash + 32 + 4 + 4 + 4 + 2048 + 4;
    at.camera = at.calendar + 12;
    at.names = at.camera + 20 + 4 + 1;
    at.event = at.names + 140;
    at.statistics = at.event + 2;
    at.counters = at.statistics + 6608;
    at.event_count = at.counters + 80 + 8;
    at.events = at.event_count + 4;
    at.opponents = at.events + 40 * 92;
    at.end = file.size();
    at.options = at.end - 24;
    at.bookmarks = at.options - 80;
    return at;
}

void Append(Bytes& out, const void* data, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}
void AppendI32(Bytes& out, int32_t value) {  // compared only with itself: host order
    Append(out, &value, sizeof value);
}

// A running game with a saved-games folder; helpers fill every record and
// snapshot what a load may touch.
class LevelFile : public ::testing::Test {
  protected:
    LevelFile() {
        gs.game_mode = kModeGame;
        std::snprintf(gs.data_paths[kPathSave * kDataPathCopies + gs.install_index],
                      kDataPathLength, "%s\\save", folder.Path().c_str());
        RecreateOpponents();
        EXPECT_TRUE(view.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
        EXPECT_TRUE(panel.Create(nullptr, {0, 0, 10, 10}, WS_POPUP));
    }
    ~LevelFile() override { DeleteAllVehicles(); }
    std::string FilePath(const std::string& name) const { return folder.Path() + "/" + name; }
    // Fills every saved record with values of `seed`'s own.
    void MakeGame(int32_t seed) {
        std::mt19937 n(static_cast<uint32_t>(seed));  // the same game for the same seed
        auto below = [&n](int32_t k) { return int32_t(n() % uint32_t(k)); };
        RecreateOpponents();  // sets the opponents' cash and names, which come below
        // No buildings, cities or nodes: the references stay empty.
        for (MapField& field : gs.fields) {
            for (uint8_t& b : field.bytes) b = static_cast<uint8_t>(n());
            field.set_wegtyp(field.wegtyp() % 7);
            field.set_stadtnum(0);
            field.set_knotennummer(0);
            if (!field.no_building_mask()) field.set_geb_num(0);
        }
        ClearTransientFieldBits();
        // Every load marks all fields changed for the next redraw, and the mark is
        // part of the saved grid: a game just loaded has it everywhere.
        MarkAllFieldsChanged();
        network->FreeAllNodes();
        for (int32_t number = 1 + seed % 3; number < kWayNodeSlots; number += 3 + seed % 5) {
            WayNode* node = new WayNode;
            for (int32_t i = 0; i < 4; ++i) {
                node->ziel[i] = below(kWayNodeSlots);
                node->cost[i] = below(5000);
                node->belegt[i] = static_cast<uint8_t>(below(2));
                node->back[i] = below(5) == 4 ? kNoBackDirection : static_cast<uint8_t>(below(4));
            }
            network->nodes[number] = node;  // on a field of its own
            gs.fields[number * 7].set_knotennummer(static_cast<uint32_t>(number));
        }
        for (int32_t i = 0; i < 6; ++i) gs.built_counts[i] = below(20) - 2;
        gs.board_votes = below(100);
        const int64_t cash[] = {(int64_t{1} << 40) + seed, -5 - seed, 700000 + seed,
                                -(int64_t{1} << 35)};
        std::copy(std::begin(cash), std::end(cash), gs.cash);
        std::tie(gs.season, gs.week, gs.month, gs.year) =
            std::tuple(1 + seed % 3, seed % 4, 1 + seed % 11, 1970 + seed);
        std::tie(view.centre_x, view.centre_y, view.zoom) =
            std::tuple(12.25 + seed, -3.0625 - seed, seed % 2 == 0 ? 4 : 16);
        gs.rotation = (seed + 1) % 4;
        for (int32_t k = 0; k < 4; ++k)
            gs.player_colors[k] = static_cast<uint8_t>((seed + 2 + k) % 4);
        for (int32_t p = 0; p < 4; ++p)
            std::snprintf(gs.company_names[p], kCompanyNameLength, "Company %d of game %d", p,
                          seed);
        std::tie(gs.active_event, gs.event_pause) = std::tuple(seed % 20, seed + 3);
        for (int32_t i = 0; i < kStatisticsWords; ++i)
            g_Statistics.words[i] = static_cast<int32_t>(n() >> 8) - (1 << 23);
        std::tie(g_TakeOverCount[0], g_TakeOverCount[1], g_TakeOverCount[2]) =
            std::tuple(1, 0, seed % 2);
        for (int32_t i = 0; i < kNewGameCounterWords; ++i)
            g_NewGameCounters.words[i] = i * 11 + seed;
        for (int32_t& id : gs.news_ids) id = -1;  // every load sets them so
        InitMarketEvents();
        for (int32_t i = 0; i < kMarketEventSlots; ++i) {
            MarketEvent& event = gs.market_events[i];
            event.event_counter = static_cast<uint8_t>(below(50));
            event.event_state = static_cast<uint8_t>(below(3));
            event.event_prices[i % 9] += seed;
        }
        for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
            COpponent& o = *gs.opponents[slot];
            fvtest::FillOpponent(o, slot + seed, {});
            std::tie(o.takeover_year, o.takeover_percent) =
                std::tuple(1990 + slot + seed, 40 + slot);
        }
        gs.active_opponent = seed % 3;
        for (int32_t i = 0; i < kBookmarkCount; ++i) gs.bookmarks[i] = {i * 20 + seed, 255 - i};
        std::tie(gs.show_grid, gs.show_trees, gs.show_city_buildings, gs.show_city_names,
                 gs.show_building_names, gs.show_production) =
            std::tuple(seed % 2, 1 - seed % 2, 0, 1, 0, 1);
    }
    // Everything a load may change: the records as written plus the state
    // that loads reset and no record holds.
    Bytes Snapshot() const {
        const std::string path = folder.Path() + "/snapshot.bin";
        const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
        WriteLevelRecords(file, gs.game_mode);
        plat::CloseFile(file);
        Bytes out = ReadFileBytes(path);
        plat::RemoveFile(path);
        for (int32_t value : {gs.game_mode, gs.goal_reached, gs.start_marker, gs.schedule_words[1],
                              gs.schedule_words[2], gs.construction_word, gs.selected_building_type,
                              gs.placement_city, gs.ng_land, gs.regen_world, gs.mine_kind,
                              gs.redraw_terrain, gs.redraw_objects})
            AppendI32(out, value);
        for (int32_t id : gs.news_ids) AppendI32(out, id);
        Append(out, gs.player_colors, sizeof gs.player_colors);
        for (int64_t shown : gs.cash_shown) Append(out, &shown, sizeof shown);
        for (const GoodsRecord& g : gs.goods)
            for (int32_t v : {g.price, g.available, g.intro_year}) AppendI32(out, v);
        for (const BuildingType& type : gs.building_types) AppendI32(out, type.intro_year);
        Append(out, &g_pVehicleList, sizeof g_pVehicleList);
        Append(out, gs.opponents, sizeof gs.opponents);
        for (const COpponent* o : gs.opponents) AppendI32(out, o != nullptr ? o->turn_pending : 0);
        Append(out, gs.fields, sizeof gs.fields);  // every bit, also those a load clears
        Append(out, &view.centre_x, 8);
        Append(out, &view.centre_y, 8);
        AppendI32(out, view.zoom);
        return out;
    }
    Bytes SaveToBytes(const std::string& name) {
        EXPECT_TRUE(SaveGameFile(FilePath(name)));
        return ReadFileBytes(FilePath(name));
    }
    // The records of the running game as they are, past the saver's own
    // check: for damage the saver would refuse to write.
    Bytes WriteUnchecked(const std::string& name) {
        const plat::FileHandle file = plat::OpenFile(FilePath(name), plat::OpenMode::Create);
        WriteLevelRecords(file, gs.game_mode);
        plat::CloseFile(file);
        return ReadFileBytes(FilePath(name));
    }
    // A saved game whose records differ from those of the running game.
    Bytes SavedGame() {
        MakeGame(1);
        for (int32_t i = 0; i < kMarketEventSlots; ++i) gs.market_events[i].event_state = 9;
        return SaveToBytes("saved.lvl");
    }
    LevelLoadResult Load(const Bytes& file) {
        WriteFileBytes(FilePath("patched.lvl"), file);
        host.QueueMessageBoxAnswer(IDOK);  // for a damaged-file box
        return LoadSavedGame(FilePath("patched.lvl"));
    }
    // Loads `file` as a saved game (or by `load`): refused with the
    // damaged-file box, and the running game is as it was.
    void ExpectRefused(const Bytes& file,
                       LevelLoadResult (*load)(const std::string&) = LoadSavedGame) {
        WriteFileBytes(FilePath("bad.lvl"), file);
        const Bytes before = Snapshot();
        const size_t boxes = host.MessageBoxes().size();
        host.QueueMessageBoxAnswer(IDOK);
        ASSERT_EQ(load(FilePath("bad.lvl")), LevelLoadResult::Rejected);
        ASSERT_TRUE(Snapshot() == before) << "a rejected file changed the game";
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(host.MessageBoxes().back().text, DamagedLevelText(FilePath("bad.lvl")));
    }
    static Bytes Cut(const Bytes& file, size_t from, size_t to) {
        return Bytes(file.begin() + static_cast<std::ptrdiff_t>(from),
                     file.begin() + static_cast<std::ptrdiff_t>(to));
    }
    // The running event's prices are on its goods.
    void ExpectEventPrices(int32_t event) {
        const MarketEvent& running = gs.market_events[event];
        for (int k = 0; k < 9; ++k) {
            const uint8_t g = running.event_goods[k];
            EXPECT_TRUE(g >= kGoodsCount || gs.goods[g].price == running.event_prices[k]) << k;
        }
    }
    plat::HeadlessBackend host;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    CLookupTables tables;
    CWayNetwork* network = &scope.UseWayNetwork();
    fvtest::TempFolder folder;
    fvtest::RecordingView& view = scope.UseView();
    fvtest::RecordingPanel& panel = scope.UsePanel();
};

TEST_F(LevelFile, SaveLoadSaveIsByteIdenticalALoadSetsWhatNoRecordHolds) {
    MakeGame(1);
    const Bytes first = SaveToBytes("first.lvl");
    MakeGame(2);  // a different running game
    ASSERT_EQ(LoadSavedGame(FilePath("first.lvl")), LevelLoadResult::Loaded);
    EXPECT_TRUE(SaveToBytes("second.lvl") == first);
    EXPECT_TRUE(host.MessageBoxes().empty());
    // What the byte-identical round trip cannot show: the fix-ups of a load.
    MakeGame(3);  // odd seeds save zoom 16
    ASSERT_TRUE(SaveGameFile(FilePath("game.lvl")));
    MakeGame(8);
    std::tie(gs.goal_reached, gs.news_ids[3], gs.selected_building_type, gs.user_pause) =
        std::tuple(1, 17, 5, 1);
    std::memset(panel.legend_flags, 0, sizeof panel.legend_flags);
    ASSERT_EQ(LoadSavedGame(FilePath("game.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(std::tuple(gs.cash[0], gs.cash_shown[0]),  // all 64 bits
              std::tuple((int64_t{1} << 40) + 3, (int64_t{1} << 40) + 3));
    // Colours follow the human player's.
    for (int k = 0; k < 4; ++k) EXPECT_EQ(gs.player_colors[k], (gs.player_colors[0] + k) % 4);
    for (int32_t id : gs.news_ids) EXPECT_EQ(id, -1);
    EXPECT_EQ(
        std::tie(gs.goal_reached, gs.selected_building_type, gs.construction_word, gs.user_pause),
        std::tuple(0, -1, -1, 0));
    ExpectEventPrices(gs.active_event);
    // The view and the panel were refreshed once a load; zoom 16 marks the overview.
    EXPECT_EQ(std::tie(view.redraws, panel.dates, panel.capitals, gs.redraw_terrain),
              std::tuple(2, 2, 2, 1));
    for (uint8_t mark : panel.legend_flags) EXPECT_EQ(mark, 1);
}

TEST_F(LevelFile, EditorWritesALevelStartAndReadingInItStaysThere) {
    MakeGame(5);
    std::tie(gs.game_mode, gs.news_ids[2]) = std::tuple(kModeEditor, 4);
    const Bytes file = SaveToBytes("s_0.lvl");
    const auto at = OffsetsOf(file);
    EXPECT_EQ(GetI32(file, 0), kModeGame);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(GetI32(file, 4 + 4 * i), 0);  // built counts, votes
    EXPECT_EQ(std::tuple(GetI32(file, at.calendar + 8), file[at.event + 1]), std::tuple(1960, 11));
    for (int i = 0; i < kStatisticsWords; ++i) ASSERT_EQ(GetI32(file, at.statistics + 4 * i), 0);
    EXPECT_EQ(GetI32(file, at.counters), 300000);  // reset counters
    InitMarketEvents();
    for (int i = 0; i < kMarketEventSlots; ++i) {
        uint8_t expected[92];
        EncodeMarketEvent(gs.market_events[i], expected);
        ASSERT_EQ(std::memcmp(&file[at.events + 92 * size_t(i)], expected, 92), 0) << i;
    }
    // Three fresh opponents, as a new editor level would have them.
    RecreateOpponents();
    const plat::FileHandle h = plat::OpenFile(FilePath("fresh.bin"), plat::OpenMode::Create);
    WriteOpponentRecords(h);
    plat::CloseFile(h);
    const Bytes fresh = ReadFileBytes(FilePath("fresh.bin"));
    EXPECT_EQ(Cut(file, at.opponents, at.opponents + fresh.size() - 28),
              Cut(fresh, 0, fresh.size() - 28));
    // The running editor level was normalised with it and stays in the editor.
    EXPECT_EQ(std::tie(gs.game_mode, gs.year), std::tuple(kModeEditor, 1960));
    // Reading in the editor stays there; goods come as each reader says.
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
    // Good 11 comes in 1962: not before March in a saved game, at once in a
    // level start (no month test). The file is dated January 1962.
    MakeGame(1);
    std::tie(gs.year, gs.month) = std::tuple(1962, 0);
    ASSERT_TRUE(SaveGameFile(FilePath("g.lvl")));
    ASSERT_EQ(LoadSavedGame(FilePath("g.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(std::tuple(gs.goods[11].intro_year, gs.goods[11].available), std::tuple(1962, 0));
    // February 1962 still without it, March 1962 with it.
    for (auto [month, available] : {std::pair{1, 0}, {2, 1}}) {
        MakeGame(1);
        std::tie(gs.year, gs.month) = std::tuple(1962, month);
        ASSERT_TRUE(SaveGameFile(FilePath("m.lvl")));
        ASSERT_EQ(LoadSavedGame(FilePath("m.lvl")), LevelLoadResult::Loaded);
        EXPECT_EQ(gs.goods[11].available, available) << month;
    }
    ASSERT_EQ(LoadLevel(FilePath("g.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(std::tuple(gs.goods[11].available, gs.goods[12].available), std::tuple(1, 0));
}

TEST_F(LevelFile, LevelStartKeepsNamesVotesAndVehiclesOutAndAppliesAvailability) {
    MakeGame(4);
    gs.game_mode = kModeCareer;
    g_NewGameCounters.words[kNgcLumber] = -1;  // no furniture
    g_NewGameCounters.words[kNgcMotor] = -3;   // no cars
    for (int i = 0; i < 6; ++i)
        g_NewGameCounters.words[kNgcBuildingYearFirst + i] = 0x70000 + 1980 + i;
    std::tie(g_TakeOverCount[0], gs.board_votes) = std::tuple(1, 77);
    std::snprintf(gs.company_names[0], kCompanyNameLength, "Level maker");
    Bytes file = SaveToBytes("k1_0.lvl");
    // A level is read up to its market events: what follows is never looked at.
    file.resize(OffsetsOf(file).opponents);
    file.insert(file.end(), 100, 0xEE);
    WriteFileBytes(FilePath("k1_0.lvl"), file);
    MakeGame(6);
    std::tie(gs.game_mode, gs.board_votes) = std::tuple(kModeCareer, 42);
    std::snprintf(gs.company_names[0], kCompanyNameLength, "Running company");
    const uint8_t colour = gs.player_colors[0];
    COpponent* const first = gs.opponents[0];
    int deletions = 0;
    auto* vehicle = new fvtest::TestVehicle(1, &deletions);
    RegisterVehicle(vehicle);
    first->plan_list_a.push_back(fvtest::MakePlanNode(1, vehicle));
    ASSERT_EQ(LoadLevel(FilePath("k1_0.lvl")), LevelLoadResult::Loaded);
    EXPECT_STREQ(gs.company_names[0], "Running company");
    EXPECT_EQ(std::tuple(gs.board_votes, gs.player_colors[0], g_TakeOverCount[0]),
              std::tuple(42, colour, 0));
    // The level's availability: building years from the counters, the two
    // switched-off categories gone with their stores.
    const int32_t year_types[6] = {15, 17, 18, 19, 16, 14};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(gs.building_types[year_types[i]].intro_year, 1980 + i);
    for (int g : {26, 27, 28, 32, 33, 34}) EXPECT_EQ(gs.goods[g].available, 0) << g;
    EXPECT_EQ(gs.building_types[23].intro_year, 2079);
    EXPECT_NE(gs.building_types[21].intro_year, 2079);
    // The vehicles go; the opponents stay, rest and forget them; no
    // bookmarks; display options on.
    EXPECT_EQ(std::tuple(g_pVehicleList, deletions, gs.opponents[0]),
              std::tuple(nullptr, 1, first));
    for (const PlanNode& node : first->plan_list_a) EXPECT_EQ(node.vehicle, nullptr);
    for (const COpponent* o : gs.opponents)
        EXPECT_EQ(std::tie(o->turn_pending, o->takeover_year, o->takeover_percent),
                  std::tuple(0, 2060, 100));
    for (const Bookmark& mark : gs.bookmarks) EXPECT_EQ(mark.x, -1);
    EXPECT_EQ(gs.show_city_buildings, 1);
}

// The market-event count: the older layout has none and 27 records; a count
// up to 40 reads that many; above 40 the surplus is skipped, up to the end of
// the file, where new opponents take the place of the missing ones.
TEST_F(LevelFile, MarketEventCountsOfOtherShapesAndFilesEndingEarly) {
    const Bytes good = SavedGame();
    const auto at = OffsetsOf(good);
    struct Shape {
        int32_t count;  // -1: no count (the older layout)
        int32_t records, read;
    };
    for (const Shape c : {Shape{-1, 27, 27}, {25, 25, 25}, {43, 43, 40}, {2147483647, 40, 40}}) {
        SCOPED_TRACE(c.count);
        Bytes file = Cut(good, 0, c.count >= 0 ? at.events : at.event_count);
        if (c.count >= 0) PutI32(file, at.event_count, c.count);
        const Bytes records =
            Cut(good, at.events, at.events + 92 * size_t(std::min(c.records, 40)));
        file.insert(file.end(), records.begin(), records.end());
        file.insert(file.end(), 92 * size_t(std::max(0, c.records - 40)), 0x5A);
        const Bytes rest = Cut(good, at.opponents, at.end);
        file.insert(file.end(), rest.begin(), rest.end());
        MakeGame(4);
        ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
        for (int32_t i = 0; i < kMarketEventSlots; ++i) {
            // Records not read keep what the built-in table gave them.
            ASSERT_EQ(gs.market_events[i].event_state, i < c.read ? 9 : 0) << i;
        }
        for (int32_t slot = 0; slot < kOpponentCount; ++slot)
            EXPECT_EQ(gs.opponents[slot]->takeover_year,
                      c.count == 2147483647 ? 2060 : 1990 + slot + 1);
    }
    // Files ending after the calendar load what they hold.
    MakeGame(4);
    gs.show_production = 0;
    ASSERT_EQ(Load(Cut(good, 0, at.options)), LevelLoadResult::Loaded);
    // Opponents read; options not in the file kept.
    EXPECT_EQ(std::tie(gs.opponents[2]->in_use, gs.bookmarks[0].x, gs.show_production),
              std::tuple(7 + 2 + 1, -1, 0));
    for (const COpponent* o : gs.opponents) EXPECT_EQ(o->takeover_year, 2060);
    // The week only: a level start's statistics and counters, the built-in
    // events, new opponents without take-over terms or bookmarks.
    ASSERT_EQ(Load(Cut(good, 0, at.calendar + 4)), LevelLoadResult::Loaded);
    EXPECT_EQ(std::tie(gs.week, gs.year), std::tuple(1, 0));
    for (int32_t word : g_Statistics.words) ASSERT_EQ(word, 0);
    EXPECT_EQ(std::tuple(g_NewGameCounters.words[kNgcMoney], gs.market_events[0].event_state),
              std::tuple(300000, 0));
    for (const COpponent* o : gs.opponents) EXPECT_EQ(o->takeover_year, 2060);
    // A mission or scenario may end between two records, with the defaults of
    // what it lacks; one that ends inside a record is refused.
    for (size_t length : {at.opponents, at.options}) {
        MakeGame(4);
        WriteFileBytes(FilePath("m1_0.lvl"), Cut(good, 0, length));
        ASSERT_EQ(LoadPreparedGame(FilePath("m1_0.lvl")), LevelLoadResult::Loaded);
        EXPECT_EQ(std::pair(gs.opponents[0]->takeover_percent, gs.bookmarks[9].y),
                  std::pair(100, -1));
    }
    for (size_t length : {at.calendar + 4, at.opponents + 2, at.bookmarks - 2, at.end - 1})
        ExpectRefused(Cut(good, 0, length), LoadPreparedGame);
}

// Values a reader mends instead of refusing: an active event outside the
// table means none, take-over counts above one are cleared, company names
// are always terminated.
TEST_F(LevelFile, OutOfRangeValuesAreMendedTransientBitsCleared) {
    Bytes file = SavedGame();
    const auto at = OffsetsOf(file);
    for (int value : {45, -3, -128}) {
        file[at.event] = static_cast<uint8_t>(value);
        ASSERT_EQ(Load(file), LevelLoadResult::Loaded) << value;
        EXPECT_EQ(gs.active_event, -1) << value;
    }
    file[at.event] = static_cast<uint8_t>(-2);  // events switched off: kept
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.active_event, -2);
    file[at.event] = 7;
    for (int i = 0; i < 3; ++i) PutI32(file, at.statistics + 4 * (1649 + i), i == 0 ? 1 : 2 + i);
    std::memset(&file[at.names], 'A', 140);
    ASSERT_EQ(Load(file), LevelLoadResult::Loaded);
    ExpectEventPrices(7);
    EXPECT_EQ((std::vector<int32_t>(g_TakeOverCount, g_TakeOverCount + 3)),
              (std::vector<int32_t>{1, 0, 0}));
    for (const auto& name : gs.company_names) EXPECT_EQ(std::strlen(name), 34u);
    // Transient bits are cleared, except in the last row and column.
    SavedGame();
    for (MapField& field : gs.fields) {
        field.set_belegt(3);
        field.set_geb_change(true);
        field.set_tunnel_belegt(true);
        field.set_cursor(2);
    }
    ASSERT_EQ(Load(SaveToBytes("bits.lvl")), LevelLoadResult::Loaded);
    for (int32_t x = 0; x < 256; ++x) {
        for (int32_t y = 0; y < 256; ++y) {
            const MapField& f = *FieldAt(x, y);  // the cursor is no transient bit of the file
            const bool kept = x == 255 || y == 255;
            ASSERT_EQ(std::tuple(f.belegt(), f.geb_change(), f.tunnel_belegt(), f.cursor()),
                      std::tuple(kept ? 3u : 0u, kept, kept, 2u))
                << x << "," << y;
        }
    }
}

TEST_F(LevelFile, ValuesNoGameHoldsAreRefused) {
    const Bytes good = SavedGame();
    const auto at = OffsetsOf(good);
    // Game mode, season, week, month, year, cash, zoom, rotation, node count and
    // number, a building, a vehicle and a city the file cannot hold, a negative
    // market-event count: each with two bad values.
    const struct {
        size_t at;
        int32_t bad[2];
    } patches[] = {// clang-format off
        {0, {0, 5}}, {at.cash + 32, {0, 4}}, {at.calendar, {4, -1}}, {at.calendar + 4, {12, -1}},
        {at.calendar + 8, {2147483647, -1}}, {at.cash + 4, {2147483647, -2147483647 - 1}},
        {at.camera + 16, {3, 0}}, {at.camera + 20, {4, -1}}, {at.network, {8192, 8192}},
        {at.network + 4, {0, 0}}, {at.cash + 36, {1, 1}}, {at.cash + 40, {1, 1}},
        {at.cash + 44 + 2048, {1, 1}}, {at.event_count, {-1, -1}}};
    // clang-format on
    MakeGame(4);
    for (const auto& patch : patches) {
        for (int32_t value : patch.bad) {
            SCOPED_TRACE(testing::Message() << patch.at << " " << value);
            Bytes file = good;
            PutI32(file, patch.at, value);
            ExpectRefused(file);
        }
    }
    // Colour and camera.
    for (double centre : {std::nan(""), std::numeric_limits<double>::infinity(), -1e9}) {
        Bytes file = good;
        std::memcpy(&file[at.camera + 8], &centre, 8);
        ExpectRefused(file);
    }
    Bytes file = good;
    file[at.camera + 24] = 4;
    ExpectRefused(file);
    // Files cut before the calendar.
    for (size_t length : {size_t{0}, size_t{31}, at.network + 2, at.cash + 5, at.calendar - 1})
        ExpectRefused(Cut(good, 0, length));
}

using NothingLost = LevelFile;

TEST_F(NothingLost, ShortWriteKeepsTheOlderLevelFile) {
    MakeGame(1);
    const Bytes old_file = SaveToBytes("slot.lvl");
    MakeGame(2);
    const int64_t new_size = static_cast<int64_t>(SaveToBytes("probe.lvl").size());
    // The last case: a short write where there was no file leaves none.
    for (int64_t limit : {int64_t{0}, int64_t{5}, int64_t{786000}, new_size - 1, int64_t{100}}) {
        SCOPED_TRACE(limit);
        const std::string path = FilePath(limit == 100 ? "new.lvl" : "slot.lvl");
        host.QueueMessageBoxAnswer(IDOK);
        plat::SetWriteLimitForTests(limit);
        const size_t boxes = host.MessageBoxes().size();
        EXPECT_FALSE(SaveGameFile(path));
        plat::SetWriteLimitForTests(-1);
        EXPECT_TRUE(ReadFileBytes(FilePath("slot.lvl")) == old_file);
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
        EXPECT_FALSE(std::filesystem::exists(FilePath("new.lvl")));
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
        const auto& box = host.MessageBoxes().back();
        EXPECT_EQ(std::tie(box.text, box.caption, box.flags),
                  std::tuple("The file was not written correctly:\n " + path +
                                 " \n Check the remaining disk space!!!!",
                             "Ferrovane", unsigned(MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL)));
    }
    EXPECT_TRUE(SaveGameFile(FilePath("slot.lvl")));  // and the next save goes through
    EXPECT_FALSE(ReadFileBytes(FilePath("slot.lvl")) == old_file);
}

// A game the loader would refuse (here: past the last year a file holds) is
// not written over a good file; the last year itself saves and loads.
TEST_F(NothingLost, ASaveTheLoaderWouldRefuseKeepsTheGoodFile) {
    MakeGame(1);
    const Bytes good = SaveToBytes("slot.lvl");
    gs.year = kLastGameYear + 1;
    host.QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(SaveGameFile(FilePath("slot.lvl")));
    EXPECT_TRUE(ReadFileBytes(FilePath("slot.lvl")) == good);
    EXPECT_FALSE(std::filesystem::exists(FilePath("slot.lvl.tmp")));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, UnloadableSaveText(FilePath("slot.lvl")));
    gs.year = kLastGameYear;
    SaveToBytes("slot.lvl");
    gs.year = 1990;
    ASSERT_EQ(LoadSavedGame(FilePath("slot.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(gs.year, kLastGameYear);
}

// The boxes name the file as the host writes paths, whatever the game's
// own paths are joined with; a file that cannot be created is reported as
// not written, not as missing.
TEST_F(NothingLost, BoxesNameFilesWithTheHostsSeparator) {
    MakeGame(1);
    host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(LoadLastGame(), LevelLoadResult::Cancelled);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    const std::string shown = folder.Path() + "/save/lastsave.lvl";
    EXPECT_NE(host.MessageBoxes()[0].text.find(" " + shown + " "), std::string::npos)
        << host.MessageBoxes()[0].text;
    EXPECT_EQ(host.MessageBoxes()[0].text.find('\\'), std::string::npos);
    WriteFileBytes(FilePath("plain"), {1});
    host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(SaveGameFile(FilePath("plain") + "\\x.lvl"));
    const std::string text = host.MessageBoxes().back().text;
    EXPECT_NE(text.find("couldn\xb4t be written:\n " + FilePath("plain") + "/x.lvl \n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("CD"), std::string::npos);
    for (const std::string& other : {DamagedLevelText("a\\b.lvl"), WriteErrorText("a\\b.lvl"),
                                     SettingsWriteErrorText("a\\b.ini")}) {
        EXPECT_EQ(other.find('\\'), std::string::npos) << other;
    }
}

// The settings written back at the end on a full disk: the old file stays
// and the player is told once.
TEST_F(NothingLost, FailedSettingsWriteBackShowsOneBox) {
    const std::string ini = folder.Path() + "\\ferrovane.ini";
    folder.Write("ferrovane.ini", "[INSTALL]\r\nInstallation=1\r\n");
    plat::SetWriteLimitForTests(10);
    WriteSettingsAtExit(ini);
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(folder.Read("ferrovane.ini"), "[INSTALL]\r\nInstallation=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/ferrovane.ini.tmp"));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, SettingsWriteErrorText(ini));
    WriteSettingsAtExit(ini);  // with room again: written, no box
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(plat::GetProfileInt("OPTIONEN", "Sound", -1, ini), gs.sound_enabled);
    EXPECT_EQ(plat::GetProfileInt("INSTALL", "Installation", -1, ini), 1);
}

// Fields that name buildings, cities or nodes that the file does not hold,
// or a way type beyond the table, make the file damaged.
TEST_F(NothingLost, FieldsNamingWhatDoesNotExistAreRefused) {
    const struct {
        const char* damage;
        void (*apply)(CGameState& gs);
    } cases[] = {
        {"empty building slot 1000",
         [](CGameState& gs) {
             MapField& field = gs.fields[300];
             field.bytes[0] &= 0xCF;  // neither bridge nor forest
             field.set_stadtnum(0);
             field.set_data_word((14u << 10) | 1000u);
         }},
        {"city 60", [](CGameState& gs) { gs.fields[301].set_stadtnum(60); }},
        {"node 9000", [](CGameState& gs) { gs.fields[302].set_knotennummer(9000); }},
        {"node not in the network", [](CGameState& gs) { gs.fields[303].set_knotennummer(3); }},
        {"node of another field", [](CGameState& gs) { gs.fields[304].set_knotennummer(2); }},
        {"way type 7", [](CGameState& gs) { gs.fields[305].set_wegtyp(7); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damage);
        MakeGame(1);
        const Bytes good = SaveToBytes("good.lvl");
        c.apply(gs);
        const Bytes file = WriteUnchecked("damaged.lvl");
        // The saver does not write such a game over a good file either.
        host.QueueMessageBoxAnswer(IDOK);
        EXPECT_FALSE(SaveGameFile(FilePath("good.lvl")));
        EXPECT_TRUE(ReadFileBytes(FilePath("good.lvl")) == good);
        EXPECT_EQ(host.MessageBoxes().back().text, UnloadableSaveText(FilePath("good.lvl")));
        MakeGame(2);
        ExpectRefused(file);
    }
}

// A busy game loads and saves byte for byte; a product or state byte its writer
// never writes, or a building its anchor field does not name, is damage.
TEST_F(NothingLost, BusyGameSavesAndLoadsByteForByte) {
    fvtest::BusyGame busy;
    busy.Build(3);
    busy.Run(host, 150);
    const Bytes first = SaveToBytes("busy.lvl");
    busy.Build(5);  // another running game
    ASSERT_EQ(LoadSavedGame(FilePath("busy.lvl")), LevelLoadResult::Loaded);
    EXPECT_FALSE(SaveToBytes("again.lvl") == first);  // the vehicles listed in reverse
    ASSERT_EQ(LoadSavedGame(FilePath("again.lvl")), LevelLoadResult::Loaded);
    EXPECT_TRUE(SaveToBytes("third.lvl") == first);
    EXPECT_TRUE(host.MessageBoxes().empty());
    // The first building is a mine: after its 20-byte header (type, slot, x)
    // its stock slot, then its product. The second, a lumber mill, holds its
    // last cut field (8 bytes), then its tree state.
    const size_t buildings = OffsetsOf(first).cash + 36;
    ASSERT_EQ(first[buildings + 4], kTypeMine);
    const std::pair<size_t, int32_t> cases[] = {{buildings + 4 + 20 + 12, 9999},  // product
                                                {buildings + 4 + 20, 9999},       // stock product
                                                {buildings + 4 + 20 + 28 + 20 + 8, 200},  // trees
                                                {buildings + 4 + 8, 0}};  // anchor off
    for (const auto& [at, value] : cases) {
        Bytes bad = first;
        PutI32(bad, at, value);
        ExpectRefused(bad);
    }
}

// The offset and type of the last building record of a written file.
std::pair<size_t, int32_t> LastBuilding(const Bytes& file) {
    size_t at = OffsetsOf(file).cash + 36;
    const uint32_t count = static_cast<uint32_t>(GetI32(file, at));
    at += 4;
    std::pair<size_t, int32_t> last{0, -1};
    for (uint32_t i = 0; i < count; ++i) {
        last = {at, file.at(at)};
        at += kBuildingHeaderSize + static_cast<size_t>(RecordSizeOfType(file.at(at)));
    }
    return last;
}

// A value no writer writes in the last building record (so that every
// record after it still reads): the check refuses the file, and the reading
// finds it again when the file changed after the check.
constexpr size_t kStationLengthInRecord = kBuildingHeaderSize + 35;
std::string g_changing_file;
size_t g_changing_at = 0;
void PutAZeroStationLength() {
    Bytes file = ReadFileBytes(g_changing_file);
    PutI32(file, g_changing_at, 0);
    WriteFileBytes(g_changing_file, file);
}

TEST_F(NothingLost, ADamagedLastBuildingIsRefusedByTheCheckAndByTheReading) {
    fvtest::BusyGame busy;
    busy.Build(3);
    busy.Run(host, 150);
    const Bytes first = SaveToBytes("busy.lvl");
    const auto [last, type] = LastBuilding(first);
    ASSERT_TRUE(type >= 6 && type <= 9) << type;  // a train station
    ASSERT_GE(GetI32(first, last + kStationLengthInRecord), 1);
    Bytes bad = first;
    PutI32(bad, last + kStationLengthInRecord, 0);
    ExpectRefused(bad);
    // Damaged between the check and the reading of the buildings (the
    // season's tiles load in between).
    g_changing_file = FilePath("changing.lvl");
    g_changing_at = last + kStationLengthInRecord;
    WriteFileBytes(g_changing_file, first);
    GetLevelPictureHooks().load_season_tiles = &PutAZeroStationLength;
    host.QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(LoadSavedGame(g_changing_file), LevelLoadResult::FailedMidway);
    GetLevelPictureHooks().load_season_tiles = nullptr;
    EXPECT_EQ(host.MessageBoxes().back().text, DamagedLevelText(g_changing_file));
}

TEST_F(LevelFile, MissingFilesAndFoldersLeaveTheGameAsItWas) {
    MakeGame(1);
    const Bytes before = Snapshot();
    for (int answer : {IDRETRY, IDCANCEL, IDCANCEL, IDCANCEL}) host.QueueMessageBoxAnswer(answer);
    // Braces: the three loads run in this order.
    EXPECT_EQ((std::tuple{LoadSavedGame(FilePath("nothing.lvl")),
                          LoadLevel(FilePath("nothing.lvl")), LoadLastGame()}),
              std::tuple(LevelLoadResult::Cancelled, LevelLoadResult::Cancelled,
                         LevelLoadResult::Cancelled));
    EXPECT_EQ(host.MessageBoxes().size(), 4u);
    EXPECT_EQ(host.MessageBoxes()[0].text, MissingLevelText(FilePath("nothing.lvl")));
    EXPECT_TRUE(Snapshot() == before);
    // Saving where no folder can be made (its parent is a file), cancelled
    // in the retry box, writes nothing.
    std::tie(gs.game_mode, gs.year) = std::tuple(kModeEditor, 1999);
    WriteFileBytes(FilePath("plain"), {1, 2, 3});
    const std::string path = FilePath("plain") + "\\x.lvl";
    host.QueueMessageBoxAnswer(IDRETRY);
    host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(SaveGameFile(path));
    ASSERT_EQ(host.MessageBoxes().size(), 6u);
    EXPECT_EQ(std::tie(host.MessageBoxes()[4].text, host.MessageBoxes()[4].flags),
              std::tuple(UnwritableLevelText(path),
                         unsigned(MB_RETRYCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL)));
    // The editor level was not normalised: nothing was written.
    EXPECT_EQ(std::tie(gs.year, gs.game_mode), std::tuple(1999, kModeEditor));
}

// The file changes between the check and the reading: the second walk finds
// the damage itself.
std::string g_shrinking_file;
void CutTheFileShort() {
    if (::truncate(g_shrinking_file.c_str(), 786432 + 100) != 0) g_shrinking_file.clear();
}

TEST_F(LevelFile, FileDamagedBetweenCheckAndReadingIsCaughtByTheReading) {
    MakeGame(1);
    SaveToBytes("moving.lvl");
    g_shrinking_file = FilePath("moving.lvl");
    GetLevelPictureHooks().load_season_tiles = &CutTheFileShort;  // runs after record 7
    host.QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(LoadSavedGame(FilePath("moving.lvl")), LevelLoadResult::FailedMidway);
    ASSERT_FALSE(g_shrinking_file.empty());
    EXPECT_EQ(host.MessageBoxes().back().text, DamagedLevelText(FilePath("moving.lvl")));
}

}  // namespace

namespace {

// A career's difficulty and assignment are kept in a record beside the
// saved game: a later run that loads it goes on with them. The level file
// holds the same records as before; a missing or damaged record keeps the
// running values.
TEST_F(LevelFile, ACareerLoadedInALaterRunGoesOnAtItsDifficultyAndAssignment) {
    MakeGame(1);
    gs.game_mode = kModeCareer;
    std::tie(gs.career_difficulty, gs.career_level) = std::pair(70, 3);
    ASSERT_TRUE(SaveGameFile(FilePath("3.lvl")));
    EXPECT_TRUE(ReadFileBytes(FilePath("3.lvl")) == WriteUnchecked("records.lvl"));
    const Bytes record = ReadFileBytes(FilePath("3.career"));
    EXPECT_EQ(record.size(), 12u);
    // The program as at start-up, another game running.
    const auto fresh = std::make_unique<CGameState>();
    std::tie(gs.career_difficulty, gs.career_level) =
        std::pair(fresh->career_difficulty, fresh->career_level);
    MakeGame(2);
    gs.game_mode = kModeGame;
    ASSERT_EQ(LoadSavedGame(FilePath("3.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(std::tuple(gs.game_mode, gs.career_difficulty, gs.career_level),
              std::tuple(kModeCareer, 70, 3));

    // Without a sound record the running values stay, with no box.
    const auto with = [](Bytes bytes, size_t at, uint8_t value) {
        bytes.at(at) = value;
        return bytes;
    };
    Bytes longer = record;
    longer.push_back(0);
    const struct {
        const char* what;
        bool present;
        Bytes bytes;
    } damaged[] = {
        {"missing", false, {}},
        {"empty", true, {}},
        {"short", true, Bytes(record.begin(), record.end() - 1)},
        {"long", true, longer},
        {"another tag", true, with(record, 0, 'X')},
        {"difficulty 60", true, with(record, 4, 60)},
        {"assignment 10", true, with(record, 8, 10)},
        {"negative assignment", true, with(record, 11, 0x80)},
    };
    for (const auto& c : damaged) {
        SCOPED_TRACE(c.what);
        plat::RemoveFile(FilePath("3.career"));
        if (c.present) WriteFileBytes(FilePath("3.career"), c.bytes);
        std::tie(gs.career_difficulty, gs.career_level) = std::pair(100, 0x0105);
        const size_t boxes = host.MessageBoxes().size();
        ASSERT_EQ(LoadSavedGame(FilePath("3.lvl")), LevelLoadResult::Loaded);
        EXPECT_EQ(std::tuple(gs.career_difficulty, gs.career_level, host.MessageBoxes().size()),
                  std::tuple(100, 0x0105, boxes));
    }
}

}  // namespace
