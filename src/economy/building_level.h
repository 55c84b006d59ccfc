#pragma once
// The level file's calls into the building table: the buildings' record (a
// count, then per building a 20-byte header and its own record; see
// CBuildingTable::Save) and the steps around reading a game.

#include "economy/building_table.h"
#include "platform/file.h"

// Writes the record (the empty form, count 0, when there is no table); a
// short write sets g_WriteError.
void WriteBuildingRecords(plat::FileHandle file);
// Walks over the record with the reader's checks and changes nothing; false
// when it is damaged. With `types`, entry n becomes the type of the building
// in slot n (-1 for an empty slot), with `anchors` the field index of its
// anchor.
bool SkipBuildingRecords(plat::FileHandle file, int32_t (*types)[kBuildingSlots] = nullptr,
                         int32_t (*anchors)[kBuildingSlots] = nullptr);
// Deletes every building and reads the record; false when it is damaged (the
// table is left empty).
bool ReadBuildingRecords(plat::FileHandle file);

// Deletes the buildings of slots 1..1023 and empties the slots.
void DeleteAllBuildings();
// Every building's fix-up after a game or level was read (after the calendar).
void AfterLoadAllBuildings();
