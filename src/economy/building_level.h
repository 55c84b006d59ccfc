#pragma once
// The buildings' record of the level file: a count, then per building a
// 20-byte header (type, slot, anchor) and the building's own record.
//
// Until the buildings save their own records the record is written in its
// empty form (count 0), and a file is readable only when it holds that form:
// a non-zero count cannot be walked and marks the file as damaged.

#include "platform/file.h"

// Writes the record; a short write sets g_WriteError.
void WriteBuildingRecords(plat::FileHandle file);
// Walks over the record with the reader's checks and changes nothing; false
// when it is damaged.
bool SkipBuildingRecords(plat::FileHandle file);
// Deletes every building and reads the record; false when it is damaged.
bool ReadBuildingRecords(plat::FileHandle file);

// Deletes the buildings of slots 1..1023 and empties the slots.
void DeleteAllBuildings();
// Every building's fix-up after a game or level was read (after the calendar).
void AfterLoadAllBuildings();
