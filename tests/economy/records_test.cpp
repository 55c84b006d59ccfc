// The building table's record: every class's record, whole tables and whole
// level files read back byte for byte, damaged records refused leaving the
// game as it was, and values read from files kept within their ranges.

#include <cstring>

#include "app/level_file.h"
#include "economy/building_factory.h"
#include "economy/lumber_mill.h"
#include "economy/record_io.h"
#include "economy/store.h"
#include "economy/train_station.h"
#include "economy_fixture.h"
#include "game/opponent_roster.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "state/data_tables.h"
#include "state/le_io.h"
#include "world/way_network.h"

namespace econ {
namespace {

std::vector<uint8_t> RecordOf(const CBuilding& b) {
    RecordWriter out;
    b.Save(out);
    return out.bytes();
}

// A building of `type` read from its record bytes.
std::unique_ptr<CBuilding> Loaded(int32_t type, const std::vector<uint8_t>& bytes) {
    std::unique_ptr<CBuilding> b(CreateBuilding(type, 30, 30, true));
    RecordReader in(bytes.data(), static_cast<uint32_t>(bytes.size()));
    b->Load(in);
    return b;
}

using RecordsTest = EconomyTest;

TEST_F(RecordsTest, BuildingsKeepTheirNumbersAndLoadingReplacesWhatWasThere) {
    GS().selected_building_type = kTypeMine;
    for (int32_t i = 0; i < 700; ++i) Table().PlaceBuilding(10, 10);
    for (int32_t i = 1; i <= 700; ++i) {
        if (i != 3 && i != 700) Table().DemolishBuilding(i);
    }
    Place(kTypeSteelMill, 10, 10);  // takes slot 1
    const std::string saved = Snapshot(Table());
    EXPECT_EQ(le::GetU32(reinterpret_cast<const uint8_t*>(saved.data())), 3u);
    Table().DemolishBuilding(1);
    Place(kTypeMine, 30, 30);  // takes slot 1 again, and 2
    Place(kTypeMine, 40, 30);
    view_.animations.clear();
    ASSERT_TRUE(LoadBytes(&Table(), saved));
    for (int32_t n : {1, 3, 700}) EXPECT_NE(Table().At(n), nullptr) << n;
    EXPECT_EQ(std::tuple(Table().At(1)->type, Table().At(2)), std::tuple(kTypeSteelMill, nullptr));
    ASSERT_EQ(view_.animations.size(), 1u);  // the steel mill's, started again
    EXPECT_EQ(view_.animations[0].kind, 0);
}

// A table record counting `count` buildings, with one: its type, slot,
// anchor and `recordBytes` zero bytes of record.
std::string OneBuilding(const std::array<int32_t, 6>& row) {
    std::string bytes(static_cast<size_t>(24 + row[5]), '\0');
    auto* out = reinterpret_cast<uint8_t*>(bytes.data());
    le::PutU32(out, static_cast<uint32_t>(row[0]));
    out[4] = static_cast<uint8_t>(row[1]);
    for (const int32_t k : {1, 2, 3})
        le::PutU32(out + 4 + 4 * k, static_cast<uint32_t>(row[k + 1]));
    return bytes;
}

TEST_F(RecordsTest, DamagedRecordsAreRefusedWithoutACrash) {
    Place(kTypeMine, 10, 10);
    // Platform kinds without a class and types beyond the list; slot 0 and
    // slots past the table; anchors off the map; records one byte and far
    // too short; fewer and more buildings than counted.
    std::vector<std::string> damaged = {"", std::string("\1\0", 2), std::string(10, '\xFF')};
    const std::array<int32_t, 6> rows[] = {
        {1, 4, 1, 5, 5, 0},     {1, 5, 1, 5, 5, 0},   {1, 32, 1, 5, 5, 0},
        {1, 255, 1, 5, 5, 0},   {1, 27, 0, 5, 5, 0},  {1, 27, 1024, 5, 5, 0},
        {1, 27, 1, 256, 5, 0},  {1, 27, 1, 5, -1, 0}, {1, 10, 1, 5, 5, 27},
        {1, 21, 1, 5, 5, 1000}, {2, 27, 1, 5, 5, 0},  {1024, 27, 1, 5, 5, 0}};
    for (const auto& row : rows) damaged.push_back(OneBuilding(row));
    // A slot used twice.
    damaged.push_back(OneBuilding({2, 27, 7, 5, 5, 0}) +
                      OneBuilding({0, 27, 7, 9, 9, 0}).substr(4));
    for (size_t i = 0; i < damaged.size(); ++i) {
        EXPECT_FALSE(LoadBytes(nullptr, damaged[i])) << i;
        EXPECT_FALSE(LoadBytes(&Table(), damaged[i])) << i;
        for (int32_t n = 0; n < kBuildingSlots; ++n) ASSERT_EQ(Table().At(n), nullptr) << i;
    }
    // The check also refuses values that no writer writes: a mine of
    // product 0 whose stock has denominator 0. Sound shapes pass.
    EXPECT_FALSE(LoadBytes(nullptr, OneBuilding({1, 10, 1, 5, 5, 28})));
    EXPECT_TRUE(LoadBytes(nullptr, OneBuilding({1, 27, 1023, 255, 0, 0})));
    EXPECT_TRUE(LoadBytes(nullptr, OneBuilding({0, 0, 0, 0, 0, 0})));
}

TEST_F(RecordsTest, ValuesFromAFileAreKeptInRange) {
    std::vector<uint8_t> store = RecordOf(*Table().At(Place(kTypeToyStore, 10, 10)));
    // selected_product at 36 + 36 + 432 + 432 + 12, price steps after the
    // 108 bytes of stock, then advertising.
    const size_t selected = 36 + 36 + 432 + 432 + 12;
    const size_t steps = selected + 4 + 108;
    le::PutU32(store.data() + selected, 99);
    store[steps] = 9;
    store[steps + 1] = static_cast<uint8_t>(-8);
    store[steps + 9] = 7;
    const auto s = Loaded(kTypeToyStore, store);
    EXPECT_EQ(std::tuple(s->GetProduct(), s->GetProductCost(8), s->GetProductCost(9),
                         s->GetAdvertising()),
              std::tuple(8, 5, -5, 3));
    std::vector<uint8_t> station(39, 'A');
    le::PutU32(station.data() + 35, 9);
    const auto long_station = Loaded(8, station);
    EXPECT_EQ(std::pair(long_station->GetLength(), std::strlen(long_station->GetName())),
              std::pair(kMaxStationLength, size_t{34}));
    le::PutU32(station.data() + 35, 0);
    EXPECT_EQ(Loaded(8, station)->GetLength(), 1);
    std::vector<uint8_t> mine(28, 0);
    le::PutU32(mine.data() + 12, 99);
    EXPECT_EQ(Loaded(kTypeMine, mine)->GetProduct(), 5);
}

// Figures of a stored game at the ends of their ranges keep the running game
// within its arithmetic (the sanitizer build stops at any overflow).
TEST_F(RecordsTest, ExtremeFiguresFromAFileKeepTheGameRunning) {
    constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
    constexpr int32_t kLeast = std::numeric_limits<int32_t>::min();
    MapField* forest = FieldAt(31, 31);
    forest->set_forest_flag(true);
    forest->set_data_word((3u << 7) | 4u);
    std::vector<uint8_t> mill(static_cast<size_t>(RecordSizeOfType(kTypeLumberMill)), 0);
    le::PutU32(mill.data() + 11, static_cast<uint32_t>(kMost));  // wood left
    le::PutU32(mill.data() + 503, 5);                            // stock: 5 wood
    le::PutU32(mill.data() + 507, 1);
    const auto m = Loaded(kTypeLumberMill, mill);
    m->AfterLoad();
    EXPECT_EQ(m->GetPeriodFigure(), kMost);
    m->Update();
    auto& lumber = static_cast<CLumberMill&>(*m);
    EXPECT_EQ(std::pair(WholeUnits(lumber.stock), lumber.wood_left), std::pair(24, kMost - 19));
    std::vector<uint8_t> bytes = RecordOf(*Table().At(Place(kTypeToyStore, 10, 10)));
    le::PutU32(bytes.data(), static_cast<uint32_t>(kLeast));  // sold this month
    const auto copy = Loaded(kTypeToyStore, bytes);
    auto& s = static_cast<CStore&>(*copy);
    s.customers = 500;
    s.PutGoods(8, 3, 1);
    EXPECT_EQ(s.GetUnitsSoldThisMonth(8), kLeast + 3);
    // Cash borrows across its 64 bits.
    GS().cash[0] = std::numeric_limits<int64_t>::min() + 10;
    copy->owner = 0;
    copy->SetAdvertising(1);
    copy->Update();
    EXPECT_EQ(GS().cash[0], std::numeric_limits<int64_t>::max() - 14989);
}

// Mode, built counts, board votes, the field grid, an empty network, cash and
// season come before the buildings.
constexpr size_t kBuildingRecord = 4 + 24 + 4 + 786432 + 4 + 32 + 4;

class LevelRecordTest : public EconomyTest {
  protected:
    LevelRecordTest() {
        game_.Set(g_pWayNetwork, network_.get());
        GS().game_mode = kModeGame;
        GS().season = 2;
        std::snprintf(GS().data_paths[kPathSave * kDataPathCopies + GS().install_index],
                      kDataPathLength, "%s\\save", folder_.Path().c_str());
        RecreateOpponents();
    }
    std::string Path(const char* name) const { return folder_.Path() + "/save/" + name; }
    std::string Save(const char* name) {
        EXPECT_TRUE(SaveGameFile(Path(name)));
        return folder_.Read(std::string("save/") + name);
    }
    plat::HeadlessBackend host_;
    fvtest::TempFolder folder_;
    std::unique_ptr<CWayNetwork> network_ = std::make_unique<CWayNetwork>();
};

TEST_F(LevelRecordTest, EveryBuildingTypeRoundTripsByteForByteAndDamageIsRefused) {
    PlaceEveryType();
    // Every load marks all fields changed, and the mark is saved.
    MarkAllFieldsChanged();
    const std::string first = Save("first.lvl");
    ASSERT_GT(first.size(), kBuildingRecord + 4);
    EXPECT_EQ(first.substr(kBuildingRecord, 4), std::string("\x1e\0\0\0", 4));
    // Another running game: the load must bring the buildings back.
    Table().DemolishBuilding(1);
    Place(kTypeToyStore, 200, 200);
    ASSERT_EQ(LoadSavedGame(Path("first.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(Table().At(31), nullptr);
    EXPECT_STREQ(Table().At(1)->GetName(), "Testtown North");
    EXPECT_TRUE(Save("second.lvl") == first);
    // A damaged building record (the first building's type without a class,
    // its slot past the table, the file cut) is refused and the game stays.
    const std::string before = Snapshot(Table());
    std::string badType = first;
    badType[kBuildingRecord + 4] = 5;
    std::string badSlot = first;
    badSlot.replace(kBuildingRecord + 8, 4, std::string("\0\4\0\0", 4));
    std::string cut = first.substr(0, kBuildingRecord + 900);
    for (const auto& [name, bytes] :
         {std::pair{"type.lvl", &badType}, {"slot.lvl", &badSlot}, {"cut.lvl", &cut}}) {
        SCOPED_TRACE(name);
        folder_.Write(std::string("save/") + name, *bytes);
        EXPECT_EQ(LoadSavedGame(Path(name)), LevelLoadResult::Rejected);
        EXPECT_EQ(Snapshot(Table()), before);
    }
    EXPECT_EQ(LoadLevel(Path("cut.lvl")), LevelLoadResult::Rejected);
    EXPECT_EQ(Snapshot(Table()), before);
}

}  // namespace
}  // namespace econ
