// Cities: the manager's names, removal and record; a city's monthly work on
// hand-built areas; growth, its invariants over long runs and new streets.

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "cities/city_growth_rules.h"
#include "cities/city_level.h"
#include "cities/city_traffic.h"
#include "city_fixture.h"
#include "city_names.h"
#include "platform/file.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "support/resident_class_edges.h"
#include "support/way_graph_check.h"
#include "transport/vehicle.h"
#include "world/way_piece_tables.h"

namespace {

class CityManagerTest : public CityTest {
  protected:
    void SetUp() override {
        std::snprintf(State().data_paths[State().install_index], kDataPathLength, "%s",
                      folder_.Path().c_str());
    }

    std::string TerminalName(int32_t x, int32_t y) {
        char out[kCityNameLength];
        Cities().MakeTerminalName(x, y, out);
        return out;
    }

    std::vector<uint8_t> SavedBytes(void (*write)(plat::FileHandle) = nullptr) {
        plat::FileHandle file = plat::OpenFile(path_, plat::OpenMode::Create);
        write != nullptr ? write(file) : Cities().Save(file);
        plat::CloseFile(file);
        const std::string bytes = folder_.Read("record");
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    // Loads the file; also reports whether the check walk agrees.
    bool LoadBytes(const std::vector<uint8_t>& bytes) {
        folder_.Write("record", std::string(bytes.begin(), bytes.end()));
        plat::FileHandle file = plat::OpenFile(path_, plat::OpenMode::Read);
        const bool checked = CCityManager::CheckRecord(file);
        plat::SeekFile(file, 0, plat::SeekFrom::Begin);
        const bool loaded = Cities().Load(file);
        plat::CloseFile(file);
        EXPECT_EQ(checked, loaded);
        return loaded;
    }

    static constexpr size_t kCountAt = kNameBlockBytes;  // then per city 12 + body
    static constexpr size_t kFirstCity = kNameBlockBytes + 4;
    static constexpr size_t kBodySize = 16 + 2 * 2916 + 35 + 16;
    static constexpr size_t kCitySize = 12 + kBodySize;

    fvtest::TempFolder folder_;
    std::string path_ = folder_.Path() + "/record";
};

// Terminals take the nearest city's name (lower slot on a tie) and its words
// in turn, then numbers; a damaged count never indexes outside the words.
TEST_F(CityManagerTest, TerminalNamesTakeTheNearestCityAndItsWordsThenNumbers) {
    EXPECT_EQ(TerminalName(10, 10), "");     // no city, no name
    CCity& west = AddEmptyCity(5, 87, 87);   // centre (100, 100)
    CCity& east = AddEmptyCity(2, 107, 87);  // centre (120, 100)
    std::strcpy(west.name, "Westholm");
    std::strcpy(east.name, "Eastholm");
    EXPECT_EQ(TerminalName(103, 100), "Westholm North");
    EXPECT_EQ(TerminalName(110, 100), "Eastholm North");  // exactly between
    for (const char* word : {"East", "South", "West", "Middle", "Central", "Forest", "Front",
                             "Behind", "Mountain", "Lake", "Next to", "1", "2"}) {
        EXPECT_EQ(TerminalName(118, 101), std::string("Eastholm ") + word);
    }
    EXPECT_EQ(east.terminal_names_given, 14);
    west.terminal_names_given = -7;
    EXPECT_EQ(TerminalName(100, 100).substr(0, 9), "Westholm ");
    std::memset(west.name, 'x', kCityNameLength - 1);
    west.name[kCityNameLength - 1] = '\0';
    EXPECT_EQ(TerminalName(100, 100).size(), static_cast<size_t>(kCityNameLength - 1));
}

TEST_F(CityManagerTest, NamesFileLinesAreCutAtBackquoteAndNineteenCharacters) {
    State().names_list_number = 2;
    folder_.Write("names3.txt",
                  "Alderbrook`old name\r\nAbcdefghijklmnopqrstuvwxyz\r\n\xC4lmhaven\n" +
                      std::string(150, 'q') + "\r\nLast\r\n");
    std::strcpy(Cities().names[100], "stale");
    Cities().name_used[7] = 1;
    Cities().LoadNames();
    // A line past 99 characters is one name; after the file's end, none.
    const std::vector<std::string> names(Cities().names, Cities().names + 6);
    EXPECT_EQ(names, (std::vector<std::string>{"Alderbrook", "Abcdefghijklmnopqrs", "\xC4lmhaven",
                                               std::string(19, 'q'), "Last", ""}));
    EXPECT_STREQ(Cities().names[100], "");
    EXPECT_EQ(Cities().name_used[7], 0u);
    // A missing file changes nothing.
    State().names_list_number = 4;
    Cities().name_used[0] = 1;
    Cities().LoadNames();
    EXPECT_EQ(std::tuple(std::string(Cities().names[0]), Cities().name_used[0]),
              std::tuple("Alderbrook", 1u));
}

TEST_F(CityManagerTest, StandInListsAreReadBackWhole) {
    std::vector<standin::FileRecipe> recipes;
    standin::AddCityNameFiles(recipes);
    for (const auto& recipe : recipes) {
        const std::vector<uint8_t> bytes = recipe.make();
        folder_.Write(recipe.path, std::string(bytes.begin(), bytes.end()));
    }
    for (int list = 1; list <= standin::kCityNameLists; ++list) {
        SCOPED_TRACE(list);
        const std::vector<std::string> names = standin::MakeCityNames(list);
        ASSERT_EQ(names.size(), 128u);
        State().names_list_number = list - 1;
        Cities().LoadNames();
        for (int32_t i = 0; i < kCityNameCount; ++i) EXPECT_EQ(Cities().names[i], names[i]);
    }
}

TEST_F(CityManagerTest, FoundedCitiesTakeDifferentNamesFromTheFile) {
    std::string text;
    for (int32_t i = 0; i < 128; ++i) text += "Town" + std::to_string(i) + "\r\n";
    folder_.Write("Names1.txt", text);
    Cities().LoadNames();
    ASSERT_EQ(Found(60, 60, 0), 0);
    ASSERT_EQ(Found(140, 60, 0), 1);
    const std::string a = Cities().cities[0]->name;
    EXPECT_EQ(a.substr(0, 4), "Town");
    EXPECT_NE(a, Cities().cities[1]->name);
    const auto used = [&] {
        return std::count(std::begin(Cities().name_used), std::end(Cities().name_used), 1u);
    };
    EXPECT_EQ(used(), 2);
    Cities().RemoveAllCities();
    EXPECT_EQ(used(), 0);
}

// Removing a city frees its fields and name; player ways and buildings stay.
TEST_F(CityManagerTest, RemovingACityKeepsPlayerWaysAndBuildings) {
    LayLine(40, 100, 60, 100, kWayGravelRoad);
    ASSERT_EQ(Found(100, 100, 2), 0);
    CCity& city = *Cities().cities[0];
    int32_t sx = -1, sy = -1, bx = -1, by = -1;
    for (int32_t x = city.origin_x + 2; x <= city.origin_x + 24; ++x) {
        for (int32_t y = city.origin_y + 2; y <= city.origin_y + 24; ++y) {
            const bool empty = F(x - 1, y).wegtyp() == 0 && F(x - 1, y).stadtnum() == 0;
            if (sx < 0 && F(x, y).wegtyp() == kWayCityStreet && empty) sx = x, sy = y;
            if (bx < 0 && F(x, y).stadtnum() == 0 && F(x, y).wegtyp() == 0) bx = x, by = y;
        }
    }
    ASSERT_GE(sx, 0);
    ASSERT_GE(bx, 0);
    LayLine(sx - 4, sy, sx - 1, sy, kWayAsphaltRoad);
    F(sx - 1, sy).set_wegteil(2);  // east-west: it points at the street
    LayWay({{sx - 1, sy}}, kWayAsphaltRoad);
    PlaceBuilding(7, 22, bx, by, 1, 1);
    const int32_t nameIndex = city.name_index;
    Cities().name_used[nameIndex] = 1;
    const auto [cx, cy] = FieldOfCity(1);
    Cities().RemoveCityAt(cx, cy);
    EXPECT_EQ(Cities().cities[0], nullptr);
    for (int32_t x = 0; x < kMapSize; ++x) {
        for (int32_t y = 0; y < kMapSize; ++y) {
            const MapField& f = F(x, y);
            ASSERT_EQ(f.stadtnum(), 0) << x << "," << y;
            ASSERT_NE(f.wegtyp(), kWayCityStreet) << x << "," << y;
            if (f.wegtyp() == 0 && !f.building_flag()) {
                ASSERT_EQ(f.data_word(), 0);
            }
        }
    }
    for (int32_t x = sx - 4; x <= sx - 1; ++x) EXPECT_EQ(F(x, sy).wegtyp(), kWayAsphaltRoad);
    EXPECT_EQ(F(sx - 1, sy).richtung() & kDirE, 0);  // no longer joins anything there
    for (int32_t x = 40; x <= 60; ++x) EXPECT_EQ(F(x, 100).wegtyp(), kWayGravelRoad);
    EXPECT_EQ(F(bx, by).geb_num(), 7);
    EXPECT_EQ(Cities().name_used[nameIndex], 0u);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    Cities().RemoveCityAt(-3, 4);
    Cities().RemoveCityAt(cx, cy);
}

using CityRecordTest = CityManagerTest;

TEST_F(CityRecordTest, RoundTripKeepsEverySavedField) {
    ASSERT_EQ(Found(60, 60, 1), 0);
    ASSERT_EQ(Found(130, 60, 0), 1);
    ASSERT_EQ(Found(200, 180, 2), 2);
    // Free slot 1 to see the numbers kept.
    Cities().RemoveCityAt(FieldOfCity(2).first, FieldOfCity(2).second);
    CCity& moved = *Cities().cities[2];
    std::strcpy(moved.name, "Harrowgate");
    moved.terminal_names_given = 17;
    moved.reserved_words[1] = 99;
    moved.zone_grid[3][4] = -1;
    moved.countdown = 12;
    moved.evaluation += 8;  // the map changed since its last growth step
    Cities().name_used[77] = 1;
    const auto counted = [&] {  // residents and evaluation
        std::vector<std::pair<int32_t, int32_t>> out;
        for (CCity* city : Cities().cities) {
            if (city != nullptr) out.emplace_back(city->residents, city->evaluation);
        }
        return out;
    };
    const auto before = counted();
    const std::vector<uint8_t> bytes = SavedBytes();
    ASSERT_EQ(bytes.size(), kFirstCity + 2 * kCitySize);
    // The loader makes the cities anew: written again, the record is the
    // same byte for byte but for the evaluation, made anew from the map.
    ASSERT_TRUE(LoadBytes(bytes));
    auto expected = bytes;
    le::PutU32(&expected[kFirstCity + kCitySize + 12 + 12], before[1].second - 8);
    EXPECT_TRUE(SavedBytes() == expected);
    EXPECT_EQ(Cities().cities[1], nullptr);
    ASSERT_NE(Cities().cities[2], nullptr);
    EXPECT_EQ(std::tuple(Cities().cities[2]->number, std::string(Cities().cities[2]->name),
                         Cities().cities[2]->pending_site_x),
              std::tuple(3, "Harrowgate", -1));
    EXPECT_EQ(counted(), (decltype(before){before[0], {before[1].first, before[1].second - 8}}));
}

// Every field in its place and byte order.
TEST_F(CityRecordTest, RecordLayoutKeepsItsGoldenHash) {
    CCity& city = AddEmptyCity(9, -13, 250);
    city.countdown = 0x01020304;
    city.street_grid[0][1] = 7;
    city.zone_grid[1][0] = -1;
    std::strcpy(city.name, "Ab");
    city.terminal_names_given = 3;
    Cities().name_used[2] = 1;
    const std::vector<uint8_t> b = SavedBytes();
    ASSERT_EQ(b.size(), kFirstCity + kCitySize);
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const uint8_t c : b) hash = (hash ^ c) * 0x100000001b3ull;
    EXPECT_EQ(hash, 1141145535457091301u);
}

TEST_F(CityRecordTest, DamagedRecordsAreRejectedAndLeaveNoCity) {
    ASSERT_EQ(Found(60, 60, 0), 0);
    ASSERT_EQ(Found(150, 150, 0), 1);
    const std::vector<uint8_t> good = SavedBytes();
    ASSERT_TRUE(LoadBytes(good));
    struct Patch {
        size_t at;
        int32_t value;
    };
    const size_t second = kFirstCity + kCitySize, body = kFirstCity + 12;
    const Patch patches[] = {
        {kFirstCity, 0},              // number 0
        {kFirstCity, 64},             // number 64
        {second, 1},                  // number used twice
        {kCountAt, 64},               // more cities than slots
        {kCountAt, 3},                // a city past the end of the file
        {body, 300},                  // area off the map
        {body + 4, -40},              // area off the map
        {body + 16 + 40, 18},         // a plan value that is no piece
        {body + 16 + 40, -1},         // a negative plan value
        {body + 16 + 5832 + 35, -2},  // a negative terminal count
    };
    for (const Patch& patch : patches) {
        SCOPED_TRACE(patch.at);
        std::vector<uint8_t> bytes = good;
        le::PutU32(&bytes[patch.at], static_cast<uint32_t>(patch.value));
        ASSERT_TRUE(LoadBytes(good));
        EXPECT_FALSE(LoadBytes(bytes));
        for (CCity* city : Cities().cities) EXPECT_EQ(city, nullptr);
    }
    // A record cut anywhere is damaged.
    for (size_t length : {size_t{0}, size_t{100}, kCountAt + 2, kFirstCity + 6, second - 10}) {
        std::vector<uint8_t> bytes(good.begin(), good.begin() + static_cast<long>(length));
        EXPECT_FALSE(LoadBytes(bytes)) << length;
    }
    // A name without its terminating zero loads, cut to fit.
    std::vector<uint8_t> unterminated = good;
    std::memset(&unterminated[body + 16 + 5832], 'Z', kCityNameLength);
    ASSERT_TRUE(LoadBytes(unterminated));
    EXPECT_EQ(std::strlen(Cities().cities[0]->name), static_cast<size_t>(kCityNameLength - 1));
}

// Before a save the pending building site is finished; the level file's
// reader can skip the record or read it.
TEST_F(CityRecordTest, LevelFileHooksFinishSitesAndWalkTheRecord) {
    ASSERT_EQ(Found(100, 100, 1), 0);
    CCity& city = *Cities().cities[0];
    for (int32_t i = 0; i < 400 && city.pending_site_x < 0; ++i) {
        city.countdown = 0;
        city.Tick();
    }
    ASSERT_GE(city.pending_site_x, 0);
    const int32_t sx = city.pending_site_x, sy = city.pending_site_y;
    F(sx, sy).set_stadtnum(2);  // the site code alone decides
    PrepareCitiesForSave();
    EXPECT_EQ(city.pending_site_x, -1);
    EXPECT_LE(F(sx, sy).stadtb(), kLastResidentialBuilding);
    EXPECT_EQ(F(sx, sy).stadtnum(), 1u);
    SavedBytes(WriteCityRecords);
    plat::FileHandle file = plat::OpenFile(path_, plat::OpenMode::Read);
    EXPECT_TRUE(SkipCityRecords(file) && plat::SeekFile(file, 0, plat::SeekFrom::Begin) >= 0 &&
                ReadCityRecords(file));
    plat::CloseFile(file);
    ASSERT_NE(Cities().cities[0], nullptr);
    EXPECT_EQ(Cities().cities[0]->origin_x, 87);
}

// A city car as the vehicle list holds it.
class TestCar : public CVehicle {
  public:
    TestCar() : CVehicle(VehicleLoadOnly{}) {}
};

std::vector<std::pair<int32_t, int32_t>> g_carFields;
std::vector<std::string> g_calls;  // "r<id>" refreshed, "u<id>" updated
std::vector<std::vector<int32_t>> g_gridsSeen;

CVehicle* MakeTestCar(int32_t x, int32_t y, const char*, int32_t, int32_t city) {
    auto* car = new TestCar;
    car->vehicle_class = kVehicleCityCar;
    car->owner = city;
    car->pos_x = static_cast<uint8_t>(x);
    car->pos_y = static_cast<uint8_t>(y);
    g_pVehicleList = new VehicleListNode{car, g_pVehicleList};
    g_carFields.emplace_back(x, y);
    return car;
}

class RecordingStore : public CBuilding {
  public:
    explicit RecordingStore(int32_t id) : id_(id) {}
    void Refresh() override {
        g_calls.push_back(std::string("r").append(std::to_string(id_)));
        const int32_t* grid = &g_pGameState->shared_city_grid[0][0];
        g_gridsSeen.emplace_back(grid, grid + kCityAreaCells);
    }
    void Update() override { g_calls.push_back(std::string("u").append(std::to_string(id_))); }

