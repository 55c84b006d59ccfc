#pragma once
// A running game for the level-file tests: a game state with its lookup
// tables, opponents and way network, the saved-games folder below a fresh
// temporary folder, and helpers that fill every saved record with values of
// its own, take a snapshot of everything a load may touch and cut or patch
// files at the offsets of their records.

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

// Offsets of the records of a file written by the writer. The network and
// the opponents vary in size; the rest follows from them.
struct RecordOffsets {
    size_t grid = 32;
    size_t network = 0;      // record 5
    size_t cash = 0;         // record 6
    size_t calendar = 0;     // record 11
    size_t camera = 0;       // record 12
    size_t names = 0;        // record 15
    size_t event = 0;        // record 16 (active_event)
    size_t statistics = 0;   // record 18
    size_t counters = 0;     // record 19
    size_t event_count = 0;  // record 21
    size_t events = 0;       // record 22
    size_t opponents = 0;    // record 23
    size_t bookmarks = 0;    // record 27
    size_t options = 0;      // record 28
    size_t end = 0;
};
// Reads the network's node count at its place to find the rest.
RecordOffsets OffsetsOf(const Bytes& file);

void PutI32(Bytes& file, size_t offset, int32_t value);
int32_t GetI32(const Bytes& file, size_t offset);

class LevelFileTest : public ::testing::Test {
  protected:
    LevelFileTest();
    ~LevelFileTest() override;

    std::string FilePath(const std::string& name) const { return folder.Path() + "/" + name; }

    // Fills every saved record of the running game with values of its own
    // (`seed` makes different games). The grid's transient bits are left only
    // in the last row and column, where loads keep them.
    void MakeGame(int32_t seed);

    // Everything a load may change, as bytes: the records as the writer
    // writes them plus the state that loads reset and no record holds.
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
