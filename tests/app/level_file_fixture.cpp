#include "app/level_file_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "app/level_records.h"
#include "game/opponent.h"
#include "game/opponent_fill.h"
#include "game/opponent_roster.h"
#include "panel/control_panel.h"
#include "platform/file.h"
#include "state/data_tables.h"
#include "state/le_io.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "transport/vehicle.h"
#include "transport/vehicle_level.h"
#include "view/world_view.h"

namespace fvtest {

namespace {

void Append(Bytes& out, const void* data, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

void AppendI32(Bytes& out, int32_t value) {  // compared only with itself: host order
    Append(out, &value, sizeof value);
}

}  // namespace

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void PutI32(Bytes& file, size_t offset, int32_t value) {
    le::PutU32(&file.at(offset + 3) - 3, static_cast<uint32_t>(value));
}

int32_t GetI32(const Bytes& file, size_t offset) {
    return static_cast<int32_t>(le::GetU32(&file.at(offset + 3) - 3));
}

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

LevelFileTest::LevelFileTest() {
    scope.Set(g_pWayNetwork, network.get());
    gs.game_mode = kModeGame;
    std::snprintf(gs.data_paths[kPathSave * kDataPathCopies + gs.install_index], kDataPathLength,
                  "%s\\save", folder.Path().c_str());
    RecreateOpponents();
}

LevelFileTest::~LevelFileTest() {
    DeleteAllVehicles();
}

void LevelFileTest::MakeGame(int32_t seed) {
    std::mt19937 n(static_cast<uint32_t>(seed));  // the same game for the same seed
    auto below = [&n](int32_t k) { return static_cast<int32_t>(n() % static_cast<uint32_t>(k)); };
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
        network->nodes[number] = node;
        // A node belongs to one field.
        gs.fields[number * 7].set_knotennummer(static_cast<uint32_t>(number));
    }

    for (int32_t i = 0; i < 6; ++i) gs.built_counts[i] = below(20) - 2;
    gs.board_votes = below(100);
    gs.cash[0] = (int64_t{1} << 40) + seed;
    gs.cash[1] = -5 - seed;
    gs.cash[2] = 700000 + seed;
    gs.cash[3] = -(int64_t{1} << 35);
    gs.season = 1 + seed % 3;
    gs.week = seed % 4;
    gs.month = 1 + seed % 11;
    gs.year = 1970 + seed;
    if (g_pSpielFeld != nullptr) {
        g_pSpielFeld->centre_x = 12.25 + seed;
        g_pSpielFeld->centre_y = -3.0625 - seed;
        g_pSpielFeld->zoom = seed % 2 == 0 ? 4 : 16;
    }
    gs.rotation = (seed + 1) % 4;
    for (int32_t k = 0; k < 4; ++k) gs.player_colors[k] = static_cast<uint8_t>((seed + 2 + k) % 4);
    for (int32_t p = 0; p < 4; ++p) {
        std::snprintf(gs.company_names[p], kCompanyNameLength, "Company %d of game %d", p, seed);
    }
    gs.active_event = static_cast<int8_t>(seed % 20);
    gs.event_pause = static_cast<uint8_t>(seed + 3);
    for (int32_t i = 0; i < kStatisticsWords; ++i) {
        g_Statistics.words[i] = static_cast<int32_t>(n() >> 8) - (1 << 23);
    }
    g_TakeOverCount[0] = 1;
    g_TakeOverCount[1] = 0;
    g_TakeOverCount[2] = seed % 2;
    for (int32_t i = 0; i < kNewGameCounterWords; ++i) g_NewGameCounters.words[i] = i * 11 + seed;
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
        FillOpponent(o, slot + seed, {});
        o.takeover_year = 1990 + slot + seed;
        o.takeover_percent = 40 + slot;
    }
    gs.active_opponent = seed % 3;
    for (int32_t i = 0; i < kBookmarkCount; ++i) gs.bookmarks[i] = {i * 20 + seed, 255 - i};
    gs.show_grid = seed % 2;
    gs.show_trees = 1 - seed % 2;
    gs.show_city_buildings = 0;
    gs.show_city_names = 1;
    gs.show_building_names = 0;
    gs.show_production = 1;
}

Bytes LevelFileTest::Snapshot() const {
    const std::string path = folder.Path() + "/snapshot.bin";
    const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
    WriteLevelRecords(file, gs.game_mode);
    plat::CloseFile(file);
    Bytes out = ReadFileBytes(path);
    plat::RemoveFile(path);

    // What loads reset and no record holds.
    for (int32_t value :
         {gs.game_mode, gs.goal_reached, gs.start_marker, gs.schedule_words[1],
          gs.schedule_words[2], gs.construction_word, gs.selected_building_type, gs.placement_city,
          gs.ng_land, gs.regen_world, gs.mine_kind, gs.redraw_terrain, gs.redraw_objects}) {
        AppendI32(out, value);
    }
    for (int32_t id : gs.news_ids) AppendI32(out, id);
    Append(out, gs.player_colors, sizeof gs.player_colors);
    for (int64_t shown : gs.cash_shown) Append(out, &shown, sizeof shown);
    for (const GoodsRecord& good : gs.goods) {
        AppendI32(out, good.price);
        AppendI32(out, good.available);
        AppendI32(out, good.intro_year);
    }
    for (const BuildingType& type : gs.building_types) AppendI32(out, type.intro_year);
    Append(out, &g_pVehicleList, sizeof g_pVehicleList);
    Append(out, gs.opponents, sizeof gs.opponents);
    for (const COpponent* o : gs.opponents) AppendI32(out, o != nullptr ? o->turn_pending : 0);
    Append(out, gs.fields, sizeof gs.fields);  // every bit, also those a load clears
    if (g_pSpielFeld != nullptr) {
        Append(out, &g_pSpielFeld->centre_x, 8);
        Append(out, &g_pSpielFeld->centre_y, 8);
        AppendI32(out, g_pSpielFeld->zoom);
    }
    return out;
}

Bytes LevelFileTest::SaveToBytes(const std::string& name) {
    EXPECT_TRUE(SaveGameFile(FilePath(name)));
    return ReadFileBytes(FilePath(name));
}

}  // namespace fvtest
