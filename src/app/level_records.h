#pragma once
// Inside the level-file code: the record order shared by the writer and the
// reader, and the walk that both the check and the reading run.
//
// Records, in file order (sizes in bytes; all numbers little-endian):
//   1   4        game mode (2 when written from the editor)
//   2   24       built_counts, 6 x int32
//   3   4        board_votes
//   4   786,432  the field grid, 12 bytes a field, in memory order
//   5   varies   the way network
//   6   32       cash, 4 x int64
//   7   4        season (1..3)
//   8   varies   buildings
//   9   varies   vehicles
//   10  varies   cities
//   11  12       week, month, year
//   12  20       the view's camera: double centre x, double centre y, int32 zoom
//   13  4        rotation (0..3)
//   14  1        the human player's colour
//   15  140      company names, 4 x 35 characters
//   16  1        active_event (int8)
//   17  1        event_pause (uint8)
//   18  6,608    g_Statistics
//   19  80       g_NewGameCounters
//   20  8        the first two news ids
//   21  4        number N of market-event records (40 when written); files of
//                the older layout have no count here and 27 records
//   22  N x 92   market events                    -- a level start ends here
//   23  varies   opponents 1, 2, 3
//   24  4        active_opponent
//   25  12       take-over years of opponents 1..3
//   26  12       take-over percentages of opponents 1..3
//   27  80       bookmarks, 10 x {int32 x, int32 y}
//   28  24       display options: grid, trees, city buildings, city names,
//                building names, production
//
// Records 1 to 10 must be whole: a file that ends before record 11 is
// refused (see ObjectRecords in level_file_walk.cpp for why). From record 11
// on a file may end early (older or cut files): what did not arrive keeps
// the values a load starts from.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"

class CVehicle;
class CWayNetwork;

constexpr uint32_t kFieldGridBytes = 786432;
constexpr int32_t kMarketEventsWritten = 40;
// Read in place of the market-event count, it marks the older layout.
constexpr int32_t kOlderLayoutMarker = 1960;
constexpr int32_t kOlderLayoutEventCount = 27;
// A camera coordinate beyond this is no camera the view ever had.
constexpr double kCameraLimit = 100000.0;

enum class LevelWalkMode {
    Check,  // reads and checks every record, changes nothing
    Read,   // reads for real into the running game, checking everything again
};

enum class LevelWalkPart {
    WholeGame,     // every record (saved games)
    PreparedGame,  // every record, none of them cut (missions, scenarios)
    LevelStart,    // records 1 to 22 (levels)
};

// Walks the open file from its current position. False when the file is
// damaged; in Read mode the game then holds what was read so far (every value
// that went in was checked).
bool WalkLevelFile(plat::FileHandle file, LevelWalkMode mode, LevelWalkPart part);

// What the check walk read of the records that name each other.
struct LevelReferences {
    std::vector<uint8_t> grid;                        // record 4
    const CWayNetwork* network = nullptr;             // record 5, read into a network of its own
    int32_t building_types[1024] = {};                // record 8: the type per slot, -1 for none
    int32_t building_anchors[1024] = {};              // record 8: the anchor's field index
    std::vector<std::unique_ptr<CVehicle>> vehicles;  // record 9, unlisted
    uint64_t cities = 0;                              // record 10: bit n-1 for city n
};
// True when every field, vehicle and stop names things that exist and fit:
// building slots of company fields hold a building of the field's type,
// cities named by fields exist, every building's anchor field names it (so
// that a store's city is the one its anchor names), each node number names a node of the network
// and belongs to one field only, way types lie in 0..6, vehicle models in
// the model table, every stop names a terminal of the vehicle's kind, and
// player vehicles carry distinct non-negative numbers.
bool LevelReferencesSound(const LevelReferences& refs);
// The owner a load gives each building slot (the player number on its
// north-west field, the first field naming it), -1 for an empty slot.
std::vector<int32_t> FileBuildingOwners(const LevelReferences& refs);

// Writes every record of the running game; `mode_to_write` is record 1.
void WriteLevelRecords(plat::FileHandle file, int32_t mode_to_write);

// The boxes of the level files (owned by the control panel when it exists).
// Retry/Cancel for a file that cannot be opened: true for Retry.
bool AskRetryMissingLevel(const std::string& path);
// Retry/Cancel for a file that cannot be created for writing: true for Retry.
bool AskRetryUnwritableLevel(const std::string& path);
void ShowDamagedLevelBox(const std::string& path);
// The save was not written because the file would not load again.
void ShowUnloadableSaveBox(const std::string& path);

// Steps of a load outside the file walk (level_file_refresh.cpp).
// Before reading: vehicles, buildings and transient words go; the view is
// told to redraw everything.
void TearDownForLevelRead(LevelWalkPart part);
// After the season was read: the season's tile sheet, the building types,
// the view's animations.
void ReloadSeasonDependentTables();
// After reading: the mode fix-ups and the refresh of pictures, view and panel.
void FinishLevelRead(LevelWalkPart part);
// The availability settings of a career or mission level (modes 3 and 4).
void ApplyLevelAvailability();
