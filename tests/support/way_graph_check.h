#pragma once
// Checks that the way network graph matches the map: a graph built from
// scratch from the map (the same node fields, linked in all their way
// directions) has exactly the links the kept graph has, and every link has
// its mirror at the other end.

#include <gtest/gtest.h>

#include <cstdint>

#include "world/way_network.h"

// Compares the kept network with one rebuilt from the fields of the box
// (x0, y0)-(x1, y1) (clipped to the map). Every node of the kept network
// must stand on a field of the box.
::testing::AssertionResult GraphMatchesMap(const CWayNetwork& network, int32_t x0, int32_t y0,
                                           int32_t x1, int32_t y1);

// Every link has a partner link at its target with the same cost and flag,
// and no link names a free node number.
::testing::AssertionResult MirrorInvariantHolds(const CWayNetwork& network);
