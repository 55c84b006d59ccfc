#pragma once
// The way network graph matches the map: a graph rebuilt from the map's node
// fields has the kept graph's links, and every link has its mirror.

#include <gtest/gtest.h>

#include <cstdint>

#include "world/way_network.h"

// Compares the kept network with one rebuilt from the fields of the box
// (x0, y0)-(x1, y1) (clipped to the map); every kept node must stand in the
// box. Without `flags` the links' flags are left out: they are the vehicles'
// reservations, which a graph rebuilt from the map cannot know.
::testing::AssertionResult GraphMatchesMap(const CWayNetwork& network, int32_t x0, int32_t y0,
                                           int32_t x1, int32_t y1, bool flags = true);

// Every link has a partner link at its target with the same cost (and flag),
// and no link names a free node number.
::testing::AssertionResult MirrorInvariantHolds(const CWayNetwork& network, bool flags = true);
