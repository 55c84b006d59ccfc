#pragma once
// A building of the player built as the player builds it.

#include <cstdint>

namespace fvtest {

// A building of `type` placed for the player on the first site along the
// diagonal from (x, y) that takes it; its number, 0 where none did.
int32_t BuildForThePlayer(int32_t type, int32_t x, int32_t y);

}  // namespace fvtest
