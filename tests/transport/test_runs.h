#pragma once
// Flat bridges and straight tunnels written straight into the grid the way
// the builders leave them, for the road and rail test worlds. A run goes from
// (x1, y1) to (x2, y2) along one axis, the second end the larger. `field(x, y)`
// hands out the field to write (growing the world first); `finishEnd(x, y,
// field)` adds what a world keeps of each end.

#include <cstdint>

#include "state/map_field.h"
#include "world/way_piece_tables.h"

template <typename FieldOf, typename FinishEnd>
void WriteTestBridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType,
                     FieldOf fieldOf, FinishEnd finishEnd) {
    const bool alongY = x1 == x2;
    // Flat end codes: south 1, north 2, west 5, east 6; spans 9 (N-S) or 11.
    const uint32_t lowCode = alongY ? 2 : 5;
    const uint32_t highCode = alongY ? 1 : 6;
    const uint32_t spanCode = alongY ? 9 : 11;
    const uint32_t typeBits = static_cast<uint32_t>(wayType) << 4;
    const int32_t length = alongY ? y2 - y1 : x2 - x1;
    for (int32_t k = 0; k <= length; ++k) {
        const int32_t x = alongY ? x1 : x1 + k;
        const int32_t y = alongY ? y1 + k : y1;
        MapField& field = fieldOf(x, y);
        field.set_bridge_flag(true);
        if (k == 0 || k == length) {
            const uint32_t code = k == 0 ? lowCode : highCode;
            field.set_data_word(code + typeBits);
            field.set_bridge_end(true);
            field.set_wegtyp(static_cast<uint32_t>(wayType));
            field.set_wegteil(BridgeEndWayPiece[code - 1]);
            finishEnd(x, y, field);
        } else {
            field.set_data_word(spanCode + typeBits);
        }
    }
}

template <typename FieldOf, typename FinishEnd>
void WriteTestTunnel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t wayType,
                     FieldOf fieldOf, FinishEnd finishEnd) {
    const bool alongY = x1 == x2;
    // The low portal's ramp rises towards the high one (slope S or E), the
    // high portal's towards the low one (N or W).
    const uint32_t lowSlope = alongY ? 3 : 2;
    const uint32_t highSlope = alongY ? 1 : 4;
    const int32_t length = alongY ? y2 - y1 : x2 - x1;
    for (int32_t k = 0; k <= length; ++k) {
        const int32_t x = alongY ? x1 : x1 + k;
        const int32_t y = alongY ? y1 + k : y1;
        MapField& field = fieldOf(x, y);
        field.set_tunnel(true);
        field.set_tunnel_hoehe(2);
        if (k == 0 || k == length) {
            field.set_tportal(true);
            field.set_teile_diff(k == 0 ? lowSlope : highSlope);
            field.set_wegtyp(static_cast<uint32_t>(wayType));
            field.set_wegteil(alongY ? 1 : 2);
            finishEnd(x, y, field);
        }
    }
}
