// The city manager: terminal names, the names files (the stand-in lists of
// 128 usable invented names each, read back whole), removing cities and the
// cities' record of the level file.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cities/city_level.h"
#include "city_fixture.h"
#include "city_names.h"
#include "platform/file.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "state/le_io.h"
#include "support/way_graph_check.h"

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

    // Offsets in a record: the count, then per city 12 + body bytes.
    static constexpr size_t kCountAt = kNameBlockBytes;
    static constexpr size_t kFirstCity = kNameBlockBytes + 4;
    static constexpr size_t kBodySize = 16 + 2 * 2916 + 35 + 16;
    static constexpr size_t kCitySize = 12 + kBodySize;

    fvtest::TempFolder folder_;
    std::string path_ = folder_.Path() + "/record";
};

// Terminals are named after the nearest city (the lower slot wins a tie):
// the location words in turn, then numbers; a damaged count never indexes
// outside the words and long names are cut to the name field.
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
    EXPECT_STREQ(Cities().names[0], "Alderbrook");
    EXPECT_STREQ(Cities().names[1], "Abcdefghijklmnopqrs");
    EXPECT_STREQ(Cities().names[2], "\xC4lmhaven");
    // A line past 99 characters is one name; the next line the next name.
    EXPECT_EQ(std::string(Cities().names[3]), std::string(19, 'q'));
    EXPECT_STREQ(Cities().names[4], "Last");
    // The file ends early: the remaining names are empty.
    EXPECT_STREQ(Cities().names[5], "");
    EXPECT_STREQ(Cities().names[100], "");
    EXPECT_EQ(Cities().name_used[7], 0u);
    // A missing file changes nothing.
    State().names_list_number = 4;
    Cities().name_used[0] = 1;
    Cities().LoadNames();
    EXPECT_STREQ(Cities().names[0], "Alderbrook");
    EXPECT_EQ(Cities().name_used[0], 1u);
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

// Removing a city clears its fields and streets and frees its name; player
// roads (one ending beside a city street) and a company building inside the
// area stay. Off the map or on a field of no city nothing happens.
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
            if (f.wegtyp() == 0 && !f.building_flag()) ASSERT_EQ(f.data_word(), 0);
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
    const auto [x2, y2] = FieldOfCity(2);
    Cities().RemoveCityAt(x2, y2);
    ASSERT_EQ(Cities().cities[1], nullptr);
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
    // same byte for byte.
    ASSERT_TRUE(LoadBytes(bytes));
    EXPECT_TRUE(SavedBytes() == bytes);
    EXPECT_EQ(Cities().cities[1], nullptr);
    ASSERT_NE(Cities().cities[2], nullptr);
    EXPECT_EQ(Cities().cities[2]->number, 3);
    EXPECT_STREQ(Cities().cities[2]->name, "Harrowgate");
    // Residents are counted again from the map; the evaluation is kept.
    EXPECT_EQ(counted(), before);
    EXPECT_EQ(Cities().cities[2]->pending_site_x, -1);
}

// Every field in its place and byte order: a record written in another
// order or with a field dropped changes the hash.
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
    const size_t second = kFirstCity + kCitySize;
    const size_t body = kFirstCity + 12;
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
    PrepareCitiesForSave();
    EXPECT_EQ(city.pending_site_x, -1);
    EXPECT_LE(F(sx, sy).stadtb(), kLastResidentialBuilding);
    SavedBytes(WriteCityRecords);
    plat::FileHandle file = plat::OpenFile(path_, plat::OpenMode::Read);
    EXPECT_TRUE(SkipCityRecords(file));
    plat::SeekFile(file, 0, plat::SeekFrom::Begin);
    EXPECT_TRUE(ReadCityRecords(file));
    plat::CloseFile(file);
    ASSERT_NE(Cities().cities[0], nullptr);
    EXPECT_EQ(Cities().cities[0]->origin_x, 87);
}

}  // namespace
