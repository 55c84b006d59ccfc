#pragma once
// Construction of a building object by its type, for placement and for
// loading, and the size of each type's own record in the level file.

#include <cstdint>

class CBuilding;

// A new building of `type` (every type with a class: 0..3, 6..31) at anchor
// (x, y), its type set; null for a type without a class. `loading`: the
// building reads its record next, so it neither names itself nor counts
// customers; a mine then starts without product. `mine_product` is the
// product of a new mine (5..7).
CBuilding* CreateBuilding(int32_t type, int32_t x, int32_t y, bool loading,
                          int32_t mine_product = 5);

// Bytes of the record a building of `type` writes after the table's header;
// -1 for a type without a class.
int32_t RecordSizeOfType(int32_t type);
