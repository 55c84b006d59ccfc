#pragma once
// One stop of a vehicle schedule: the fields of the stop's terminal, up to
// four x and four y coordinates (255 = none). A stop whose first x is 255 is
// empty. 10 bytes, also in level files.

#include <cstdint>

constexpr uint8_t kNoStopField = 255;

struct ScheduleStop {
    uint8_t x[4];
    uint8_t spare_a;
    uint8_t y[4];
    uint8_t spare_b;

    bool IsEmpty() const { return x[0] == kNoStopField; }
};
static_assert(sizeof(ScheduleStop) == 10);

// A stop without fields (spare bytes 0).
constexpr ScheduleStop EmptyScheduleStop() {
    return ScheduleStop{{kNoStopField, kNoStopField, kNoStopField, kNoStopField},
                        0,
                        {kNoStopField, kNoStopField, kNoStopField, kNoStopField},
                        0};
}
