#pragma once
// The main frame's screen table: every screen's own entry
// (screens/screen_entry.h), with what the frame itself does around some of
// them. A screen that is not listed does not exist yet; the frame then
// answers its open request as described in main_frame.h.

#include <cstdint>

#include "screens/screen_entry.h"

// The screens the program has, in no particular order.
const ScreenEntry* FrameScreenTable(int32_t* count);