  private:
    int32_t id_;
};

class CityEvaluationTest : public CityTest {
  protected:
    void SetUp() override {
        g_MakeCityCar = &MakeTestCar;
        g_carFields.clear();
        g_calls.clear();
        g_gridsSeen.clear();
        State().opt_city_traffic = 1;
    }
    void TearDown() override {
        RemoveAllCityCars();  // the list holds city cars only
        g_MakeCityCar = nullptr;
    }
    int32_t CityCarsListed() {
        int32_t n = 0;
        for (auto* node = g_pVehicleList; node != nullptr; node = node->next) {
            n += node->vehicle->vehicle_class == kVehicleCityCar;
        }
        return n;
    }
    // A store double; its fields inside city 1's area marked as `city`'s.
    void Store(int32_t id, int32_t type, int32_t x, int32_t y, int32_t w = 2, int32_t h = 2,
               int32_t city = 1) {
        PlaceBuilding(id, type, x, y, w, h);
        stores_.push_back(std::make_unique<RecordingStore>(id));
        buildings_.buildings[id] = stores_.back().get();
        for (int32_t fx = x; fx < x + w; ++fx) {
            for (int32_t fy = y; fy < y + h; ++fy) {
                if (city != 0 && fx >= 100 && fx <= 126 && fy >= 100 && fy <= 126) {
                    F(fx, fy).set_stadtnum(static_cast<uint32_t>(city));
                }
            }
        }
    }
    std::vector<std::unique_ptr<RecordingStore>> stores_;
};

// Every kind of land and building: golden score and residents. Forest over a
// city building, a company building and a building site house nobody.
TEST_F(CityEvaluationTest, ScoreOfAHandBuiltArea) {
    CCity& city = AddEmptyCity(1, 100, 100);
    PutCityBuilding(110, 110, 1, 1);
    PutCityBuilding(111, 110, 15, 1);
    PutCityBuilding(112, 110, 40, 1);
    F(100, 100).set_teile_art(6);
    F(100, 101).set_teile_art(0);
    F(100, 101).set_teile_diff(3);
    F(100, 102).set_teile_diff(2);
    F(100, 103).set_teile_diff(9);
    F(100, 104).set_forest_flag(true);
    PlaceBuilding(3, 16, 120, 120, 2, 2);  // a factory
    PlaceBuilding(4, 26, 115, 120, 2, 2);  // a store
    PlaceBuilding(5, 30, 105, 120, 2, 2);  // an attraction
    for (int32_t x : {120, 121, 115, 116, 105, 106}) {
        for (int32_t y : {120, 121}) F(x, y).set_stadtnum(1);
    }
    PutCityBuilding(124, 124, 20, 2);
    PlaceBuilding(6, 22, 102, 124, 1, 1);  // outside every city
    EXPECT_EQ(city.Evaluate(), 1813);
    EXPECT_EQ(std::tuple(city.residents, city.attraction_counts[3]), std::tuple(689, 1));
    city.residents = 0;
    city.CountResidents();
    EXPECT_EQ(city.residents, 689);
    F(110, 110).set_forest_flag(true);
    F(111, 110).set_building_flag(true);
    F(112, 110).set_data_word(48 | (1 << 9));
    city.CountResidents();
    EXPECT_EQ(city.residents, 0);
    // Each class houses its residents up to its last number.
    for (const auto& [b, residents] : fvtest::kResidentsAtClassEdges) {
        PutCityBuilding(118, 118, b, 1);
        city.CountResidents();
        EXPECT_EQ(city.residents, residents) << b;
    }
    for (const auto& [b, c] : {std::pair{42, 6}, {47, 6}, {48, 7}})
        EXPECT_EQ(GetCityBuildingClass(b), c);
    // One field at a time, at the ends of the ranges: what it adds to the score
    // (the city building of class 5 also brings 640 residents, above 400).
    const auto bare = [&] {
        F(118, 118) = MapField{};
        F(118, 118).set_hoehe(2);
    };
    const std::pair<std::function<void()>, int32_t> rows[] = {
        {[&] { F(118, 118).set_teile_art(4); }, 2},
        {[&] { F(118, 118).set_teile_art(5); }, 1},
        {[&] { F(118, 118).set_teile_art(8); }, 1},
        {[&] { F(118, 118).set_teile_diff(4); }, 6},
        {[&] { F(118, 118).set_teile_diff(5); }, 0},
        {[&] { PutCityBuilding(118, 118, 41, 1); }, 4 * 6 + 50},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        bare();
        const int32_t base = city.Evaluate();
        rows[i].first();
        EXPECT_EQ(city.Evaluate() - base, rows[i].second) << i;
    }
    for (const auto& [type, score] :
         {std::pair{10, -250}, {20, -250}, {21, 100}, {25, 100}, {26, 150}, {27, 100}, {31, 500}}) {
        bare();
        const int32_t base = city.Evaluate();
        PlaceBuilding(7, type, 118, 118, 1, 1);
        F(118, 118).set_stadtnum(1);
        EXPECT_EQ(city.Evaluate() - base, score) << type;
    }
    // Residents equal to a size threshold do not exceed it.
    bare();
    PutCityBuilding(118, 118, 41, 1);
    int32_t* thresholds = State().size_class_thresholds;
    const std::array<int32_t, 4> kept = {thresholds[0], thresholds[1], thresholds[2],
                                         thresholds[3]};
    for (int32_t i = 0; i < 4; ++i) thresholds[i] = 100000;
    const int32_t none = city.Evaluate();
    for (const auto& [i, bonus] : {std::pair{0, 50}, {1, 100}, {2, 150}, {3, 200}}) {
        thresholds[i] = 640;
        EXPECT_EQ(std::pair(city.Evaluate(), SizeClassOf(640)), std::pair(none, 0)) << i;
        thresholds[i] = 639;
        EXPECT_EQ(std::pair(city.Evaluate(), SizeClassOf(640)), std::pair(none + bonus, i + 1))
            << i;
        thresholds[i] = 100000;
    }
    for (int32_t i = 0; i < 4; ++i) thresholds[i] = kept[i];
    // A countdown that reaches 0 still waits; the step comes when it falls below.
    city.countdown = 1;
    city.Tick();
    EXPECT_EQ(city.countdown, 0);
}

// Cars follow the residents (none up to 400, then one more per tick) on free
// straight streets, and go with traffic off, in the editor and while held.
TEST_F(CityEvaluationTest, TrafficCarsFollowTheResidentsAndTheSwitches) {
    CCity& city = AddEmptyCity(1, 100, 100);
    PutCityStreetLine(101, 110, 125, 110, 1);
    for (int32_t i = 0; i < 10; ++i) PutCityBuilding(101 + i, 111, 15, 1);
    city.Evaluate();
    ASSERT_EQ(city.residents, 400);
    city.countdown = 99;
    city.Tick();
    EXPECT_EQ(city.car_count, 0);
    PutCityBuilding(125, 111, 1, 1);
    for (int32_t x = 101; x <= 125; ++x) F(x, 110).set_belegt(x == 113 ? 0 : 1);
    for (int32_t t = 0; t < 3; ++t) city.Tick();
    EXPECT_EQ(city.car_count, 1);
    EXPECT_EQ(g_carFields, (std::vector<std::pair<int32_t, int32_t>>{{113, 110}}));  // the free one
    for (int32_t x = 101; x <= 125; ++x) F(x, 110).set_belegt(0);
    for (int32_t i = 10; i < 48; ++i) PutCityBuilding(101 + i % 25, 111 + i / 25, 25, 1);
    city.Evaluate();
    ASSERT_EQ(city.residents, 3440);
    city.Tick();
    EXPECT_EQ(city.car_count, 2);  // one more per tick
    city.SpawnTrafficCar();
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 3);  // and no more while the count matches
    EXPECT_EQ(CityCarsListed(), 3);
    for (auto [x, y] : g_carFields) {
        EXPECT_EQ(std::tuple(F(x, y).wegtyp(), F(x, y).wegteil()), std::tuple(kWayCityStreet, 2u));
    }
    State().opt_city_traffic = 0;
    city.SpawnTrafficCar();
    EXPECT_EQ(std::tuple(city.car_count, CityCarsListed()), std::tuple(0, 0));
    State().opt_city_traffic = 1;
    State().game_mode = kModeEditor;
    city.Tick();
    EXPECT_EQ(city.car_count, 0);
    State().game_mode = kModeGame;
    Cities().traffic_held = 1;
    city.Tick();
    city.SpawnTrafficCar();
    EXPECT_EQ(city.car_count, 0);
    // Switched on again: one car per thousand at once, and a tick adds none
    // while the count equals the thousands.
    Cities().traffic_held = 0;
    city.SpawnTrafficCar();
    city.countdown = 99;
    city.Tick();
    EXPECT_EQ(std::tuple(city.car_count, CityCarsListed()), std::tuple(3, 3));
    // A city founded in a running game makes cars while it grows.
    ASSERT_EQ(Found(50, 50, 2), 1);
    EXPECT_GT(Cities().cities[1]->car_count, 0);
}

