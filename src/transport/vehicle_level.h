#pragma once
// The vehicles' record of the level file: the number of vehicles in
// g_pVehicleList, then per vehicle in list order its class and its own record.
//
// Until the vehicles save their own records the record is written in its
// empty form (count 0), and a file is readable only when it holds that form:
// a non-zero count cannot be walked and marks the file as damaged.

#include "platform/file.h"

// Writes the record; a short write sets g_WriteError.
void WriteVehicleRecords(plat::FileHandle file);
// Walks over the record with the reader's checks and changes nothing; false
// when it is damaged.
bool SkipVehicleRecords(plat::FileHandle file);
// Reads the record and rebuilds the vehicle list (which DeleteAllVehicles has
// emptied before); false when it is damaged.
bool ReadVehicleRecords(plat::FileHandle file);

// Deletes every vehicle of the list (the opponents forget them first) and
// frees the list nodes.
void DeleteAllVehicles();
