#pragma once
// Clearing the whole map for a new world.

// A new map: every bit of every field cleared except `feldchange`, which is
// set; every node of the way network freed; both redraw flags set.
void ResetMapFields();
