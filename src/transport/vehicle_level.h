#pragma once
// The vehicles' record of the level file: the number of vehicles in
// g_pVehicleList, then per vehicle in list order its class code and its own
// record.

#include <memory>
#include <vector>

#include "platform/file.h"
#include "transport/vehicle_list.h"

// Writes every listed vehicle. A short write sets g_WriteError.
void WriteVehicleRecords(plat::FileHandle file);
// Walks over the record with the reader's checks and changes nothing; false
// when it is damaged. With `read`, the vehicles read (unlisted, unmarked)
// are handed over for further checks.
bool SkipVehicleRecords(plat::FileHandle file,
                        std::vector<std::unique_ptr<CVehicle>>* read = nullptr);
// Reads the vehicles into the list (which DeleteAllVehicles has emptied),
// keeping the file order, and puts back each vehicle's marks on its field;
// the caller has cleared the transient field marks after reading the field
// grid. The trains then take over the link flags of the way network read
// before. False for a damaged record: a class code other than 1, 2, 3, 4 and
// 8, or a vehicle record that ends early or does not make sense; the
// vehicles read before it stay. A count that cannot be read means no
// vehicles.
bool ReadVehicleRecords(plat::FileHandle file);
