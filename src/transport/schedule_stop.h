#pragma once
// One stop of a vehicle schedule: the fields of the stop's terminal, up to
// four x and four y coordinates (255 = none). A stop whose first x is 255 is
// empty. 10 bytes, also in level files.

#include <cstdint>

struct ScheduleStop {
    uint8_t x[4];
    uint8_t spare_a;
    uint8_t y[4];
    uint8_t spare_b;
};
static_assert(sizeof(ScheduleStop) == 10);
