#pragma once
// Small rules shared by the city files: size classes, the countdown after an
// evaluation, forest clearing and the redraw marks of changed fields.

#include <cstdint>

struct MapField;

// Size class 0..4 of a resident count (0 up to the first threshold).
int32_t SizeClassOf(int32_t residents);
// Growth ticks until the next step after an evaluation: (3000 - score) / 100,
// at least 0.
int32_t CountdownFor(int32_t evaluation);
// Clears a forest on the field (its tree word with it); true when there was one.
bool ClearForest(MapField& field);
// Ask the world view to redraw its object layer or its terrain when the
// field is visible.
void MarkObjectsChanged(int32_t x, int32_t y);
void MarkTerrainChanged(int32_t x, int32_t y);