// The monthly update drives the city's stores (border ones too) by type, toys
// first, in reverse order of discovery, all of a type refreshed before the
// first is updated; each sees the city grid (0 on the city's fields).
TEST_F(CityEvaluationTest, StoresGetTheCityGridInTypeOrderAndReverseDiscovery) {
    CCity& city = AddEmptyCity(1, 100, 100);
    PutCityStreetLine(100, 105, 126, 105, 1);
    PutCityBuilding(110, 104, 3, 1);
    Store(11, 22, 110, 110);  // met first of the sports stores (dx 10)
    Store(12, 22, 120, 110);
    Store(13, 21, 115, 115);
    Store(14, 26, 102, 120);
    Store(15, 15, 104, 112);
    Store(16, 22, 108, 100, 1, 1, 2);
    Store(17, 22, 60, 60, 2, 2, 0);
    Store(18, 24, 126, 118);  // anchor outside, two fields inside
    city.residents = 0;
    city.MonthlyUpdate();
    EXPECT_EQ(city.residents, 9);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"r13", "u13", "r12", "r11", "u12", "u11", "r18",
                                                 "u18", "r14", "u14"}));
    EXPECT_TRUE(city.store_list.empty());
    const std::vector<int32_t>& grid = g_gridsSeen[0];
    for (int32_t dx = 0; dx < kCityAreaSize; ++dx) {
        for (int32_t dy = 0; dy < kCityAreaSize; ++dy) {
            const int32_t expected = F(100 + dx, 100 + dy).stadtnum() == 1 ? 0 : -1;
            EXPECT_EQ(grid[dx * kCityAreaSize + dy], expected) << dx << "," << dy;
        }
    }
    EXPECT_EQ(grid[10 * kCityAreaSize + 4], 0);  // the city building
    EXPECT_EQ(grid[8 * kCityAreaSize + 0], -1);  // another city's field
}

