// The buildings in a whole level file: a game with buildings of every type is
// saved, read back and saved again byte for byte; a damaged building record
// makes the reader refuse the file and leaves the running game as it was.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/level_file.h"
#include "economy/building_kinds.h"
#include "economy/store.h"
#include "economy/terminal.h"
#include "economy_fixture.h"
#include "game/opponent_roster.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "state/data_tables.h"
#include "state/le_io.h"
#include "state/map_field.h"
#include "world/way_network.h"

namespace econ {
namespace {

using Bytes = std::vector<uint8_t>;

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
    Bytes Save(const char* name) {
        EXPECT_TRUE(SaveGameFile(Path(name)));
        const std::string bytes = folder_.Read(std::string("save/") + name);
        return {bytes.begin(), bytes.end()};
    }

    plat::HeadlessBackend host_;
    fvtest::TempFolder folder_;
    std::unique_ptr<CWayNetwork> network_ = std::make_unique<CWayNetwork>();
};

TEST_F(LevelRecordTest, AGameWithEveryBuildingTypeSavesAndLoadsByteForByte) {
    PlaceEveryType();
    // Every load marks all fields changed, and the mark is saved.
    MarkAllFieldsChanged();
    const Bytes first = Save("first.lvl");
    ASSERT_GT(first.size(), kBuildingRecord + 4);
    EXPECT_EQ(le::GetU32(first.data() + kBuildingRecord), 30u);

    // Another running game: the load must bring the buildings back.
    Table().DemolishBuilding(1);
    Place(kTypeToyStore, 200, 200);
    ASSERT_EQ(LoadSavedGame(Path("first.lvl")), LevelLoadResult::Loaded);
    EXPECT_EQ(Table().At(31), nullptr);
    EXPECT_STREQ(Table().At(1)->GetName(), "Testtown North");
    EXPECT_TRUE(Save("second.lvl") == first);
}

TEST_F(LevelRecordTest, ADamagedBuildingRecordIsRefusedAndTheGameStays) {
    PlaceEveryType();
    const Bytes good = Save("good.lvl");
    const std::string before = Snapshot(Table());

    Bytes badType = good;
    badType[kBuildingRecord + 4] = 5;  // the first building's type: no class
    Bytes badSlot = good;
    le::PutU32(badSlot.data() + kBuildingRecord + 8, 1024);
    const Bytes cut(good.begin(),
                    good.begin() + static_cast<std::ptrdiff_t>(kBuildingRecord + 900));
    const std::pair<const char*, const Bytes*> damaged[] = {
        {"type.lvl", &badType}, {"slot.lvl", &badSlot}, {"cut.lvl", &cut}};
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        folder_.Write(std::string("save/") + name, std::string(bytes->begin(), bytes->end()));
        EXPECT_EQ(LoadSavedGame(Path(name)), LevelLoadResult::Rejected);
        EXPECT_EQ(Snapshot(Table()), before);
    }
    EXPECT_EQ(LoadLevel(Path("cut.lvl")), LevelLoadResult::Rejected);
    EXPECT_EQ(Snapshot(Table()), before);
}

}  // namespace
}  // namespace econ
