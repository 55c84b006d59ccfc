// The main loop's millisecond clock comes from the current back end.

#include "platform/clock.h"

#include "platform/backend.h"

namespace plat {

uint32_t TimeGetTime() {
    return CurrentBackend().Now();
}

}  // namespace plat
