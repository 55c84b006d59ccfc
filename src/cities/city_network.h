#pragma once
// Keeping the way network in step with the city streets: after a street
// field was laid, taken over or removed, the way fields around it get their
// direction masks and node marks re-fitted, every field marked as a junction
// gets its node, and the links of the changed stretches are rebuilt, so that
// the graph matches the map as it does after any other way construction.

#include <cstdint>
#include <utility>
#include <vector>

using FieldList = std::vector<std::pair<int32_t, int32_t>>;

// Re-fits every listed field that carries a way, then links them.
void RefitAndRelinkFields(const FieldList& fields);
// After a city street was laid on (x, y): the field and the city streets
// beside it that carry a junction piece get their nodes, the field and its
// neighbours are re-fitted, and the field and each neighbour with a node
// relink their road directions.
void LinkLaidStreetField(int32_t x, int32_t y);