// A refresh lists a type's stores; a type outside 21..26 clears the grid.
TEST_F(CityEvaluationTest, RefreshLeavesTheListAndOtherTypesOnlyClear) {
    CCity& city = AddEmptyCity(1, 100, 100);
    Store(21, 23, 110, 110);
    Store(22, 23, 104, 104);
    city.RefreshStores(23);
    EXPECT_EQ(city.store_list, (std::vector<int32_t>{21, 22}));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"r21", "r22"}));
    city.RefreshStores(25);
    EXPECT_TRUE(city.store_list.empty());
    city.RefreshStores(23);
    city.RefreshStores(27);
    EXPECT_TRUE(city.store_list.empty());
    for (const auto& column : State().shared_city_grid) {
        for (int32_t v : column) EXPECT_EQ(v, -1);
    }
}

class CityGrowthTest : public CityTest {
  protected:
    void TearDown() override { plat::SetRandSourceForTests({}); }
    // Percent points of the city's class shares off size class 4's mix.
    int32_t MixDistance(CCity& city, int32_t slack) {
        city.ScanArea();
        int32_t d = 0;
        for (int32_t c = 0; c < 6; ++c) {
            int32_t count = 0;
            for (int32_t z = 0; z < 6; ++z) count += city.class_matrix[z][c];
            const int32_t share = city.cell_total > 0 ? count * 100 / city.cell_total : 0;
            const int32_t off = std::abs(share - State().target_mix[4][c]);
            EXPECT_LE(off, slack) << "class " << c;
            d += off;
        }
        return d;
    }
    std::vector<MapField> Snapshot() {
        return std::vector<MapField>(std::begin(State().fields), std::end(State().fields));
    }
    // A city at origin (90, 90) with one street field at (100, 100).
    CCity& CityWithStreetAt(int32_t piece) {
        CCity& city = AddEmptyCity(1, 90, 90);
        LayWay({{100, 100}}, kWayCityStreet);
        F(100, 100).set_wegteil(static_cast<uint32_t>(piece));
        F(100, 100).set_stadtnum(1);
        return city;
    }

