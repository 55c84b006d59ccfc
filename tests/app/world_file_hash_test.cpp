// A whole world generated from a fixed seed with the stand-in data and saved
// as a game keeps the exact bytes recorded here: moving code between folders
// must not change what the generator makes or what the writer writes.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/level_file.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "level_file_fixture.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "standin.h"
#include "state/game_state.h"
#include "support/fnv_hash.h"
#include "support/generator_scope.h"
#include "world/map_reset.h"
#include "world/terrain.h"

namespace {

TEST(WorldFileHash, FixedSeedWorldSavesTheRecordedBytes) {
    plat::HeadlessBackend host;
    fvtest::TempFolder folder;
    std::string error;
    ASSERT_TRUE(standin::WriteDataFolder(folder.Path(), &error)) << error;

    fvtest::GeneratorScope world(folder.Path(), 2);
    CTerrain& terrain = world.terrain();
    CCityManager& cities = world.cities();
    CBuildingTable& buildings = world.buildings();

    plat::Srand(1234);
    cities.LoadNames();
    ResetMapFields();
    terrain.GenerateLandscape();
    const std::string path = folder.Path() + "/world.sav";
    const bool saved = SaveGameFile(path);
    int32_t buildingCount = 0;
    for (int32_t slot = 1; slot < kBuildingSlots; ++slot)
        buildingCount += buildings.At(slot) != nullptr;
    EXPECT_GT(buildingCount, 20);  // cities, sites and woods were made

    buildings.FreeAll();
    cities.RemoveAllCities();

    ASSERT_TRUE(saved);
    const fvtest::Bytes bytes = fvtest::ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), 1008792u);
    EXPECT_EQ(fvtest::Fnv1a(bytes.data(), bytes.size()), 17013971920596885689ull);
}

}  // namespace
