// The cities' record of the level file: the round trip of every saved field
// and the rejection of damaged records.

#include <cstring>
#include <string>
#include <vector>

#include "cities/city_level.h"
#include "city_fixture.h"
#include "platform/file.h"
#include "platform/temp_folder.h"
#include "state/le_io.h"

namespace {

class CityRecordTest : public CityTest {
  protected:
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
