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
