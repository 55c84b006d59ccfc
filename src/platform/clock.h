#pragma once
// The millisecond clock of the main loop and of every timer: an unsigned
// 32-bit count that wraps; compare times only through unsigned differences
// (now - then). Answered by the current back end (the headless one has a fake
// clock that tests advance).

#include <cstdint>

namespace plat {

uint32_t TimeGetTime();

}  // namespace plat