    // Lays every street candidate, one per call, until none is left.
    int32_t LayAllCandidates(CCity& city) {
        int32_t laid = 0;
        for (city.ExtendStreets(); city.new_street_last >= 0; city.ExtendStreets()) {
            city.UpdateStreets();
            ++laid;
        }
        return laid;
    }
    bool Unchanged(const std::vector<MapField>& before) {
        return std::memcmp(State().fields, before.data(), sizeof(MapField) * before.size()) == 0;
    }
    bool InSomeArea(int32_t x, int32_t y) {
        for (const CCity* c : Cities().cities) {
            if (c != nullptr && x >= c->origin_x && x <= c->origin_x + 26 && y >= c->origin_y &&
                y <= c->origin_y + 26) {
                return true;
            }
        }
        return false;
    }

    // Fields outside every area are unchanged (a way beside one may have
    // joined a street); city fields lie in their area, streets with a piece.
    ::testing::AssertionResult StayedInTheirAreas(const std::vector<MapField>& before) {
        for (int32_t x = 0; x < kMapSize; ++x) {
            for (int32_t y = 0; y < kMapSize; ++y) {
                MapField now = F(x, y);
                const CCity* city = now.stadtnum() > 0 ? Cities().City(now.stadtnum()) : nullptr;
                if (city != nullptr && (x < city->origin_x || x > city->origin_x + 26 ||
                                        y < city->origin_y || y > city->origin_y + 26 ||
                                        (now.wegtyp() != 0 &&
                                         (now.wegtyp() != kWayCityStreet || now.wegteil() == 0)))) {
                    return ::testing::AssertionFailure() << "city field " << x << "," << y;
                }
                if (InSomeArea(x, y)) continue;
                MapField then = before[FieldIndex(x, y)];
                if (now.wegtyp() != 0) {
                    for (MapField* f : {&now, &then}) {
                        f->set_richtung(0);
                        f->set_knoten(false);
                        f->set_knotennummer(0);
                        f->set_ende(false);
                        f->set_feldchange(false);
                    }
                }
                if (std::memcmp(now.bytes, then.bytes, 12) != 0) {
                    return ::testing::AssertionFailure() << "field " << x << "," << y << " changed";
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

// A founded city has a layout, streets, buildings, a name and a target.
TEST_F(CityGrowthTest, FoundedCityHasStreetsBuildingsNameAndTarget) {
    std::strcpy(Cities().names[5], "Quillmere");
    ASSERT_EQ(Found(100, 100, 2), 0);
    CCity& city = *Cities().cities[0];
    EXPECT_EQ(std::tuple(city.origin_x, city.layout_ok, city.pending_site_x, city.name_index,
                         std::string(city.name), Cities().name_used[5]),
              std::tuple(87, 1, -1, 5, "Quillmere", 1u));
    EXPECT_GE(city.residents, State().growth_target);
    EXPECT_TRUE(State().growth_target >= 1500 && State().growth_target < 2100);
    int32_t streets = 0, buildings = 0;
    for (const MapField& f : State().fields) {
        streets += f.stadtnum() == 1 && f.wegtyp() == kWayCityStreet;
        buildings += f.stadtnum() == 1 && f.wegtyp() == 0 && f.stadtb() != 0;
    }
    EXPECT_GT(streets, 10);
    EXPECT_GT(buildings, 20);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityGrowthTest, TwentyYearsApproachTheTargetMix) {
    SyntheticWorld(99);
    plat::Srand(5);
    ASSERT_EQ(Found(100, 100, 4), 0);
    CCity& city = *Cities().cities[0];
    const int32_t startDistance = MixDistance(city, 100);
    const int32_t startResidents = city.residents;
    GrowYears(20);
    EXPECT_GT(city.residents, State().size_class_thresholds[3]);  // size class 4
    EXPECT_LT(MixDistance(city, 4), startDistance);
    EXPECT_GT(city.residents, startResidents);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

// On water, with every slot taken or off the map nothing changes.
TEST_F(CityGrowthTest, RefusedFoundingsLeaveNoTrace) {
    for (int32_t x = 90; x <= 110; ++x) {
        for (int32_t y = 90; y <= 110; ++y) F(x, y).set_teile_art(0);
    }
    F(100, 100).set_forest_flag(true);
    const std::vector<MapField> before = Snapshot();
    EXPECT_EQ(Found(100, 100, 3), -1);
    EXPECT_EQ(std::tuple(Cities().cities[0], Net().NodeCount()), std::tuple(nullptr, 0));
    for (int32_t n = 1; n <= kCitySlots; ++n) AddEmptyCity(n, 0, 0);
    EXPECT_EQ(Found(150, 150, 1), -1);
    EXPECT_TRUE(Unchanged(before));
    EXPECT_EQ(std::tuple(Found(-1, 5, 1), Found(5, 256, 1)), std::tuple(-2, -2));
}

// Central cells without a street or city building keep no piece; those
// planned as streets were tried and lost their forest.
TEST_F(CityGrowthTest, TrialStreetsClearForestAndLeaveNoPiece) {
    for (int32_t x = 98; x <= 102; ++x) {
        for (int32_t y = 98; y <= 102; ++y) {
            F(x, y).set_forest_flag(true);
            F(x, y).set_data_word(0x1234);
        }
    }
    ASSERT_EQ(Found(100, 100, 0), 0);
    const CCity& city = *Cities().cities[0];
    for (int32_t x = 98; x <= 102; ++x) {
        for (int32_t y = 98; y <= 102; ++y) {
            const MapField& f = F(x, y);
            if (f.stadtnum() != 0) continue;
            const bool tried = city.street_grid[x - 87][y - 87] != 0;
            EXPECT_EQ(std::tuple(f.forest_flag(), f.data_word(), f.wegteil()),
                      std::tuple(!tried, tried ? 0u : 0x1234u, 0u))
                << x << "," << y;
        }
    }
}

TEST_F(CityGrowthTest, EditorClickOnACityGrowsItOneStage) {
    ASSERT_EQ(Found(120, 120, 0), 0);
    CCity& city = *Cities().cities[0];
    EXPECT_LE(city.residents, 600);
    const int32_t target = State().growth_target;
    const auto [fx, fy] = FieldOfCity(1);
    EXPECT_EQ(Cities().GetOrCreateCityAt(fx, fy), 0);
    EXPECT_EQ(State().growth_target, target);  // the founding's target stays
    EXPECT_GT(city.residents, 1350);
    EXPECT_EQ(city.pending_site_x, -1);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

// A rail line and a bridge field cross the city's area: no building beside
// the track or around the bridge, no street over the track.
TEST_F(CityGrowthTest, NoBuildingBesideTracksOrNearBridges) {
    LayLine(100, 80, 100, 120, kWayRail);
    F(110, 100).set_bridge_flag(true);
    F(110, 100).set_data_word(9);
    ASSERT_EQ(Found(104, 100, 3), 0);
    GrowYears(5);
    for (int32_t y = 80; y <= 120; ++y) {
        EXPECT_EQ(CityBuildingOfField(99, y) + CityBuildingOfField(101, y), 0) << y;
        EXPECT_EQ(F(100, y).wegtyp(), kWayRail);
    }
    for (int32_t x = 109; x <= 111; ++x) {
        for (int32_t y = 99; y <= 101; ++y) EXPECT_EQ(CityBuildingOfField(x, y), 0) << x << y;
    }
    EXPECT_EQ(F(110, 100).wegtyp(), 0);
}

// A building above its zone loses one class per growth step until it fits;
// below zone 0 it goes, and the field stays part of the city.
TEST_F(CityGrowthTest, BuildingAboveItsZoneShrinksOneClassPerStep) {
    CCity& city = AddEmptyCity(1, 90, 90);
    PutCityStreetLine(95, 103, 110, 103, 1);
    PutCityBuilding(100, 104, 25, 1);  // class 2
    city.zone_grid[10][14] = 1;
    const auto step = [&] {
        city.countdown = 0;
        city.Tick();
        return GetCityBuildingClass(F(100, 104).stadtb());
    };
    EXPECT_EQ(step(), 1);
    EXPECT_EQ(step(), 1);  // fits zone 1: the step grows elsewhere
    city.AddToGrid(100, 104, -5);
    EXPECT_EQ(city.zone_grid[10][14], -1);
    EXPECT_EQ(step(), 0);
    step();
    EXPECT_EQ(std::tuple(F(100, 104).stadtb(), F(100, 104).stadtnum()), std::tuple(0u, 1u));
}

TEST_F(CityGrowthTest, ListCapsHold) {
    CCity& city = AddEmptyCity(1, 100, 100);
    // Streets on every third column; 17 columns of zone-5 cells beside them.
    for (int32_t dx = 0; dx < 27; dx += 3) PutCityStreetLine(100 + dx, 100, 100 + dx, 126, 1);
    for (auto& column : city.zone_grid) std::fill(std::begin(column), std::end(column), 9);
    city.ScanArea();
    EXPECT_EQ(std::tuple(city.candidate_last[5], city.zone_cell_counts[5]),
              std::tuple(kCandidateListCap - 1, 17 * 27));
    // Every cell beside the streets built on and oversize.
    for (int32_t dx = 0; dx < 27; ++dx) {
        for (int32_t dy = 0; dy < 27 && dx % 3 != 0; ++dy) {
            PutCityBuilding(100 + dx, 100 + dy, 40, 1);
        }
    }
    for (auto& column : city.zone_grid) std::fill(std::begin(column), std::end(column), 1);
    city.ResetCandidateLists();
    EXPECT_EQ(city.step_mode, kOversizeListCap - 1);
    // Street candidates: crossings planned everywhere and laid on the columns.
    for (auto& column : city.street_grid) std::fill(std::begin(column), std::end(column), 11);
    for (int32_t dx = 0; dx < 27; ++dx) {
        for (int32_t dy = 0; dy < 27; ++dy) {
            MapField& f = F(100 + dx, 100 + dy);
            if (dx % 3 == 0) {
                f.set_wegteil(11);
            } else {
                f = MapField{};
                f.set_teile_art(1);
            }
        }
    }
    city.ExtendStreets();
    EXPECT_EQ(city.new_street_last, kCandidateListCap - 1);
}

using CityInvariantsTest = CityGrowthTest;

// Cities founded in the corners stay on the map, off its last row and column.
TEST_F(CityInvariantsTest, CitiesAtTheCornersGrowOnTheMapOnly) {
    int32_t founded = 0;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{255, 255}, std::pair{2, 253}, {254, 1}}) {
        SCOPED_TRACE(x * 1000 + y);
        Cities().RemoveAllCities();
        Net().FreeAllNodes();
        FlatWorld();
        const std::vector<MapField> before = Snapshot();
        const int32_t slot = Found(x, y, 3);
        if (slot < 0) {
            EXPECT_TRUE(Unchanged(before));
            continue;
        }
        ++founded;
        CCity& city = *Cities().cities[slot];
        GrowYears(15);
        EXPECT_GT(city.residents, 100);
        EXPECT_TRUE(StayedInTheirAreas(before));
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        for (int32_t k = 0; k < kMapSize; ++k)
            EXPECT_EQ(F(255, k).stadtnum() + F(k, 255).stadtnum(), 0);
        Cities().RemoveCityAt(FieldOfCity(city.number).first, FieldOfCity(city.number).second);
        EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
        EXPECT_EQ(Net().NodeCount(), 0);
    }
    EXPECT_EQ(founded, 4);
}

// Twenty overlapping cities of every size grow for thirty years.
TEST_F(CityInvariantsTest, TwentyNeighbouringCitiesGrowThirtyYears) {
    SyntheticWorld(20240501);
    const std::vector<MapField> before = Snapshot();
    // A site on water founds nothing and the next one is tried.
    std::vector<int32_t> slots;
    for (int32_t k = 0; k < 64 && slots.size() < 20; ++k) {
        const int32_t x = 20 + (k % 8) * 22 + plat::Rand() % 7;
        const int32_t y = 20 + (k / 8) * 22 + plat::Rand() % 7;
        const int32_t slot = Found(x, y, static_cast<int32_t>(k % 5));
        if (slot >= 0) slots.push_back(slot);
    }
    ASSERT_EQ(slots.size(), 20u);
    std::vector<int32_t> startResidents;
    for (int32_t slot : slots) startResidents.push_back(Cities().cities[slot]->residents);
    ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    for (int32_t month = 0; month < 30 * 12; ++month) {
        Cities().MonthlyUpdate();
        for (int32_t week = 0; week < 4; ++week) Cities().Tick();
    }
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    EXPECT_TRUE(StayedInTheirAreas(before));
    // Nothing was laid over the railway at x = 128 (bar where roads cross).
    for (int32_t y = 20; y <= 235; ++y) {
        EXPECT_TRUE(F(128, y).wegtyp() == kWayRail || y == 60 || y == 190) << y;
    }
    int32_t grown = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        CCity& city = *Cities().cities[slots[i]];
        grown += city.residents > startResidents[i];
        const int32_t counted = city.residents;
        city.CountResidents();
        EXPECT_EQ(city.residents, counted);
    }
    EXPECT_GE(grown, 18);
}

using CityStreetsTest = CityGrowthTest;

TEST_F(CityStreetsTest, PlanLinesEndAtTheLastCellWhateverTheDraws) {
    CCity city(1, 50, 50);
    // Every draw 0: back-to-back segments of two steps up to cell 26, then
    // empty ones there until the guard ends the line.
    plat::SetRandSourceForTests([] { return 0; });
    city.PrepareStreetGrid();
    for (int32_t dy = 0; dy < kCityAreaSize; ++dy) EXPECT_GT(city.street_grid[1][dy], 0) << dy;
    for (int32_t dy = 0; dy < kCityAreaSize; ++dy) EXPECT_GT(city.street_grid[25][dy], 0) << dy;
    // Every draw odd: a gap of two, then segments of three after gaps of two.
    plat::SetRandSourceForTests([] { return 1; });
    city.PrepareStreetGrid();
    const int32_t* c = city.street_grid[1];
    EXPECT_EQ(std::tuple(c[0], c[2] > 0, c[5] > 0, c[6], c[7] > 0),
              std::tuple(0, true, true, 0, true));
    // Line 1 reaches cell 26 and draws two empty segments, then a gap ends
    // it; line 4 draws after that gap: a gap first, so its cell 0 is free.
    int32_t draws = 0;
    plat::SetRandSourceForTests([&draws] { return ++draws <= 30 ? 0 : 1; });
    city.PrepareStreetGrid();
    EXPECT_EQ(city.street_grid[4][0], 0);
}

// A road joining the city is taken over field by field; one beside it never.
// The connecting runs reach the last cell too: beside the last plan line
// (dx 25) a run takes cell 26, the area's last.
TEST_F(CityStreetsTest, ConnectingRunsReachTheAreasLastCell) {
    CCity city(1, 50, 50);
    plat::SetRandSourceForTests([] { return 0; });  // runs every two rows
    city.PrepareStreetGrid();
    plat::SetRandSourceForTests({});
    int32_t runs = 0;
    for (int32_t dy = 2; dy < 23; dy += 2) runs += city.street_grid[kCityAreaSize - 1][dy] > 0;
    EXPECT_GT(runs, 0);
}

TEST_F(CityStreetsTest, PlayerRoadJoiningTheCityBecomesACityStreet) {
    CCity& city = CityWithStreetAt(2);  // east-west
    LayLine(101, 100, 104, 100, kWayGravelRoad);
    F(102, 100).set_wegteil(kCrossingRoadEW);  // a level crossing is taken over too
    F(102, 100).set_gleisr(kDirsNS);
    LayWay({{100, 101}}, kWayAsphaltRoad);
    F(100, 101).set_wegteil(2);  // runs east-west below the street
    helper_.UpdateWayPiecesAround(100, 101);
    F(104, 100).set_stadtnum(2);  // marked as another city's: taken over all the same
    F(100, 100).set_belegt(1);
    city.ExtendStreets();
    EXPECT_EQ(city.new_street_last, -1);
    F(100, 100).set_belegt(0);
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    EXPECT_EQ(std::tuple(city.street_candidates[0].dx, city.street_candidates[0].dy),
              std::tuple(11, 10));
    city.UpdateStreets();
    EXPECT_EQ(F(101, 100).stadtnum(), 1);
    LayAllCandidates(city);
    for (int32_t x = 101; x <= 104; ++x) {
        EXPECT_EQ(std::tuple(F(x, 100).wegtyp(), F(x, 100).stadtnum()),
                  std::tuple(uint32_t{kWayCityStreet}, 1u))
            << x;
    }
    EXPECT_EQ(std::tuple(F(100, 101).wegtyp(), F(100, 101).stadtnum()),
              std::tuple(uint32_t{kWayAsphaltRoad}, 0u));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityStreetsTest, PlannedCellsBesideTheNetAreLaidWithTheirPieces) {
    CCity& city = CityWithStreetAt(1);  // north-south
    // Plan: a street through (100, 97..103) with an arm east at y 102.
    for (int32_t dy = 7; dy <= 13; ++dy) city.street_grid[10][dy] = 1;
    city.street_grid[11][12] = 2;
    city.street_grid[12][12] = 2;
    for (int32_t dx = 0; dx < 27; ++dx) {
        for (int32_t dy = 0; dy < 27; ++dy) city.RefitPlanPiece(dx, dy);
    }
    ASSERT_EQ(city.street_grid[10][12], 4);  // a T piece: N, E, S
    EXPECT_EQ(LayAllCandidates(city), 8);
    for (int32_t y = 97; y <= 103; ++y) {
        EXPECT_EQ(std::tuple(F(100, y).wegtyp(), F(100, y).stadtnum()),
                  std::tuple(uint32_t{kWayCityStreet}, 1u));
    }
    EXPECT_EQ(std::tuple(F(100, 102).wegteil(), F(100, 102).knoten(), F(102, 102).wegtyp()),
              std::tuple(4u, true, uint32_t{kWayCityStreet}));
    EXPECT_NE(F(100, 102).knotennummer(), 0);
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

TEST_F(CityStreetsTest, PlayerRoadOnThePlanMergesItsPiece) {
    CCity& city = CityWithStreetAt(2);  // east-west at (100, 100)
    city.street_grid[11][10] = 2;       // planned east-west at (101, 100)
    // A road crosses the plan at (101, 99..101): its middle field, taken
    // over, merges its piece with the planned one into a crossing.
    LayLine(101, 99, 101, 101, kWayGravelRoad);
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    city.UpdateStreets();
    const MapField& f = F(101, 100);
    EXPECT_EQ(std::tuple(f.wegtyp(), f.wegteil(), f.knoten(), f.richtung()),
              std::tuple(uint32_t{kWayCityStreet}, 11u, true, uint32_t{kDirN | kDirS | kDirW}));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

// Planned cells on track, a bridge end or a tunnel portal are never laid.
TEST_F(CityStreetsTest, NeverOntoTrackBridgeEndOrTunnelPortal) {
    CCity& city = CityWithStreetAt(2);
    for (int32_t dx = 0; dx < 27; ++dx) city.street_grid[dx][10] = 2;
    LayWay({{101, 100}}, kWayRail);
    for (const bool bridge : {true, false}) {
        MapField& f = F(99, 100);
        f = MapField{};
        f.set_teile_art(1);
        f.set_wegtyp(kWayGravelRoad);
        f.set_wegteil(2);
        f.set_bridge_end(bridge);
        f.set_bridge_flag(bridge);
        f.set_tportal(!bridge);
        city.ExtendStreets();
        EXPECT_EQ(city.new_street_last, -1);
    }
    EXPECT_EQ(F(101, 100).wegtyp(), kWayRail);
}

TEST_F(CityStreetsTest, NewStreetJoiningTwoStretchesLinksTheirNodes) {
    CCity& city = AddEmptyCity(1, 90, 90);
    // Two city streets with junctions and a gap at (100, 100).
    PutCityStreetLine(95, 100, 99, 100, 1);
    PutCityStreetLine(101, 100, 105, 100, 1);
    PutCityStreetLine(95, 99, 95, 101, 1);
    PutCityStreetLine(105, 99, 105, 101, 1);
    city.street_grid[10][10] = 2;
    ASSERT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    city.ExtendStreets();
    ASSERT_EQ(city.new_street_last, 0);
    city.UpdateStreets();
    EXPECT_EQ(F(100, 100).wegtyp(), kWayCityStreet);
    const WayNode* west = Net().Node(F(95, 100).knotennummer());
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(std::tuple(uint32_t(west->ziel[kDirIndexE]), int32_t(west->cost[kDirIndexE])),
              std::tuple(F(105, 100).knotennummer(), 10));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
    // A new junction takes its node before a junction beside it that has
    // none (it was laid while the node table was full).
    LayWay({{110, 110}}, kWayCityStreet);
    F(110, 110).set_stadtnum(1);
    F(110, 110).set_wegteil(4);     // N, E, S
    city.street_grid[20][21] = 11;  // a crossing below it
    const auto next = static_cast<uint32_t>(Net().NodeCount() + 1);
    city.ExtendStreets();
    city.UpdateStreets();
    EXPECT_EQ(std::tuple(F(110, 111).knotennummer(), F(110, 110).knotennummer()),
              std::tuple(next, next + 1));
    EXPECT_TRUE(GraphMatchesMap(Net(), 0, 0, 255, 255));
}

}  // namespace
