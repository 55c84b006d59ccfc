#pragma once
// The vehicles' record of the level file: the number of listed vehicles, then
// per vehicle in list order its class code and its own record.

#include "platform/file.h"

// Writes every listed vehicle. Short writes set g_WriteError.
void WriteVehicleLevelPart(plat::FileHandle file);
// Reads the vehicles into the (emptied) list, keeping the file order, and
// puts back each vehicle's marks on its field. The caller has cleared the
// transient field marks after reading the field grid. False for a damaged
// record: a class code other than 1, 2, 3, 4 and 8, or a vehicle record that
// ends early or does not make sense; the vehicles read before it stay.
// A count that cannot be read means no vehicles.
bool ReadVehicleLevelPart(plat::FileHandle file);
