#pragma once
// What the main frame does around the vehicle screens beyond the common
// steps: after a purchase (or any result while a schedule is edited) the game
// stays halted and the schedule screen opens; a closed schedule shows a
// hidden vehicle overview again; the overview closed by "go to" centres the
// world view on its selected field.

#include "screens/screen_entry.h"

extern const ScreenEntry kPurchaseFrameSteps;
extern const ScreenEntry kScheduleFrameSteps;
extern const ScreenEntry kVehicleOverviewFrameSteps;
