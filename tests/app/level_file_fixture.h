#pragma once
// A running game for the level-file tests (state, tables, opponents, way
// network, saved-games folder) with helpers to fill every record, snapshot
// what a load may touch, and patch files at the offsets of their records.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/level_file.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"
#include "world/way_network.h"

namespace fvtest {

using Bytes = std::vector<uint8_t>;

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

// Offsets of the records of a written file (event: the active event).
struct RecordOffsets {
    size_t grid = 32, network = 0, cash = 0, calendar = 0, camera = 0, names = 0, event = 0;
    size_t statistics = 0, counters = 0, event_count = 0, events = 0, opponents = 0;
    size_t bookmarks = 0, options = 0, end = 0;
};
// The network and the opponents vary in size; the rest follows from them.
RecordOffsets OffsetsOf(const Bytes& file);

void PutI32(Bytes& file, size_t offset, int32_t value);
int32_t GetI32(const Bytes& file, size_t offset);

class LevelFileTest : public ::testing::Test {
  protected:
    LevelFileTest();
    ~LevelFileTest() override;

    std::string FilePath(const std::string& name) const { return folder.Path() + "/" + name; }

    // Fills every saved record with values of `seed`'s own.
    void MakeGame(int32_t seed);
    // Everything a load may change: the records as written plus the state
    // that loads reset and no record holds.
    Bytes Snapshot() const;
    // Saves and reads back the file.
    Bytes SaveToBytes(const std::string& name);

    plat::HeadlessBackend host;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    CLookupTables tables;
    std::unique_ptr<CWayNetwork> network = std::make_unique<CWayNetwork>();
    TempFolder folder;
};

}  // namespace fvtest
